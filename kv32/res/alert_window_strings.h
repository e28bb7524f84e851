// Column titles of the Firms, Users and Securities Alerts windows, English
// and Hungarian under one id.
#pragma once

enum Kv32AlertWindowId : unsigned {
    IDS_FIRM_ALERTS_FIRST_COLUMN = 2600, // to 2605
    IDS_USER_ALERTS_FIRST_COLUMN = 2625, // to 2630
    IDS_SEC_ALERTS_FIRST_COLUMN = 2650, // to 2655
};

void Kv32RegisterAlertWindowResources();
