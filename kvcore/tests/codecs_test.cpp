#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>

#include "kvcore/values/cdouble.h"
#include "kvcore/values/field_codecs.h"
#include "support/locale_support.h"

namespace {

struct IntCase {
    const char* field;
    int32_t expected;
    uint32_t expectedUnsigned;
};

TEST(FieldCodecs, IntegerFieldsFollowAtoiWithoutOverflow)
{
    const IntCase cases[] = {
        { "00042", 42, 42 },
        { "     ", 0, 0 },
        { "-0012", -12, 4294967284u },
        { "  +7x", 7, 7 },
        { "\t 123", 123, 123 },
        { "12 34", 12, 12 },
        { "abc", 0, 0 },
        { "2147483647", 2147483647, 2147483647u },
        { "2147483648", std::numeric_limits<int32_t>::max(), 2147483648u },
        { "4294967295", std::numeric_limits<int32_t>::max(), 4294967295u },
        { "99999999999999999999", std::numeric_limits<int32_t>::max(), 4294967295u },
        { "-2147483648", std::numeric_limits<int32_t>::min(), 2147483648u },
        { "-99999999999", std::numeric_limits<int32_t>::min(), 2147483648u },
        { "", 0, 0 },
    };
    kvtest::ForEachProcessLocale([&](const std::string& loc) {
        for (const IntCase& c : cases) {
            const int len = static_cast<int>(std::strlen(c.field));
            EXPECT_EQ(Vorl2Int(c.field, len), c.expected) << c.field << " " << loc;
            EXPECT_EQ(Vorl2Long(c.field, len), c.expected) << c.field << " " << loc;
            EXPECT_EQ(Vorl2ULong(c.field, len), c.expectedUnsigned) << c.field << " " << loc;
        }
    });
}

// The tables above only prove locale independence if the second locale really
// reads numbers differently; say so when it is missing instead of passing quietly.
TEST(FieldCodecs, HungarianProcessLocaleChangesTheCLibrarysReading)
{
    const auto locales = kvtest::ProcessLocales();
    if (locales.size() < 2)
        GTEST_SKIP() << "hu_HU.UTF-8 is not installed (scripts/install-deps generates it)";
    kvtest::ForEachProcessLocale([](const std::string& loc) {
        const bool hungarian = loc != "C";
        EXPECT_STREQ(std::localeconv()->decimal_point, hungarian ? "," : ".") << loc;
        EXPECT_DOUBLE_EQ(std::strtod("12.5", nullptr), hungarian ? 12.0 : 12.5) << loc;
        EXPECT_DOUBLE_EQ(ParseFieldDouble("12.5", 4), 12.5) << loc;
    });
}

TEST(FieldCodecs, NumberFieldsStopAtTheirWidth)
{
    // The digits after the field belong to the next field.
    const char record[] = "00012345";
    EXPECT_EQ(Vorl2Int(record, 3), 0);
    EXPECT_EQ(Vorl2Int(record, 5), 12);
    EXPECT_EQ(Vorl2Long(record + 3, 4), 1234);
    EXPECT_EQ(Vorl2Int(nullptr, 4), 0);
    EXPECT_EQ(Vorl2Int(record, -1), 0);
}

TEST(FieldCodecs, TextFieldsStripOnlyTrailingBlanks)
{
    struct Case {
        const char* field;
        const char* stripped;
    } const cases[] = {
        { "AB    ", "AB" },
        { "  AB  ", "  AB" },
        { "      ", "" },
        { "AB\t   ", "AB\t" },
        { "ABCDEF", "ABCDEF" },
    };
    for (const Case& c : cases) {
        char out[16];
        std::memset(out, 'Z', sizeof out);
        Vorl2Str0(out, c.field, 6);
        EXPECT_STREQ(out, c.stripped) << c.field;
        Vorl2Str0NoStrip(out, c.field, 6);
        EXPECT_EQ(std::string(out), std::string(c.field, 6));
    }
    // Only the field is read: the byte after it is not part of the text.
    char out[8];
    Vorl2Str0(out, "AB CDEF", 3);
    EXPECT_STREQ(out, "AB");
}

TEST(FieldCodecs, DecodeFieldReadsImpliedDecimalsAndSkipsTheSeparator)
{
    kvtest::ForEachProcessLocale([](const std::string& loc) {
        const char record[] = "0012345|-99999999|";
        CDouble price;
        const char* next = DecodeField(record, 7, &price, 2);
        EXPECT_DOUBLE_EQ(static_cast<double>(price), 123.45) << loc;
        EXPECT_EQ(price.GetDecimal(), 2u);
        EXPECT_EQ(next, record + 8);
        CDouble missing;
        next = DecodeField(next, 9, &missing, 2);
        EXPECT_TRUE(missing.IsNoValue()) << loc;
        EXPECT_EQ(next, record + sizeof record - 1);
    });
}

TEST(FieldCodecs, DecodeFieldOfNoRecordGivesNoPosition)
{
    // An empty buffer's data() may be null; stepping past it must not make a pointer from nothing.
    CDouble value(5, 0);
    EXPECT_EQ(DecodeField(static_cast<const char*>(nullptr), 0, &value, 2), nullptr);
    EXPECT_DOUBLE_EQ(static_cast<double>(value), 0.0);
    EXPECT_EQ(DecodeField(static_cast<const unsigned char*>(nullptr), 3, nullptr, 0), nullptr);
}

TEST(FieldCodecs, FieldDoublesRejectNonNumbers)
{
    struct Case {
        const char* field;
        double expected;
    } const cases[] = {
        { "  12.5", 12.5 },
        { "-0012345", -12345 },
        { "+7", 7 },
        { "inf", 0 },
        { "nan", 0 },
        { "0x1A", 0 },
        { "1e3", 1000 },
        { "1e999", 0 },
        { "", 0 },
        { ".5", 0.5 },
        { "12,5", 12 },
        { "123456789012345678901234", 123456789012345678901234.0 },
    };
    kvtest::ForEachProcessLocale([&](const std::string& loc) {
        for (const Case& c : cases) {
            EXPECT_DOUBLE_EQ(ParseFieldDouble(c.field, std::strlen(c.field)), c.expected)
                << c.field << " " << loc;
        }
    });
}

TEST(FieldCodecs, CompareWordsIsThreeWayOnUnsignedWords)
{
    uint16_t words[] = { 40000, 1, 65535, 0, 300, 1 };
    std::qsort(words, 6, sizeof words[0], CompareWords);
    const uint16_t sorted[] = { 0, 1, 1, 300, 40000, 65535 };
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(words[i], sorted[i]);
    const uint16_t a = 0, b = 65535;
    EXPECT_LT(CompareWords(&a, &b), 0);
    EXPECT_GT(CompareWords(&b, &a), 0);
    EXPECT_EQ(CompareWords(&a, &a), 0);
    EXPECT_EQ(MakeBlanks(3), "   ");
    EXPECT_EQ(MakeBlanks(0), "");
}

} // namespace
