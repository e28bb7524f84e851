#pragma once
// Checks and steps the transaction handlers share.
#include <cstddef>
#include <string>

#include "core/exchange.h"

namespace exchange {

// Whether the user's rights hold the message type (for 142: any operator code).
bool Holds(Exchange& ex, const std::string& user, int type);
// Whether the user's rights hold operator code `op` of transaction 142.
bool HoldsOperator(Exchange& ex, const std::string& user, int op);
// Whether the user belongs to `firm` or is an exchange supervisor.
bool SameFirm(Exchange& ex, const std::string& user, const std::string& firm);
// Whether `account` is an active trading account of `firm`.
bool AccountOfFirm(Exchange& ex, const std::string& firm, const std::string& account);
// The largest number a 16-digit value field holds.
constexpr int64_t kMaxValue = 9999999999999999;
// Quantities have at most 12 digits, as the order and deal dialogs take them.
constexpr int64_t kMaxQuantity = 999999999999;
// Value of a quantity at a price, in the security's value decimals; at most kMaxValue.
int64_t ValueOf(const Security& s, int64_t price, int64_t quantity);
// Price times quantity in price decimals (the off-market values); at most kMaxValue.
int64_t PriceUnitsValue(int64_t price, int64_t quantity);
// Whether a price and a quantity give a value that the value fields hold.
bool ValueFits(const Security& s, int64_t price, int64_t quantity);
// Sets a trade's status and reports the change to both sides and the last trades.
void SetTradeStatus(Exchange& ex, std::size_t trade, char status);

// Gives the order the next number, the trading date and the time, and keeps it; its index.
std::size_t AppendOrder(Exchange& ex, Order o);

// Wraps a handler so that every transaction counts in the replay statistics.
TransactionHandler Counted(Exchange& ex, Verdict (*handler)(Exchange&, Call&));

} // namespace exchange
