#pragma once
// The persist server keeps every named object that plinth creates alive until
// some process condemns and closes it. It runs as the program plinth_o, started
// on the first named Create; PLINTH_NAMESPACE gives each namespace its own server.
#include <stdint.h>

#include "plinth/export.h"

// Kinds in a query reply (reader/writer locks are listed once, by their
// resource semaphore).
enum { PERSIST_KIND_SHMEM = 0, PERSIST_KIND_RESLOCK = 1, PERSIST_KIND_EVENT = 2, PERSIST_KIND_MUTEX = 3 };

typedef struct PersistHeldObject {
    int32_t key;
    int32_t kind;
} PersistHeldObject;

// Runs the server in the calling thread until a stop request arrives. Returns
// 183 at once when a server of this namespace already runs, 0 after a stop,
// another nonzero value when the server could not be set up.
PLINTH_API int SysRunPersistServer(void);
// Lists the held objects: shared memory first, then reader/writer locks, events
// and mutexes, newest first within each. Fills at most capacity entries and sets
// *count to the number held. 1 when the server answered, 0 otherwise.
PLINTH_API int SysQueryPersistServer(PersistHeldObject* objects, int capacity, int* count);
// Asks the server to let go of everything it holds and exit; returns once it no
// longer accepts requests. 1 when a server answered, 0 when none runs.
PLINTH_API int SysStopPersistServer(void);
