#include "fw/core/profile.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <unistd.h>

#include "fw/core/codepage.h"

namespace fw {
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

std::string_view unquote(std::string_view s)
{
    if (s.size() >= 2 && (s.front() == '"' || s.front() == '\'') && s.back() == s.front())
        return s.substr(1, s.size() - 2);
    return s;
}

// One line of the file as it is understood; its text as read is kept for rewriting.
struct Line {
    enum class Kind { Other, Section, Key } kind = Kind::Other;
    std::string text;
    std::string name; // section or key name (trimmed)
    std::string value; // key value (trimmed, unquoted)
};

struct IniFile {
    std::vector<Line> lines;
    bool crlf = false;
    bool finalNewline = true;
};

void classify(Line& line)
{
    std::string_view t = trim(line.text);
    if (t.empty() || t.front() == ';')
        return;
    if (t.front() == '[') {
        const auto close = t.find(']');
        if (close == std::string_view::npos)
            return;
        line.kind = Line::Kind::Section;
        line.name = trim(t.substr(1, close - 1));
        return;
    }
    line.kind = Line::Kind::Key;
    const auto eq = t.find('=');
    if (eq == std::string_view::npos) {
        line.name = t;
        return;
    }
    line.name = trim(t.substr(0, eq));
    line.value = unquote(trim(t.substr(eq + 1)));
}

// Settings files are small; a larger one is something else and is not read whole.
constexpr std::uintmax_t kMaxIniBytes = 16 * 1024 * 1024;

// The file's lines; no file reads as an empty one. Nullopt when something is there that cannot
// be read as a settings file (not a regular file, too large, a read error): a writer must then
// leave it alone instead of replacing it by the few lines it would have.
std::optional<IniFile> readIni(const std::filesystem::path& path)
{
    IniFile ini;
    std::error_code ec;
    const auto status = std::filesystem::status(path, ec);
    if (status.type() == std::filesystem::file_type::not_found)
        return ini;
    if (status.type() != std::filesystem::file_type::regular)
        return std::nullopt;
    const auto size = std::filesystem::file_size(path, ec);
    if (ec || size > kMaxIniBytes)
        return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::string content;
    try { // the stream buffer reports a read error by throwing
        content.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    } catch (const std::ios_base::failure&) {
        return std::nullopt;
    }
    if (in.bad() || content.size() > kMaxIniBytes)
        return std::nullopt;
    ini.finalNewline = content.empty() || content.back() == '\n';
    std::size_t start = 0;
    while (start < content.size()) {
        auto end = content.find('\n', start);
        if (end == std::string::npos)
            end = content.size();
        std::string text = content.substr(start, end - start);
        if (!text.empty() && text.back() == '\r') {
            text.pop_back();
            if (ini.lines.empty())
                ini.crlf = true;
        }
        ini.lines.push_back(Line { Line::Kind::Other, std::move(text), {}, {} });
        start = end + 1;
    }
    for (auto& line : ini.lines)
        classify(line);
    return ini;
}

// What readers see: an unreadable file has no settings.
IniFile readOrEmpty(const std::filesystem::path& path)
{
    return readIni(path).value_or(IniFile {});
}

bool writeIni(const std::filesystem::path& path, const IniFile& ini, bool createFolder)
{
    std::error_code ec;
    if (createFolder && path.has_parent_path())
        std::filesystem::create_directories(path.parent_path(), ec);
    std::string content;
    const char* eol = ini.crlf ? "\r\n" : "\n";
    for (std::size_t i = 0; i < ini.lines.size(); ++i) {
        content += ini.lines[i].text;
        if (i + 1 < ini.lines.size() || ini.finalNewline)
            content += eol;
    }
    std::filesystem::path tmp = path;
    tmp += ".tmp" + std::to_string(::getpid());
    {
        std::ofstream out(tmp, std::ios::binary | std::ios::trunc);
        if (!out)
            return false;
        out.write(content.data(), static_cast<std::streamsize>(content.size()));
        out.flush();
        if (!out) {
            out.close();
            std::filesystem::remove(tmp, ec);
            return false;
        }
    }
    std::filesystem::rename(tmp, path, ec);
    if (ec) {
        std::filesystem::remove(tmp, ec);
        return false;
    }
    return true;
}

// Index range [begin, end) of the lines of the first section named `section`
// (begin is the header line), or nullopt.
std::optional<std::pair<std::size_t, std::size_t>> findSection(const IniFile& ini, std::string_view section)
{
    const std::string_view want = trim(section);
    for (std::size_t i = 0; i < ini.lines.size(); ++i) {
        if (ini.lines[i].kind != Line::Kind::Section || !cp1250EqualNoCase(ini.lines[i].name, want))
            continue;
        std::size_t end = i + 1;
        while (end < ini.lines.size() && ini.lines[end].kind != Line::Kind::Section)
            ++end;
        return std::make_pair(i, end);
    }
    return std::nullopt;
}

std::optional<std::size_t> findKey(
    const IniFile& ini, std::pair<std::size_t, std::size_t> range, std::string_view key)
{
    const std::string_view want = trim(key);
    for (std::size_t i = range.first + 1; i < range.second; ++i)
        if (ini.lines[i].kind == Line::Kind::Key && cp1250EqualNoCase(ini.lines[i].name, want))
            return i;
    return std::nullopt;
}

bool validName(std::string_view name, bool isSection)
{
    name = trim(name);
    if (name.empty())
        return false;
    for (char c : name) {
        if (c == '\n' || c == '\r' || c == '[' || c == ']' || (!isSection && c == '='))
            return false;
    }
    return isSection || name.front() != ';';
}

bool validValue(std::string_view value)
{
    return value.find_first_of("\r\n") == std::string_view::npos;
}

// Names differing only in case are one name; the first spelling stays.
void addOnce(std::vector<std::string>& names, const std::string& name)
{
    for (const auto& n : names)
        if (cp1250EqualNoCase(n, name))
            return;
    names.push_back(name);
}

} // namespace

