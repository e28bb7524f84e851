// kvcore's trace lines: what the library dropped or gave up on without
// telling the user (a short host record, a reply that never came). They go to
// standard error unless the application installs a sink (its trace file);
// tests install one to see them.
#pragma once

#include <functional>
#include <string>

#include "kvcore/kvcore_api.h"

using KvTraceSink = std::function<void(const std::string& line)>;

// Installs the sink; an empty sink restores standard error.
KVCORE_API void KvSetTraceSink(KvTraceSink sink);
// One line, without its line end; host texts in it are Windows-1250.
KVCORE_API void KvTrace(const std::string& line);
