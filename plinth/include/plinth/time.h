#pragma once
// Tick counts, wall-clock time records and their texts, sleep.
#include "plinth/export.h"

#ifdef __cplusplus
extern "C" {
#endif

// A wall-clock reading: seconds since 1 January 1970 (UTC epoch) and the milliseconds
// within that second.
typedef struct TimeRecord {
    int sec;
    int msec;
} TimeRecord;

// Buffer size that always holds a text of TimeFormat or TimeFormatDelta.
#define PLINTH_TIME_TEXT_SIZE 16

// Milliseconds from the monotonic clock, as an unsigned 32-bit count that wraps to 0
// after 2^32 ms. Wall-clock changes never move it.
PLINTH_API unsigned int TimeTickCount(void);

// Always 1000.
PLINTH_API unsigned int TimeTicksPerSec(void);

// later - earlier in unsigned 32-bit arithmetic: right across a wrap of the tick.
PLINTH_API unsigned int TimeTickDelta(unsigned int later, unsigned int earlier);

// Fills and returns the record with the current wall-clock time; null is returned as is.
PLINTH_API TimeRecord* TimeGetCurrent(TimeRecord* time);

// |a - b| in milliseconds; the same whichever record comes first. Differences beyond
// the 32-bit range give 0xFFFFFFFF. Null records give 0.
PLINTH_API unsigned int TimeGetDelta(const TimeRecord* a, const TimeRecord* b);

// "MM:SS.mmm" of the record's local time; buffer of at least PLINTH_TIME_TEXT_SIZE bytes.
PLINTH_API char* TimeFormat(char* buffer, const TimeRecord* time);

// "HH:MM:SS.mmm\n" of a count of milliseconds (hours may exceed two digits);
// buffer of at least PLINTH_TIME_TEXT_SIZE bytes.
PLINTH_API char* TimeFormatDelta(char* buffer, unsigned int milliseconds);

// Sleeps that long, never less than 10 ms.
PLINTH_API void SysSleep(unsigned int milliseconds);

// The calling thread's last system error code (errno).
PLINTH_API int SysError(void);

// The text of SysError(); see SysGetErrorString.
PLINTH_API const char* SysErrorString(void);

// The text of an error code in the calling thread's 256-byte buffer, valid until the
// thread's next error-text call; "Error <code>" for a code without a system text.
// Leaves SysError() unchanged.
PLINTH_API const char* SysGetErrorString(int code);

PLINTH_API int SysVersionMajor(void);        // 2
PLINTH_API int SysVersionMinor(void);        // 3
PLINTH_API int SysVersionBuild(void);        // 8
PLINTH_API const char* SysVersionString(void); // "PLINTH Version 2.3 Build 8"

#ifdef __cplusplus
}
#endif
