// kvcore's string table: every text in English and Hungarian under one id.
// The table is written in UTF-8 and handed out as Windows-1250 bytes.
#pragma once

#include <cstddef>
#include <string>

#include "kvcore/kvcore_api.h"

enum class KvLanguage { English, Hungarian };

struct KvStringEntry {
  unsigned id;
  const char* english;    // UTF-8
  const char* hungarian;  // UTF-8
};

KVCORE_API void KvSetLanguage(KvLanguage language);
KVCORE_API KvLanguage KvGetLanguage();
// The text of the id in the current language (English when the Hungarian one
// is missing), Windows-1250; empty for an unknown id.
KVCORE_API std::string KvLoadString(unsigned id);
KVCORE_API const KvStringEntry* KvCoreStringTable(size_t* count);
