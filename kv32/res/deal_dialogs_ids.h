// Dialog, control and string ids of the order-method viewers, the negotiated
// deal input and the work area identifier dialog.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "fw/core/resources.h"

enum Kv32DealDialogId : unsigned {
    IDD_NEG_DEAL = 115,
    IDD_SEC_ORDER_METHODS = 142,
    IDD_ORDER_METHOD = 158,
    IDD_WAI = 256,
};

enum Kv32DealControlId : unsigned {
    // Negotiated deal input.
    IDC_ND_BUY = 123,
    IDC_ND_SELL = 124,
    IDC_ND_TRADE_SOURCE = 413,
    IDC_ND_BOARD = 1000,
    IDC_ND_SECURITY = 121,
    IDC_ND_ACCOUNT = 122,
    IDC_ND_COUNTER_FIRM = 594,
    IDC_ND_COUNTERPARTY = 105,
    IDC_ND_PRICE = 104,
    IDC_ND_YIELD = 402,
    IDC_ND_CONVERTED = 537,
    IDC_ND_QUANTITY = 106,
    IDC_ND_REFERENCE = 107,
    IDC_ND_CONFIRM_PERIOD = 108,
    IDC_ND_REMINDER = 109,
    IDC_ND_SETTLE_DATE = 111,
    IDC_ND_DISSEMINATION = 172,
    IDC_ND_CONFIRM = 206,
    // Labels the dialog rewrites or hides.
    IDC_ND_PRICE_LABEL = 1201,
    IDC_ND_CONVERTED_LABEL = 1202,
    IDC_ND_DISSEMINATION_LABEL = 1203,
    // Order methods: the boxes share the ids of the board viewer; these show values.
    IDC_OM_TRIGGER = 105,
    IDC_OM_EXPIRY_DATE = 108,
    IDC_OM_EXPIRY_TIME = 110,
    IDC_OM_SETTLE_DATE = 111,
    IDC_OM_BOARD = 1000,
    IDC_OM_SECURITY = 121,
    // Work area identifier.
    IDC_WAI_NAME = 516,
};

enum Kv32DealStringId : unsigned {
    IDS_DEAL_BUY = 10262,
    IDS_DEAL_SELL = 10263,
    IDS_DEAL_CONFIRM = 10272,
    IDS_HINT_BID = 10273,
    IDS_HINT_OFFER = 10274,
    IDS_HINT_LAST_TODAY = 10275,
    IDS_HINT_LAST_EARLIER = 10276,
    IDS_DEAL_PRICE = 10290,
    IDS_DEAL_YIELD = 10291,
    IDS_INVALID_VALUE = 20480,
    IDS_INVALID_SECURITY = 20500,
    IDS_INVALID_FIRM = 20510,
    IDS_INVALID_USER = 20511,
};

std::span<const fw::DialogTemplate> Kv32DealDialogTemplates();
std::span<const fw::StringEntry> Kv32DealDialogStrings();
void Kv32RegisterDealDialogs();
// The template id, once the templates are registered (for dialog constructors).
inline std::uint32_t Kv32DealDialog(std::uint32_t templateId)
{
    Kv32RegisterDealDialogs();
    return templateId;
}
// The text of one of the ids above in the current language.
std::string Kv32DealDialogString(std::uint32_t id);
