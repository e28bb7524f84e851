// The user settings that the host data tables read: the folder of the user's
// local files and the change-indication and trimming settings. The session
// fills them from the profile; tests set them directly.
#pragma once

#include <filesystem>

struct CKvTableSettings {
    std::filesystem::path settingsPath; // the user's settings folder ("EnBoardNames.txt", "secsdump.te")
    int nFlashDelay = 1; // ticks a changed security row flashes (0: only status changes flash)
    int nColorDelay = 3; // ticks its price colour stays; -1 holds it until the next change
    int nPriceChange = 0; // 0: the colour follows "change today", else "change last"
};

CKvTableSettings& KvTableSettings();
