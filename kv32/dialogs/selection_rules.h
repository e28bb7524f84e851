// The rules of the selection dialogs without their windows: what the Go To
// dialog asks for over each list window and which numbers it takes, the
// order methods a board's method string allows, and the securities of a
// market and board.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

struct KvGotoMode {
    unsigned labelId = 0; // 0: no label
    bool numeric = false;
    int limit = 0; // most characters typed
};
// The Go To dialog over the window of this table id.
KvGotoMode GotoModeFor(unsigned tableId);
// The largest order, trade or deal number (12 digits).
inline constexpr long long kGotoMaxNumber = 999'999'999'999LL;
// A number the Go To dialog takes: digits only, at most 12, at most kGotoMaxNumber.
bool CheckGotoNumber(std::string_view text);

// One check box of the order-method viewer and whether the board allows it.
struct KvMethodCheck {
    uint32_t id;
    bool checked;
};
// Every check box, in the viewer's order, for a 32-character method string
// ('0' or '1' a position); a position the string does not reach counts '0'.
std::vector<KvMethodCheck> OrderMethodChecks(std::string_view methods);

// The securities of the market and board at these indexes of the market and
// board tables (the indexes become the tables' current ones only when some
// security is found; else they are left as they were). Rows of the security table.
std::vector<int> SelectMarketBoard(int market, int board);
