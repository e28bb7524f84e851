// Diagnostics: one formatted line per report, the list of recent error codes, and the decision
// by severity whether the program goes on.
#include "mox/ut.h"

#include <cctype>
#include <cerrno>
#include <cstdarg>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <string>

namespace {

constexpr size_t kLineMax = 512;
constexpr size_t kProgMax = 23;
constexpr size_t kTagFileMax = 255;

struct Settings {
    std::mutex lock;
    std::string prog = "unknown";
    std::string usage;
    std::string tagfile;
    FILE* stream = nullptr;
    void (*handler)(int) = nullptr;
    uint32_t errors[UT_ERRLIST_MAX] = {};
    int count = 0;
};

Settings& settings()
{
    static Settings* s = new Settings; // never destroyed: diagnostics may run during exit
    return *s;
}

// First 15 codes stay; the last 15 slide with the newest at the end.
void noteError(Settings& s, uint32_t code)
{
    if (s.count < UT_ERRLIST_MAX) {
        s.errors[s.count++] = code;
        return;
    }
    constexpr int half = UT_ERRLIST_MAX / 2;
    std::memmove(&s.errors[half], &s.errors[half + 1], (half - 1) * sizeof(uint32_t));
    s.errors[UT_ERRLIST_MAX - 1] = code;
}

// Appends formatted text, keeping room for the closing "...\n" when it does not fit.
void vappendf(std::string& line, const char* fmt, va_list ap) __attribute__((format(printf, 2, 0)));
void vappendf(std::string& line, const char* fmt, va_list ap)
{
    char buf[kLineMax];
    int n = std::vsnprintf(buf, sizeof buf, fmt, ap);
    if (n > 0)
        line.append(buf, std::min<size_t>(static_cast<size_t>(n), sizeof buf - 1));
}

void appendf(std::string& line, const char* fmt, ...) __attribute__((format(printf, 2, 3)));
void appendf(std::string& line, const char* fmt, ...)
{
    va_list ap;
    va_start(ap, fmt);
    vappendf(line, fmt, ap);
    va_end(ap);
}

} // namespace

void ut_start(const char* ident, const char* usage, const char* tagfile, FILE* stream)
{
    Settings& s = settings();
    std::lock_guard<std::mutex> hold(s.lock);
    std::string name = ident ? ident : "unknown";
    size_t slash = name.find_last_of("\\/");
    if (slash != std::string::npos)
        name.erase(0, slash + 1);
    size_t dot = name.find('.');
    if (dot != std::string::npos)
        name.erase(dot);
    if (name.size() > kProgMax)
        name.resize(kProgMax);
    for (char& c : name)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    s.prog = name.empty() ? "unknown" : name;
    s.usage = usage ? usage : "";
    s.tagfile = tagfile ? std::string(tagfile).substr(0, kTagFileMax) : "";
    s.stream = stream;
}

const char* ut_progname()
{
    return settings().prog.c_str();
}

void ut_set_handler(void (*handler)(int severity))
{
    settings().handler = handler;
}

void ut_diag(const char* tag, int line, uint32_t code, int severity, const char* fmt, ...)
{
    int syserr = errno;
    errno = 0;
    Settings& s = settings();
    std::unique_lock<std::mutex> hold(s.lock);
    noteError(s, code);

    std::string text;
    appendf(text, "%s: ", s.prog.c_str());
    if (code != 0)
        appendf(text, "error %x-%x-%u%c ", code >> 20, (code >> 8) & 0xFFF, code & 0xFF, tag ? ',' : ':');
    if (tag)
        appendf(text, "file `%s', line %d: ", tag, line);
    {
        va_list ap;
        va_start(ap, fmt);
        vappendf(text, fmt, ap);
        va_end(ap);
    }
    if (syserr != 0)
        appendf(text, " [syserr %d: %s]", syserr, std::strerror(syserr));
    if (severity == 5 && !s.usage.empty())
        appendf(text, "\nUsage: %s %s", s.prog.c_str(), s.usage.c_str());
    // An over-long line is cut visibly rather than ending the program.
    if (text.size() > kLineMax - 2) {
        text.resize(kLineMax - 5);
        text += "...";
    }
    text += '\n';

    FILE* out = s.stream ? s.stream : stderr;
    std::fputs(text.c_str(), out);
    std::fflush(out);
    if (!s.tagfile.empty()) {
        FILE* f = std::fopen(s.tagfile.c_str(), "a");
        if (!f)
            std::_Exit(8);
        std::fputs(text.c_str(), f);
        std::fclose(f);
    }
    if (severity == UT_SEV_RECOVER)
        return;
    if (severity == UT_SEV_FATAL)
        std::_Exit(1);
    auto handler = s.handler;
    hold.unlock();
    if (handler)
        handler(severity);
    std::fflush(nullptr);
    std::_Exit(severity);
}

int ut_errlist(uint32_t* out, int capacity)
{
    Settings& s = settings();
    std::lock_guard<std::mutex> hold(s.lock);
    int n = std::min(capacity, s.count);
    for (int i = 0; i < n; ++i)
        out[i] = s.errors[i];
    return s.count;
}

uint32_t ut_last_error()
{
    Settings& s = settings();
    std::lock_guard<std::mutex> hold(s.lock);
    return s.count ? s.errors[s.count - 1] : 0;
}

void ut_errlist_clear()
{
    Settings& s = settings();
    std::lock_guard<std::mutex> hold(s.lock);
    s.count = 0;
}
