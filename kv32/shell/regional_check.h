// The start-up check that numbers and currency are written alike in the
// user's regional settings: the same digit grouping, group separator and
// decimal separator, or the program refuses to start.
#pragma once

#include <optional>
#include <string>

struct RegionalFormats {
    // Grouping as text, e.g. "3;0"; only its leading integer is compared, and
    // a missing value counts as 3. Separators are compared as texts; a missing
    // one differs from every present one.
    std::optional<std::string> numberGrouping, currencyGrouping;
    std::optional<std::string> numberThousands, currencyThousands;
    std::optional<std::string> numberDecimal, currencyDecimal;
};

// 0 when numbers and currency agree, else the string id of the first check
// that failed (grouping, group separator, decimal separator).
unsigned CheckRegionalFormats(const RegionalFormats& formats);

// The formats of a locale of the C library ("" = the user's default from the
// environment); nullopt when the locale does not exist. A locale that defines
// no currency format at all gives the number formats for currency as well, so
// that currency, having no form of its own, cannot differ.
std::optional<RegionalFormats> RegionalFormatsOfLocale(const char* localeName);

// Checks the user's locale and shows the failed check's message (exclamation
// icon). True when the program may start.
bool CheckRegionalSettings(const char* localeName = "");
