#pragma once
// Records of the order (50), trade (54), deal (52) and last-trade (118) streams.
#include <cstdint>
#include <string>

#include "model/trading.h"

namespace exchange {

std::string OrderRecord(int64_t seq, const Order& o, const std::string& accountName); // 375
std::string TradeRecord(int64_t seq, const Trade& t); // 320
// The counterparty sees an open deal as unconfirmed ('C').
std::string DealRecord(int64_t seq, const Deal& d, bool counterparty); // 251
std::string LastTradeRecord(int64_t seq, const Trade& t); // 137

} // namespace exchange
