#include "handlers/operator_settings.h"

#include <algorithm>

#include "dispatch/verdict.h"

namespace exchange {

namespace {

int32_t secondsOf(const std::string& hhmmss)
{
    if (hhmmss.size() != 6 || hhmmss.find_first_not_of("0123456789") != std::string::npos)
        return -1;
    return std::stoi(hhmmss.substr(0, 2)) * 3600 + std::stoi(hhmmss.substr(2, 2)) * 60
        + std::stoi(hhmmss.substr(4, 2));
}

std::string timeOf(int32_t seconds)
{
    std::string t;
    for (const int32_t part : { seconds / 3600, seconds / 60 % 60, seconds % 60 })
        t += std::string(part < 10 ? "0" : "") + std::to_string(part);
    return t;
}

bool knownGroup(const Exchange& ex, const std::string& group)
{
    return std::any_of(ex.data().rights.begin(), ex.data().rights.end(),
        [&](const RightsSet& r) { return r.name == group; });
}

} // namespace

Verdict SetAccessLevel(Exchange& ex, Call& call)
{
    const RequestText& t = call.text;
    if (!t.has(0, 38))
        return Refuse("The access text is too short.");
    const std::string group = t.text(13, 12), role = t.text(25, 12);
    const char level = t.at(37);
    if (!knownGroup(ex, group))
        return Refuse("Unknown group " + group + ".");
    if (std::string("01248").find(level) == std::string::npos || level == '\0')
        return Refuse("Invalid access level.");
    ex.state().accessLevels[{ group, role }] = level - '0';
    return Accept("Access level set.");
}

std::vector<Right> RightsOf(Exchange& ex, const Trader& t)
{
    const RightsSet* set = ex.rights(t.rights);
    std::vector<Right> rights = set != nullptr ? set->rights : std::vector<Right> {};
    const auto& levels = ex.state().accessLevels;
    auto level = levels.find({ t.rights, t.role });
    if (level == levels.end())
        level = levels.find({ t.rights, std::string() });
    if (set == nullptr || level == levels.end())
        return rights;
    for (const int type : { 18, 19 }) {
        const auto at = std::find_if(rights.begin(), rights.end(),
            [&](const Right& r) { return r.type > type || (r.type == type && r.operatorCode >= 0); });
        if (at != rights.end() && at->type == type)
            at->value = level->second;
        else
            rights.insert(at, Right { type, 0, level->second });
    }
    return rights;
}

Verdict SetPermission(Exchange& ex, Call& call, bool set)
{
    const RequestText& t = call.text;
    if (!t.has(0, 84))
        return Refuse("The permission text is too short.");
    TradingPermission p { t.text(13, 12), t.text(25, 12), t.text(37, 4), t.text(41, 4), t.text(45, 4),
        t.text(49, 4), t.text(53, 4), t.text(57, 12), t.at(69) == 'Y', t.text(70, 12), 0 };
    if (p.firm.empty() && p.user.empty())
        return Refuse("No firm or user given.");
    if ((!p.firm.empty() && ex.firm(p.firm) == nullptr) || (!p.user.empty() && ex.trader(p.user) == nullptr))
        return Refuse("Unknown firm or user.");
    const std::string scope = p.board + p.market + p.instrument + p.industry + p.sector + p.instrumentId;
    if (scope.empty())
        return Refuse("No scope chosen.");
    const auto role = t.number(82, 2);
    if ((t.at(69) != 'Y' && t.at(69) != 'N') || !role)
        return Refuse("Invalid permission.");
    p.role = static_cast<int>(*role);
    auto& list = ex.state().permissions;
    const auto same
        = std::find_if(list.begin(), list.end(), [&](const TradingPermission& q) { return q.sameTarget(p); });
    if (!set) {
        if (same == list.end())
            return Refuse("No such permission.");
        list.erase(same);
        return Accept("Permission deleted.");
    }
    if (same != list.end())
        *same = p;
    else
        list.push_back(p);
    return Accept("Permission set.");
}

bool TradingPermitted(const Exchange& ex, const std::string& user, const std::string& firm, const Security& s)
{
    const auto matches
        = [](const std::string& scope, const std::string& value) { return scope.empty() || scope == value; };
    for (const TradingPermission& p : ex.state().permissions) {
        // The industry has no field in the securities: such a permission covers none.
        if (!p.denied || !p.industry.empty() || !matches(p.user, user) || !matches(p.firm, firm))
            continue;
        if (matches(p.board, s.board) && matches(p.market, s.market) && matches(p.instrument, s.instrument)
            && matches(p.sector, s.sector) && matches(p.instrumentId, s.instrumentId))
            return false;
    }
    return true;
}

void LogTransaction(Exchange& ex, bool accepted)
{
    MarketState& st = ex.state();
    LoggedTransaction l;
    l.seconds = std::max(secondsOf(ex.now()), 0);
    l.rejected = (st.transactionLog.empty() ? 0 : st.transactionLog.back().rejected) + (accepted ? 0 : 1);
    l.orders = static_cast<uint32_t>(ex.data().orders.size());
    l.trades = static_cast<uint32_t>(ex.data().trades.size());
    st.transactionLog.push_back(l);
}

Verdict ReplayStep(Exchange& ex, Call& call)
{
    const RequestText& t = call.text;
    MarketState& st = ex.state();
    const auto& log = st.transactionLog;
    std::size_t to = st.replayed;
    switch (t.at(13)) {
    case 'T': {
        const auto count = t.number(14, 16);
        if (!count || *count <= 0)
            return Refuse("Invalid number of transactions.");
        to = static_cast<std::size_t>(
            std::min<int64_t>(static_cast<int64_t>(st.replayed) + *count, static_cast<int64_t>(log.size())));
        break;
    }
    case 'A':
    case 'S': {
        const int32_t value = secondsOf(t.has(14, 6) ? std::string(*t.raw(14, 6)) : std::string());
        if (value < 0)
            return Refuse("Invalid time.");
        // An interval counts from the last transaction replayed (or the first of the log).
        const int32_t from = st.replayed > 0 ? log[st.replayed - 1].seconds
            : log.empty()                    ? 0
                                             : log.front().seconds;
        const int32_t until = t.at(13) == 'A' ? from + value : value;
        while (to < log.size() && log[to].seconds <= until)
            ++to;
        break;
    }
    default:
        return Refuse("Invalid replay mode.");
    }
    if (to == st.replayed)
        return Refuse("No transaction left to replay in this step.");
    const std::size_t done = to - st.replayed;
    st.replayed = to;
    st.replaying = true;
    return Accept(std::to_string(done) + (done == 1 ? " transaction replayed." : " transactions replayed."));
}

ReplayStatistics MarketStatistics(Exchange& ex)
{
    const MarketState& st = ex.state();
    if (!st.replaying)
        return { static_cast<int64_t>(ex.data().orders.size()), static_cast<int64_t>(ex.data().trades.size()),
            st.transactions, st.rejected, st.lastTransactionTime };
    if (st.replayed == 0)
        return { st.loadedOrders, st.loadedTrades, 0, 0, std::string() };
    const LoggedTransaction& l = st.transactionLog[st.replayed - 1];
    return { l.orders, l.trades, static_cast<int64_t>(st.replayed), l.rejected, timeOf(l.seconds) };
}

} // namespace exchange
