// kvcore's string table (English and Hungarian under one id), registered in the
// framework's process-wide table; texts come out as Windows-1250 bytes.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "fw/core/strings.h"
#include "kvcore/kvcore_api.h"

// The text of the id in the current language; empty for an unknown id.
KVCORE_API std::string KvLoadString(std::uint32_t id);
// The user interface language of the framework instance inside libkvcore.so.
KVCORE_API void KvSetLanguage(fw::Language language);
KVCORE_API fw::Language KvGetLanguage();
KVCORE_API std::span<const fw::StringEntry> KvCoreStrings();
