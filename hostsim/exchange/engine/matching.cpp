// Matching an order against the opposite side of its book, and the stop
// orders that trades trigger.
#include <algorithm>
#include <vector>

#include "core/exchange.h"
#include "engine/engine.h"
#include "engine/order_rules.h"
#include "handlers/transaction_support.h"

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

// The quantity, in whole lots, that an amount order's amount left still pays for at `price`.
int64_t affordable(const Security& s, const Order& a, int64_t price)
{
    const int64_t lotValue = ValueOf(s, price, s.lot);
    return lotValue > 0 ? (a.amount - a.value) / lotValue * s.lot : 0;
}

// After a fill at `price` an amount order whose rest pays for no further lot there is done.
void settleAmount(Exchange& ex, const Security& s, std::size_t order, int64_t price)
{
    Order& a = ex.data().orders[order];
    if (a.quantity > 0 && affordable(s, a, price) == 0) {
        a.status = 'M';
        PublishOrder(ex, order);
    }
}

// A new amount order buys from the offers, cheapest first, as many lots as
// its amount pays for; with amount left it waits for further sellers.
void matchAmount(Exchange& ex, std::size_t security, std::size_t order)
{
    DataSet& d = ex.data();
    Book& book = ex.state().books[security];
    const Security& s = d.securities[security];
    auto& offers = book.offers.orders;
    int64_t lastPrice = 0;
    for (const std::size_t resting : std::vector<std::size_t>(offers)) {
        const Order& r = d.orders[resting];
        const int64_t quantity = std::min(affordable(s, d.orders[order], r.price), r.balance);
        if (quantity <= 0)
            break; // nor the dearer offers behind
        if (quantity < MinimumFill(r))
            continue;
        lastPrice = r.price;
        Fill(ex, security, order, resting, quantity);
    }
    std::erase_if(offers, [&](std::size_t i) { return d.orders[i].balance == 0; });
    PublishOrder(ex, order);
    settleAmount(ex, s, order, lastPrice);
    if (d.orders[order].status == 'O')
        book.amounts.push_back(order);
    RefreshBookFigures(ex, security);
}

// A priced sell order first serves the waiting amount orders in time order,
// at its own price.
void sellToAmounts(Exchange& ex, std::size_t security, std::size_t order)
{
    DataSet& d = ex.data();
    Book& book = ex.state().books[security];
    const Security& s = d.securities[security];
    const int64_t price = d.orders[order].price;
    for (std::size_t k = 0; k < book.amounts.size() && d.orders[order].balance > 0;) {
        const std::size_t buyer = book.amounts[k];
        const int64_t quantity = std::min(affordable(s, d.orders[buyer], price), d.orders[order].balance);
        if (quantity > 0)
            FillAt(ex, security, order, buyer, quantity, price);
        settleAmount(ex, s, buyer, price);
        if (d.orders[buyer].status == 'O')
            ++k;
        else
            book.amounts.erase(book.amounts.begin() + static_cast<std::ptrdiff_t>(k));
    }
}

// Matches one active order; what is left rests, or is withdrawn when the
// order never rests. Fills happen only when they reach the order's smallest fill.
void matchActive(Exchange& ex, std::size_t security, std::size_t order)
{
    DataSet& d = ex.data();
    Book& book = ex.state().books[security];
    if (IsAmountOrder(d.orders[order])) {
        matchAmount(ex, security, order);
        return;
    }
    const Order& incoming = d.orders[order];
    if (!IsBuy(incoming) && !IsMarket(incoming) && MinimumFill(incoming) == 1 && !book.amounts.empty())
        sellToAmounts(ex, security, order);
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
