#pragma once
// Just enough of the router's configuration-file rules to read one key of the
// plug-in's own section: the plug-in links no library of the system.
#include <optional>
#include <string>

namespace pivault {

// The file as the router's configuration finds it: a bare name (no '/') lives
// in $VEXA_INI_DIR, else $XDG_CONFIG_HOME/vexa, else ~/.config/vexa.
std::string ResolveIniPath(const std::string& file);

// The value of `key` in `section` (names without regard to ASCII case, first
// of a name wins, blanks around names and values and one pair of matching
// quotes dropped, ';' and '#' lines ignored); none when the file, section or
// key is missing.
std::optional<std::string> ReadIniValue(
    const std::string& file, const std::string& section, const std::string& key);

} // namespace pivault
