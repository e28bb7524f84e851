#include "kvcore/values/number_text.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "fw/core/strings.h"
#include "kvcore/res/app_ids.h"
#include "kvcore/values/intl_info.h"

namespace {

char LocaleThousandChar()
{
    const std::string& sep = KvIntl().thousandSep;
    return sep.empty() ? '\0' : sep.front();
}

// The characters of a typed number that the C notation reads: digits and the
// first user decimal separator turned into a point.
std::string KeepNumberChars(std::string_view text)
{
    const char dec = KvDecimalChar();
    std::string kept;
    kept.reserve(text.size());
    bool pointSeen = false;
    for (const char c : text) {
        if (c == dec && !pointSeen) {
            kept += '.';
            pointSeen = true;
        } else if (c >= '0' && c <= '9') {
            kept += c;
        }
    }
    return kept;
}

template <typename T> T ParseKept(std::string_view text, int decimals)
{
    if (text.empty())
        return 0;
    const std::string kept = KeepNumberChars(text);
    T value = 0;
    const auto res = std::from_chars(kept.data(), kept.data() + kept.size(), value);
    if (res.ec != std::errc())
        value = 0;
    for (int i = 0; i < decimals; ++i)
        value /= 10;
    return text.front() == '-' ? -value : value;
}

char* CopyOut(const std::string& text, char* dst, size_t dstSize)
{
    if (dst == nullptr || text.size() + 1 > dstSize)
        return nullptr;
    std::memcpy(dst, text.c_str(), text.size() + 1);
    return dst;
}

std::string ZeroPadded(uint64_t value, int width)
{
    std::string digits = std::to_string(value);
    if (static_cast<int>(digits.size()) < width)
        digits.insert(0, static_cast<size_t>(width) - digits.size(), '0');
    return digits;
}

} // namespace

double Str2Dbl(std::string_view text, int decimals)
{
    return ParseKept<double>(text, decimals);
}

double Str2Dbl(const char* text, int decimals)
{
    return text == nullptr ? 0.0 : Str2Dbl(std::string_view(text), decimals);
}

long double Str2LongDbl(std::string_view text, int decimals)
{
    return ParseKept<long double>(text, decimals);
}

long double Str2LongDbl(const char* text, int decimals)
{
    return text == nullptr ? 0.0L : Str2LongDbl(std::string_view(text), decimals);
}

std::string Dbl2Cur(double value, int decimals)
{
    if (decimals < 0)
        decimals = 0;
    if (decimals > 40)
        decimals = 40;
    char buf[400];
    const auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, decimals);
    if (res.ec != std::errc())
        return {};
    return std::string(buf, res.ptr);
}

char* Dbl2Cur(double value, char* dst, size_t dstSize, int decimals)
{
    return CopyOut(Dbl2Cur(value, decimals), dst, dstSize);
}

std::optional<std::string> Cur2Str(std::string_view text, int width, int decimals)
{
    constexpr int kMaxDecimals = 18;
    if (width <= 0 || decimals < 0 || decimals > kMaxDecimals || !IsSoundlyGrouped(text))
        return std::nullopt;
    const double value = Str2Dbl(text, 0);
    if (!std::isfinite(value))
        return std::nullopt;
    const bool negative = value < 0;
    const long double magnitude = std::fabs(static_cast<long double>(value));
    if (magnitude >= 1e18L)
        return std::nullopt;

    uint64_t scale = 1;
    for (int i = 0; i < decimals; ++i)
        scale *= 10;
    auto whole = static_cast<uint64_t>(std::floor(magnitude));
    const long double fraction = magnitude - static_cast<long double>(whole);
    // Ties to even, as formatted printing rounds.
    auto fracUnits = static_cast<uint64_t>(std::nearbyint(fraction * static_cast<long double>(scale)));
    if (fracUnits >= scale) { // .996 with 2 decimals is one whole unit more
        fracUnits -= scale;
        ++whole;
    }
    const bool showSign = negative && (whole != 0 || fracUnits != 0);
    const int intWidth = width > decimals ? width - decimals : width;
    std::string result = showSign ? "-" + ZeroPadded(whole, intWidth - 1) : ZeroPadded(whole, intWidth);
    if (decimals > 0)
        result += ZeroPadded(fracUnits, decimals);
    if (static_cast<int>(result.size()) > width)
        return std::nullopt;
    return result;
}

