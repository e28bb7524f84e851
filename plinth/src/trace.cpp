// The trace facility: settings, module table and the trace file's lines.
#include "plinth/trace.h"

#include <algorithm>
#include <cstdarg>
#include <cstring>
#include <ctime>
#include <memory>
#include <mutex>
#include <string>
#include <unistd.h>
#include <vector>

#include "thread_record.h"
#include "trace_mask.h"

namespace {

struct ModuleEntry {
    std::string name;
    unsigned int mask = 0;
};

struct TraceState {
    // Guards initialisation and the module table.
    std::mutex setup;
    bool initialised = false;
    // The trace lock: lines, and callers writing through the stream. Recursive so
    // that a caller holding it may still use TraceWrite.
    std::recursive_mutex lock;
    FILE* stream = nullptr;
    int indent = 0;
    int date = 0;
    int time = 0;
    int threadId = 0;
    unsigned int defaultMask = 0;
    // Entries are never freed before the process ends, so that mask pointers handed
    // out before a re-initialisation stay readable.
    std::vector<std::unique_ptr<ModuleEntry>> table;
    std::vector<std::unique_ptr<ModuleEntry>> retired;
};

TraceState& state()
{
    static TraceState s;
    return s;
}

struct ConfigCloser {
    void operator()(PlinthConfig* c) const { ConfigClose(c); }
};
using ConfigPtr = std::unique_ptr<PlinthConfig, ConfigCloser>;

constexpr int kFileNameSize = 260;
constexpr int kKeyListSize = 4096;

int initLocked(TraceState& s, const char* file)
{
    const char* settingsFile = file != nullptr ? file : "./trace.ini";
    s.initialised = true;
    {
        std::lock_guard<std::recursive_mutex> lines(s.lock);
        if (s.stream != nullptr) {
            std::fclose(s.stream);
            s.stream = nullptr;
        }
    }
    for (auto& entry : s.table)
        s.retired.push_back(std::move(entry));
    s.table.clear();

    ConfigPtr settings(ConfigOpen("Settings", settingsFile));
    if (!settings)
        return 0;
    char traceFile[kFileNameSize];
    ConfigReadString(settings.get(), "File", traceFile, sizeof traceFile, "./trace.txt");
    FILE* stream = std::fopen(traceFile, "a");
    if (stream == nullptr)
        return 0;
    const int indent = ConfigReadInt(settings.get(), "Indent", s.indent);
    const int date = ConfigReadInt(settings.get(), "Date", s.date);
    const int time = ConfigReadInt(settings.get(), "Time", s.time);
    const int threadId = ConfigReadInt(settings.get(), "ThreadId", s.threadId);
    s.defaultMask = TraceGetMask(settings.get(), "DefaultMask");
    settings.reset();
    {
        // Lines of other threads read these under the trace lock.
        std::lock_guard<std::recursive_mutex> lines(s.lock);
        s.indent = indent;
        s.date = date;
        s.time = time;
        s.threadId = threadId;
        s.stream = stream;
    }

    ConfigPtr modules(ConfigOpen("Modules", settingsFile));
    if (!modules)
        return 0;
    std::vector<char> keys(kKeyListSize);
    ConfigReadString(modules.get(), nullptr, keys.data(), kKeyListSize, "");
    for (const char* key = keys.data(); *key != '\0'; key += std::strlen(key) + 1) {
        auto entry = std::make_unique<ModuleEntry>();
        entry->name = key;
        entry->mask = TraceGetMask(modules.get(), key);
        s.table.push_back(std::move(entry));
    }
    std::sort(s.table.begin(), s.table.end(), [](const auto& a, const auto& b) { return a->name < b->name; });
    return 1;
}

// Date, time, thread id and indentation, as the settings ask.
std::string linePrefix(const TraceState& s, const plinth::ThreadRecord& thread)
{
    std::string prefix;
    char field[128];
    char column[160];
    if (s.date != 0 || s.time != 0) {
        const std::time_t now = std::time(nullptr);
        std::tm local {};
        localtime_r(&now, &local);
        if (s.date != 0 && std::strftime(field, sizeof field, "%x ", &local) > 0) {
            std::snprintf(column, sizeof column, "%-8s ", field);
            prefix += column;
        }
        if (s.time != 0 && std::strftime(field, sizeof field, "%X ", &local) > 0) {
            std::snprintf(column, sizeof column, "%-8s ", field);
            prefix += column;
        }
    }
    if (s.threadId != 0) {
        std::snprintf(column, sizeof column, "%-8.4x ", static_cast<unsigned int>(gettid()));
        prefix += column;
    }
    if (s.indent > 0 && thread.traceDepth > 0)
        prefix.append(static_cast<size_t>(s.indent) * static_cast<size_t>(thread.traceDepth), ' ');
    return prefix;
}

void writeLine(TraceState& s, const std::string& line)
{
    std::fwrite(line.data(), 1, line.size(), s.stream);
    std::fflush(s.stream);
}

} // namespace

