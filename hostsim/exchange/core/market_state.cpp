#include "core/market_state.h"

#include <algorithm>

namespace exchange {

std::vector<std::string> OrderFirms(const Order& o)
{
    return { o.firm };
}

std::vector<std::string> TradeFirms(const Trade& t)
{
    return { t.buyFirm, t.sellFirm };
}

std::vector<std::string> DealFirms(const Deal& d)
{
    return { d.firm, d.counterFirm };
}

namespace {

bool resting(const Order& o)
{
    return o.status == 'O' && o.balance > 0;
}

bool waitingStop(const Order& o)
{
    return o.status == 'I' && o.balance > 0 && o.flags.size() > 12 && o.flags[12] == '1';
}

void buildBooks(const DataSet& data, MarketState& st)
{
    st.books.assign(data.securities.size(), Book {});
    for (std::size_t i = 0; i < data.orders.size(); ++i) {
        const Order& o = data.orders[i];
        const auto it = st.securityByKey.find(o.securityKey);
        if (it == st.securityByKey.end())
            continue;
        Book& b = st.books[it->second];
        if (o.status == 'O' && o.amount > 0)
            b.amounts.push_back(i);
        else if (resting(o))
            (o.side == 'B' ? b.bids : b.offers).orders.push_back(i);
        else if (waitingStop(o))
            b.stops.push_back(i);
    }
    for (Book& b : st.books) {
        // Loaded in arrival order: a stable sort by price keeps the time priority.
        std::stable_sort(b.bids.orders.begin(), b.bids.orders.end(),
            [&](std::size_t x, std::size_t y) { return data.orders[x].price > data.orders[y].price; });
        std::stable_sort(b.offers.orders.begin(), b.offers.orders.end(),
            [&](std::size_t x, std::size_t y) { return data.orders[x].price < data.orders[y].price; });
    }
}

} // namespace

void BuildMarketState(const DataSet& data, MarketState& st)
{
    Streams& s = st.streams;
    std::size_t row = 0;
    st.rowOf.assign(data.securities.size(), kNoRow);
    for (std::size_t i = 0; i < data.securities.size(); ++i) {
        st.securityByKey[data.securities[i].key()] = i;
        if (data.securities[i].kind == '0') {
            st.rowOf[i] = row++;
            s.securities.add(i);
        }
    }
    for (std::size_t i = 0; i < data.boards.size(); ++i)
        s.boards.add(i);
    for (std::size_t i = 0; i < data.firms.size(); ++i)
        s.firms.add(i);
    for (std::size_t i = 0; i < data.traders.size(); ++i)
        s.traders.add(i);
    for (std::size_t i = 0; i < data.events.size(); ++i) {
        s.events.add(i);
        st.nextEvent = std::max(st.nextEvent, data.events[i].id + 1);
    }
    for (std::size_t i = 0; i < data.schedule.size(); ++i)
        s.schedule.add(i);
    for (std::size_t i = 0; i < data.orders.size(); ++i) {
        st.orderByNumber[data.orders[i].number] = i;
        s.orders.add(i, OrderFirms(data.orders[i]));
        st.nextOrder = data.orders[i].number + 1;
        st.nextArrival = std::max(st.nextArrival, data.orders[i].arrival + 1);
    }
    for (std::size_t i = 0; i < data.trades.size(); ++i) {
        st.tradeByNumber[data.trades[i].number] = i;
        s.trades.add(i, TradeFirms(data.trades[i]));
        s.lastTrades.add(i);
        st.nextTrade = data.trades[i].number + 1;
    }
    for (std::size_t i = 0; i < data.deals.size(); ++i) {
        st.dealByNumber[data.deals[i].number] = i;
        s.deals.add(i, DealFirms(data.deals[i]));
        st.nextDeal = data.deals[i].number + 1;
    }
    for (std::size_t i = 0; i < data.auditEvents.size(); ++i)
        (data.auditEvents[i].stream == 'Y' ? s.auditPrimary : s.auditOther).add(i);
    for (std::size_t i = 0; i < data.cash.size(); ++i)
        s.cash.add(i);
    for (std::size_t i = 0; i < data.holdings.size(); ++i)
        s.holdings.add(i);
    for (const ExchangeMessage& m : data.messages)
        st.nextMessage = std::max(st.nextMessage, m.key + 1);
    for (const NewsItem& n : data.news)
        st.nextNews = std::max(st.nextNews, n.id + 1);
    for (const Trader& t : data.traders)
        st.addresses[t.user].push_back({ "127.0.0.1", "127.0.0.254" });
    st.loadedOrders = static_cast<uint32_t>(data.orders.size());
    st.loadedTrades = static_cast<uint32_t>(data.trades.size());
    buildBooks(data, st);
}

} // namespace exchange
