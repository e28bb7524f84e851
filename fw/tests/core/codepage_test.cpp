#include "fw/core/codepage.h"

#include <gtest/gtest.h>

#include <iconv.h>

namespace {

// glibc's converter is an independent oracle for the table.
std::string iconvToUtf8(unsigned char byte)
{
    iconv_t cd = ::iconv_open("UTF-8", "CP1250");
    if (cd == reinterpret_cast<iconv_t>(-1))
        return "<no iconv>";
    char in[1] = { static_cast<char>(byte) };
    char out[8] = {};
    char* ip = in;
    char* op = out;
    std::size_t il = 1, ol = sizeof out;
    const std::size_t r = ::iconv(cd, &ip, &il, &op, &ol);
    ::iconv_close(cd);
    if (r == static_cast<std::size_t>(-1))
        return "<undefined>";
    return std::string(out, op);
}

TEST(Codepage, EveryDefinedByteMatchesIconv)
{
    int checked = 0;
    for (int b = 0; b < 256; ++b) {
        const std::string want = iconvToUtf8(static_cast<unsigned char>(b));
        if (want == "<no iconv>")
            GTEST_SKIP() << "glibc has no CP1250 converter";
        if (want == "<undefined>")
            continue;
        EXPECT_EQ(fw::cp1250ToUtf8(std::string(1, static_cast<char>(b))), want) << "byte " << b;
        ++checked;
    }
    EXPECT_GE(checked, 251);
}

TEST(Codepage, AllBytesRoundTripThroughUtf8)
{
    std::string all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    const auto back = fw::utf8ToCp1250(fw::cp1250ToUtf8(all));
    EXPECT_TRUE(back.ok());
    EXPECT_EQ(back.text, all);
}

TEST(Codepage, Utf8ToCp1250Cases)
{
    struct Case {
        const char* utf8;
        std::string cp1250;
        std::size_t unmappable;
    } cases[] = {
        { "Felhasználói beállítások", "Felhaszn\xE1l\xF3i be\xE1ll\xEDt\xE1sok", 0 },
        { "ŐőŰű", "\xD5\xF5\xDB\xFB", 0 },
        { "€ „x” –", "\x80 \x84x\x94 \x96", 0 },
        { "日本", "??", 2 },
        { "😀", "?", 1 },
        { "ñ", "?", 1 }, // Latin-1 but not in the Central European set
        { "a\xC3", "a?", 1 }, // truncated sequence
        { "\xC0\x80", "??", 2 }, // overlong NUL
        { "\xED\xA0\x80", "???", 3 }, // surrogate
        { "\xFF"
          "b",
            "?b", 1 },
    };
    for (const auto& c : cases) {
        const auto r = fw::utf8ToCp1250(c.utf8);
        EXPECT_EQ(r.text, c.cp1250) << c.utf8;
        EXPECT_EQ(r.unmappable, c.unmappable) << c.utf8;
    }
}

TEST(Codepage, CaseMapping)
{
    EXPECT_EQ(
        fw::cp1250ToLower(fw::utf8ToCp1250("ÁRVÍZTŰRŐ ŠŽ").text), fw::utf8ToCp1250("árvíztűrő šž").text);
    EXPECT_EQ(fw::cp1250ToUpper('\xDF'), '\xDF'); // sharp s has no single upper-case byte
    EXPECT_EQ(fw::cp1250ToLower('\xD7'), '\xD7'); // multiplication sign is not a letter
    EXPECT_TRUE(fw::cp1250EqualNoCase(fw::utf8ToCp1250("Száz").text, fw::utf8ToCp1250("SZÁZ").text));
    EXPECT_FALSE(fw::cp1250EqualNoCase("general", "generals"));
    for (int b = 0; b < 256; ++b) {
        const char c = static_cast<char>(b);
        const char lower = fw::cp1250ToLower(c);
        if (lower != c) {
            EXPECT_EQ(fw::cp1250ToUpper(lower), c) << "byte " << b;
        }
    }
}

} // namespace
