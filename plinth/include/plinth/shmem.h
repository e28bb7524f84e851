#pragma once
// Named shared memory blocks shared between processes by an integer key.
#include <stddef.h>

#include "plinth/export.h"

typedef struct PlinthShmem PlinthShmem;

// Creates a zero-filled block of size bytes and maps it for reading and writing.
// Null for size 0, a key already in use, or when the persist server could not
// take a hold on it.
PLINTH_API PlinthShmem* ShmemCreate(int key, size_t size);
// Opens and maps the whole of an existing block; key 0 always fails.
PLINTH_API PlinthShmem* ShmemOpen(int key);
PLINTH_API void* ShmemGetPointer(PlinthShmem* handle);
// Switch the view to read-only or back to read-write. The view never moves, so
// pointers into the block stay valid. 1 on success, 0 otherwise.
PLINTH_API int ShmemReadOnly(PlinthShmem* handle);
PLINTH_API int ShmemReadWrite(PlinthShmem* handle);
PLINTH_API PlinthShmem* ShmemCondemn(PlinthShmem* handle);
PLINTH_API int ShmemClose(PlinthShmem* handle);
