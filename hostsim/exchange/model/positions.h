#pragma once
// Cash positions of firms, users and trading accounts, and security positions.
#include <cstdint>
#include <string>

namespace exchange {

struct CashLimits {
    int64_t hard = 0, warn = 0, order = 0;
    char hardSet = 'N', warnSet = 'N', orderSet = 'N';
};

// Scope: 'F' firm, 'U' user, 'A' trading account.
struct CashPosition {
    char scope = 'F';
    std::string firm, user, account;
    std::string currency = "HUF";
    std::string pool;
    int64_t open = 0, current = 0, planned = 0;
    CashLimits limits;
};

struct SecurityPosition {
    std::string firm, account, instrumentId, depository;
    int64_t open = 0, current = 0, plannedBuy = 0, plannedSell = 0;
    int64_t buyValue = 0, sellValue = 0, buyQuantity = 0, sellQuantity = 0, multiplier = 1;
};

} // namespace exchange
