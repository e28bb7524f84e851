#pragma once
// Named recursive mutexes shared between processes by an integer key. A mutex
// whose owner died is handed to the next taker (its guarded data may need repair).
#include "plinth/export.h"

typedef struct PlinthMutex PlinthMutex;

// Creates a mutex nobody owns yet. Null when the key is in use or the persist
// server could not take a hold on it.
PLINTH_API PlinthMutex* MutexCreate(int key);
PLINTH_API PlinthMutex* MutexOpen(int key);
// Waits without limit until the calling thread owns the mutex; a thread that owns
// it already gets it again and must release it as often. 1 on success (also when
// the previous owner died holding it), 0 on an invalid handle or a system error.
PLINTH_API int MutexGet(PlinthMutex* handle);
// Gives up one ownership. 1 on success, 0 on an invalid handle or when the
// calling thread does not own the mutex.
PLINTH_API int MutexRelease(PlinthMutex* handle);
PLINTH_API PlinthMutex* MutexCondemn(PlinthMutex* handle);
PLINTH_API int MutexClose(PlinthMutex* handle);
