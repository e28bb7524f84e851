// Per-thread record, system error texts and the library's version.
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "plinth/time.h"
#include "thread_record.h"

namespace plinth {

ThreadRecord* currentThreadRecord()
{
    thread_local ThreadRecord record;
    return &record;
}

} // namespace plinth

PLINTH_API int SysError(void)
{
    return errno;
}

PLINTH_API const char* SysErrorString(void)
{
    return SysGetErrorString(errno);
}

PLINTH_API const char* SysGetErrorString(int code)
{
    const int saved = errno;
    plinth::ThreadRecord* record = plinth::currentThreadRecord();
    char* text = record->errorText;
    // strerrordesc_np knows exactly which codes have a text; strerror_r would invent
    // "Unknown error N" for the rest.
    if (strerrordesc_np(code) != nullptr) {
        const char* message = strerror_r(code, text, sizeof record->errorText);
        if (message != text)
            std::snprintf(text, sizeof record->errorText, "%s", message);
    } else {
        std::snprintf(text, sizeof record->errorText, "Error %d", code);
    }
    errno = saved;
    return text;
}

PLINTH_API int SysVersionMajor(void)
{
    return 2;
}

PLINTH_API int SysVersionMinor(void)
{
    return 3;
}

PLINTH_API int SysVersionBuild(void)
{
    return 8;
}

PLINTH_API const char* SysVersionString(void)
{
    return "PLINTH Version 2.3 Build 8";
}
