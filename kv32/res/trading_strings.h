// Texts of the order, trade and negotiated-deal tables (status and side
// letters, validity, dissemination states, colour captions), English and
// Hungarian under one id.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "fw/core/strings.h"

enum Kv32TradingStringId : unsigned {
    IDS_VALIDITY_GTC = 2527,
    IDS_VALIDITY_DAY = 2528,
    IDS_VALIDITY_SESSION = 2529,
    IDS_STATUS_OPEN = 5124,
    IDS_STATUS_INACTIVE = 5125,
    IDS_STATUS_UNCONFIRMED = 5126,
    IDS_STATUS_UNAPPROVED = 5127,
    IDS_STATUS_MATCHED = 5128,
    IDS_STATUS_AMENDED = 5129,
    IDS_STATUS_WITHDRAWN = 5130,
    IDS_STATUS_ERROR = 5131,
    IDS_STATUS_DISABLED = 5132,
    IDS_SIDE_BUY = 5133,
    IDS_SIDE_SELL = 5134,
    IDS_STATUS_EXPIRED = 5139,
    IDS_TRADE_MATCHED = 5143,
    IDS_TRADE_PENDING = 5144,
    IDS_TRADE_CANCELLED = 5145,
    IDS_TRADE_ERROR = 5146,
    IDS_TRADE_UNAPPROVED = 5147,
    IDS_TRADE_UNCONFIRMED_BUY = 5148,
    IDS_TRADE_UNCONFIRMED_SELL = 5149,
    IDS_DISS_NOT_MATCHED = 5153,
    IDS_DISS_IMMEDIATE = 5154,
    IDS_DISS_DELAYED = 5155,
    IDS_DISS_SENT = 5156,
    IDS_DISS_RELEASED = 5157,
    IDS_DISS_LAPSED = 5158,
};

std::span<const fw::StringEntry> Kv32TradingStrings();
// The text of the id in the current language (the table registered on first use).
std::string Kv32TradingString(std::uint32_t id);