std::filesystem::path iniDirectory()
{
    if (const char* dir = std::getenv("VEXA_INI_DIR"); dir && *dir)
        return dir;
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg)
        return std::filesystem::path(xdg) / "vexa";
    const char* home = std::getenv("HOME");
    return std::filesystem::path(home && *home ? home : ".") / ".config" / "vexa";
}

std::filesystem::path resolveIniPath(std::string_view name)
{
    std::filesystem::path p(name);
    if (p.has_parent_path() || p.is_absolute())
        return p;
    return iniDirectory() / p;
}

Profile::Profile(std::string_view file)
    : path_(resolveIniPath(file))
    , createFolder_(!std::filesystem::path(file).has_parent_path())
{
}

std::optional<std::string> Profile::find(std::string_view section, std::string_view key) const
{
    const IniFile ini = readOrEmpty(path_);
    const auto range = findSection(ini, section);
    if (!range)
        return std::nullopt;
    const auto line = findKey(ini, *range, key);
    if (!line)
        return std::nullopt;
    return std::string(ini.lines[*line].value);
}

std::string Profile::getString(
    std::string_view section, std::string_view key, std::string_view fallback) const
{
    if (auto v = find(section, key))
        return *v;
    while (!fallback.empty() && isBlank(fallback.back()))
        fallback.remove_suffix(1);
    return std::string(fallback);
}

