#pragma once
// Shared libraries.
#include "plinth/export.h"

#ifdef __cplusplus
extern "C" {
#endif

typedef struct PlinthShlib* Shlib;

// Loads a shared library. A bare name (no '/') is looked up beside the module that calls
// ShlibLoad (the library or program), then in the current folder, then by the system's
// own search. Null when it cannot be loaded.
PLINTH_API Shlib ShlibLoad(const char* fileName);

// Unloads and frees the handle: 1 on success, 0 on failure (null handle included).
PLINTH_API int ShlibUnload(Shlib shlib);

// The address of a function or data symbol; when the name is not exported, the address of
// "_" followed by the name; else null.
PLINTH_API void* ShlibGetProc(Shlib shlib, const char* name);

// The library's exported names, sorted, each followed by a zero byte, then one more zero
// byte. Never null: an empty list when there are none. The text is owned by the handle
// and made once; one thread at a time on one handle.
PLINTH_API const char* ShlibGetNames(Shlib shlib);

#ifdef __cplusplus
}
#endif
