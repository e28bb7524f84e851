// Column titles of the Last N Trades window, English and Hungarian.
#pragma once

#include <span>

#include "fw/core/strings.h"

enum Kv32LastTradesStringId : unsigned {
    IDS_LAST_TRADES_FIRST_COLUMN = 576, // to 588
};

std::span<const fw::StringEntry> Kv32LastTradesStrings();
void Kv32RegisterLastTradesStrings();
