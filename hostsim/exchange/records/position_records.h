#pragma once
// Records of the position windows: cash positions of a firm (46), a user (90)
// and a trading account (86), security positions (45), trading account
// positions (47) and the account summary (126).
#include <cstdint>
#include <string>

#include "model/positions.h"

namespace exchange {

std::string CashPositionRecord(int code, int64_t seq, const CashPosition& p); // 133 / 145 / 145
std::string SecurityPositionRecord(int64_t seq, const SecurityPosition& p); // 178
// `held` false: the account has no position (mark '#', zeros).
std::string AccountPositionRecord(int64_t seq, const std::string& account, const SecurityPosition* p); // 100
std::string AccountSummaryRecord(int64_t seq, const SecurityPosition& p); // 102

} // namespace exchange
