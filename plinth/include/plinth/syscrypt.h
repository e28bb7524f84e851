#pragma once
// The traditional DES-based password hash of crypt(3).
#include "plinth/export.h"

#ifdef __cplusplus
extern "C" {
#endif

// Hashes the first 8 characters of key (7 bits each) with a salt of two characters
// from "./0-9A-Za-z": 13 characters, the salt followed by 11 of the hash. A salt of one
// character counts as that character twice. Null for a null key, an empty salt or a
// salt character outside the alphabet. The text lies in one buffer of the process,
// overwritten by the next call; one thread at a time.
PLINTH_API const char* SysCrypt(const char* key, const char* salt);

#ifdef __cplusplus
}
#endif
