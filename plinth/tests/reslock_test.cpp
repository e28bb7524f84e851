#include "plinth/reslock.h"

#include "named_test_support.h"
#include "plinth/shmem.h"

namespace plinth::testing {
namespace {

constexpr std::uint32_t kReaderCode = 100;
constexpr std::uint32_t kWriterCode = 200; // the writer logs 200 on taking, 201 on leaving

class ReslockTest : public NamedObjectTest {
protected:
    void SetUp() override
    {
        NamedObjectTest::SetUp();
        lock_ = ReslockCreate(31);
        log_ = ShmemCreate(32, 4096);
        ASSERT_NE(lock_, nullptr);
        ASSERT_NE(log_, nullptr);
        control_ = peek("_PLNTctllk%d", 31);
        resource_ = peek("_PLNTreslk%d", 31);
        ASSERT_TRUE(control_ && resource_);
    }
    void TearDown() override
    {
        control_.reset();
        resource_.reset();
        if (log_ != nullptr)
            ShmemClose(ShmemCondemn(log_));
        if (lock_ != nullptr)
            ReslockClose(ReslockCondemn(lock_));
        NamedObjectTest::TearDown();
    }

    sync::SemaphoreCell& control() { return *static_cast<sync::SemaphoreCell*>(control_->base()); }
    sync::SemaphoreCell& resource() { return *static_cast<sync::SemaphoreCell*>(resource_->base()); }

    std::vector<std::uint32_t> log()
    {
        auto* words = static_cast<std::uint32_t*>(ShmemGetPointer(log_));
        return std::vector<std::uint32_t>(words + 1, words + 1 + std::min<std::uint32_t>(words[0], 64));
    }

    PlinthReslock* lock_ = nullptr;
    PlinthShmem* log_ = nullptr;
    std::optional<named::Segment> control_;
    std::optional<named::Segment> resource_;
};

TEST_F(ReslockTest, TwentyFirstReaderWaits)
{
    for (int i = 0; i < 20; ++i)
        ASSERT_EQ(ReslockGetRead(lock_), 1);
    ChildProcess reader({ "reslock-read", "31", "32", std::to_string(kReaderCode) });
    // Blocked for a unit: it announced itself on the resource semaphore.
    ASSERT_TRUE(wait_until([&] { return resource().waiters.load() > 0; }));
    EXPECT_TRUE(log().empty());
    EXPECT_EQ(ReslockReleaseRead(lock_), 1);
    EXPECT_EQ(reader.wait(), 0);
    EXPECT_EQ(log(), std::vector<std::uint32_t> { kReaderCode });
    for (int i = 0; i < 19; ++i)
        ASSERT_EQ(ReslockReleaseRead(lock_), 1);
    EXPECT_EQ(ReslockReleaseRead(lock_), 0) << "more reads released than taken";
    EXPECT_EQ(ReslockGetWrite(lock_), 1);
    EXPECT_EQ(ReslockReleaseWrite(lock_), 1);
}

TEST_F(ReslockTest, ReaderAfterAWaitingWriterWaitsForIt)
{
    ASSERT_EQ(ReslockGetRead(lock_), 1);
    ChildProcess writer({ "reslock-write", "31", "32", std::to_string(kWriterCode) });
    // The writer holds the control semaphore and waits for the last unit (ours).
    ASSERT_TRUE(wait_until([&] { return control().count.load() == 0 && resource().waiters.load() > 0; }));
    ChildProcess reader({ "reslock-read", "31", "32", std::to_string(kReaderCode) });
    ASSERT_TRUE(wait_until([&] { return control().waiters.load() > 0; }));
    EXPECT_TRUE(log().empty());
    EXPECT_EQ(ReslockReleaseRead(lock_), 1);
    EXPECT_EQ(writer.wait(), 0);
    EXPECT_EQ(reader.wait(), 0);
    EXPECT_EQ(log(), (std::vector<std::uint32_t> { kWriterCode, kWriterCode + 1, kReaderCode }));
}

TEST_F(ReslockTest, WriterExcludesReadersAndWritersInProcess)
{
    ASSERT_EQ(ReslockGetWrite(lock_), 1);
    EXPECT_EQ(resource().count.load(), 0u);
    EXPECT_EQ(ReslockReleaseWrite(lock_), 1);
    EXPECT_EQ(ReslockReleaseWrite(lock_), 0) << "a second write release would pass the maximum";
    EXPECT_EQ(resource().count.load(), 20u);
}

TEST_F(ReslockTest, OpenAndCondemn)
{
    EXPECT_EQ(ReslockCreate(31), nullptr);
    PlinthReslock* opened = ReslockOpen(31);
    ASSERT_NE(opened, nullptr);
    EXPECT_EQ(ReslockGetRead(opened), 1);
    EXPECT_EQ(ReslockReleaseRead(opened), 1);
    EXPECT_EQ(ReslockClose(ReslockCondemn(opened)), 1);
    control_.reset();
    resource_.reset();
    // Still ours through lock_; once that goes too, the lock is gone.
    PlinthReslock* again = ReslockOpen(31);
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(ReslockClose(again), 1);
    EXPECT_EQ(ReslockClose(lock_), 1);
    lock_ = nullptr;
    EXPECT_EQ(ReslockOpen(31), nullptr);
    EXPECT_FALSE(segment_exists(ns_, "_PLNTctllk31"));
    EXPECT_FALSE(segment_exists(ns_, "_PLNTreslk31"));
}

TEST(ReslockThreads, ReadersNeverMeetAWriter)
{
    PlinthReslock* lock = ReslockCreate(0);
    ASSERT_NE(lock, nullptr);
    std::atomic<int> readers { 0 };
    std::atomic<int> writers { 0 };
    std::atomic<int> most_readers { 0 };
    std::atomic<int> clashes { 0 };
    std::vector<std::thread> threads;
    for (int t = 0; t < 8; ++t) {
        threads.emplace_back([&, t] {
            for (int i = 0; i < 2000; ++i) {
                bool write = (i + t) % 7 == 0;
                if (write) {
                    ReslockGetWrite(lock);
                    if (writers.fetch_add(1) != 0 || readers.load() != 0)
                        ++clashes;
                    writers.fetch_sub(1);
                    ReslockReleaseWrite(lock);
                } else {
                    ReslockGetRead(lock);
                    int now = readers.fetch_add(1) + 1;
                    if (writers.load() != 0)
                        ++clashes;
                    int seen = most_readers.load();
                    while (now > seen && !most_readers.compare_exchange_weak(seen, now)) { }
                    readers.fetch_sub(1);
                    ReslockReleaseRead(lock);
                }
            }
        });
    }
    for (auto& thread : threads)
        thread.join();
    EXPECT_EQ(clashes.load(), 0);
    EXPECT_LE(most_readers.load(), 20);
    // Every unit came back: a writer gets the lock at once.
    EXPECT_EQ(ReslockGetWrite(lock), 1);
    EXPECT_EQ(ReslockReleaseWrite(lock), 1);
    EXPECT_EQ(ReslockClose(lock), 1);
}

TEST(ReslockHandles, InvalidHandlesAreRefused)
{
    EXPECT_EQ(ReslockGetRead(nullptr), 0);
    EXPECT_EQ(ReslockReleaseRead(nullptr), 0);
    EXPECT_EQ(ReslockGetWrite(nullptr), 0);
    EXPECT_EQ(ReslockReleaseWrite(nullptr), 0);
    EXPECT_EQ(ReslockCondemn(nullptr), nullptr);
    EXPECT_EQ(ReslockClose(nullptr), 0);
}

} // namespace
} // namespace plinth::testing
