#pragma once
// A command-line option scanner in the manner of the traditional getopt. In the
// letters, "x:" takes an argument (attached or the next word), "x::" an optional one
// that must be attached. A leading ':' makes a missing argument give ':' instead of
// '?'. Scanning stops at the first word that is not an option, after "--" and at a
// lone "-" (both stepped over). The state is process-wide: one scan at a time.
#include "plinth/export.h"

#ifdef __cplusplus
extern "C" {
#endif

// The next option character, '?' for an unknown letter or a missing argument, ':' for
// a missing argument when the letters begin with ':', or -1 at the end of the options.
PLINTH_API int OptionGet(int count, char* const words[], const char* letters);

// The current option's argument, or null.
PLINTH_API const char* OptionArg(void);

// The current option character (also the unknown one after '?').
PLINTH_API int OptionChar(void);

// The index of the next word to scan; after -1, the first operand.
PLINTH_API int OptionIndex(void);

#ifdef __cplusplus
}
#endif
