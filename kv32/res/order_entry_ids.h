// Dialog, control and string ids of the order entry form (both layouts).
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "fw/core/resources.h"

enum Kv32OrderEntryDialogId : unsigned {
    IDD_ORDER_ENTRY = 116,
    IDD_ORDER_ENTRY_PD = 120,
};

enum Kv32OrderEntryControlId : unsigned {
    IDC_OE_BUY = 123,
    IDC_OE_SELL = 124,
    IDC_OE_MARKET = 126,
    IDC_OE_LIMIT = 1002,
    IDC_OE_BOARD = 1000,
    IDC_OE_SECURITY = 121,
    IDC_OE_ACCOUNT = 122,
    IDC_OE_PRICE = 104,
    IDC_OE_PRICE_LABEL = 143,
    IDC_OE_YIELD = 402,
    IDC_OE_COUNTER = 537,
    IDC_OE_COUNTER_LABEL = 536,
    IDC_OE_QUANTITY = 106,
    IDC_OE_HIDDEN = 125,
    IDC_OE_REFERENCE = 128,
    IDC_OE_REFERENCE_PD = 107,
    IDC_OE_SEND_POB = 515,
    IDC_OE_WAI = 516,
    IDC_OE_SESSION = 212,
    IDC_OE_DAY = 213,
    IDC_OE_GTC = 214,
    IDC_OE_GTD = 230,
    IDC_OE_EXPIRY_DATE = 108,
    IDC_OE_EXPIRY_DATE_LABEL = 233,
    IDC_OE_EXPIRY_TIME = 110,
    IDC_OE_TIME_LABEL = 234,
    IDC_OE_FILL_ANY = 116,
    IDC_OE_FILL_MIN = 117,
    IDC_OE_ALL_OR_NONE = 118,
    IDC_OE_FILL_OR_KILL = 119,
    IDC_OE_FILL_AND_KILL = 120,
    IDC_OE_MIN_FILL = 114,
    IDC_OE_MIN_FILL_LABEL = 554,
    IDC_OE_SETTLE = 187,
    IDC_OE_SETTLE_DATE = 111,
    IDC_OE_SETTLE_LABEL = 145,
    IDC_OE_STOP = 208,
    IDC_OE_TRIGGER = 105,
    IDC_OE_TRIGGER_LABEL = 144,
    IDC_OE_BUYIN = 357,
    IDC_OE_CONFIRM = 206,
    // Where the quote window shows while a price or quantity field has the focus.
    IDC_OE_QUOTE_AREA = 20,
    // Only in the primary-distribution layout.
    IDC_OE_CUSTODIAN = 205,
    IDC_OE_PD_FILL_OR_KILL = 211,
    IDC_OE_PD_ALL_OR_NONE = 210,
    IDC_OE_PD_IMMEDIATE = 165,
};

enum Kv32OrderEntryStringId : unsigned {
    IDS_OE_CAPTION = 8194,
    IDS_OE_CAPTION_PD = 8195,
    IDS_OE_REGULAR = 8209,
    IDS_OE_BUY = 10262,
    IDS_OE_SELL = 10263,
    IDS_OE_CONFIRM = 10265,
    IDS_OE_CLOSE = 10270,
    IDS_OE_PRICE = 10290,
    IDS_OE_YIELD = 10291,
    IDS_OE_INVALID_VALUE = 20480,
    IDS_OE_INVALID_SECURITY = 20500,
    IDS_OE_WAI_BLANK = 20526,
    IDS_OE_NO_QUANTITY = 61205,
};

std::span<const fw::DialogTemplate> Kv32OrderEntryTemplates();
std::span<const fw::StringEntry> Kv32OrderEntryStrings();
// Registers the templates and texts once.
void Kv32RegisterOrderEntry();
inline std::uint32_t Kv32OrderEntryDialog(std::uint32_t templateId)
{
    Kv32RegisterOrderEntry();
    return templateId;
}
// The text of one of the ids above in the current language.
std::string Kv32OrderEntryString(std::uint32_t id);
