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

} // namespace exchange
