// String ids of the program's own texts.
#pragma once

enum Kv32StringId : unsigned {
    IDS_NO_DEFAULT_PRINTER = 10256,
    IDS_CMD_SENT = 10284,
    IDS_LOW_MEMORY = 20497,
    IDS_LOGGED_OUT = 30104,
    IDS_REGIONAL_GROUPING_DIFFER = 61209,
    IDS_REGIONAL_THOUSANDS_DIFFER = 61210,
    IDS_REGIONAL_DECIMAL_DIFFER = 61211,
};

// Commands that the reply dispatch posts to the main window.
enum Kv32PostedCommand : unsigned {
    ID_NEWS_NEW_HEADLINE = 113,
    ID_PRINT_LOG_FAILED = 115,
    ID_MESSAGE_OPEN_NEXT = 32803,
    ID_SESSION_END_NO_LOGOFF = 35955,
};
