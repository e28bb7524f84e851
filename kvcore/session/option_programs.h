// The calculator and screen-saver options start programs that "kv32.ini" names in its
// section "programs" (keys "Calculator" and "ScreenSaver"); an empty or missing entry
// disables the command.
#pragma once

#include <string>

#include "kvcore/kvcore_api.h"

inline constexpr int IDS_SAVER_NOT_INSTALLED = 30109;

enum class KvOptionProgram { Calculator, ScreenSaver };

// The command line configured for the program; empty when none.
KVCORE_API std::string KvOptionProgramCommand(KvOptionProgram which);

// Starts the command line (split at blanks, no shell) with the extra argument when not
// empty; false when nothing is configured or the program cannot be started.
KVCORE_API bool KvStartProgram(const std::string& commandLine, const std::string& extraArgument = {});
