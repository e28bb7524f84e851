#include "fw/core/clock.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace {

// Timers of fixed periods on the clock in force, as the application keeps them.
struct Timers : fw::ClockListener {
    struct Timer {
        int id;
        int64_t period;
        int64_t due;
    };
    std::vector<Timer> timers;
    std::vector<std::pair<int, int64_t>> fired; // id, clock time when it fired
    int changes = 0;

    void add(int id, int64_t period) { timers.push_back({ id, period, fw::clock().steadyMs() + period }); }
    void clockChanged() override
    {
        ++changes;
        for (Timer& t : timers)
            t.due = fw::clock().steadyMs() + t.period;
    }
    std::optional<int64_t> nextDue() const override
    {
        std::optional<int64_t> next;
        for (const Timer& t : timers)
            if (!next || t.due < *next)
                next = t.due;
        return next;
    }
    void fireDue(int64_t now) override
    {
        for (Timer& t : timers)
            if (t.due <= now) {
                t.due += t.period;
                fired.emplace_back(t.id, fw::clock().steadyMs());
                return;
            }
    }
};

TEST(Clock, TheSystemClockIsInForceUntilAnotherIsInstalled)
{
    EXPECT_FALSE(fw::clock().isManual());
    const int64_t before = fw::clock().steadyMs();
    EXPECT_GE(fw::clock().steadyMs(), before);
    EXPECT_GT(fw::clock().wallTime(), 1'700'000'000); // some time after 2023
    fw::ManualClock manual(100, 1000);
    {
        fw::ClockScope scope(manual);
        EXPECT_EQ(&fw::clock(), &manual);
        EXPECT_EQ(fw::clock().steadyMs(), 100);
    }
    EXPECT_FALSE(fw::clock().isManual());
}

TEST(Clock, AManualClockFiresTimersInTimeOrderAsItAdvances)
{
    Timers listener;
    fw::ManualClock manual(1000, 50'000);
    fw::ClockScope scope(manual);
    EXPECT_EQ(listener.changes, 1);
    listener.add(1, 300);
    listener.add(2, 1000);
    manual.advance(1000);
    // 300, 600, 900 for timer 1; 1000 for timer 2; each fired with the clock at its due time.
    EXPECT_EQ(listener.fired, (std::vector<std::pair<int, int64_t>> { { 1, 1300 }, { 1, 1600 }, { 1, 1900 }, { 2, 2000 } }));
    EXPECT_EQ(manual.steadyMs(), 2000);
    // Both scales move together; setting the wall clock does not move the steady one.
    EXPECT_EQ(manual.wallTime(), 50'001);
    manual.setWallTime(7'000'000);
    EXPECT_EQ(manual.steadyMs(), 2000);
    manual.advance(2500);
    EXPECT_EQ(manual.wallTime(), 7'000'002);
    EXPECT_EQ(listener.fired.size(), 4u + 8u + 2u);
    manual.advance(-5); // time never runs back
    EXPECT_EQ(manual.steadyMs(), 4500);
}

TEST(Clock, AClockThatIsNotInstalledFiresNothing)
{
    Timers listener;
    listener.add(1, 10);
    fw::ManualClock loose;
    loose.advance(1000);
    EXPECT_TRUE(listener.fired.empty());
    EXPECT_EQ(loose.steadyMs(), 1000);
}

} // namespace
