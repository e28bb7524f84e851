// Whether a text is made of decimal digits. The two names differ only in the
// empty text: a field that may be left blank takes it as sound, a count or a
// code that must be there does not.
#pragma once

#include <algorithm>
#include <string_view>

inline bool AllDigitsOrEmpty(std::string_view text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

inline bool AllDigitsNonEmpty(std::string_view text)
{
    return !text.empty() && AllDigitsOrEmpty(text);
}
