// Column titles, texts and context menus of the Messages and News windows,
// English and Hungarian under one id.
#pragma once

#include <string>

enum Kv32MsgNewsWindowId : unsigned {
    IDS_MESSAGES_FIRST_COLUMN = 470, // to 477
    IDS_NEWS_FIRST_COLUMN = 730, // to 738
    IDS_MESSAGE_NOT_WAITING = 2657,
    ID_MESSAGE_VIEW = 32843,
    ID_MESSAGE_EDIT = 32844,
    ID_MESSAGE_DELETE = 32845,
    ID_NEWS_FILE = 571,
    ID_NEWS_TEXT = 572,
    ID_NEWS_EDIT = 573,
    ID_NEWS_DELETE = 574,
};

// Registers the texts and menus once (before any session makes its popups).
void Kv32RegisterMsgNewsWindowResources();
std::string KvMsgNewsWindowString(unsigned id);
