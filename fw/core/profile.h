#pragma once
// INI files read and written with the semantics the workstation's settings rely on:
// sections and keys match without regard to case, values are trimmed of blanks and of one
// pair of enclosing quotes, integers are parsed from the leading number of the value, and
// writing keeps every other line (comments included) as it was. Texts are 8-bit
// Windows-1250 and pass through unchanged.
#include "fw/core/fw_core_api.h"
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace fw {

// The folder of bare INI names: $VEXA_INI_DIR, else $XDG_CONFIG_HOME/vexa, else ~/.config/vexa.
FW_CORE_API std::filesystem::path iniDirectory();
// A name without a folder part ("kv32.ini") resolves in iniDirectory(); a path is kept.
FW_CORE_API std::filesystem::path resolveIniPath(std::string_view name);

class FW_CORE_API Profile {
public:
    // `file` is resolved with resolveIniPath. The file is read on every call, so that
    // changes made by another process or another Profile object are seen at once.
    explicit Profile(std::string_view file);

    const std::filesystem::path& path() const { return path_; }

    // nullopt when the section or key is missing.
    std::optional<std::string> find(std::string_view section, std::string_view key) const;
    // The trimmed value, or `fallback` (trimmed of trailing blanks) when the key is missing.
    std::string getString(
        std::string_view section, std::string_view key, std::string_view fallback = {}) const;
    // The leading integer of the value (decimal, or hexadecimal after 0x; an optional sign;
    // saturated to 32 bits); 0 for a value that does not start with a number; `fallback`
    // when the key is missing or its value is empty.
    std::int32_t getInt(std::string_view section, std::string_view key, std::int32_t fallback) const;

    // Section names, and key names of one section, in file order (first occurrence wins).
    std::vector<std::string> sections() const;
    std::vector<std::string> keys(std::string_view section) const;

    // Writers create the file (and, for bare names, the settings folder) when needed and
    // replace it atomically; they return false when the file cannot be written, when what is
    // there cannot be read as a settings file (not a regular file, over 16 MiB, a read error;
    // readers see no settings in it), or when a section or key name could not be read back
    // (empty, or holding '[', ']', '=' or a line break).
    bool writeString(std::string_view section, std::string_view key, std::string_view value);
    bool writeInt(std::string_view section, std::string_view key, std::int32_t value);
    bool deleteKey(std::string_view section, std::string_view key);
    bool deleteSection(std::string_view section);

private:
    std::filesystem::path path_;
    bool createFolder_ = false;
};

} // namespace fw
