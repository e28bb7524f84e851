#include "engine/engine.h"

#include <algorithm>

#include "core/exchange.h"
#include "engine/order_entry.h"
#include "engine/order_rules.h"
#include "handlers/transaction_support.h"

namespace exchange {

namespace {

// The day's price limits: 15% either side of the previous price, on the tick
// grid inside that band. A security without a previous price has none.
void setPriceLimits(Security& s)
{
    if (s.previousPrice == kNoValue || s.previousPrice <= 0 || s.tick <= 0)
        return;
    const int64_t upper = s.previousPrice * 115 / 100, lower = (s.previousPrice * 85 + 99) / 100;
    s.figures.upperLimit = upper / s.tick * s.tick;
    s.figures.lowerLimit = (lower + s.tick - 1) / s.tick * s.tick;
}

// The average price of `done` units worth `value`, with two more decimals than the price.
int64_t averagePrice(const Security& s, int64_t value, int64_t done)
{
    __int128 v = static_cast<__int128>(value) * 100;
    for (int d = s.valueDecimals; d < s.priceDecimals; ++d)
        v *= 10;
    for (int d = s.valueDecimals; d > s.priceDecimals; --d)
        v /= 10;
    return static_cast<int64_t>(v / done);
}

// Bid, offer, their depths at the best price and counts from the book; only
// the shown quantities count (a wholly hidden rest sets no price).
void bookFigures(const DataSet& d, const Book& book, SecurityFigures& f)
{
    auto side = [&](const BookSide& b, int64_t& best, int64_t& depth, int64_t& count) {
        best = kNoValue;
        depth = 0;
        count = 0;
        for (const std::size_t i : b.orders) {
            const Order& o = d.orders[i];
            if (Visible(o) == 0)
                continue;
            ++count;
            if (best != kNoValue && o.price != best)
                continue;
            best = o.price;
            depth += Visible(o);
        }
    };
    side(book.bids, f.bid, f.bidDepth, f.bidCount);
    side(book.offers, f.offer, f.offerDepth, f.offerCount);
    f.openOrders = f.bidCount + f.offerCount;
}

// Four figures from `base`: highest volume, highest value, total volume,
// total value. Orders: buy at 0, sell at 4; trades: buy at 8, sell at 12.
void addStatistics(std::array<int64_t, 16>& s, std::size_t base, int64_t quantity, int64_t value)
{
    s[base] = std::max(s[base], quantity);
    s[base + 1] = std::max(s[base + 1], value);
    s[base + 2] += quantity;
    s[base + 3] += value;
}

void applyTradeFigures(
    SecurityFigures& f, int64_t price, int64_t quantity, int64_t value, const std::string& time)
{
    if (f.open == kNoValue)
        f.open = price;
    f.high = f.high == kNoValue ? price : std::max(f.high, price);
    f.low = f.low == kNoValue ? price : std::min(f.low, price);
    f.last = price;
    f.lastQuantity = quantity;
    f.lastValue = value;
    f.lastTime = time;
    f.volumeToday += quantity;
    f.valueToday += value;
    ++f.trades;
}

// Off-market figures move with deal trades only; the on-market ones stay.
void applyOffMarketFigures(const Security& s, SecurityFigures& f, const Trade& t)
{
    f.offMarketLast = t.price;
    f.offMarketYield = t.yield != kNoValue              ? t.yield
        : s.methods.size() > 10 && s.methods[10] == '1' ? YieldFromPrice(t.price)
                                                        : kNoValue;
    f.offMarketQuantity = t.quantity;
    f.offMarketVolume += t.quantity;
    f.offMarketValue = std::min(f.offMarketValue + PriceUnitsValue(t.price, t.quantity), kMaxValue);
}

void publishFirmAndTrader(Exchange& ex, const std::string& firm, const std::string& user)
{
    DataSet& d = ex.data();
    for (std::size_t i = 0; i < d.firms.size(); ++i) {
        if (d.firms[i].code == firm)
            ex.state().streams.firms.add(i);
    }
    for (std::size_t i = 0; i < d.traders.size(); ++i) {
        if (d.traders[i].user == user)
            ex.state().streams.traders.add(i);
    }
}

// A trade moves the security position of each side's account and the cash of
// its firm, user and account (the first cash pool that names them).
void settlePositions(Exchange& ex, const Order& o, const Security& s, int64_t quantity, int64_t value)
{
    DataSet& d = ex.data();
    Streams& streams = ex.state().streams;
    const bool buy = IsBuy(o);
    std::size_t h = 0;
    while (h < d.holdings.size()
        && !(d.holdings[h].account == o.account && d.holdings[h].instrumentId == s.instrumentId))
        ++h;
    if (h == d.holdings.size()) {
        SecurityPosition fresh;
        fresh.firm = o.firm;
        fresh.account = o.account;
        fresh.instrumentId = s.instrumentId;
        d.holdings.push_back(fresh);
    }
    SecurityPosition& p = d.holdings[h];
    p.current += buy ? quantity : -quantity;
    (buy ? p.buyQuantity : p.sellQuantity) += quantity;
    (buy ? p.buyValue : p.sellValue) += value;
    streams.holdings.add(h);
    for (const char scope : { 'F', 'U', 'A' }) {
        for (std::size_t i = 0; i < d.cash.size(); ++i) {
            CashPosition& c = d.cash[i];
            const bool mine = c.scope == scope && c.firm == o.firm
                && (scope == 'F' || (scope == 'U' ? c.user == o.user : c.account == o.account));
            if (mine) {
                c.current += buy ? -value : value;
                streams.cash.add(i);
                break;
            }
        }
    }
}

} // namespace

void Fill(Exchange& ex, std::size_t security, std::size_t incoming, std::size_t resting, int64_t quantity)
{
    FillAt(ex, security, incoming, resting, quantity, ex.data().orders[resting].price);
}

void FillAt(Exchange& ex, std::size_t security, std::size_t incoming, std::size_t resting, int64_t quantity,
    int64_t price)
{
    DataSet& d = ex.data();
    MarketState& st = ex.state();
    Security& s = d.securities[security];
    Order& in = d.orders[incoming];
    Order& rest = d.orders[resting];
    // An amount order buys what it takes: its quantity grows, its balance stays 0.
    for (Order* o : { &in, &rest }) {
        if (IsAmountOrder(*o)) {
            o->quantity += quantity;
            o->balance += quantity;
        }
    }
    const int64_t value = ValueOf(s, price, quantity);
    for (Order* o : { &in, &rest }) {
        o->balance -= quantity;
        o->value += value;
        const int64_t done = o->quantity - o->balance;
        if (done > 0)
            o->averagePrice = averagePrice(s, o->value, done);
        if (o->balance == 0 && !IsAmountOrder(*o))
            o->status = 'M';
    }
    Trade t;
    t.number = st.nextTrade++;
    const Order& buy = IsBuy(in) ? in : rest;
    const Order& sell = IsBuy(in) ? rest : in;
    t.buyOrder = buy.number;
    t.sellOrder = sell.number;
    t.time = ex.now();
    t.buyReference = buy.reference;
    t.sellReference = sell.reference;
    t.buyUser = buy.user;
    t.sellUser = sell.user;
    t.buyFirm = buy.firm;
    t.sellFirm = sell.firm;
    t.buyAccount = buy.account;
    t.sellAccount = sell.account;
    t.securityKey = s.key();
    t.price = price;
    t.quantity = quantity;
    t.value = value;
    t.tradeDate = d.tradingDate;
    t.status = 'M';
    t.source = 'E';
    t.disseminationTime = t.time;
    t.dissemination = 'I';
    d.trades.push_back(t);
    const std::size_t ti = d.trades.size() - 1;
    st.tradeByNumber[t.number] = ti;
    st.streams.trades.add(ti, TradeFirms(t));
    st.streams.lastTrades.add(ti);
    applyTradeFigures(s.figures, price, quantity, value, t.time);
    for (const Order* o : { &buy, &sell }) {
        addStatistics(st.firmStatistics[o->firm], o == &buy ? 8 : 12, quantity, value);
        addStatistics(st.traderStatistics[o->user], o == &buy ? 8 : 12, quantity, value);
        publishFirmAndTrader(ex, o->firm, o->user);
        if (!o->account.empty())
            settlePositions(ex, *o, s, quantity, value);
    }
    PublishOrder(ex, resting);
}

void RecordOrderStatistics(Exchange& ex, std::size_t order)
{
    const Order& o = ex.data().orders[order];
    const Security* s = ex.security(o.securityKey);
    const int64_t value = s != nullptr ? ValueOf(*s, o.price, o.quantity) : 0;
    MarketState& st = ex.state();
    addStatistics(st.firmStatistics[o.firm], IsBuy(o) ? 0 : 4, o.quantity, value);
    addStatistics(st.traderStatistics[o.user], IsBuy(o) ? 0 : 4, o.quantity, value);
    publishFirmAndTrader(ex, o.firm, o.user);
}

void PublishOrder(Exchange& ex, std::size_t order)
{
    ex.state().streams.orders.add(order, OrderFirms(ex.data().orders[order]));
}

void RefreshBookFigures(Exchange& ex, std::size_t security)
{
    MarketState& st = ex.state();
    bookFigures(ex.data(), st.books[security], ex.data().securities[security].figures);
    ++st.books[security].version;
    if (st.rowOf[security] != kNoRow)
        st.streams.securities.add(security);
}

void RefreshAllFigures(Exchange& ex)
{
    DataSet& d = ex.data();
    MarketState& st = ex.state();
    for (const Order& o : d.orders) {
        const auto it = st.securityByKey.find(o.securityKey);
        if (it != st.securityByKey.end())
            ++d.securities[it->second].figures.orders;
    }
    for (const Trade& t : d.trades) {
        const auto it = st.securityByKey.find(t.securityKey);
        if (it == st.securityByKey.end() || t.status == 'W')
            continue;
        Security& s = d.securities[it->second];
        if (IsDealTrade(t))
            applyOffMarketFigures(s, s.figures, t);
        else
            applyTradeFigures(s.figures, t.price, t.quantity, t.value, t.time);
    }
    // Without recording changes: the loaded state is where the streams start.
    for (std::size_t i = 0; i < d.securities.size(); ++i) {
        Security& s = d.securities[i];
        s.figures.reference = s.previousPrice;
        setPriceLimits(s);
        bookFigures(d, st.books[i], s.figures);
    }
}

void RecordOffMarketTrade(Exchange& ex, const Trade& t)
{
    const auto it = ex.state().securityByKey.find(t.securityKey);
    if (it == ex.state().securityByKey.end())
        return;
    Security& s = ex.data().securities[it->second];
    applyOffMarketFigures(s, s.figures, t);
    if (ex.state().rowOf[it->second] != kNoRow)
        ex.state().streams.securities.add(it->second);
}

void RemoveFromBook(Exchange& ex, std::size_t order)
{
    const Order& o = ex.data().orders[order];
    const auto it = ex.state().securityByKey.find(o.securityKey);
    if (it == ex.state().securityByKey.end())
        return;
    Book& book = ex.state().books[it->second];
    for (auto* list : { &(IsBuy(o) ? book.bids : book.offers).orders, &book.stops, &book.amounts }) {
        const auto at = std::find(list->begin(), list->end(), order);
        if (at != list->end()) {
            list->erase(at);
            RefreshBookFigures(ex, it->second);
            return;
        }
    }
}

} // namespace exchange
