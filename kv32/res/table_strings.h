// Texts of the host data tables (status letters, colour captions, the
// change-report error, the private order book's file, the local order states),
// English and Hungarian under one id.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "fw/core/strings.h"

enum Kv32TableStringId : unsigned {
    IDS_SUSPENDED_BOARD = 455,
    IDS_SUSPENDED_TRADER = 827,
    IDS_NEGATIVE_PRICE_CHANGE = 2980,
    IDS_POSITIVE_PRICE_CHANGE = 2981,
    IDS_ANY_CHANGE = 2982,
    IDS_SUSPENDED_SECURITY = 2983,
    IDS_STATE_SUSPENDED = 5137,
    IDS_STATE_ACTIVE = 5138,
    IDS_PRICE_ABOVE_LAST = 5150,
    IDS_PRICE_BELOW_LAST = 5151,
    IDS_PRICE_EQUAL_LAST = 5152,
    IDS_NO = 10257,
    IDS_YES = 10258,
    IDS_NO_USER_FIRM = 10259,
    IDS_LOCAL_STATE_NEW = 60560,
    IDS_LOCAL_STATE_COPY = 60561,
    IDS_LOCAL_STATE_AMENDED = 60562,
    IDS_LOCAL_STATE_ACCEPTED = 60563,
    IDS_LOCAL_STATE_REJECTED = 60564,
    IDS_INVALID_MESSAGE_DATA = 61208,
    // Texts that the tables show without a number of their own.
    IDS_POB_DAMAGED = 61340,
    IDS_POB_NOT_SAVED = 61341,
};

std::span<const fw::StringEntry> Kv32TableStrings();
// The text of the id in the current language (the table registered on first use).
std::string Kv32TableString(std::uint32_t id);
