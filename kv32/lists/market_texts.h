// Texts of the market windows made from a string-table pattern: each "%s" of
// the pattern takes the next value, so a translated pattern never reaches a
// printf-style formatter with the user's data.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

// "%s" in order from the values; a "%s" without a value stays empty.
std::string KvFormatText(std::string_view pattern, std::initializer_list<std::string_view> values);
