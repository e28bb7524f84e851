#pragma once
// Threads.
#include "plinth/export.h"

#ifdef __cplusplus
extern "C" {
#endif

#ifndef PLINTH_WAIT_INFINITE
#define PLINTH_WAIT_INFINITE 0xFFFFFFFFu // no-limit value for the millisecond waits
#endif

typedef struct PlinthThread* ThreadHandle;
typedef unsigned int (*ThreadFunction)(void* argument);

// Starts a thread with the default stack size; its handle, or null on failure.
PLINTH_API ThreadHandle ThreadStart(ThreadFunction function, void* argument);

// 1 when the thread ended within the time (PLINTH_WAIT_INFINITE waits without limit), else 0.
PLINTH_API int ThreadWait(ThreadHandle thread, unsigned int milliseconds);

// Asks the thread to end; it stops at its next cancellation point (a blocking system call
// such as a sleep, wait or read). 1 when the request was delivered or the thread had
// already ended, 0 for a null handle.
PLINTH_API int ThreadKill(ThreadHandle thread);

// Frees the handle; the thread itself runs on. Every started handle is closed once.
// 1, or 0 for a null handle.
PLINTH_API int ThreadClose(ThreadHandle thread);

#ifdef __cplusplus
}
#endif
