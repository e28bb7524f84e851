#pragma once
// The matching engine: one price-time book per security. A crossing order
// trades at the resting order's price, best price first and, at one price,
// in time order, shown quantities before hidden ones; partial fills leave the
// rest standing. Orders with a smallest fill (all or none, fill minimum, fill
// or kill) trade only in fills that large; stop orders wait outside the book
// until a trade reaches their trigger price. Every change is
// recorded in the streams the standing requests read (orders, trades, last
// trades, security figures, firm and trader statistics) and bumps the book's
// version for the book windows.
#include <cstddef>
#include <cstdint>

#include "model/trading.h"

namespace exchange {

class Exchange;

// Figures of every security from the loaded books and trades.
void RefreshAllFigures(Exchange& ex);
// Bid, offer, depths and counts of one security from its book; recorded as a change.
void RefreshBookFigures(Exchange& ex, std::size_t security);
// Brings a new, newly approved or repriced order (an index into the orders,
// status 'O') to the market: a stop order not yet triggered waits ('I'),
// any other matches and what is left rests in the book (market and immediate
// orders are withdrawn instead); stop orders that the trades trigger follow.
void MatchOrder(Exchange& ex, std::size_t order);
// Takes a resting or waiting order out of its book (withdraw, amend, expiry).
void RemoveFromBook(Exchange& ex, std::size_t order);
// A trade that comes from a negotiated deal carries the deal's number as both order numbers.
inline bool IsDealTrade(const Trade& t)
{
    return t.buyOrder == t.sellOrder;
}
// Records a matched deal's trade in its security's off-market figures and reports them.
void RecordOffMarketTrade(Exchange& ex, const Trade& t);
// One trade of `quantity` between the incoming and the resting order at the resting price.
void Fill(Exchange& ex, std::size_t security, std::size_t incoming, std::size_t resting, int64_t quantity);
// The same at a given price (an amount order has none: it buys at the seller's).
void FillAt(Exchange& ex, std::size_t security, std::size_t incoming, std::size_t resting, int64_t quantity,
    int64_t price);
// Adds a new order to its firm's and trader's order statistics (the
// participant and trader change reports carry them).
void RecordOrderStatistics(Exchange& ex, std::size_t order);
// Records a change of an order for the sessions that see it.
void PublishOrder(Exchange& ex, std::size_t order);

} // namespace exchange
