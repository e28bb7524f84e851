// Dialog, control and string ids of the auction calculation dialogs and of
// the summary by board dialog.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "fw/core/resources.h"

enum Kv32AuctionDialogId : unsigned {
    IDD_AUCTION = 102,
    IDD_BOARD_SUMMARY = 145,
};

enum Kv32AuctionControlId : unsigned {
    IDC_AU_BOARD = 1000,
    IDC_AU_SECURITY = 199,
    IDC_AU_ORDERS = 1007,
    IDC_AU_BID_QTY = 1008,
    IDC_AU_MKT_QTY = 1009,
    IDC_AU_MIN = 1002,
    IDC_AU_MAX = 1003,
    IDC_AU_INCREMENT = 1004,
    IDC_AU_PRICE_LABEL = 143,
    IDC_AU_PRICE = 104,
    IDC_AU_CONVERTED_LABEL = 536,
    IDC_AU_CONVERTED = 537,
    IDC_AU_YIELD = 402,
    IDC_AU_GRID = 572,
    IDC_AU_CALCULATE = 1010,
    IDC_AU_MOF = 592,
    IDC_AU_CLOSE = 1,
    IDC_AU_EXPORT = 7031,
    // Summary by board.
    IDC_BS_TOTAL = 142,
    IDC_BS_TOTAL_LABEL = 149,
    IDC_BS_GRID = 161,
};

enum Kv32AuctionStringId : unsigned {
    IDS_BS_SHORT_NAME = 2900,
    IDS_BS_VOL_TODAY = 2914,
    IDS_BS_VAL_TODAY = 2915,
    IDS_BS_CAPTION = 10251,
    IDS_AU_PRICE = 10290,
    IDS_AU_YIELD = 10291,
    IDS_AU_WRITE_ERROR = 10309,
    IDS_AU_INVALID_VALUE = 20480,
    IDS_AU_INVALID_SECURITY = 20500,
    IDS_AU_PRIMARY_TITLE = 60570, // ten column titles
    IDS_AU_MARKET_CHANGED = 60580,
    IDS_AU_BUYBACK_TITLE = 60581, // ten column titles
    IDS_AU_BUYBACK_CAPTION = 60591,
    IDS_AU_CREATED_FILE = 61212,
    IDS_AU_CANNOT_CREATE = 61213,
};

std::span<const fw::DialogTemplate> Kv32AuctionDialogTemplates();
std::span<const fw::StringEntry> Kv32AuctionDialogStrings();
void Kv32RegisterAuctionDialogs();
// The template id, once the templates are registered (for dialog constructors).
inline std::uint32_t Kv32AuctionDialog(std::uint32_t templateId)
{
    Kv32RegisterAuctionDialogs();
    return templateId;
}
// The text of one of the ids above in the current language.
std::string Kv32AuctionString(std::uint32_t id);
