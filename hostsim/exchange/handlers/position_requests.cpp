// The position windows' standing requests: cash positions by firm (46), user
// (90) and trading account (86), security positions (45), trading account
// positions (47) and the account summary (126). Each request names its filter;
// the stream carries the positions that match it.
#include "core/exchange.h"
#include "handlers/streaming.h"
#include "records/position_records.h"

namespace exchange {

namespace {

// The firm a position request names, or the user's own when blank.
std::string firmOr(Exchange& ex, const Call& call, std::size_t offset)
{
    const std::string firm = call.text.text(offset, 12);
    if (!firm.empty())
        return firm;
    const Trader* t = ex.trader(call.session.user);
    return t != nullptr ? t->firm : std::string();
}

// Whether the session may see positions of `firm`.
bool maySee(Exchange& ex, const Call& call, const std::string& firm)
{
    const std::string* scope = ex.scopeOf(call.session.user);
    return scope == nullptr || *scope == firm;
}

void cash(Exchange& ex, Call& call, ReplyBuilder& reply)
{
    const auto after = StreamKey(call.text);
    const int code = call.code;
    const std::string key = call.text.text(22, 12);
    const std::string firm = code == 46 ? key : call.text.text(34, 12);
    if (!after || !call.text.has(22, code == 86 ? 36 : code == 90 ? 24 : 12) || !maySee(ex, call, firm))
        return;
    const char scope = code == 46 ? 'F' : code == 90 ? 'U' : 'A';
    const auto& all = ex.data().cash;
    StreamChanges(reply, code, ex.state().streams.cash, *after, nullptr, [&](const Change& c) {
        const CashPosition& p = all[c.object];
        const std::string& own = scope == 'F' ? p.firm : scope == 'U' ? p.user : p.account;
        return p.scope == scope && own == key && p.firm == firm ? CashPositionRecord(code, c.seq, p)
                                                                : std::string();
    });
}

void holdings(Exchange& ex, Call& call, ReplyBuilder& reply)
{
    const auto after = StreamKey(call.text);
    if (!after)
        return;
    const int code = call.code;
    const auto& all = ex.data().holdings;
    const std::string firm = code == 47 ? std::string() : firmOr(ex, call, 22);
    const std::string account = code == 47 ? call.text.text(22, 12)
        : code == 126                      ? call.text.text(34, 12)
                                           : std::string();
    const std::string instrument = code == 47 ? call.text.text(46, 12) : std::string();
    if (code != 47 && !maySee(ex, call, firm))
        return;
    bool any = false;
    StreamChanges(reply, code, ex.state().streams.holdings, *after, nullptr, [&](const Change& c) {
        const SecurityPosition& p = all[c.object];
        const bool match = (firm.empty() || p.firm == firm) && (account.empty() || p.account == account)
            && (instrument.empty() || p.instrumentId == instrument) && maySee(ex, call, p.firm);
        if (!match)
            return std::string();
        any = true;
        return code == 45 ? SecurityPositionRecord(c.seq, p)
            : code == 47  ? AccountPositionRecord(c.seq, account, &p)
                          : AccountSummaryRecord(c.seq, p);
    });
    // An account without any position still answers its first request: zeros, marked '#'.
    if (code == 47 && !any && *after == 0 && !account.empty())
        reply.add(47, AccountPositionRecord(0, account, nullptr));
}

} // namespace

void RegisterPositionRequests(Exchange& ex)
{
    for (const int code : { 46, 90, 86 })
        ex.dispatcher().onInfo(code, [&ex](Call& call, ReplyBuilder& reply) { cash(ex, call, reply); });
    for (const int code : { 45, 47, 126 })
        ex.dispatcher().onInfo(code, [&ex](Call& call, ReplyBuilder& reply) { holdings(ex, call, reply); });
}

} // namespace exchange
