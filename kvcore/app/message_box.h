// The library's messages to the user. They take the framework's one road
// (fw::messageBox): the application's DoMessageBox when an application
// exists, else the test hook (fw::setMessageBoxHook), else standard error.
// Texts are Windows-1250; flags and answers are fw's MB_ and ID values.
#pragma once

#include <cstdint>
#include <string>

#include "fw/core/msgbox.h"
#include "kvcore/kvcore_api.h"

KVCORE_API int KvMessageBox(const std::string& text, std::uint32_t flags);
// The text of a string id in the language the program set.
KVCORE_API int KvMessageBoxId(std::uint32_t stringId, std::uint32_t flags);
