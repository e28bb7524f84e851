#include "engine/validity.h"

#include "core/exchange.h"
#include "engine/engine.h"
#include "engine/order_rules.h"

namespace exchange {

namespace {

bool coversSecurity(const ScheduleEntry& e, const Security& s)
{
    return (e.board.empty() || e.board == s.board) && (e.instrument.empty() || e.instrument == s.instrument)
        && (e.instrumentId.empty() || e.instrumentId == s.instrumentId);
}

bool closesBetween(const DataSet& d, const std::string& after, const std::string& now)
{
    const auto between = [&](const std::string& t) { return t > after && t <= now; };
    if (between(d.dayEnd))
        return true;
    for (const ScheduleEntry& e : d.schedule) {
        if (e.transition == "CLOSE" && between(e.time))
            return true;
    }
    return false;
}

} // namespace

std::string SessionEnd(const DataSet& d, const Security& s)
{
    std::string end = d.dayEnd;
    for (const ScheduleEntry& e : d.schedule) {
        if (e.transition == "CLOSE" && e.time.size() == 6 && e.time < end && coversSecurity(e, s))
            end = e.time;
    }
    return end;
}

std::string ValidityEnd(const Exchange& ex, const Order& o)
{
    const DataSet& d = ex.data();
    std::string end;
    const auto earliest = [&end](const std::string& t) {
        if (end.empty() || t < end)
            end = t;
    };
    const bool today = o.expiryDate.empty() || o.expiryDate <= d.tradingDate;
    if (HasFlag(o, kFlagDay) || (HasFlag(o, kFlagGoodTillDate) && !o.expiryDate.empty() && today))
        earliest(d.dayEnd);
    if (HasFlag(o, kFlagSession)) {
        const Security* s = ex.security(o.securityKey);
        earliest(s != nullptr ? SessionEnd(d, *s) : d.dayEnd);
    }
    if (o.expiryTime != "000000" && !o.expiryTime.empty() && today)
        earliest(o.expiryTime);
    return end;
}

void ExpireEndedOrders(Exchange& ex, const std::string& after, const std::string& now)
{
    DataSet& d = ex.data();
    if (!closesBetween(d, after, now))
        return;
    for (std::size_t i = 0; i < d.orders.size(); ++i) {
        if (!Standing(d.orders[i]))
            continue;
        const std::string end = ValidityEnd(ex, d.orders[i]);
        if (end.empty() || end > now)
            continue;
        RemoveFromBook(ex, i);
        d.orders[i].status = 'E';
        PublishOrder(ex, i);
    }
}

} // namespace exchange
