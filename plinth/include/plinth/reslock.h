#pragma once
// Named reader/writer locks shared between processes by an integer key. Up to
// 20 readers hold the lock at once; a writer holds it alone. A writer that has
// begun to take the lock keeps later readers out, so writers never starve.
#include "plinth/export.h"

typedef struct PlinthReslock PlinthReslock;

PLINTH_API PlinthReslock* ReslockCreate(int key);
PLINTH_API PlinthReslock* ReslockOpen(int key);
// All four wait without limit. 1 on success, 0 on an invalid handle or a
// system error (for the releases also: more units given back than were taken).
PLINTH_API int ReslockGetRead(PlinthReslock* handle);
PLINTH_API int ReslockReleaseRead(PlinthReslock* handle);
PLINTH_API int ReslockGetWrite(PlinthReslock* handle);
PLINTH_API int ReslockReleaseWrite(PlinthReslock* handle);
PLINTH_API PlinthReslock* ReslockCondemn(PlinthReslock* handle);
PLINTH_API int ReslockClose(PlinthReslock* handle);
