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
    IDS_MISPLACED_GROUP_MARK = 30130,
    IDS_STARTUP_VERSION = 30131,
    IDS_STARTUP_USER_SETTINGS = 30132,
    IDS_LOW_RESOURCES = 30114,
    IDS_CLIENT_VERSION_REFUSED = 30192,
    IDS_APP_TITLE = 57344,
};

enum KvAppDialogId : unsigned {
    IDD_MESSAGE_BOX = 30203,
    IDD_LOGON = 30205,
    IDD_STARTUP = 30206,
    IDD_SECURITY = 30207,
    IDD_PASSWORD = 30208,
};

// Controls.
enum KvAppControlId : unsigned {
    IDC_BIG_ICON = 101,
    IDC_STARTUP_WARNING = 102,
    IDC_LOGON_USER = 103,
    IDC_LOGON_PASSWORD = 105,
    IDC_MESSAGE_TEXT = 135,
    IDC_SECURITY_CODE = 143,
    IDC_STARTUP_TEXT = 149,
    IDC_PASSWORD_LABEL = 150,
    IDC_PASSWORD_EDIT = 151,
    IDC_RESET_LOG_PRINTING = 332,
};

// Answers of the three-button message boxes beside fw's IDOK, IDCANCEL, IDYES and IDNO.
enum KvMessageBoxAnswer : int { KV_IDABORT = 3, KV_IDRETRY = 4, KV_IDIGNORE = 5 };
