#pragma once
// Child processes.
#include "plinth/export.h"

#ifdef __cplusplus
extern "C" {
#endif

typedef struct PlinthProcess* ProcessHandle;

// No-limit value for the millisecond waits of ProcessWait and ThreadWait.
#ifndef PLINTH_WAIT_INFINITE
#define PLINTH_WAIT_INFINITE 0xFFFFFFFFu
#endif
// The exit code reported for a process that is still running.
#define PLINTH_STILL_ACTIVE 259
// Longest command line (program and arguments joined by blanks) that ProcessStart takes.
#define PLINTH_COMMAND_LINE_MAX 32767

// Starts program (looked up in PATH when it has no '/') with the given arguments, the list
// ended by a null; the arguments are passed as they are, never re-split. Null when the
// start failed or the joined command line exceeds PLINTH_COMMAND_LINE_MAX (errno E2BIG).
PLINTH_API ProcessHandle ProcessStart(const char* program, ...) __attribute__((sentinel));

// 1 when the process ended within the time (PLINTH_WAIT_INFINITE waits without limit).
PLINTH_API int ProcessWait(ProcessHandle process, unsigned int milliseconds);

// 1 and the exit code (PLINTH_STILL_ACTIVE while running; 128 + signal number when a signal
// other than ProcessKill's ended it); 0 for a null handle or place.
PLINTH_API int ProcessExitCode(ProcessHandle process, int* exitCode);

// Ends the process; its exit code then reads 0. 1 on success.
PLINTH_API int ProcessKill(ProcessHandle process);

// Frees the handle; a still-running process keeps running and is reaped when it ends.
// 1 on success, 0 for a null handle.
PLINTH_API int ProcessClose(ProcessHandle process);

#ifdef __cplusplus
}
#endif
