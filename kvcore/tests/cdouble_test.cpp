#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <string>

#include "kvcore/values/cdouble.h"
#include "support/locale_support.h"

namespace {

TEST(CDoubleTest, WireFormRoundsHalfAwayFromZeroIn64Bits)
{
    struct Case {
        double value;
        unsigned decimals;
        const char* wire;
    } const cases[] = {
        { 12.345, 2, "1235" }, { -12.345, 2, "-1235" }, { 0, 2, "0" },
        { 1.005, 2, "100" }, // its double lies just below 1.005
        { -99999999, 0, "-99999999" }, { 3000000000.0, 0, "3000000000" }, // beyond 32 bits
        { 123456789012.34, 2, "12345678901234" }, // beyond 32 bits
        { 1e30, 0, "" }, // beyond 64 bits: no text rather than a wrong one
    };
    kvtest::ForEachProcessLocale([&](const std::string& loc) {
        for (const auto& c : cases) {
            EXPECT_EQ(CDouble(c.value, c.decimals).FormatVORL(), c.wire) << c.value << " " << loc;
        }
    });
}

TEST(CDoubleTest, NoValueMarkSurvivesEveryDecimalCount)
{
    for (unsigned dec = 0; dec <= 8; ++dec) {
        CDouble d;
        d.SetVORL("-99999999", 9, dec);
        EXPECT_TRUE(d.IsNoValue()) << dec;
        EXPECT_EQ(d.Format(1, 1), "") << dec;
        EXPECT_EQ(d.Format(0, 0), "") << dec;
        EXPECT_EQ(d.FormatVORL(), "-99999999") << dec;
    }
    CDouble other;
    other.SetVORL("-99999998", 9, 2);
    EXPECT_FALSE(other.IsNoValue());
}

TEST(CDoubleTest, DisplayFollowsTheLocaleRecord)
{
    struct Case {
        bool hungarian;
        double value;
        unsigned decimals;
        int group;
        int showZero;
        const char* expected;
    } const cases[] = {
        { false, 1234567.5, 2, 1, 0, "1,234,567.50" },
        { true, 1234567.5, 2, 1, 0, "1 234 567,50" },
        { true, 1234567.5, 2, 0, 0, "1234567,50" },
        { false, 0, 2, 0, 0, "" },
        { false, 0, 2, 0, 1, "0.00" },
        { true, 0, 2, 1, 1, "0,00" },
        { false, 1.5, 12, 0, 0, "1.5000000000" }, // at most ten decimals shown
        { false, -1234, 0, 1, 0, "-1,234" },
        { false, 2.5, 0, 0, 0, "2" },
    };
    kvtest::ForEachProcessLocale([&](const std::string& loc) {
        for (const auto& c : cases) {
            kvtest::IntlScope scope(c.hungarian ? kvtest::HungarianIntl() : kvtest::EnglishIntl());
            EXPECT_EQ(CDouble(c.value, c.decimals).Format(c.group, c.showZero), c.expected)
                << c.value << " " << loc;
        }
    });
}

TEST(CDoubleTest, SettersKeepValueAndDecimals)
{
    kvtest::ForEachProcessLocale([](const std::string& loc) {
        kvtest::IntlScope scope(kvtest::EnglishIntl());
        CDouble d;
        d.Set("12.50");
        EXPECT_DOUBLE_EQ(d, 12.5) << loc;
        EXPECT_EQ(d.GetDecimal(), 2u);
        d.Set("7", 3);
        EXPECT_DOUBLE_EQ(d, 7.0);
        EXPECT_EQ(d.GetDecimal(), 3u);
        d.Set(12345, 2);
        EXPECT_DOUBLE_EQ(d, 123.45);
        d.Set(1.25, 4);
        EXPECT_DOUBLE_EQ(d, 1.25);
        EXPECT_EQ(d.GetDecimal(), 4u);
        d.SetVORL("  00150", 7, 1);
        EXPECT_DOUBLE_EQ(d, 15.0);

        kvtest::IntlScope hu(kvtest::HungarianIntl());
        d.SetIntl("1 234,567");
        EXPECT_DOUBLE_EQ(d, 1234.567);
        EXPECT_EQ(d.GetDecimal(), 3u);
    });
    EXPECT_EQ(CDouble::Multiplier(0), 1.0);
    EXPECT_EQ(CDouble::Multiplier(3), 1000.0);
    // Beyond the double range: infinite, however large the count (a field's decimals).
    EXPECT_EQ(CDouble::Multiplier(400), HUGE_VAL);
    EXPECT_EQ(CDouble::Multiplier(UINT_MAX), HUGE_VAL);
    const CDouble a(2.5, 1);
    CDouble b;
    b = a;
    EXPECT_DOUBLE_EQ(b, 2.5);
    EXPECT_EQ(b.GetDecimal(), 1u);
}

} // namespace
