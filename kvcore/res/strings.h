// kvcore's string table (English and Hungarian under one id). Loading
// libkvcore.so adds it to the framework's one table, so the library's texts
// come from fw::loadString in the language the program sets with
// fw::setLanguage, as Windows-1250 bytes.
#pragma once

#include "fw/core/resources.h"
#include "kvcore/kvcore_api.h"

KVCORE_API const fw::ResourceSet& KvCoreResources();
