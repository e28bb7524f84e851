#pragma once
// How an order takes part in matching, read from its flags: side, market
// order, immediate execution, the quantity it shows, the smallest fill it
// accepts and whether it waits for its stop trigger.
#include <algorithm>
#include <cstdint>

#include "model/security.h"
#include "model/trading.h"

namespace exchange {

// Order flag positions the engine acts on.
enum OrderFlag : std::size_t {
    kFlagMarket = 0,
    kFlagLimit = 1,
    kFlagMarketMaker = 5,
    kFlagYield = 10,
    kFlagHidden = 11,
    kFlagStop = 12,
    kFlagSettle = 13,
    kFlagAllOrNone = 15,
    kFlagFillMinimum = 16,
    kFlagFillAny = 17,
    kFlagGoodTillTime = 23,
    kFlagSession = 24,
    kFlagDay = 25,
    kFlagGoodTillDate = 26,
    kFlagGoodTillCancelled = 27,
    kFlagImmediate = 28,
};

inline bool HasFlag(const Order& o, OrderFlag f)
{
    return o.flags.size() > f && o.flags[f] == '1';
}

inline bool IsBuy(const Order& o)
{
    return o.side == 'B';
}

inline bool IsAmountOrder(const Order& o)
{
    return o.amount > 0;
}

// Open, unapproved or waiting for its trigger, with something left to trade
// (a quantity, or for an amount order its amount).
inline bool Standing(const Order& o)
{
    return (o.status == 'O' || o.status == 'U' || o.status == 'I') && (o.balance > 0 || IsAmountOrder(o));
}

inline bool IsMarket(const Order& o)
{
    return HasFlag(o, kFlagMarket);
}

// Market orders and immediate ones (fill or kill, fill and kill) never rest.
inline bool NeverRests(const Order& o)
{
    return IsMarket(o) || HasFlag(o, kFlagImmediate);
}

// The part of the balance kept out of the book's figures: the hidden
// quantity, while the balance still holds it.
inline int64_t HiddenLeft(const Order& o)
{
    return std::min(std::max<int64_t>(o.hidden, 0), o.balance);
}

inline int64_t Visible(const Order& o)
{
    return o.balance - HiddenLeft(o);
}

// The smallest quantity one fill against the order may have: the whole
// balance for all or none and fill or kill, the minimum fill quantity (at
// most the balance) for fill minimum, else 1.
inline int64_t MinimumFill(const Order& o)
{
    if (HasFlag(o, kFlagAllOrNone))
        return o.balance;
    if (HasFlag(o, kFlagFillMinimum) && o.minimumFill > 0)
        return std::min(o.minimumFill, o.balance);
    return 1;
}

// A stop order waits until a trade reaches its trigger price: a buy at or
// above it, a sell at or below it.
inline bool StopWaiting(const Order& o, const SecurityFigures& f)
{
    if (!HasFlag(o, kFlagStop))
        return false;
    if (f.last == kNoValue)
        return true;
    return IsBuy(o) ? f.last < o.trigger : f.last > o.trigger;
}

} // namespace exchange
