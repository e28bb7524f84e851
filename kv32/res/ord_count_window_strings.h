// Column titles and the context menu of the Order Counting and Order
// Counting Alerts windows, English and Hungarian under one id.
#pragma once

enum Kv32OrdCountWindowId : unsigned {
    IDS_ORDCOUNT_FIRST_COLUMN = 3101, // to 3114
    IDS_ORDCOUNT_ALERTS_FIRST_COLUMN = 2680, // to 2685
    ID_ORDCOUNT_LIMITS = 33190,
    ID_ORDCOUNT_ALERTS_VIEW = 33191,
};

// Registers the texts and menus once (before any session makes its popups).
void Kv32RegisterOrdCountWindowResources();
