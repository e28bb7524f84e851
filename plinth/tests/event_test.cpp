#include "plinth/event.h"

#include "named_test_support.h"

namespace plinth::testing {
namespace {

using EventTest = NamedObjectTest;

// The state word of a live event as another process sees it: 2 once a waiter
// has announced itself.
bool waiter_announced(named::Segment& segment)
{
    return static_cast<sync::EventCell*>(segment.base())->state.load() == 2;
}

TEST_F(EventTest, CreateOnceOpenMany)
{
    PlinthEvent* event = EventCreate(11);
    ASSERT_NE(event, nullptr);
    EXPECT_EQ(EventCreate(11), nullptr);
    PlinthEvent* opened = EventOpen(11);
    ASSERT_NE(opened, nullptr);
    EXPECT_EQ(EventClose(opened), 1);
    EXPECT_EQ(EventClose(event), 1);
    // Not condemned: the server still holds it.
    opened = EventOpen(11);
    ASSERT_NE(opened, nullptr);
    EXPECT_EQ(EventClose(EventCondemn(opened)), 1);
    EXPECT_EQ(EventOpen(11), nullptr);
}

TEST_F(EventTest, ZeroSecondsOnlyTests)
{
    PlinthEvent* event = EventCreate(12);
    ASSERT_NE(event, nullptr);
    EXPECT_EQ(EventWait(event, 0), 0);
    ASSERT_EQ(EventSetToUnblocked(event), 1);
    EXPECT_EQ(EventWait(event, 0), 1);
    EXPECT_EQ(EventWait(event, 0), 1) << "waiting must not block the event again";
    ChildProcess other({ "event-wait", "12", "0" });
    EXPECT_EQ(other.wait(), 1);
    ASSERT_EQ(EventSetToBlocked(event), 1);
    EXPECT_EQ(EventWait(event, 0), 0);
    EXPECT_EQ(EventClose(EventCondemn(event)), 1);
}

// The waiter's limit in seconds: none, or one far longer than the test.
class EventWaitAcrossProcesses : public EventTest, public ::testing::WithParamInterface<int> { };

TEST_P(EventWaitAcrossProcesses, WaiterWakesWhenUnblocked)
{
    PlinthEvent* event = EventCreate(13);
    ASSERT_NE(event, nullptr);
    auto watch = peek("eventPLNT%d", 13);
    ASSERT_TRUE(watch);
    ChildProcess waiter({ "event-wait", "13", std::to_string(GetParam()) });
    ASSERT_TRUE(wait_until([&] { return waiter_announced(*watch); }));
    ASSERT_EQ(EventSetToUnblocked(event), 1);
    EXPECT_EQ(waiter.wait(), 1);
    EXPECT_EQ(EventClose(EventCondemn(event)), 1);
}

INSTANTIATE_TEST_SUITE_P(Limits, EventWaitAcrossProcesses, ::testing::Values(-1, 60),
    [](const auto& info) { return info.param < 0 ? std::string("Forever") : std::string("LongLimit"); });

TEST_F(EventTest, WaitTimesOutAfterItsSeconds)
{
    PlinthEvent* event = EventCreate(14);
    ASSERT_NE(event, nullptr);
    auto start = std::chrono::steady_clock::now();
    ChildProcess waiter({ "event-wait", "14", "1" });
    EXPECT_EQ(waiter.wait(), 0);
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(1000));
    EXPECT_EQ(EventClose(EventCondemn(event)), 1);
}

TEST_F(EventTest, UnblockReleasesEveryWaiter)
{
    PlinthEvent* event = EventCreate(0);
    ASSERT_NE(event, nullptr);
    std::atomic<int> woken { 0 };
    std::vector<std::thread> waiters;
    for (int i = 0; i < 4; ++i)
        waiters.emplace_back([&] { woken += EventWait(event, 60); });
    EXPECT_EQ(EventSetToUnblocked(event), 1);
    for (auto& t : waiters)
        t.join();
    EXPECT_EQ(woken.load(), 4);
    EXPECT_EQ(EventClose(event), 1);
    EXPECT_EQ(persist::server_pid(), 0) << "a private event never needs the server";
}

TEST_F(EventTest, PingPongLosesNoWakeUp)
{
    PlinthEvent* ping = EventCreate(0);
    PlinthEvent* pong = EventCreate(0);
    ASSERT_TRUE(ping && pong);
    constexpr int kRounds = 5000;
    std::atomic<int> missed { 0 };
    std::thread answerer([&] {
        for (int i = 0; i < kRounds && missed.load() == 0; ++i) {
            if (EventWait(ping, 10) != 1)
                ++missed;
            EventSetToBlocked(ping);
            EventSetToUnblocked(pong);
        }
    });
    for (int i = 0; i < kRounds && missed.load() == 0; ++i) {
        EventSetToUnblocked(ping);
        if (EventWait(pong, 10) != 1)
            ++missed;
        EventSetToBlocked(pong);
    }
    answerer.join();
    EXPECT_EQ(missed.load(), 0);
    EXPECT_EQ(EventClose(ping), 1);
    EXPECT_EQ(EventClose(pong), 1);
}

TEST_F(EventTest, InvalidHandlesAreRefused)
{
    EXPECT_EQ(EventSetToUnblocked(nullptr), 0);
    EXPECT_EQ(EventSetToBlocked(nullptr), 0);
    EXPECT_EQ(EventWait(nullptr, 0), 0);
    EXPECT_EQ(EventWait(nullptr, -1), 0);
    EXPECT_EQ(EventCondemn(nullptr), nullptr);
    EXPECT_EQ(EventClose(nullptr), 0);
    EXPECT_EQ(EventOpen(0), nullptr);
}

} // namespace
} // namespace plinth::testing