PLINTH_API int TraceInit(const char* file)
{
    TraceState& s = state();
    std::lock_guard<std::mutex> guard(s.setup);
    try {
        return initLocked(s, file);
    } catch (const std::bad_alloc&) {
        return 0;
    }
}

PLINTH_API const unsigned int* TraceModuleMask(const char* module)
{
    TraceState& s = state();
    std::lock_guard<std::mutex> guard(s.setup);
    if (!s.initialised) {
        try {
            initLocked(s, nullptr);
        } catch (const std::bad_alloc&) {
        }
    }
    if (module == nullptr)
        return &s.defaultMask;
    const auto found = std::lower_bound(s.table.begin(), s.table.end(), module,
        [](const auto& entry, const char* name) { return std::strcmp(entry->name.c_str(), name) < 0; });
    if (found != s.table.end() && (*found)->name == module)
        return &(*found)->mask;
    return &s.defaultMask;
}

PLINTH_API int TraceWrite(const char* format, ...)
{
    TraceState& s = state();
    std::lock_guard<std::recursive_mutex> lines(s.lock);
    if (s.stream == nullptr || format == nullptr)
        return 1;
    const plinth::ThreadRecord& thread = *plinth::currentThreadRecord();
    std::string line = linePrefix(s, thread);
    if (thread.traceFunction != nullptr) {
        line += thread.traceFunction;
        line += ": ";
    }
    va_list args;
    va_start(args, format);
    va_list again;
    va_copy(again, args);
    const int length = std::vsnprintf(nullptr, 0, format, args);
    va_end(args);
    if (length > 0) {
        const size_t start = line.size();
        line.resize(start + static_cast<size_t>(length) + 1);
        std::vsnprintf(line.data() + start, static_cast<size_t>(length) + 1, format, again);
        line.resize(start + static_cast<size_t>(length));
    }
    va_end(again);
    line += '\n';
    writeLine(s, line);
    return 1;
}

PLINTH_API const char* TraceEntry(const char* function)
{
    TraceState& s = state();
    std::lock_guard<std::recursive_mutex> lines(s.lock);
    if (s.stream == nullptr)
        return function;
    plinth::ThreadRecord& thread = *plinth::currentThreadRecord();
    writeLine(s, linePrefix(s, thread) + "Entry: " + (function != nullptr ? function : "") + "\n");
    ++thread.traceDepth;
    return function;
}

PLINTH_API void TraceExit(const char* function)
{
    TraceState& s = state();
    std::lock_guard<std::recursive_mutex> lines(s.lock);
    if (s.stream == nullptr)
        return;
    plinth::ThreadRecord& thread = *plinth::currentThreadRecord();
    // An unmatched exit stays at the left margin instead of going negative.
    if (thread.traceDepth > 0)
        --thread.traceDepth;
    writeLine(s, linePrefix(s, thread) + "Exit: " + (function != nullptr ? function : "") + "\n");
}

PLINTH_API int TraceSetFuncName(const char* function)
{
    plinth::currentThreadRecord()->traceFunction = function;
    return 1;
}

PLINTH_API void TraceMutexGet(void)
{
    state().lock.lock();
}

PLINTH_API void TraceMutexRelease(void)
{
    state().lock.unlock();
}

PLINTH_API FILE* TraceGetFilePtr(void)
{
    TraceState& s = state();
    std::lock_guard<std::recursive_mutex> lines(s.lock);
    return s.stream;
}
