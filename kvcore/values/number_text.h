// Number texts between the user's display form (the locale record's
// separators) and the wire form of implied decimals.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "kvcore/kvcore_api.h"

// A typed number: a leading '-' makes it negative, the first user decimal
// separator is the point, every other non-digit is skipped; the result is
// divided by 10 once per decimal. An empty or null text gives 0.
KVCORE_API double Str2Dbl(std::string_view text, int decimals);
KVCORE_API double Str2Dbl(const char* text, int decimals);
KVCORE_API long double Str2LongDbl(std::string_view text, int decimals);
KVCORE_API long double Str2LongDbl(const char* text, int decimals);

// The value with exactly `decimals` decimals and a point ("%.*f" in the C
// locale). The buffer form returns null when dst (of dstSize bytes, including
// the terminator) is too small.
KVCORE_API std::string Dbl2Cur(double value, int decimals);
KVCORE_API char* Dbl2Cur(double value, char* dst, size_t dstSize, int decimals);

// Wire form of a typed number: exactly `width` characters, zero-padded, the
// decimals implied, a '-' in front when negative. A fraction that rounds to a
// whole unit carries into the integer part. nullopt / null when the number does
// not fit the width (never cut).
KVCORE_API std::optional<std::string> Cur2Str(std::string_view text, int width, int decimals);
KVCORE_API char* Cur2Str(const char* text, char* dst, size_t dstSize, int width, int decimals);

// Digits, the first user decimal separator and a leading sign of the text, with
// the user's thousands separator between groups of three integer digits.
KVCORE_API std::string FormatNumber(std::string_view text);
KVCORE_API char* FormatNumber(char* dst, size_t dstSize, const char* text);

// A '.' or ',' that is not the decimal separator, or the thousands separator, reads as a
// grouping mark. A typed number is sound when every grouping mark stands between groups of
// three digits of the whole part, the first group of one to three digits ("1.234.567,5" where
// ',' is the decimal separator). Any other mark ("2774.50" there) may be a decimal separator
// typed in another locale's way: such a text is refused, never read without its mark.
KVCORE_API bool IsGroupingMark(char c, char decimalSep, char thousandSep);
KVCORE_API bool IsSoundlyGrouped(std::string_view text, char decimalSep, char thousandSep);
// With the separators of the locale record in force.
KVCORE_API bool IsSoundlyGrouped(std::string_view text);
// The first grouping mark of the text (with the locale record's separators), 0 when none.
KVCORE_API char FirstGroupingMark(std::string_view text);
// The message refusing a misplaced mark, in the interface language.
KVCORE_API std::string MisplacedGroupMarkText(char mark, char decimalSep);
// The message refusing a typed number field: the misplaced-mark message when the field's text
// has a grouping mark out of place, else the caller's own message.
KVCORE_API std::string NumberRefusalText(std::string_view fieldText, std::string otherwise);
