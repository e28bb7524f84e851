// Configuration handles: a section and a file name; every read goes to the file anew.
#include "plinth/config.h"

#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>
#include <new>
#include <string>
#include <sys/stat.h>

#include "ini_scan.h"

struct PlinthConfig {
    std::string section;
    std::string file;
};

namespace {

// Files beyond this size are not configuration files; they read as missing.
constexpr std::streamoff kMaxConfigBytes = 64 * 1024 * 1024;

std::string readWholeFile(const std::string& fileName)
{
    const std::string path = plinth::ini::resolvePath(fileName);
    // Only regular files: opening a FIFO or a device could block or never end.
    struct stat st {};
    if (stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return {};
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return {};
    in.seekg(0, std::ios::end);
    const std::streamoff length = in.tellg();
    if (length <= 0 || length > kMaxConfigBytes)
        return {};
    in.seekg(0, std::ios::beg);
    std::string text(static_cast<size_t>(length), '\0');
    in.read(text.data(), length);
    text.resize(static_cast<size_t>(in.gcount()));
    return text;
}

int copyOut(std::string_view text, char* buffer, int size)
{
    const size_t n = std::min(text.size(), static_cast<size_t>(size - 1));
    std::memcpy(buffer, text.data(), n);
    buffer[n] = '\0';
    return static_cast<int>(n);
}

int copyKeyList(const std::vector<std::string_view>& keys, char* buffer, int size)
{
    // The list always ends in two zero bytes when it has room for them.
    size_t used = 0;
    const size_t room = static_cast<size_t>(size);
    for (std::string_view key : keys) {
        if (used + key.size() + 2 > room)
            break;
        std::memcpy(buffer + used, key.data(), key.size());
        used += key.size();
        buffer[used++] = '\0';
    }
    if (used == 0) {
        buffer[0] = '\0';
        if (room > 1)
            buffer[1] = '\0';
        return 0;
    }
    buffer[used] = '\0';
    return static_cast<int>(used);
}

} // namespace

PLINTH_API Config ConfigOpen(const char* section, const char* file)
{
    try {
        auto config = std::make_unique<PlinthConfig>();
        config->section = section ? section : "";
        config->file = file ? file : "";
        return config.release();
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

PLINTH_API int ConfigClose(Config config)
{
    std::unique_ptr<PlinthConfig> owned(config);
    return 1;
}

PLINTH_API int ConfigReadString(Config config, const char* key, char* buffer, int size, const char* defaultText)
{
    if (!buffer || size < 1)
        return 0;
    const std::string_view fallback = defaultText ? defaultText : "";
    try {
        if (!config)
            return key ? copyOut(fallback, buffer, size) : copyKeyList({}, buffer, size);
        const std::string text = readWholeFile(config->file);
        if (!key)
            return copyKeyList(plinth::ini::listKeys(text, config->section), buffer, size);
        const auto value = plinth::ini::findValue(text, config->section, key);
        return copyOut(value ? *value : fallback, buffer, size);
    } catch (const std::bad_alloc&) {
        return key ? copyOut(fallback, buffer, size) : copyKeyList({}, buffer, size);
    }
}

PLINTH_API int ConfigReadInt(Config config, const char* key, int defaultValue)
{
    if (!key)
        return defaultValue;
    char text[16];
    const int length = ConfigReadString(config, key, text, sizeof text, "");
    if (length == 0)
        return defaultValue;
    return plinth::ini::atoiClamped(std::string_view(text, static_cast<size_t>(length)));
}
