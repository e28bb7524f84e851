// Standing requests of the host data tables: securities (33), boards (44),
// participants (41), traders (40), markets (42), instruments (43), trading
// events (64), schedule (85), orders (50), trades (54), deals (52), last
// trades (118) and audit events (72).
#include "core/exchange.h"
#include "handlers/streaming.h"
#include "records/bulletin_records.h"
#include "records/security_records.h"
#include "records/trading_records.h"

namespace exchange {

namespace {

using Builder = std::function<std::string(Exchange&, Call&, const Change&)>;

// A stream that everybody (or only the session's firm, `scoped`) sees.
void stream(Exchange& ex, int code, ChangeLog Streams::*log, bool scoped, Builder build)
{
    ex.dispatcher().onInfo(code, [&ex, code, log, scoped, build](Call& call, ReplyBuilder& reply) {
        const auto after = StreamKey(call.text);
        if (!after)
            return;
        const std::string* firm = scoped ? ex.scopeOf(call.session.user) : nullptr;
        StreamChanges(reply, code, ex.state().streams.*log, *after, firm,
            [&](const Change& c) { return build(ex, call, c); });
    });
}

Statistics statisticsOf(
    const std::unordered_map<std::string, std::array<int64_t, 16>>& all, const std::string& key)
{
    const auto it = all.find(key);
    return it == all.end() ? Statistics {} : it->second;
}

// Audit events: two streams, each resumed by its own 8-digit key.
void audit(Exchange& ex, Call& call, ReplyBuilder& reply)
{
    const auto primary = StreamKey(call.text, 12, 8);
    const auto other = StreamKey(call.text, 20, 8);
    if (!primary || !other)
        return;
    const auto& events = ex.data().auditEvents;
    auto build = [&](const Change& c) { return AuditEventRecord(c.seq, events[c.object]); };
    StreamChanges(reply, 72, ex.state().streams.auditPrimary, *primary, nullptr, build);
    StreamChanges(reply, 72, ex.state().streams.auditOther, *other, nullptr, build);
}

} // namespace

void RegisterStreams(Exchange& ex)
{
    stream(ex, 33, &Streams::securities, false, [](Exchange& ex, Call&, const Change& c) {
        const Security& s = ex.data().securities[c.object];
        return SecurityChangeReport(c.seq, ex.state().rowOf[c.object], s.key(), FullFigures(s));
    });
    stream(ex, 44, &Streams::boards, false, [](Exchange& ex, Call&, const Change& c) {
        return BoardChangeRecord(c.seq, ex.data().boards[c.object]);
    });
    stream(ex, 42, &Streams::markets, false, [](Exchange& ex, Call&, const Change& c) {
        return CodeStateChangeRecord(c.seq, ex.data().markets[c.object]);
    });
    stream(ex, 43, &Streams::instruments, false, [](Exchange& ex, Call&, const Change& c) {
        return CodeStateChangeRecord(c.seq, ex.data().instruments[c.object]);
    });
    stream(ex, 41, &Streams::firms, false, [](Exchange& ex, Call&, const Change& c) {
        const Firm& f = ex.data().firms[c.object];
        return ParticipantChangeRecord(c.seq, f, statisticsOf(ex.state().firmStatistics, f.code));
    });
    stream(ex, 40, &Streams::traders, false, [](Exchange& ex, Call&, const Change& c) {
        const Trader& t = ex.data().traders[c.object];
        bool active = false;
        for (const auto& [slot, s] : ex.sessions().all())
            active = active || s.user == t.user;
        return TraderChangeRecord(c.seq, t, active, statisticsOf(ex.state().traderStatistics, t.user));
    });
    stream(ex, 64, &Streams::events, false, [](Exchange& ex, Call&, const Change& c) {
        return TradingEventRecord(c.seq, ex.data().events[c.object]);
    });
    stream(ex, 85, &Streams::schedule, false, [](Exchange& ex, Call&, const Change& c) {
        return ScheduleRecord(c.seq, ex.data().schedule[c.object]);
    });
    stream(ex, 50, &Streams::orders, true, [](Exchange& ex, Call&, const Change& c) {
        const Order& o = ex.data().orders[c.object];
        return OrderRecord(c.seq, o, ex.accountName(o.account));
    });
    stream(ex, 54, &Streams::trades, true,
        [](Exchange& ex, Call&, const Change& c) { return TradeRecord(c.seq, ex.data().trades[c.object]); });
    stream(ex, 52, &Streams::deals, true, [](Exchange& ex, Call& call, const Change& c) {
        const Deal& d = ex.data().deals[c.object];
        const std::string* firm = ex.scopeOf(call.session.user);
        return DealRecord(c.seq, d, firm != nullptr && *firm == d.counterFirm && *firm != d.firm);
    });
    stream(ex, 118, &Streams::lastTrades, false, [](Exchange& ex, Call&, const Change& c) {
        return LastTradeRecord(c.seq, ex.data().trades[c.object]);
    });
    ex.dispatcher().onInfo(72, [&ex](Call& call, ReplyBuilder& reply) { audit(ex, call, reply); });
}

} // namespace exchange
