#include "fw/core/codepage.h"

#include <array>

namespace fw {
namespace {

// Unicode of the bytes 0x80..0xFF; the five undefined bytes map to the C1 control of equal value.
// clang-format off
constexpr std::array<char16_t, 128> kHigh = {
    0x20AC, 0x0081, 0x201A, 0x0083, 0x201E, 0x2026, 0x2020, 0x2021,
    0x0088, 0x2030, 0x0160, 0x2039, 0x015A, 0x0164, 0x017D, 0x0179,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x0098, 0x2122, 0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A,
    0x00A0, 0x02C7, 0x02D8, 0x0141, 0x00A4, 0x0104, 0x00A6, 0x00A7,
    0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B,
    0x00B0, 0x00B1, 0x02DB, 0x0142, 0x00B4, 0x00B5, 0x00B6, 0x00B7,
    0x00B8, 0x0105, 0x015F, 0x00BB, 0x013D, 0x02DD, 0x013E, 0x017C,
    0x0154, 0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7,
    0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E,
    0x0110, 0x0143, 0x0147, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x00D7,
    0x0158, 0x016E, 0x00DA, 0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF,
    0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7,
    0x010D, 0x00E9, 0x0119, 0x00EB, 0x011B, 0x00ED, 0x00EE, 0x010F,
    0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4, 0x0151, 0x00F6, 0x00F7,
    0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9,
};
// clang-format on

// Upper-case byte -> lower-case byte outside the regular 0xC0..0xDE block.
constexpr std::array<std::array<unsigned char, 2>, 10> kCasePairs = { {
    { 0x8A, 0x9A },
    { 0x8C, 0x9C },
    { 0x8D, 0x9D },
    { 0x8E, 0x9E },
    { 0x8F, 0x9F },
    { 0xA3, 0xB3 },
    { 0xA5, 0xB9 },
    { 0xAA, 0xBA },
    { 0xAF, 0xBF },
    { 0xBC, 0xBE },
} };

void appendUtf8(std::string& out, char32_t cp)
{
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// Decodes one UTF-8 sequence at text[i]; returns false for a malformed one (overlong,
// surrogate, truncated, out of range), consuming one byte so decoding resynchronises.
bool decodeUtf8(std::string_view text, std::size_t& i, char32_t& cp)
{
    const auto b0 = static_cast<unsigned char>(text[i]);
    if (b0 < 0x80) {
        cp = b0;
        ++i;
        return true;
    }
    std::size_t len = 0;
    char32_t min = 0;
    if ((b0 & 0xE0) == 0xC0) {
        len = 2, cp = b0 & 0x1F, min = 0x80;
    } else if ((b0 & 0xF0) == 0xE0) {
        len = 3, cp = b0 & 0x0F, min = 0x800;
    } else if ((b0 & 0xF8) == 0xF0) {
        len = 4, cp = b0 & 0x07, min = 0x10000;
    } else {
        ++i;
        return false;
    }
    if (text.size() - i < len) {
        ++i;
        return false;
    }
    for (std::size_t k = 1; k < len; ++k) {
        const auto b = static_cast<unsigned char>(text[i + k]);
        if ((b & 0xC0) != 0x80) {
            ++i;
            return false;
        }
        cp = (cp << 6) | (b & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        ++i;
        return false;
    }
    i += len;
    return true;
}

} // namespace

char32_t cp1250ToUnicode(unsigned char byte)
{
    return byte < 0x80 ? byte : kHigh[byte - 0x80];
}

int unicodeToCp1250(char32_t codePoint)
{
    if (codePoint < 0x80)
        return static_cast<int>(codePoint);
    for (std::size_t k = 0; k < kHigh.size(); ++k)
        if (kHigh[k] == codePoint)
            return static_cast<int>(0x80 + k);
    return -1;
}

std::string cp1250ToUtf8(std::string_view cp1250)
{
    std::string out;
    out.reserve(cp1250.size() + cp1250.size() / 4);
    for (char c : cp1250)
        appendUtf8(out, cp1250ToUnicode(static_cast<unsigned char>(c)));
    return out;
}

ToCp1250Result utf8ToCp1250(std::string_view utf8)
{
    ToCp1250Result r;
    r.text.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size()) {
        char32_t cp = 0;
        const int byte = decodeUtf8(utf8, i, cp) ? unicodeToCp1250(cp) : -1;
        if (byte < 0) {
            r.text += kUnmappableByte;
            ++r.unmappable;
        } else {
            r.text += static_cast<char>(byte);
        }
    }
    return r;
}

char cp1250ToLower(char c)
{
    const auto b = static_cast<unsigned char>(c);
    if (b >= 'A' && b <= 'Z')
        return static_cast<char>(b + 0x20);
    if (b >= 0xC0 && b <= 0xDE && b != 0xD7)
        return static_cast<char>(b + 0x20);
    for (const auto& p : kCasePairs)
        if (p[0] == b)
            return static_cast<char>(p[1]);
    return c;
}

char cp1250ToUpper(char c)
{
    const auto b = static_cast<unsigned char>(c);
    if (b >= 'a' && b <= 'z')
        return static_cast<char>(b - 0x20);
    if (b >= 0xE0 && b <= 0xFE && b != 0xF7)
        return static_cast<char>(b - 0x20);
    for (const auto& p : kCasePairs)
        if (p[1] == b)
            return static_cast<char>(p[0]);
    return c;
}

std::string cp1250ToLower(std::string_view text)
{
    std::string out(text);
    for (char& c : out)
        c = cp1250ToLower(c);
    return out;
}

bool cp1250EqualNoCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (cp1250ToLower(a[i]) != cp1250ToLower(b[i]))
            return false;
    return true;
}

} // namespace fw
