#pragma once
// The matching engine: one price-time book per security. A crossing order
// trades at the resting order's price, best price first and, at one price,
// in time order; partial fills leave the rest standing. Every change is
// recorded in the streams the standing requests read (orders, trades, last
// trades, security figures, firm and trader statistics) and bumps the book's
// version for the book windows.
#include <cstddef>

namespace exchange {

class Exchange;

// Figures of every security from the loaded books and trades.
void RefreshAllFigures(Exchange& ex);
// Bid, offer, depths and counts of one security from its book; recorded as a change.
void RefreshBookFigures(Exchange& ex, std::size_t security);
// Matches a new or newly approved order (an index into the orders) and puts
// what is left into the book.
void MatchOrder(Exchange& ex, std::size_t order);
// Takes a resting order out of its book (withdraw, amend).
void RemoveFromBook(Exchange& ex, std::size_t order);
// Adds a new order to its firm's and trader's order statistics (the
// participant and trader change reports carry them).
void RecordOrderStatistics(Exchange& ex, std::size_t order);
// Records a change of an order for the sessions that see it.
void PublishOrder(Exchange& ex, std::size_t order);

} // namespace exchange
