// Windows-1250 is the byte form of every host and program text inside the
// workstation; Unicode appears only at the widgets and in the UTF-8 sources of
// the string tables, so these two conversions are the only crossing points.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "kvcore/kvcore_api.h"

// UTF-8 to Windows-1250; nullopt when the text is not valid UTF-8 or holds a
// character that Windows-1250 cannot carry (never replaced silently).
KVCORE_API std::optional<std::string> Utf8ToCp1250(std::string_view utf8);

// Windows-1250 to UTF-8; the five unassigned bytes become U+FFFD.
KVCORE_API std::string Cp1250ToUtf8(std::string_view cp1250);
