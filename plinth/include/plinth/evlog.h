#pragma once
// The event log of servers and tools: every entry goes to a text file and, as a copy,
// to the system log (syslog, tagged with the log's file-name part).
#include "plinth/export.h"

#ifdef __cplusplus
extern "C" {
#endif

typedef struct PlinthEvlog* Evlog;

#define EVLOG_ERROR 0
#define EVLOG_WARNING 1
#define EVLOG_INFORMATION 2

// Opens the log file: for appending when append is nonzero, else emptied first.
// Null when the file cannot be opened or memory runs out.
PLINTH_API Evlog EvlogOpen(const char* name, int append);

// One entry of the type (other values: an error in the system log, a blank letter in
// the file) with the printf-formatted text, cut to 255 characters. The file line is
// "E Wed Jun 30 21:49:08 1993 - text". Result: 0 when the line reached the file,
// nonzero (EOF) when not or for a null handle or format.
PLINTH_API int EvlogWrite(Evlog log, int type, const char* format, ...) __attribute__((format(printf, 3, 4)));

// Closes the file and frees the handle; 1 (0 for a null handle).
PLINTH_API int EvlogClose(Evlog log);

#ifdef __cplusplus
}
#endif
