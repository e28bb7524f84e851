#include "ini.h"

#include <cstdlib>
#include <fstream>
#include <strings.h>

namespace pivault {
namespace {

std::string trim(const std::string& s)
{
    const auto first = s.find_first_not_of(" \t\r\n");
    if (first == std::string::npos)
        return {};
    const auto last = s.find_last_not_of(" \t\r\n");
    return s.substr(first, last - first + 1);
}

std::string unquote(const std::string& s)
{
    if (s.size() >= 2 && (s.front() == '"' || s.front() == '\'') && s.back() == s.front()) {
        return s.substr(1, s.size() - 2);
    }
    return s;
}

bool same(const std::string& a, const std::string& b)
{
    return strcasecmp(a.c_str(), b.c_str()) == 0;
}

std::string env(const char* name)
{
    const char* v = std::getenv(name);
    return v != nullptr ? v : "";
}

} // namespace

std::string ResolveIniPath(const std::string& file)
{
    if (file.find('/') != std::string::npos)
        return file;
    if (const std::string dir = env("VEXA_INI_DIR"); !dir.empty())
        return dir + "/" + file;
    if (const std::string xdg = env("XDG_CONFIG_HOME"); !xdg.empty())
        return xdg + "/vexa/" + file;
    return env("HOME") + "/.config/vexa/" + file;
}

std::optional<std::string> ReadIniValue(
    const std::string& file, const std::string& section, const std::string& key)
{
    std::ifstream in(ResolveIniPath(file));
    if (!in)
        return std::nullopt;
    bool inSection = false;
    bool seenSection = false;
    std::string line;
    while (std::getline(in, line)) {
        const std::string text = trim(line);
        if (text.empty() || text[0] == ';' || text[0] == '#')
            continue;
        if (text[0] == '[') {
            const auto close = text.find(']');
            const std::string name
                = trim(text.substr(1, close == std::string::npos ? std::string::npos : close - 1));
            // Only the first section of a name counts.
            if (inSection)
                return std::nullopt;
            inSection = !seenSection && same(name, section);
            seenSection = seenSection || inSection;
            continue;
        }
        if (!inSection)
            continue;
        const auto eq = text.find('=');
        if (eq == std::string::npos)
            continue;
        if (same(trim(text.substr(0, eq)), key))
            return unquote(trim(text.substr(eq + 1)));
    }
    return std::nullopt;
}

} // namespace pivault