char* Cur2Str(const char* text, char* dst, size_t dstSize, int width, int decimals)
{
    const auto wire = Cur2Str(text == nullptr ? std::string_view() : std::string_view(text), width, decimals);
    return wire ? CopyOut(*wire, dst, dstSize) : nullptr;
}

std::string FormatNumber(std::string_view text)
{
    const fw::LocaleInfo& intl = KvIntl();
    const char dec = KvDecimalChar();
    std::string sign;
    std::string intDigits;
    std::string rest; // decimal separator and what follows it
    bool afterPoint = false;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (i == 0 && (c == '-' || c == '+')) {
            sign = c;
        } else if (c >= '0' && c <= '9') {
            (afterPoint ? rest : intDigits) += c;
        } else if (c == dec && !afterPoint) {
            afterPoint = true;
            rest += c;
        }
    }
    std::string out = sign;
    const size_t n = intDigits.size();
    for (size_t i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0)
            out += intl.thousandSep;
        out += intDigits[i];
    }
    return out + rest;
}

char* FormatNumber(char* dst, size_t dstSize, const char* text)
{
    return CopyOut(FormatNumber(text == nullptr ? std::string_view() : std::string_view(text)), dst, dstSize);
}

bool IsGroupingMark(char c, char decimalSep, char thousandSep)
{
    return c != decimalSep && (c == '.' || c == ',' || (thousandSep != '\0' && c == thousandSep));
}

bool IsSoundlyGrouped(std::string_view text, char decimalSep, char thousandSep)
{
    const size_t first = text.find_first_not_of(' ');
    const size_t last = text.find_last_not_of(' ');
    if (first == std::string_view::npos)
        return true;
    text = text.substr(first, last - first + 1);
    bool marks = false;
    bool afterPoint = false;
    int group = 0; // digits since the last mark, or since the start
    bool grouped = false; // a mark was seen in the whole part
    for (const char c : text) {
        if (c == decimalSep && !afterPoint) {
            afterPoint = true;
            if (grouped && group != 3)
                return false;
        } else if (IsGroupingMark(c, decimalSep, thousandSep)) {
            marks = true;
            if (afterPoint || group == 0 || group > 3 || (grouped && group != 3))
                return false;
            grouped = true;
            group = 0;
        } else if (c >= '0' && c <= '9' && !afterPoint) {
            ++group;
        }
    }
    return !marks || afterPoint || group == 3;
}

bool IsSoundlyGrouped(std::string_view text)
{
    return IsSoundlyGrouped(text, KvDecimalChar(), LocaleThousandChar());
}

char FirstGroupingMark(std::string_view text)
{
    const char dec = KvDecimalChar();
    const char sep = LocaleThousandChar();
    const std::string_view trimmed = text.substr(0, text.find_last_not_of(' ') + 1);
    for (const char c : trimmed.substr(std::min(trimmed.size(), trimmed.find_first_not_of(' '))))
        if (IsGroupingMark(c, dec, sep))
            return c;
    return '\0';
}

std::string MisplacedGroupMarkText(char mark, char decimalSep)
{
    std::string text = fw::loadString(IDS_MISPLACED_GROUP_MARK);
    const auto fill = [&text](std::string_view key, char value) {
        for (size_t at = text.find(key); at != std::string::npos; at = text.find(key, at + 1))
            text.replace(at, key.size(), 1, value);
    };
    fill("%1", mark);
    fill("%2", decimalSep);
    return text;
}

std::string NumberRefusalText(std::string_view fieldText, std::string otherwise)
{
    if (IsSoundlyGrouped(fieldText))
        return otherwise;
    return MisplacedGroupMarkText(FirstGroupingMark(fieldText), KvDecimalChar());
}