std::int32_t Profile::getInt(std::string_view section, std::string_view key, std::int32_t fallback) const
{
    const auto v = find(section, key);
    if (!v || v->empty())
        return fallback;
    std::string_view s = *v;
    bool negative = false;
    if (!s.empty() && (s.front() == '-' || s.front() == '+')) {
        negative = s.front() == '-';
        s.remove_prefix(1);
    }
    int base = 10;
    if (s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
        base = 16;
        s.remove_prefix(2);
    }
    std::int64_t magnitude = 0;
    for (char c : s) {
        int digit;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (base == 16 && c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else if (base == 16 && c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        else
            break;
        magnitude = magnitude * base + digit;
        if (magnitude > static_cast<std::int64_t>(INT32_MAX) + 1)
            magnitude = static_cast<std::int64_t>(INT32_MAX) + 1;
    }
    const std::int64_t value = negative ? -magnitude : magnitude;
    if (value > INT32_MAX)
        return INT32_MAX;
    return static_cast<std::int32_t>(value);
}

std::vector<std::string> Profile::sections() const
{
    const IniFile ini = readOrEmpty(path_);
    std::vector<std::string> names;
    for (const auto& line : ini.lines) {
        if (line.kind != Line::Kind::Section)
            continue;
        addOnce(names, line.name);
    }
    return names;
}

std::vector<std::string> Profile::keys(std::string_view section) const
{
    const IniFile ini = readOrEmpty(path_);
    std::vector<std::string> names;
    const auto range = findSection(ini, section);
    if (!range)
        return names;
    for (std::size_t i = range->first + 1; i < range->second; ++i) {
        const auto& line = ini.lines[i];
        if (line.kind != Line::Kind::Key)
            continue;
        addOnce(names, line.name);
    }
    return names;
}

bool Profile::writeString(std::string_view section, std::string_view key, std::string_view value)
{
    if (!validName(section, true) || !validName(key, false) || !validValue(value))
        return false;
    auto read = readIni(path_);
    if (!read)
        return false;
    IniFile& ini = *read;
    const std::string text = std::string(trim(key)) + "=" + std::string(value);
    auto range = findSection(ini, section);
    if (!range) {
        ini.lines.push_back(Line { Line::Kind::Other, "[" + std::string(trim(section)) + "]", {}, {} });
        ini.lines.push_back(Line { Line::Kind::Other, text, {}, {} });
        return writeIni(path_, ini, createFolder_);
    }
    if (const auto line = findKey(ini, *range, key)) {
        // Keep the key's spelling as the file has it.
        const std::string name = ini.lines[*line].name;
        ini.lines[*line].text = name + "=" + std::string(value);
        return writeIni(path_, ini, createFolder_);
    }
    // New key: after the last non-blank line of the section, so blank separator lines stay.
    std::size_t at = range->second;
    while (at > range->first + 1 && trim(ini.lines[at - 1].text).empty())
        --at;
    ini.lines.insert(
        ini.lines.begin() + static_cast<std::ptrdiff_t>(at), Line { Line::Kind::Other, text, {}, {} });
    return writeIni(path_, ini, createFolder_);
}

bool Profile::writeInt(std::string_view section, std::string_view key, std::int32_t value)
{
    return writeString(section, key, std::to_string(value));
}

bool Profile::deleteKey(std::string_view section, std::string_view key)
{
    auto read = readIni(path_);
    if (!read)
        return false;
    IniFile& ini = *read;
    const auto range = findSection(ini, section);
    if (!range)
        return true;
    const auto line = findKey(ini, *range, key);
    if (!line)
        return true;
    ini.lines.erase(ini.lines.begin() + static_cast<std::ptrdiff_t>(*line));
    return writeIni(path_, ini, createFolder_);
}

bool Profile::deleteSection(std::string_view section)
{
    auto read = readIni(path_);
    if (!read)
        return false;
    IniFile& ini = *read;
    const auto range = findSection(ini, section);
    if (!range)
        return true;
    ini.lines.erase(ini.lines.begin() + static_cast<std::ptrdiff_t>(range->first),
        ini.lines.begin() + static_cast<std::ptrdiff_t>(range->second));
    return writeIni(path_, ini, createFolder_);
}

} // namespace fw
