// What the main frame's workspace commands do with the session, without the windows.
#pragma once

#include <string>

#include "kvcore/kvcore_api.h"

class CSessionCore;

enum KvWorkspaceMessage : int {
    IDS_WORKSPACE_FILTER = 30000,
    IDS_WORKSPACE_SAVE_TITLE = 30001,
    IDS_WORKSPACE_RESTORE_TITLE = 30002,
    IDS_WORKSPACE_SAVE_AS_SLOT = 30003,
};

// The folder a file dialog starts in: the settings folder without its trailing '/', except
// the root "/", which keeps it.
KVCORE_API std::string KvFileDialogFolder(const std::string& settingsPath);

// Workspace slot n (1-5): when its file exists, the workspace being left is saved to its own
// file first and the slot is restored; otherwise the user is asked whether the current
// arrangement becomes slot n. Returns 1 when a workspace was restored or saved.
KVCORE_API int KvWorkspaceSlotCommand(CSessionCore& session, int slot);
