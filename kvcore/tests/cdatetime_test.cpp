#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "fw/core/clock.h"
#include "kvcore/values/cdatetime.h"
#include "support/clock_support.h"
#include "support/locale_support.h"

namespace {

class CDateTimeTest : public ::testing::Test {
protected:
    void TearDown() override { CDateTime::ResetKvTime(); }
};

TEST_F(CDateTimeTest, DefaultIsInvalidAndFormatsEmpty)
{
    const CDateTime t;
    EXPECT_FALSE(t.IsValid());
    EXPECT_EQ(t.FormatDateVORL(), "");
    EXPECT_EQ(t.FormatTimeVORL(), "");
    EXPECT_EQ(t.FormatDateTimeASN(), "");
    EXPECT_EQ(t.FormatDate(), "");
    EXPECT_EQ(t.FormatTime(), "");
}

TEST_F(CDateTimeTest, WireDatesAndTimes)
{
    struct Case {
        const char* date; // null: keep
        const char* time; // null: keep
        int dateResult;
        int timeResult;
        const char* asn; // "" when invalid
    } const cases[] = {
        { "20260301", nullptr, 1, 0, "20260301000000" },
        { "20260230", nullptr, 0, 0, "" },
        { "2026 301", nullptr, 0, 0, "" },
        { "202603", nullptr, 0, 0, "" }, // short text: never read past its end
        { "20260301", "235959", 1, 1, "20260301235959" },
        { "20260301", "09300", 1, 0, "" },
        { "20260301", "093 00", 1, 0, "" },
        { "20260301", "240000", 1, 0, "" },
        { "20260301", "126000", 1, 0, "" },
        { "20240229", "000001", 1, 1, "20240229000001" },
        { "19000101", "000000", 1, 1, "19000101000000" },
        { "00991231", nullptr, 0, 0, "" },
        // Digits only: signs and blanks that a number reader would skip are refused.
        { "+2026030", nullptr, 0, 0, "" },
        { "-0260301", nullptr, 0, 0, "" },
        { " 2026030", nullptr, 0, 0, "" },
        { "2026-3-1", nullptr, 0, 0, "" },
        { "20260301", "+93000", 1, 0, "" },
        { "20260301", " 93000", 1, 0, "" },
        { "20260301", "09-1-0", 1, 0, "" },
    };
    kvtest::ForEachProcessLocale([&](const std::string& loc) {
        for (const auto& c : cases) {
            CDateTime t;
            EXPECT_EQ(t.SetDateVORL(c.date), c.dateResult) << c.date << " " << loc;
            if (c.time != nullptr) {
                EXPECT_EQ(t.SetTimeVORL(c.time), c.timeResult) << c.date << " " << c.time;
            }
            EXPECT_EQ(t.FormatDateTimeASN(), c.asn) << c.date;
        }
    });
}

TEST_F(CDateTimeTest, SettingOnePartKeepsTheOther)
{
    CDateTime t(2026, 12, 8, 7, 45, 30);
    EXPECT_EQ(t.SetDateVORL("20270115"), 1);
    EXPECT_EQ(t.FormatDateTimeASN(), "20270115074530");
    EXPECT_EQ(t.SetTimeVORL("235959"), 1);
    EXPECT_EQ(t.FormatDateTimeASN(), "20270115235959");
    EXPECT_EQ(t.FormatDateVORL(), "20270115");
    EXPECT_EQ(t.FormatTimeVORL(), "235959");
}

TEST_F(CDateTimeTest, AsnFormRoundTrips)
{
    CDateTime t;
    EXPECT_EQ(t.SetDateTimeASN("20261208074530"), 0);
    EXPECT_EQ(t.FormatDateTimeASN(), "20261208074530");
    EXPECT_NE(t.SetDateTimeASN("20261308074530"), 0);
    EXPECT_FALSE(t.IsValid());
    EXPECT_NE(t.SetDateTimeASN("2026120807453"), 0);
    EXPECT_NE(t.SetDateTimeASN(nullptr), 0);
}

TEST_F(CDateTimeTest, RangeBounds)
{
    EXPECT_EQ(CDateTime::GetMaxTime().FormatDateVORL(), "99991230");
    EXPECT_EQ(CDateTime::GetMaxTime().FormatTimeVORL(), "235959");
    EXPECT_EQ(CDateTime::GetMinTime().FormatDateTimeASN(), "19000101000000");
    EXPECT_LT(CDateTime::GetMinTime(), CDateTime::GetMaxTime());
    EXPECT_FALSE((CDateTime::GetMaxTime() + 2 * 86400).IsValid());
}

// Moments far apart differ by more than 32 bits of seconds: the order must come
// from a three-way comparison, and every invalid moment sorts to one side.
TEST_F(CDateTimeTest, OrderIsThreeWayOverTheWholeRange)
{
    const CDateTime invalid;
    std::vector<CDateTime> moments = { CDateTime::GetMaxTime(), CDateTime(2026, 3, 1, 0, 0, 1), invalid,
        CDateTime::GetMinTime(), CDateTime(2026, 3, 1, 0, 0, 0), CDateTime(1968, 1, 19, 3, 14, 8) };
    std::sort(moments.begin(), moments.end());
    std::vector<std::string> order;
    for (const CDateTime& m : moments)
        order.push_back(m.FormatDateTimeASN());
    const bool invalidFirst = order.front().empty();
    std::vector<std::string> valid(order.begin() + (invalidFirst ? 1 : 0), order.end() - (invalidFirst ? 0 : 1));
    EXPECT_EQ(valid,
        (std::vector<std::string> { "19000101000000", "19680119031408", "20260301000000", "20260301000001",
            CDateTime::GetMaxTime().FormatDateTimeASN() }));
    EXPECT_TRUE((invalidFirst ? order.front() : order.back()).empty());
    EXPECT_GT(CDateTime::GetMaxTime(), CDateTime::GetMinTime());
    EXPECT_TRUE((CDateTime(2026, 3, 1, 0, 0, 0) <=> CDateTime(2026, 3, 1, 0, 0, 0)) == 0);
    EXPECT_FALSE((invalid <=> CDateTime::GetMinTime()) == 0);
}

TEST_F(CDateTimeTest, PartsAndArithmetic)
{
    const CDateTime t(2026, 3, 1, 13, 5, 9);
    EXPECT_EQ(t.GetYear(), 2026);
    EXPECT_EQ(t.GetMonth(), 3);
    EXPECT_EQ(t.GetDay(), 1);
    EXPECT_EQ(t.GetHour(), 13);
    EXPECT_EQ(t.GetMinute(), 5);
    EXPECT_EQ(t.GetSecond(), 9);
    EXPECT_EQ(t.GetDayOfWeek(), 1); // a Sunday
    KvSystemTime st;
    t.GetSysTime(st);
    EXPECT_EQ(st.wDayOfWeek, 0);
    EXPECT_EQ(st.wMilliseconds, 0);
    EXPECT_EQ(st.wSecond, 9);
    const CDateTime before(2026, 2, 28, 13, 5, 9);
    EXPECT_EQ(t - before, 86400);
    EXPECT_EQ((before + 86400), t);
    EXPECT_EQ(CDateTime(1899, 12, 30, 0, 0, 0).GetDayOfWeek(), 7); // a Saturday
    EXPECT_FALSE(CDateTime(2026, 2, 29, 0, 0, 0).IsValid());
}

TEST_F(CDateTimeTest, DisplayUsesThePictures)
{
    const CDateTime t(2026, 3, 1, 13, 5, 9);
    kvtest::ForEachProcessLocale([&](const std::string& loc) {
        {
            kvtest::IntlScope scope(kvtest::EnglishIntl());
            EXPECT_EQ(t.FormatDate(), "3/1/2026") << loc;
            EXPECT_EQ(t.FormatTime(), "1:05:09 PM") << loc;
        }
        {
            kvtest::IntlScope scope(kvtest::HungarianIntl());
            EXPECT_EQ(t.FormatDate(), "2026.03.01.") << loc;
            EXPECT_EQ(t.FormatTime(), "13:05:09") << loc;
        }
        fw::LocaleInfo quoted;
        quoted.shortDate = "dd'of'MM yy";
        kvtest::IntlScope scope(quoted);
        EXPECT_EQ(t.FormatDate(), "01of03 26");
    });
}

TEST_F(CDateTimeTest, ParsesTheUsersFormat)
{
    struct Case {
        bool hungarian;
        const char* text;
        unsigned flags;
        int result;
        const char* asn;
    } const cases[] = {
        { false, "3/1/2026", 0, 1, "20260301000000" },
        { false, "3/1/2026 1:05:09 PM", 0, 1, "20260301130509" },
        { false, "12:30 AM", CDateTime::kTimeValueOnly, 1, "18991230003000" },
        { true, "2026.03.01. 13:05", 0, 1, "20260301130500" },
        { true, "26.03.01.", 0, 1, "20260301000000" },
        { true, "2026.02.30.", 0, 0, "" },
        { false, "hello", 0, 0, "" },
    };
    for (const auto& c : cases) {
        kvtest::IntlScope scope(c.hungarian ? kvtest::HungarianIntl() : kvtest::EnglishIntl());
        CDateTime t;
        EXPECT_EQ(t.ParseDateTime(c.text, c.flags), c.result) << c.text;
        EXPECT_EQ(t.FormatDateTimeASN(), c.asn) << c.text;
    }
}

TEST_F(CDateTimeTest, TradingSystemTimeFollowsTheHostOffset)
{
    fw::ManualClock clock(0, kvtest::LocalMoment(2026, 12, 8, 10, 0, 0));
    fw::ClockScope scope(clock);
    CDateTime pc(2026, 12, 8, 10, 0, 0);
    EXPECT_EQ(CDateTime::GetPcTime(), pc);
    EXPECT_EQ(CDateTime::GetTickCount(), pc);
    CDateTime::AdjustKvTime(pc + 90);
    EXPECT_EQ(CDateTime::GetDiffTime(), 90); // the whole offset, not its seconds field
    EXPECT_EQ(CDateTime::GetTickCount().FormatDateTimeASN(), "20261208100130");
    clock.advance((13 * 3600 + 59 * 60) * 1000); // the PC clock moves on; the offset stays
    pc = CDateTime(2026, 12, 8, 23, 59, 0);
    EXPECT_EQ(CDateTime::GetPcTime(), pc);
    EXPECT_EQ(CDateTime::GetTickCount().FormatDateTimeASN(), "20261209000030");
    CDateTime::AdjustKvTime(pc + (-3 * 3600));
    EXPECT_EQ(CDateTime::GetDiffTime(), -3 * 3600);
    CDateTime::AdjustKvTime(CDateTime()); // an invalid host time changes nothing
    EXPECT_EQ(CDateTime::GetDiffTime(), -3 * 3600);
    CDateTime::ResetKvTime();
    EXPECT_EQ(CDateTime::GetDiffTime(), 0);
    EXPECT_EQ(CDateTime::GetTickCount(), pc);
}

TEST_F(CDateTimeTest, SystemClockGivesAValidMoment)
{
    EXPECT_TRUE(CDateTime::GetPcTime().IsValid());
    EXPECT_TRUE(CDateTime::GetTickCount().IsValid());
}

} // namespace
