// The rules of moving standing orders by price steps without the window: when
// OK may be pressed, what the securities and order book windows preset, and
// the 71-character record of transaction 178.
#pragma once

#include <cstdint>
#include <string>

inline constexpr int kTickTransaction = 178;
inline constexpr size_t kTickLength = 71;

enum : int { kTickNone = -1, kTickUp = 0, kTickDown = 1 };

// OK needs a direction, a number of ticks and at least one side.
bool TickOkEnabled(int direction, const std::string& ticks, bool buy, bool sell);

// The selectors; an empty text stands for "All".
struct KvTickInput {
    std::string user;
    std::string firm;
    std::string userCode;
    std::string securityKey;
    std::string account;
    bool buy = true;
    bool sell = true;
    int direction = kTickNone;
    std::string ticks;
};
// The record; empty when a selector does not fit its field, the ticks are
// not 1 to 4 digits, or no direction or side is chosen.
std::string BuildTickRecord(const KvTickInput& in);

// The board and security the active list window offers (-1: none): the
// securities window's current row, or the book of an order book or market
// orders window.
struct KvTickPreset {
    int boardRow = -1;
    int securityRow = -1;
};
KvTickPreset TickPreset();
