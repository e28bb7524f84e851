// The Bench Setup dialog's values without its window: where each lives, the
// checks of its number fields, and applying them (globals, the session and the
// profile keys of section "general").
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "fw/core/records.h"

enum KvSetupControl : uint32_t {
    IDC_SETUP_TIME_SLICE = 120,
    IDC_SETUP_LOGO = 121,
    IDC_SETUP_HIGH_SPEED = 122,
    IDC_SETUP_TRADING_END = 123,
    IDC_SETUP_INFORM_BY = 125,
    IDC_SETUP_LAST_TRADES = 126,
    IDC_SETUP_BEEPS = 127,
    IDC_SETUP_PRICE_SLICES = 128,
    IDC_SETUP_ANY_SLICES = 129,
    IDC_SETUP_PAGE_WIDTH = 130,
    IDC_SETUP_FONT_SIZE = 131,
    IDC_SETUP_COLOR_NONE = 267,
    IDC_SETUP_COLOR_BACK = 268,
    IDC_SETUP_COLOR_FORE = 269,
    IDC_SETUP_ORDER_COLOR = 270,
    IDC_SETUP_CHANGE_TODAY = 271,
    IDC_SETUP_CHANGE_LTP = 272,
    IDC_SETUP_PRINT_LOG = 273,
    IDC_SETUP_DIRECT_PRINT = 274,
    IDC_SETUP_BUY_COLOR = 289,
    IDC_SETUP_SELL_COLOR = 290,
    IDC_SETUP_ORDER_EXIT = 293,
    IDC_SETUP_COPY_POSITION = 294,
    IDC_SETUP_URGENT = 343,
    IDC_SETUP_REGULAR = 344,
    IDC_SETUP_NON_DISPLAY = 345,
    IDC_SETUP_TE_DEFAULT = 346,
};

struct KvSetup {
    int timeSlice = 1;
    int highSpeedDelay = 0;
    int endHour = -1; // -1: no trading end
    int endMinute = -1;
    int informBy = 10;
    int beeps = 3;
    int logoSeconds = 0;
    int colorMethod = 0; // 0 background, 1 foreground, -1 none
    int orderColor = 1;
    fw::Color buy, sell;
    int lastTrades = 0;
    int orderExit = 1;
    int priceChangeMode = 0; // 0 change today, 1 change to the last price
    int priceSlices = 3; // -1 holds the colour
    int anySlices = 1;
    int printLog = 0;
    int directPrint = 0;
    int pageWidth = 0;
    int fontSize = 8;
    char displayType = ' ';
    int copyWindowPos = 0;
};

// What is in force now.
KvSetup KvCurrentSetup();
// Puts the values in force and writes the profile keys; switching the print
// log on or off makes or ends its printer (PrintLog stays 0 without one).
void KvApplySetup(const KvSetup& setup);

// The number edits in the order OK checks them.
struct KvSetupEdit {
    uint32_t id;
    bool isSigned;
};
inline constexpr KvSetupEdit kSetupEdits[] = {
    { IDC_SETUP_TIME_SLICE, false }, { IDC_SETUP_LOGO, false }, { IDC_SETUP_INFORM_BY, false },
    { IDC_SETUP_BEEPS, false }, { IDC_SETUP_PRICE_SLICES, true }, { IDC_SETUP_ANY_SLICES, false },
    { IDC_SETUP_PAGE_WIDTH, false }, { IDC_SETUP_FONT_SIZE, false }, { IDC_SETUP_LAST_TRADES, false },
};
// A whole number between -32767 (signed edits only) and 32767.
bool CheckSetupNumber(std::string_view text, bool isSigned, int& value);
// OK is enabled while the trading-end time is valid and these edits are not empty.
bool SetupOkEnabled(const std::function<std::string(uint32_t)>& textOf, bool endTimeValid);
// The first edit whose text is no number (0: none); the numbers go into setup.
uint32_t ReadSetupNumbers(const std::function<std::string(uint32_t)>& textOf, KvSetup& setup);
