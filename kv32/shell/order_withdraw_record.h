// The withdrawal of orders (transaction 138): which standing orders the host
// takes off its book. Every criterion left empty means "any"; the withdraw
// dialog, the orders window's single, moved and today's withdrawals and the
// automation interface all build their texts here.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

inline constexpr int kOrderWithdrawLength = 105;
// Withdrawing every order of the user is a longer text of its own.
inline constexpr int kWithdrawAllOrdersLength = 2049;

// The side of the orders: buy, sell, either, or none chosen (which the host refuses).
inline constexpr char kWithdrawBuy = 'B';
inline constexpr char kWithdrawSell = 'S';
inline constexpr char kWithdrawBothSides = ' ';
inline constexpr char kWithdrawNoSide = '?';

struct COrderWithdrawCriteria {
    char side = kWithdrawBothSides;
    std::optional<uint64_t> orderNo; // none: any order number
    std::string account; // 12
    std::string boardCode; // 4
    std::string securityCode; // 12, the instrument id without kind and board
    std::string userCode; // 12
    std::string firmCode; // 12, the participant code
    bool todayOnly = false; // only the orders entered on the trading day
};

// The 105-character text; empty when a criterion does not fit its field or
// the side is none of the four above (nothing is then sent).
std::string KvOrderWithdrawRecord(std::string_view user, const COrderWithdrawCriteria& criteria);

// The user's code, 'A' and blanks, 2049 characters: every order of the user.
std::string KvWithdrawAllOrdersRecord(std::string_view user);
