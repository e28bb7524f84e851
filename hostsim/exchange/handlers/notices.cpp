#include "handlers/notices.h"

#include "handlers/broadcasts.h"

namespace exchange {

bool AtOnce(Exchange& ex, const std::string& time)
{
    return time.empty() || time == "070000" || time <= ex.now();
}

int64_t PostMessage(Exchange& ex, const MessageFields& f)
{
    ExchangeMessage m;
    m.key = ex.state().nextMessage++;
    m.sender = f.sender;
    m.toUser = f.toUser;
    m.toFirm = f.toFirm;
    m.infoFeed = f.infoFeed;
    m.display = f.display;
    m.sendTime = f.time.empty() ? ex.now() : f.time;
    m.status = AtOnce(ex, f.time) ? 'S' : 'P';
    m.text = f.text;
    ex.data().messages.push_back(m);
    DeliverMessage(ex, m);
    return m.key;
}

void AddEvent(Exchange& ex, char type, const std::string& user, int64_t messageKey, const std::string& object,
    char kind, int64_t price, int64_t upper, int64_t lower)
{
    TradingEvent e;
    e.id = ex.state().nextEvent++ % 10000;
    e.time = ex.now();
    e.type = type;
    e.user = user;
    e.messageKey = messageKey;
    e.object = object;
    e.kind = kind;
    e.price = price;
    e.upper = upper;
    e.lower = lower;
    ex.data().events.push_back(e);
    ex.state().streams.events.add(ex.data().events.size() - 1);
}

void SetSecurityStatus(Exchange& ex, std::size_t security, char status)
{
    ex.data().securities[security].status = status;
    if (ex.state().rowOf[security] != kNoRow)
        ex.state().streams.securities.add(security);
}

void SetIssuerStatus(Exchange& ex, const std::string& issuer, char status)
{
    auto& firms = ex.data().firms;
    for (std::size_t i = 0; i < firms.size(); ++i) {
        if (!issuer.empty() && firms[i].code == issuer && firms[i].type == "ISSR") {
            firms[i].status = status;
            ex.state().streams.firms.add(i);
        }
    }
}

void RecordAudit(Exchange& ex, const std::string& user, const std::string& group, const std::string& type,
    const std::string& text)
{
    AuditEvent a;
    a.stream = group == "SESS" ? 'Y' : 'N';
    a.group = group;
    a.type = type;
    a.time = ex.now();
    a.display = ' '; // the type's own display mode
    a.user = user;
    const Trader* t = ex.trader(user);
    a.firm = t != nullptr ? t->firm : std::string();
    a.text = text.substr(0, 256);
    ex.data().auditEvents.push_back(a);
    Streams& s = ex.state().streams;
    (a.stream == 'Y' ? s.auditPrimary : s.auditOther).add(ex.data().auditEvents.size() - 1);
}

} // namespace exchange
