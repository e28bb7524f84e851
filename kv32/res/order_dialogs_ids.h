// Dialog, control and string ids of the order amend, order withdraw and order
// information dialogs.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "fw/core/resources.h"

enum Kv32OrderDialogId : unsigned {
    IDD_WITHDRAW = 118,
    IDD_AMEND = 119,
    IDD_ORDER_INFO = 157,
};

enum Kv32OrderControlId : unsigned {
    // Shared by the three dialogs.
    IDC_ORD_BOARD = 1000,
    IDC_ORD_ACCOUNT = 122,
    IDC_ORD_CONFIRM = 206,
    IDC_ORD_BUY = 123,
    IDC_ORD_SELL = 124,
    IDC_ORD_NUMBER = 137,
    IDC_ORD_USER = 136,
    IDC_ORD_FIRM = 179,
    // Amend.
    IDC_AMD_SECURITY = 199,
    IDC_AMD_PRICE = 104,
    IDC_AMD_PRICE_LABEL = 402,
    IDC_AMD_YIELD = 359,
    IDC_AMD_TRIGGER = 105,
    IDC_AMD_TRIGGER_LABEL = 144,
    IDC_AMD_QUANTITY = 106,
    IDC_AMD_HIDDEN = 125,
    IDC_AMD_MIN_FILL = 114,
    IDC_AMD_MIN_FILL_LABEL = 554,
    IDC_AMD_SETTLE = 187,
    IDC_AMD_SETTLE_DATE = 111,
    IDC_AMD_REFERENCE = 107,
    IDC_AMD_SESSION = 212,
    IDC_AMD_DAY = 213,
    IDC_AMD_GTC = 214,
    IDC_AMD_UNTIL_DATE = 230,
    IDC_AMD_EXPIRY_DATE = 108,
    IDC_AMD_EXPIRY_TIME = 110,
    IDC_AMD_TIME_LABEL = 234,
    IDC_AMD_QUOTE_AREA = 20,
    // Withdraw.
    IDC_WD_SECURITY = 121,
    IDC_WD_ALL_BOARD = 256,
    IDC_WD_ALL_SECURITY = 257,
    IDC_WD_ALL_ACCOUNT = 258,
    IDC_WD_ALL_FIRM = 260,
    IDC_WD_ALL_USER = 263,
    IDC_WD_BOARD_LABEL = 261,
    IDC_WD_SECURITY_LABEL = 262,
    IDC_WD_ACCOUNT_LABEL = 207,
    IDC_WD_FIRM_LABEL = 141,
    IDC_WD_USER_LABEL = 138,
    IDC_WD_NUMBER_LABEL = 288,
    // Order information.
    IDC_INFO_TIME = 172,
    IDC_INFO_SECURITY = 199,
    IDC_INFO_PRICE = 104,
    IDC_INFO_QUANTITY = 106,
    IDC_INFO_BALANCE = 140,
    IDC_INFO_REFERENCE = 107,
    IDC_INFO_METHODS = 7031,
    IDC_INFO_OTHER_SIDE = 593,
};

enum Kv32OrderDialogStringId : unsigned {
    IDS_ORD_WITHDRAW_QUESTION = 10247,
    IDS_ORD_AMEND_QUESTION = 10253,
    IDS_ORD_BUY = 10262,
    IDS_ORD_SELL = 10263,
    IDS_ORD_PRICE = 10290,
    IDS_ORD_YIELD = 10291,
    IDS_ORD_INVALID_VALUE = 20480,
    IDS_ORD_INVALID_SECURITY = 20500,
    IDS_ORD_NOTHING_CHANGED = 61204,
    IDS_ORD_UNKNOWN_FIRM = 61901,
    IDS_ORD_UNKNOWN_USER = 61902,
    IDS_ORD_NO_SIDE = 61903,
};

std::span<const fw::DialogTemplate> Kv32OrderDialogTemplates();
std::span<const fw::StringEntry> Kv32OrderDialogStrings();
void Kv32RegisterOrderDialogs();
// The template id, once the templates are registered (for dialog constructors).
inline std::uint32_t Kv32OrderDialog(std::uint32_t templateId)
{
    Kv32RegisterOrderDialogs();
    return templateId;
}
// The text of one of the ids above in the current language.
std::string Kv32OrderDialogString(std::uint32_t id);
