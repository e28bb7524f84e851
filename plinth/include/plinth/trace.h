#pragma once
// Diagnostic lines to one trace file per process: free lines, and entry and exit
// lines that indent a thread's lines between them. Which lines are wanted is the
// caller's choice, made against a 32-bit mask per module read from "trace.ini".
//
// Settings file ("./trace.ini" unless named), section "Settings": "File" (the trace
// file, default "./trace.txt"), "Indent" (blanks per level), "Date", "Time",
// "ThreadId" (nonzero: the line begins with it), "DefaultMask"; section "Modules":
// one mask per module name. A mask text lists bit numbers 1..32 and ranges "a-b",
// separated by commas and blanks: "1, 4-6" is the mask 57.
#include <stdio.h>

#include "plinth/config.h"
#include "plinth/export.h"

#ifdef __cplusplus
extern "C" {
#endif

// (Re)initialises the facility from the settings file (null: "./trace.ini"). A second
// call closes the previous trace file and replaces the module table; the integer
// settings keep their current values as defaults. 1 on success, 0 when the trace file
// cannot be opened (nothing is written then) or memory runs out.
PLINTH_API int TraceInit(const char* file);

// The mask parsed from the value of key in the section of config; 0 when absent.
PLINTH_API unsigned int TraceGetMask(Config config, const char* key);

// The module's mask, or the default mask when the module is not listed. Initialises
// the facility from "./trace.ini" on first use (thread-safe). The pointer stays valid
// for the life of the process; after a re-initialisation it no longer follows the file.
PLINTH_API const unsigned int* TraceModuleMask(const char* module);

// Writes one line (printf format) when a trace file is open; always 1.
PLINTH_API int TraceWrite(const char* format, ...) __attribute__((format(printf, 1, 2)));

// "Entry: name", then the calling thread's lines go one level deeper. Returns name.
PLINTH_API const char* TraceEntry(const char* function);

// One level back, then "Exit: name".
PLINTH_API void TraceExit(const char* function);

// The name put before the calling thread's free lines (null: none); not copied. 1.
PLINTH_API int TraceSetFuncName(const char* function);

// Hold the trace lock around several writes through TraceGetFilePtr. Recursive.
PLINTH_API void TraceMutexGet(void);
PLINTH_API void TraceMutexRelease(void);

// The open trace stream, or null.
PLINTH_API FILE* TraceGetFilePtr(void);

#ifdef __cplusplus
}
#endif
