#include "ini_scan.h"

#include <climits>
#include <cstdlib>
#include <pwd.h>
#include <unistd.h>

namespace plinth::ini {
namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

std::string_view trim(std::string_view s)
{
    while (!s.empty() && isBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

char lower(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool sameName(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (lower(a[i]) != lower(b[i]))
            return false;
    return true;
}

// Calls `onKey(key, value)` for each key line of the first section named `section`,
// stopping early when it returns false.
template <typename OnKey>
void scanSection(std::string_view text, std::string_view section, OnKey onKey)
{
    const std::string_view wanted = trim(section);
    bool inside = false;
    bool seen = false;
    while (!text.empty()) {
        const size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = (end == std::string_view::npos) ? std::string_view() : text.substr(end + 1);
        line = trim(line);
        if (line.empty() || line.front() == ';' || line.front() == '#')
            continue;
        if (line.front() == '[') {
            const size_t close = line.find(']');
            if (close == std::string_view::npos)
                continue;
            if (inside)
                return; // only the first section of a name counts
            inside = !seen && sameName(trim(line.substr(1, close - 1)), wanted);
            seen = seen || inside;
            continue;
        }
        if (!inside)
            continue;
        const size_t eq = line.find('=');
        if (eq == std::string_view::npos)
            continue;
        const std::string_view key = trim(line.substr(0, eq));
        if (key.empty())
            continue;
        if (!onKey(key, trim(line.substr(eq + 1))))
            return;
    }
}

std::string_view unquote(std::string_view value)
{
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        value = value.substr(1, value.size() - 2);
    const size_t nul = value.find('\0');
    return nul == std::string_view::npos ? value : value.substr(0, nul);
}

std::string envValue(const char* name)
{
    const char* v = std::getenv(name);
    return v ? std::string(v) : std::string();
}

std::string homeFolder()
{
    std::string home = envValue("HOME");
    if (!home.empty())
        return home;
    struct passwd pw {};
    struct passwd* result = nullptr;
    std::vector<char> buf(16384);
    if (getpwuid_r(getuid(), &pw, buf.data(), buf.size(), &result) == 0 && result && result->pw_dir)
        return result->pw_dir;
    return {};
}

} // namespace

std::optional<std::string_view> findValue(std::string_view text, std::string_view section, std::string_view key)
{
    const std::string_view wanted = trim(key);
    std::optional<std::string_view> found;
    scanSection(text, section, [&](std::string_view k, std::string_view v) {
        if (!sameName(k, wanted))
            return true;
        found = unquote(v);
        return false;
    });
    return found;
}

std::vector<std::string_view> listKeys(std::string_view text, std::string_view section)
{
    std::vector<std::string_view> keys;
    scanSection(text, section, [&](std::string_view k, std::string_view) {
        const size_t nul = k.find('\0');
        if (nul != std::string_view::npos)
            k = k.substr(0, nul);
        if (k.empty())
            return true;
        for (std::string_view known : keys)
            if (sameName(known, k))
                return true;
        keys.push_back(k);
        return true;
    });
    return keys;
}

std::string resolvePath(const std::string& fileName)
{
    if (fileName.find('/') != std::string::npos)
        return fileName;
    std::string folder = envValue("VEXA_INI_DIR");
    if (folder.empty()) {
        const std::string xdg = envValue("XDG_CONFIG_HOME");
        if (!xdg.empty()) {
            folder = xdg + "/vexa";
        } else {
            const std::string home = homeFolder();
            if (home.empty())
                return fileName; // nowhere to look: reads give their defaults
            folder = home + "/.config/vexa";
        }
    }
    return folder + "/" + fileName;
}

int atoiClamped(std::string_view text)
{
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r')))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > static_cast<long long>(INT_MAX) + 1)
            break;
    }
    if (negative)
        value = -value;
    if (value > INT_MAX)
        return INT_MAX;
    if (value < INT_MIN)
        return INT_MIN;
    return static_cast<int>(value);
}

} // namespace plinth::ini
