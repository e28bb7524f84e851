#include "handlers/transaction_support.h"

#include "engine/engine.h"
#include "handlers/notices.h"
#include "handlers/operator_settings.h"

namespace exchange {

namespace {

bool holdsRecord(Exchange& ex, const std::string& user, int type, int op, bool anyOperator)
{
    const Trader* t = ex.trader(user);
    const RightsSet* set = t != nullptr ? ex.rights(t->rights) : nullptr;
    if (set == nullptr)
        return false;
    for (const Right& r : set->rights) {
        if (r.type == type && (anyOperator || r.operatorCode == op))
            return true;
    }
    return false;
}

} // namespace

bool Holds(Exchange& ex, const std::string& user, int type)
{
    return holdsRecord(ex, user, type, 0, true);
}

bool HoldsOperator(Exchange& ex, const std::string& user, int op)
{
    return holdsRecord(ex, user, 142, op, false);
}

bool SameFirm(Exchange& ex, const std::string& user, const std::string& firm)
{
    const std::string* scope = ex.scopeOf(user);
    return scope == nullptr || *scope == firm;
}

bool AccountOfFirm(Exchange& ex, const std::string& firm, const std::string& account)
{
    for (const TradingAccount& a : ex.data().accounts) {
        if (a.code == account)
            return a.firm == firm && a.status == 'A';
    }
    return false;
}

namespace {

// Wide enough for any 9-digit price times any 16-digit quantity.
__int128 rawValue(const Security& s, int64_t price, int64_t quantity)
{
    __int128 v = static_cast<__int128>(price) * quantity;
    for (int d = s.priceDecimals; d > s.valueDecimals; --d)
        v /= 10;
    for (int d = s.priceDecimals; d < s.valueDecimals && v <= kMaxValue; ++d)
        v *= 10;
    return v;
}

int64_t clamped(__int128 v)
{
    return static_cast<int64_t>(v > kMaxValue ? kMaxValue : v < -kMaxValue ? -kMaxValue : v);
}

} // namespace

int64_t ValueOf(const Security& s, int64_t price, int64_t quantity)
{
    return clamped(rawValue(s, price, quantity));
}

int64_t PriceUnitsValue(int64_t price, int64_t quantity)
{
    return clamped(static_cast<__int128>(price) * quantity);
}

bool ValueFits(const Security& s, int64_t price, int64_t quantity)
{
    const __int128 units = static_cast<__int128>(price) * quantity;
    return units >= 0 && units <= kMaxValue && rawValue(s, price, quantity) <= kMaxValue;
}

void SetTradeStatus(Exchange& ex, std::size_t trade, char status)
{
    Trade& t = ex.data().trades[trade];
    t.status = status;
    t.amendTime = ex.now();
    ex.state().streams.trades.add(trade, TradeFirms(t));
    ex.state().streams.lastTrades.add(trade);
}

std::size_t AppendOrder(Exchange& ex, Order o)
{
    MarketState& st = ex.state();
    o.number = st.nextOrder++;
    o.entryDate = ex.data().tradingDate;
    o.entryTime = ex.now();
    ex.data().orders.push_back(std::move(o));
    const std::size_t index = ex.data().orders.size() - 1;
    st.orderByNumber[ex.data().orders[index].number] = index;
    const auto sec = st.securityByKey.find(ex.data().orders[index].securityKey);
    if (sec != st.securityByKey.end())
        ++ex.data().securities[sec->second].figures.orders;
    RecordOrderStatistics(ex, index);
    const Order& kept = ex.data().orders[index];
    if (kept.expiryTime != "000000" && (kept.expiryDate.empty() || kept.expiryDate == ex.data().tradingDate))
        st.timedOrders.push_back(index);
    return index;
}

TransactionHandler Counted(Exchange& ex, Verdict (*handler)(Exchange&, Call&))
{
    return [&ex, handler](Call& call) {
        Verdict v = handler(ex, call);
        MarketState& st = ex.state();
        ++st.transactions;
        st.rejected += v.accepted ? 0 : 1;
        st.lastTransactionTime = ex.now();
        LogTransaction(ex, v.accepted);
        if (v.accepted) {
            const bool cancel = call.code == 151 || call.code == 160 || call.code == 161 || call.code == 162;
            const bool session = call.code == 142;
            RecordAudit(ex, call.session.user, session ? "SESS" : "TRAD",
                session      ? "SUSP"
                    : cancel ? "CANC"
                             : "ORDR",
                std::to_string(call.code) + ": " + v.text);
        }
        return v;
    };
}

} // namespace exchange
