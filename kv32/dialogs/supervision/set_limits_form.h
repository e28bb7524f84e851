// The rules of the set limits dialog without its window: which edits the
// user's rights leave open, the checks of the typed limits and the limits
// transaction of each kind of cash position (150 firm, 156 user, 165 trading
// account).
#pragma once

#include <optional>
#include <string>
#include <string_view>

// The kinds follow the cash positions window's filter type.
enum KvLimitKind : int { kLimitFirm = 0, kLimitUser = 1, kLimitAccount = 2 };

inline constexpr int kCashPoolWidth = 6;
inline constexpr int kLimitDigits = 16;
inline constexpr int kLimitsBlockLength = 61;

// The row of the cash positions window the limits belong to.
struct CCashLimitRow {
    std::string account; // trading account, 12
    std::string user; // user id, 12
    std::string firm; // firm id, 12
    std::string cashPool;
    // The limits as whole numbers; nullopt when not set.
    std::optional<long long> hard, warn, order;
};

// The message type whose rights bit 2 keeps a user's warning and hard limits
// out of reach, and the rule itself over the right's value (-1: no row).
inline constexpr int kUserLimitsRightType = 156;
bool LimitsOnlyOrderLimit(int kind, int rightValue);

// A limit as the edit shows it: the number, or empty when not set.
std::string LimitText(const std::optional<long long>& value);

// What the dialog holds when OK is pressed.
struct CLimitsScreen {
    std::string cashPool, warn, hard, order;
    bool logWarn = true;
    bool allowBreach = false;
};

enum class KvLimitsField { None, CashPool, Warn, Hard, Order };
// The first field whose text cannot be sent: a cash pool ID over 6 bytes, or
// a limit that is not a whole number of at most 16 digits with an optional
// leading '-' (the order limit has no sign on the wire and must not be negative).
KvLimitsField CheckLimits(const CLimitsScreen& s);

// The 61-byte limits block; empty when a field does not fit.
std::string BuildLimitsBlock(const CLimitsScreen& s);

struct CLimitsTransaction {
    int code = 0;
    std::string record;
};
// The transaction of the kind: 150 (user, firm, block; 85 bytes), 156 (user,
// the row's user, block; 85) or 165 (user, account, firm, block; 97). Code 0
// for another kind or a field that does not fit.
CLimitsTransaction BuildLimitsTransaction(int kind, std::string_view user, const CCashLimitRow& row,
    const CLimitsScreen& s);
