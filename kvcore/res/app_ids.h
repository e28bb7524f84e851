// String, dialog and control ids of the application core, logon, access checks,
// main frame, bars and message box.
#pragma once

enum KvAppStringId : unsigned {
    IDS_ABOUT_TEXT = 30014,
    IDS_HUNDRED = 30021,
    IDS_THOUSAND = 30022,
    IDS_MILLION = 30023,
    IDS_CONFIRM_OPERATION = 30101,
    IDS_LOGGED_OUT = 30104,
    IDS_TABLE_OVERFLOW = 30107,
    IDS_LOW_RESOURCES = 30114,
    IDS_CLIENT_VERSION_REFUSED = 30192,
};

enum KvAppDialogId : unsigned {
    IDD_MESSAGE_BOX = 30203,
    IDD_LOGON = 30205,
    IDD_STARTUP = 30206,
    IDD_SECURITY = 30207,
    IDD_PASSWORD = 30208,
};
