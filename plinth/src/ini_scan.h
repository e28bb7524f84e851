#pragma once
// The INI reading rules of the Config module over text already in memory, kept apart from
// file handling so that the fuzz target and the tests reach them directly.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace plinth::ini {

// The value of `key` in the first section named `section` (both without regard to ASCII
// case): blanks around it dropped, one pair of enclosing quotes removed, cut at a zero
// byte. nullopt when the section or the key is missing.
std::optional<std::string_view> findValue(std::string_view text, std::string_view section,
                                          std::string_view key);

// The distinct key names of the first section named `section`, in file order.
std::vector<std::string_view> listKeys(std::string_view text, std::string_view section);

// Where a configuration file name is looked for (see plinth/config.h).
std::string resolvePath(const std::string& fileName);

// atoi as the Config module reads numbers: blanks, an optional sign, decimal digits up to
// the first non-digit, clamped to the int range instead of overflowing.
int atoiClamped(std::string_view text);

} // namespace plinth::ini
