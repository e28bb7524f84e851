#pragma once
// The locale record that number, date and edit code format with: separators, digit
// grouping, date and time pictures in the d/M/y/H/h/m/s/tt notation, and the letters that
// stand for hundred, thousand and million when a user types an amount. Texts are Windows-1250.
#include "fw/core/fw_core_api.h"
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace fw {

inline constexpr std::uint16_t kLangEnglishUS = 0x0409;
inline constexpr std::uint16_t kLangHungarian = 0x040E;

struct FW_CORE_API LocaleInfo {
    std::uint16_t languageId = kLangEnglishUS;
    int fractionalDigits = 2;
    int leadingZero = 1; // 1: "0.5", 0: ".5"
    int grouping = 3; // digits per thousands group
    // 0 "(1.1)", 1 "-1.1", 2 "- 1.1", 3 "1.1-", 4 "1.1 -"
    int negativeFormat = 1;
    std::string decimalSep = ".";
    std::string thousandSep = ",";
    std::string shortDate = "M/d/yyyy";
    std::string timeFormat = "h:mm:ss tt";
    // Lower-case first letters of the words for 100, 1,000 and 1,000,000; 0 when not set.
    char hundred = 'h';
    char thousand = 't';
    char million = 'm';

    bool operator==(const LocaleInfo&) const = default;
};

FW_CORE_API LocaleInfo englishLocale();
FW_CORE_API LocaleInfo hungarianLocale();

// Reads separators, grouping and date and time pictures from a C library locale such as
// "hu_HU.UTF-8"; the multiplier letters keep their English defaults (they come from the
// string table). nullopt when the locale is not installed.
FW_CORE_API std::optional<LocaleInfo> localeFromSystem(const char* name);

// A strftime picture turned into the d/M/y notation; letters that are literal text are quoted.
FW_CORE_API std::string pictureFromStrftime(std::string_view format);

// A time picture without the AM/PM mark: 'h' becomes 'H' and each unquoted "t" or "tt" goes
// with the blank in front of it, so "h:mm:ss tt" reads "H:mm:ss". Other pictures are kept.
FW_CORE_API std::string twentyFourHourPicture(std::string_view picture);

// The multiplier letter of a word (Windows-1250): its first character lower-cased, 0 when empty.
FW_CORE_API char multiplierLetter(std::string_view word);

} // namespace fw
