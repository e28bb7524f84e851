#include "plinth/time.h"

#include <cerrno>
#include <chrono>
#include <cstring>
#include <ctime>
#include <string>

#include <gtest/gtest.h>

#include "scratch_dir.h"

namespace {

TEST(Time, TickDeltaIsUnsignedAcrossTheWrap)
{
    const struct {
        unsigned int later, earlier, delta;
    } cases[] = {
        {5u, 0xFFFFFFFFu - 4u, 10u}, // 5 and 2^32 - 5
        {100u, 40u, 60u},
        {0u, 0xFFFFFFFFu, 1u},
        {7u, 7u, 0u},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TimeTickDelta(c.later, c.earlier), c.delta) << c.later << " " << c.earlier;
    EXPECT_EQ(TimeTicksPerSec(), 1000u);
}

TEST(Time, TickCountFollowsTheMonotonicClock)
{
    const unsigned int before = TimeTickCount();
    SysSleep(20);
    EXPECT_GE(TimeTickDelta(TimeTickCount(), before), 20u);
}

TEST(Time, SleepHasATenMillisecondFloor)
{
    for (unsigned int ms : {0u, 9u, 25u}) {
        const auto start = std::chrono::steady_clock::now();
        SysSleep(ms);
        const auto slept = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
        EXPECT_GE(slept.count(), static_cast<long>(ms < 10 ? 10 : ms)) << ms;
    }
}

TEST(Time, FormatDeltaTable)
{
    const struct {
        unsigned int ms;
        const char* text;
    } cases[] = {
        {3723004u, "01:02:03.004\n"},
        {0u, "00:00:00.000\n"},
        {59999u, "00:00:59.999\n"},
        {0xFFFFFFFFu, "1193:02:47.295\n"}, // the widest text fits PLINTH_TIME_TEXT_SIZE
    };
    for (const auto& c : cases) {
        char buf[PLINTH_TIME_TEXT_SIZE];
        EXPECT_EQ(TimeFormatDelta(buf, c.ms), buf);
        EXPECT_STREQ(buf, c.text);
    }
}

TEST(Time, GetDeltaIsSymmetricAndSaturates)
{
    const TimeRecord a {1000, 900};
    const TimeRecord b {1002, 100};
    EXPECT_EQ(TimeGetDelta(&a, &b), 1200u);
    EXPECT_EQ(TimeGetDelta(&b, &a), 1200u);
    const TimeRecord far {0x7FFFFFFF, 0};
    const TimeRecord near {0, 0};
    EXPECT_EQ(TimeGetDelta(&far, &near), 0xFFFFFFFFu);
    EXPECT_EQ(TimeGetDelta(nullptr, &a), 0u);
}

TEST(Time, CurrentIsEpochSecondsAndFormatsMinutesSeconds)
{
    TimeRecord now {};
    EXPECT_EQ(TimeGetCurrent(&now), &now);
    const long long wall = static_cast<long long>(std::time(nullptr));
    EXPECT_LE(std::llabs(wall - now.sec), 2);
    EXPECT_GE(now.msec, 0);
    EXPECT_LT(now.msec, 1000);
    EXPECT_EQ(TimeGetCurrent(nullptr), nullptr);

    {
        ScopedEnv tz("TZ", "UTC");
        tzset();
        const TimeRecord at {3723, 7}; // 01:02:03 UTC
        char buf[PLINTH_TIME_TEXT_SIZE];
        EXPECT_STREQ(TimeFormat(buf, &at), "02:03.007");
    }
    tzset();
}

TEST(SysErrorText, CodesWithAndWithoutText)
{
    EXPECT_STREQ(SysGetErrorString(123456), "Error 123456");
    EXPECT_STREQ(SysGetErrorString(-3), "Error -3");
    EXPECT_STRNE(SysGetErrorString(ENOENT), "");
    EXPECT_EQ(std::string(SysGetErrorString(ENOENT)).rfind("Error ", 0), std::string::npos);
}

TEST(SysErrorText, LeavesTheLastErrorAloneAndRepeats)
{
    errno = EACCES;
    const std::string first = SysErrorString();
    EXPECT_EQ(SysError(), EACCES);
    EXPECT_EQ(first, SysErrorString());
    SysGetErrorString(123456);
    EXPECT_EQ(SysError(), EACCES);
}

TEST(SysVersion, NumbersAndText)
{
    EXPECT_EQ(SysVersionMajor(), 2);
    EXPECT_EQ(SysVersionMinor(), 3);
    EXPECT_EQ(SysVersionBuild(), 8);
    EXPECT_STREQ(SysVersionString(), "PLINTH Version 2.3 Build 8");
}

} // namespace
