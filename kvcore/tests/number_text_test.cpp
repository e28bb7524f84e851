#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "fw/core/strings.h"
#include "kvcore/values/number_text.h"
#include "support/locale_support.h"

namespace {

using kvtest::EnglishIntl;
using kvtest::HungarianIntl;

struct NumberCase {
    bool hungarian;
    const char* text;
    int decimals;
    double expected;
};

TEST(NumberText, Str2DblReadsTheUsersFormat)
{
    const NumberCase cases[] = {
        { false, "1,234.50", 0, 1234.5 },
        { false, "1,234.50", 2, 12.345 },
        { false, "", 0, 0 },
        { false, "-12.5", 0, -12.5 },
        { false, "12-5", 0, 125 },
        { false, "1.2.3", 0, 1.23 },
        { false, "abc", 0, 0 },
        { true, "1 234,50", 0, 1234.5 },
        { true, "-0,5", 1, -0.05 },
        { true, "1.234,5", 0, 1234.5 },
    };
    kvtest::ForEachProcessLocale([&](const std::string& loc) {
        for (const NumberCase& c : cases) {
            kvtest::IntlScope scope(c.hungarian ? HungarianIntl() : EnglishIntl());
            EXPECT_DOUBLE_EQ(Str2Dbl(c.text, c.decimals), c.expected) << c.text << " " << loc;
            EXPECT_DOUBLE_EQ(static_cast<double>(Str2LongDbl(c.text, c.decimals)), c.expected) << c.text;
        }
    });
    EXPECT_EQ(Str2Dbl(static_cast<const char*>(nullptr), 2), 0.0);
}

TEST(NumberText, Cur2StrGivesExactWidthOrNothing)
{
    struct Case {
        bool hungarian;
        const char* text;
        int width;
        int decimals;
        std::optional<std::string> expected;
    } const cases[] = {
        { false, "12.5", 10, 2, "0000001250" },
        { false, "-12.5", 10, 2, "-000001250" },
        { false, "123456789", 10, 2, std::nullopt },
        { false, "12345678", 10, 2, "1234567800" },
        { false, "0.996", 6, 2, "000100" }, // the rounding carries into the units
        { false, "9.996", 3, 2, std::nullopt },
        { false, "", 5, 0, "00000" },
        { false, "-0.001", 5, 2, "00000" },
        { false, "-0.5", 4, 2, "-050" },
        { false, "7", 2, 2, std::nullopt },
        { false, "0.125", 4, 2, "0012" }, // ties go to even, as formatted printing does
        { true, "1 234,5", 8, 1, "00012345" },
        { false, "1", 0, 0, std::nullopt },
        { false, "1", 30, 19, std::nullopt },
    };
    kvtest::ForEachProcessLocale([&](const std::string& loc) {
        for (const auto& c : cases) {
            kvtest::IntlScope scope(c.hungarian ? HungarianIntl() : EnglishIntl());
            EXPECT_EQ(Cur2Str(c.text, c.width, c.decimals), c.expected) << c.text << " " << loc;
        }
    });
}

TEST(NumberText, BufferFormsRefuseSmallBuffers)
{
    char buf[11];
    ASSERT_NE(Cur2Str("12.5", buf, sizeof buf, 10, 2), nullptr);
    EXPECT_STREQ(buf, "0000001250");
    EXPECT_EQ(Cur2Str("12.5", buf, 10, 10, 2), nullptr);
    EXPECT_EQ(Dbl2Cur(1234.5, buf, 7, 2), nullptr);
    ASSERT_NE(Dbl2Cur(1234.5, buf, 8, 2), nullptr);
    EXPECT_STREQ(buf, "1234.50");
    EXPECT_EQ(FormatNumber(buf, 5, "12345"), nullptr);
    ASSERT_NE(FormatNumber(buf, 7, "12345"), nullptr);
    EXPECT_STREQ(buf, "12,345");
}

TEST(NumberText, Dbl2CurIgnoresTheProcessLocale)
{
    kvtest::ForEachProcessLocale([](const std::string& loc) {
        EXPECT_EQ(Dbl2Cur(1234.5, 2), "1234.50") << loc;
        EXPECT_EQ(Dbl2Cur(-0.125, 2), "-0.12") << loc;
        EXPECT_EQ(Dbl2Cur(2.5, 0), "2") << loc;
    });
}

// The system's Hungarian locale groups with '.', the program's own record with a blank.
fw::LocaleInfo HungarianDotGroups()
{
    fw::LocaleInfo l = HungarianIntl();
    l.thousandSep = ".";
    return l;
}

// A separator that is not the decimal one may only group the whole part by threes: "2774.50"
// typed under a decimal comma is refused, never read as 277450.
TEST(NumberText, MisplacedGroupingMarksAreRefusedNotSkipped)
{
    enum Intl { En, Hu, HuDot };
    struct Case {
        Intl intl;
        const char* text;
        std::optional<std::string> wire; // width 10, 2 decimals
    } const cases[] = {
        { En, "2774.50", "0000277450" },
        { En, "1,234.50", "0000123450" },
        { En, "12,345,678", "1234567800" },
        { En, "-1,234 ", "-000123400" },
        { En, "1234", "0000123400" },
        { En, "2774,50", std::nullopt },
        { En, "1,23", std::nullopt },
        { En, "1234,567.5", std::nullopt },
        { En, ",5", std::nullopt },
        { En, "1.5,0", std::nullopt },
        { HuDot, "2774.50", std::nullopt },
        { HuDot, "2774,50", "0000277450" },
        { HuDot, "2.774,50", "0000277450" },
        { HuDot, "1.234.567", "0123456700" },
        { HuDot, "1.234.56", std::nullopt },
        { HuDot, "27.74", std::nullopt },
        { HuDot, "1.000", "0000100000" },
        { Hu, "2774.50", std::nullopt },
        { Hu, "2 774,50", "0000277450" },
        { Hu, "2.774,50", "0000277450" },
        { Hu, "27 74,5", std::nullopt },
        { Hu, "2774,5", "0000277450" },
    };
    kvtest::ForEachProcessLocale([&](const std::string& loc) {
        for (const Case& c : cases) {
            kvtest::IntlScope scope(c.intl == En ? EnglishIntl() : c.intl == Hu ? HungarianIntl() : HungarianDotGroups());
            EXPECT_EQ(Cur2Str(c.text, 10, 2), c.wire) << c.intl << " " << c.text << " " << loc;
            EXPECT_EQ(IsSoundlyGrouped(c.text), c.wire.has_value()) << c.intl << " " << c.text;
        }
    });
    kvtest::IntlScope hu(HungarianDotGroups());
    EXPECT_EQ(FirstGroupingMark("2774.50"), '.');
    EXPECT_EQ(FirstGroupingMark("2774,50"), '\0');
    for (const auto& [language, expected] :
        { std::pair { fw::Language::English, "The number was not taken: \".\" is not the decimal separator here." },
            std::pair { fw::Language::Hungarian,
                "A sz\xE1m nem ker\xFClt be: a(z) \x84.\x94 itt nem tizedesjel." } }) {
        fw::setLanguage(language);
        EXPECT_EQ(MisplacedGroupMarkText('.', ',').rfind(expected, 0), 0u) << MisplacedGroupMarkText('.', ',');
    }
    fw::setLanguage(fw::Language::English);
}

TEST(NumberText, FormatNumberGroupsIntegerDigits)
{
    struct Case {
        bool hungarian;
        const char* text;
        const char* expected;
    } const cases[] = {
        { false, "123", "123" },
        { false, "1234", "1,234" },
        { false, "+1234", "+1,234" },
        { false, "-1234567.5", "-1,234,567.5" },
        { false, "1234.5678", "1,234.5678" },
        { false, "12a34-5", "12,345" },
        { false, ".5", ".5" },
        { false, "", "" },
        { true, "-1234567,5", "-1 234 567,5" },
        { true, "1234.5", "12 345" },
    };
    kvtest::ForEachProcessLocale([&](const std::string& loc) {
        for (const auto& c : cases) {
            kvtest::IntlScope scope(c.hungarian ? HungarianIntl() : EnglishIntl());
            EXPECT_EQ(FormatNumber(c.text), c.expected) << c.text << " " << loc;
        }
    });
}

} // namespace
