// Matching an order against the opposite side of its book, and the stop
// orders that trades trigger.
#include <algorithm>
#include <vector>

#include "core/exchange.h"
#include "engine/engine.h"
#include "engine/order_rules.h"

namespace exchange {

namespace {

struct PlannedFill {
    std::size_t resting;
    int64_t quantity;
};

bool crosses(const Order& in, int64_t restingPrice)
{
    return IsMarket(in) || (IsBuy(in) ? in.price >= restingPrice : in.price <= restingPrice);
}

// The fills an incoming order would get, price level by price level: at one
// price first the shown quantities in time order, then the hidden ones. A
// resting order with a smallest fill is taken whole in the first pass or
// passed over, so it never blocks the orders behind it.
std::vector<PlannedFill> planFills(
    const DataSet& d, const Order& in, const std::vector<std::size_t>& opposite)
{
    std::vector<PlannedFill> fills;
    int64_t left = in.balance;
    std::size_t level = 0;
    while (level < opposite.size() && left > 0 && crosses(in, d.orders[opposite[level]].price)) {
        const int64_t price = d.orders[opposite[level]].price;
        std::size_t end = level;
        while (end < opposite.size() && d.orders[opposite[end]].price == price)
            ++end;
        for (int pass = 0; pass < 2 && left > 0; ++pass) {
            for (std::size_t k = level; k < end && left > 0; ++k) {
                const Order& r = d.orders[opposite[k]];
                const int64_t smallest = MinimumFill(r);
                const int64_t available = smallest > 1 ? (pass == 0 ? r.balance : 0)
                    : pass == 0                        ? Visible(r)
                                                       : HiddenLeft(r);
                const int64_t quantity = std::min(left, available);
                if (quantity <= 0 || quantity < smallest)
                    continue;
                fills.push_back({ opposite[k], quantity });
                left -= quantity;
            }
        }
        level = end;
    }
    return fills;
}

// Whether `a` goes before `b` in its side of the book: price, then arrival.
bool ahead(const Order& a, const Order& b)
{
    if (a.price != b.price)
        return IsBuy(a) ? a.price > b.price : a.price < b.price;
    return a.arrival < b.arrival;
}

void rest(Exchange& ex, Book& book, std::size_t order)
{
    DataSet& d = ex.data();
    Order& o = d.orders[order];
    o.arrival = ex.state().nextArrival++;
    auto& own = (IsBuy(o) ? book.bids : book.offers).orders;
    const auto at
        = std::find_if(own.begin(), own.end(), [&](std::size_t i) { return ahead(o, d.orders[i]); });
    own.insert(at, order);
}

// Matches one active order; what is left rests, or is withdrawn when the
// order never rests. Fills happen only when they reach the order's smallest fill.
void matchActive(Exchange& ex, std::size_t security, std::size_t order)
{
    DataSet& d = ex.data();
    Book& book = ex.state().books[security];
    auto& opposite = (IsBuy(d.orders[order]) ? book.offers : book.bids).orders;
    const std::vector<PlannedFill> fills = planFills(d, d.orders[order], opposite);
    int64_t total = 0;
    for (const PlannedFill& f : fills)
        total += f.quantity;
    if (total > 0 && total >= MinimumFill(d.orders[order])) {
        for (const PlannedFill& f : fills)
            Fill(ex, security, order, f.resting, f.quantity);
        std::erase_if(opposite, [&](std::size_t i) { return d.orders[i].balance == 0; });
    }
    Order& in = d.orders[order];
    if (in.balance > 0 && NeverRests(in))
        in.status = 'W';
    else if (in.balance > 0)
        rest(ex, book, order);
    PublishOrder(ex, order);
    RefreshBookFigures(ex, security);
}

// Stop orders whose trigger the last trade reached enter the market one at
// a time in the order they came; their trades may trigger further ones.
void triggerStops(Exchange& ex, std::size_t security)
{
    DataSet& d = ex.data();
    Book& book = ex.state().books[security];
    const SecurityFigures& figures = d.securities[security].figures;
    for (;;) {
        const auto due = std::find_if(book.stops.begin(), book.stops.end(),
            [&](std::size_t i) { return !StopWaiting(d.orders[i], figures); });
        if (due == book.stops.end())
            return;
        const std::size_t order = *due;
        book.stops.erase(due);
        d.orders[order].status = 'O';
        matchActive(ex, security, order);
    }
}

} // namespace

void MatchOrder(Exchange& ex, std::size_t order)
{
    DataSet& d = ex.data();
    const auto sec = ex.state().securityByKey.find(d.orders[order].securityKey);
    if (sec == ex.state().securityByKey.end())
        return;
    Order& o = d.orders[order];
    if (StopWaiting(o, d.securities[sec->second].figures)) {
        o.status = 'I';
        ex.state().books[sec->second].stops.push_back(order);
        PublishOrder(ex, order);
        return;
    }
    matchActive(ex, sec->second, order);
    triggerStops(ex, sec->second);
}

} // namespace exchange
