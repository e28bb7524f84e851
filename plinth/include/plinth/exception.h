#pragma once
// The process-wide exception hook and its default handler, which logs.
#include "plinth/evlog.h"
#include "plinth/export.h"

#ifdef __cplusplus
extern "C" {
#endif

typedef int (*ExceptionHandler)(int code, const char* text);

// Installs the handler (null removes it); returns the previous one.
PLINTH_API ExceptionHandler ExceptionSetHandler(ExceptionHandler handler);

// The handler's result, or 0 when none is set.
PLINTH_API int ExceptionInvokeHandler(int code, const char* text);

// Writes the text, as it is, to the exception log: an error entry for severity 0, a
// warning otherwise. Without an exception log it opens "plinth_default" in the current
// folder for appending and keeps it. The write's result (0 on success), or 0 when no
// log could be opened.
PLINTH_API int ExceptionDefaultHandler(int severity, const char* text);

// Sets the exception log (not owned); returns the previous one.
PLINTH_API Evlog ExceptionSetLog(Evlog log);
PLINTH_API Evlog ExceptionGetLog(void);

// Kept for the interface: there is nothing to do on this platform. Always 1.
PLINTH_API int SysDaemonise(void);

#ifdef __cplusplus
}
#endif
