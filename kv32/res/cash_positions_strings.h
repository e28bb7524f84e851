// Column titles and the context menu of the cash positions window, English
// and Hungarian.
#pragma once

#include <cstdint>
#include <span>

#include "fw/core/resources.h"

enum Kv32CashPositionStringId : unsigned {
    IDS_CASH_POSITIONS_FIRST_COLUMN = 350, // to 360
};

enum Kv32CashPositionCommandId : unsigned {
    ID_CASH_TRADER_LIMITS = 33176,
    ID_CASH_ACCOUNT_LIMITS = 33177,
    ID_CASH_FIRM_LIMITS = 33178,
};

// Registers the texts and the window's menu once.
void Kv32RegisterCashPositionResources();
std::span<const fw::MenuTemplate> Kv32CashPositionMenus();
