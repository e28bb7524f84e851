#pragma once
// Read access to INI-style configuration files.
//
// A handle is bound to one section of one file. The file is read anew on every call,
// so an edit is seen by the next read. A bare file name (no '/') is looked up in
// $VEXA_INI_DIR, else $XDG_CONFIG_HOME/vexa, else ~/.config/vexa; a name with a folder
// is taken as given (relative to the current folder).
//
// Syntax: "[section]" headers, "key=value" lines; lines starting with ';' or '#' are
// comments; a line without '=' is ignored. Section and key names compare without regard
// to ASCII case; the first section and the first key of a name win. Blanks around names
// and values are dropped, and one pair of matching quotes (" or ') around a value is
// removed so that a value may keep blanks of its own.
#include "plinth/export.h"

#ifdef __cplusplus
extern "C" {
#endif

typedef struct PlinthConfig* Config;

// A new handle; null only when memory runs out. A null section or file counts as "".
PLINTH_API Config ConfigOpen(const char* section, const char* file);

// Frees the handle (null is accepted); always 1.
PLINTH_API int ConfigClose(Config config);

// With a key: the key's value, or the default (null counts as "") when the file, the
// section or the key is missing; cut to size-1 characters, always zero-terminated.
// With a null key: all key names of the section in file order, each followed by a zero
// byte, then one more zero byte; a list that does not fit is cut at a whole name.
// Returns the number of characters placed, not counting the final zero.
// A null buffer or a size below 1 places nothing and returns 0.
PLINTH_API int ConfigReadString(Config config, const char* key, char* buffer, int size,
                                const char* defaultText);

// The value's first 15 characters converted as atoi does (blanks, sign, digits up to the
// first non-digit; no digit gives 0; out-of-range values stop at INT_MAX / INT_MIN).
// An empty or missing value gives the default.
PLINTH_API int ConfigReadInt(Config config, const char* key, int defaultValue);

#ifdef __cplusplus
}
#endif
