// Column titles of the Logs window, English and Hungarian under one id.
#pragma once

enum Kv32LogWindowId : unsigned {
    IDS_LOGS_FIRST_COLUMN = 5471, // to 5479
};

void Kv32RegisterLogWindowResources();
