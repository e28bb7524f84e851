// The event log: a text file, with a copy of every entry in the system log.
#include "plinth/evlog.h"

#include <cstdarg>
#include <cstdio>
#include <ctime>
#include <new>
#include <string>
#include <syslog.h>

struct PlinthEvlog {
    FILE* file = nullptr;
    std::string source; // the log's file-name part, the tag of its system-log entries
};

namespace {

constexpr size_t kEntryBufferSize = 256;

std::string sourceName(const std::string& name)
{
    const size_t slash = name.find_last_of('/');
    std::string base = slash == std::string::npos ? name : name.substr(slash + 1);
    const size_t dot = base.find_last_of('.');
    if (dot != std::string::npos && dot > 0)
        base.erase(dot);
    return base;
}

char typeLetter(int type)
{
    switch (type) {
    case EVLOG_ERROR:
        return 'E';
    case EVLOG_WARNING:
        return 'W';
    case EVLOG_INFORMATION:
        return 'I';
    default:
        return ' ';
    }
}

int syslogPriority(int type)
{
    switch (type) {
    case EVLOG_WARNING:
        return LOG_WARNING;
    case EVLOG_INFORMATION:
        return LOG_INFO;
    default:
        return LOG_ERR;
    }
}

} // namespace

PLINTH_API Evlog EvlogOpen(const char* name, int append)
{
    if (name == nullptr || *name == '\0')
        return nullptr;
    auto* log = new (std::nothrow) PlinthEvlog;
    if (log == nullptr)
        return nullptr;
    try {
        log->source = sourceName(name);
    } catch (const std::bad_alloc&) {
        delete log;
        return nullptr;
    }
    log->file = std::fopen(name, append != 0 ? "a+" : "w");
    if (log->file == nullptr) {
        delete log;
        return nullptr;
    }
    return log;
}

PLINTH_API int EvlogWrite(Evlog log, int type, const char* format, ...)
{
    if (log == nullptr || log->file == nullptr || format == nullptr)
        return EOF;
    char text[kEntryBufferSize];
    va_list args;
    va_start(args, format);
    const int length = std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    if (length < 0)
        text[0] = '\0';

    syslog(LOG_USER | syslogPriority(type), "%s: %s", log->source.c_str(), text);

    const std::time_t now = std::time(nullptr);
    char when[32] = "";
    if (ctime_r(&now, when) == nullptr)
        when[0] = '\0';
    // ctime's own newline is not part of the entry.
    std::fprintf(log->file, "%c %.24s - %s\n", typeLetter(type), when, text);
    return std::fflush(log->file);
}

PLINTH_API int EvlogClose(Evlog log)
{
    if (log == nullptr)
        return 0;
    if (log->file != nullptr)
        std::fclose(log->file);
    delete log;
    return 1;
}
