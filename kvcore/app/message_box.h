// Every message of the library reaches the user through one hook that the
// application installs (its DoMessageBox); texts are Windows-1250.
#pragma once

#include <functional>
#include <string>

#include "kvcore/kvcore_api.h"

enum KvMessageBoxFlags : unsigned {
    KV_MB_OK = 0x00,
    KV_MB_YESNO = 0x04,
    KV_MB_ICONSTOP = 0x10,
    KV_MB_ICONQUESTION = 0x20,
    KV_MB_ICONINFORMATION = 0x40,
    KV_MB_DEFBUTTON2 = 0x100,
};

enum KvMessageBoxResult : int { KV_IDOK = 1, KV_IDCANCEL = 2, KV_IDYES = 6, KV_IDNO = 7 };

using KvMessageBoxHook = std::function<int(const std::string& text, unsigned flags)>;

// Installs the hook; an empty hook restores the default (standard error, IDOK).
KVCORE_API void KvSetMessageBoxHook(KvMessageBoxHook hook);
KVCORE_API int KvMessageBox(const std::string& text, unsigned flags);
KVCORE_API int KvMessageBoxId(unsigned stringId, unsigned flags);
