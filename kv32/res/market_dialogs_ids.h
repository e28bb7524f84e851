// Dialog, control and string ids of the deal amendment and confirmation, the
// market maker form, the tick dialog, the permission dialog and the price
// control event viewer.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "fw/core/resources.h"

enum Kv32MarketDialogId : unsigned {
    IDD_ND_CONFIRM = 197,
    IDD_ND_AMEND = 198,
    IDD_PRICE_CONTROL_EVENT = 250,
    IDD_MM_TICK = 259,
    IDD_PERMISSION = 272,
    IDD_MM_ORDER = 1539,
};

enum Kv32MarketControlId : unsigned {
    // Deal amendment and confirmation.
    IDC_NA_BUY = 123,
    IDC_NA_SELL = 124,
    IDC_NA_BOARD = 1000,
    IDC_NA_SECURITY = 121,
    IDC_NA_ACCOUNT = 122,
    IDC_NA_COUNTER_FIRM = 594,
    IDC_NA_COUNTERPARTY = 105,
    IDC_NA_PRICE = 104,
    IDC_NA_YIELD = 402,
    IDC_NA_QUANTITY = 106,
    IDC_NA_REFERENCE = 107,
    IDC_NA_CONFIRM_PERIOD = 108,
    IDC_NA_REMINDER = 109,
    IDC_NA_SETTLE = 187,
    IDC_NA_SETTLE_DATE = 111,
    IDC_NA_DISSEMINATION = 172,
    IDC_NA_CONFIRM = 206,
    IDC_NA_PRICE_LABEL = 1201,
    IDC_NA_DISSEMINATION_LABEL = 1203,
    // Market maker form: buy side, then sell side.
    IDC_MM_BOARD = 1000,
    IDC_MM_SECURITY = 121,
    IDC_MM_BUY_ACCOUNT = 122,
    IDC_MM_SELL_ACCOUNT = 123,
    IDC_MM_BUY_PRICE = 104,
    IDC_MM_SELL_PRICE = 105,
    IDC_MM_BUY_YIELD = 597,
    IDC_MM_SELL_YIELD = 403,
    IDC_MM_BUY_CONVERTED = 539,
    IDC_MM_SELL_CONVERTED = 595,
    IDC_MM_BUY_QUANTITY = 106,
    IDC_MM_SELL_QUANTITY = 1138,
    IDC_MM_BUY_TOPUP = 125,
    IDC_MM_SELL_TOPUP = 128,
    IDC_MM_BUY_USE_TOPUP = 208,
    IDC_MM_SELL_USE_TOPUP = 209,
    IDC_MM_BUY_LOT = 485,
    IDC_MM_SELL_LOT = 486,
    IDC_MM_BUY_REFERENCE = 107,
    IDC_MM_SELL_REFERENCE = 109,
    IDC_MM_SESSION = 212,
    IDC_MM_DAY = 213,
    IDC_MM_CONFIRM = 206,
    IDC_MM_SEND_BUY = 454,
    IDC_MM_SEND_SELL = 455,
    IDC_MM_BUY_PRICE_LABEL = 1301,
    IDC_MM_SELL_PRICE_LABEL = 1302,
    IDC_MM_BUY_CONVERTED_LABEL = 1303,
    IDC_MM_SELL_CONVERTED_LABEL = 1304,
    IDC_MM_QUOTE_AREA = 20,
    // Tick up or down.
    IDC_TK_FIRM = 179,
    IDC_TK_ALL_FIRMS = 260,
    IDC_TK_USER = 103,
    IDC_TK_ALL_USERS = 523,
    IDC_TK_BOARD = 1000,
    IDC_TK_ALL_BOARDS = 256,
    IDC_TK_SECURITY = 199,
    IDC_TK_ALL_SECURITIES = 144,
    IDC_TK_BUY = 123,
    IDC_TK_SELL = 124,
    IDC_TK_ACCOUNT = 122,
    IDC_TK_ALL_ACCOUNTS = 369,
    IDC_TK_TICKS = 533,
    IDC_TK_UP = 534,
    IDC_TK_DOWN = 535,
    // Permission.
    IDC_PM_FIRM = 179,
    IDC_PM_USER = 103,
    IDC_PM_BOARD = 1000,
    IDC_PM_MARKET = 126,
    IDC_PM_INSTRUMENT = 1002,
    IDC_PM_INDUSTRY = 1003,
    IDC_PM_SECTOR = 105,
    IDC_PM_SECURITY = 199,
    IDC_PM_ITEMS = 413,
    IDC_PM_NOT = 589,
    IDC_PM_PRIORITY = 588,
    IDC_PM_ROLE = 173,
    IDC_PM_INDUSTRY_CODE = 1004,
    // Price control event viewer.
    IDC_PC_BOARD = 781,
    IDC_PC_SECURITY = 780,
    IDC_PC_REFERENCE = 784,
    IDC_PC_LOWER = 783,
    IDC_PC_UPPER = 786,
    IDC_PC_MESSAGE = 785,
};

enum Kv32MarketStringId : unsigned {
    IDS_PC_PRICE_LIMIT_TITLE = 752,
    IDS_ND_AMEND_TITLE = 8211,
    IDS_ND_CONFIRM_TITLE = 8212,
    IDS_PM_DELETE = 8248,
    IDS_ND_AMEND_QUESTION = 10281,
    IDS_ND_CONFIRM_QUESTION = 10285,
};

std::span<const fw::DialogTemplate> Kv32MarketDialogTemplates();
std::span<const fw::StringEntry> Kv32MarketDialogStrings();
void Kv32RegisterMarketDialogs();
inline std::uint32_t Kv32MarketDialog(std::uint32_t templateId)
{
    Kv32RegisterMarketDialogs();
    return templateId;
}
std::string Kv32MarketDialogString(std::uint32_t id);

// The market maker form's tool tip of a control in the current language;
// empty when the control has none.
std::string Kv32MarketMakerTip(std::uint32_t controlId);
