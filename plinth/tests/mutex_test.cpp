#include "plinth/mutex.h"

#include "named_test_support.h"
#include "plinth/shmem.h"

namespace plinth::testing {
namespace {

using MutexTest = NamedObjectTest;

TEST_F(MutexTest, RecursiveOwnership)
{
    PlinthMutex* mutex = MutexCreate(21);
    ASSERT_NE(mutex, nullptr);
    EXPECT_EQ(MutexCreate(21), nullptr);
    EXPECT_EQ(MutexGet(mutex), 1);
    EXPECT_EQ(MutexGet(mutex), 1);
    EXPECT_EQ(MutexRelease(mutex), 1);
    EXPECT_EQ(MutexRelease(mutex), 1);
    EXPECT_EQ(MutexRelease(mutex), 0) << "releasing a mutex nobody owns is a failure";
    EXPECT_EQ(MutexClose(MutexCondemn(mutex)), 1);
    EXPECT_EQ(MutexOpen(21), nullptr);
}

TEST_F(MutexTest, ExcludesAcrossProcesses)
{
    PlinthMutex* mutex = MutexCreate(22);
    PlinthShmem* counter = ShmemCreate(23, sizeof(std::uint32_t));
    ASSERT_NE(mutex, nullptr);
    ASSERT_NE(counter, nullptr);
    constexpr int kChildren = 4;
    constexpr int kIterations = 3000;
    std::vector<std::unique_ptr<ChildProcess>> children;
    for (int i = 0; i < kChildren; ++i) {
        children.push_back(std::make_unique<ChildProcess>(
            std::vector<std::string> { "mutex-count", "22", "23", std::to_string(kIterations) }));
    }
    for (auto& child : children)
        EXPECT_EQ(child->wait(), 0);
    EXPECT_EQ(*static_cast<std::uint32_t*>(ShmemGetPointer(counter)),
        static_cast<std::uint32_t>(kChildren * kIterations));
    EXPECT_EQ(ShmemClose(ShmemCondemn(counter)), 1);
    EXPECT_EQ(MutexClose(MutexCondemn(mutex)), 1);
}

TEST_F(MutexTest, DeadOwnerHandsTheMutexOn)
{
    PlinthMutex* mutex = MutexCreate(24);
    ASSERT_NE(mutex, nullptr);
    ChildProcess owner({ "mutex-die", "24" });
    ASSERT_EQ(owner.wait(), 0);
    EXPECT_EQ(MutexGet(mutex), 1);
    EXPECT_EQ(MutexRelease(mutex), 1);
    EXPECT_EQ(MutexGet(mutex), 1) << "the mutex stays usable after the recovery";
    EXPECT_EQ(MutexRelease(mutex), 1);
    EXPECT_EQ(MutexClose(MutexCondemn(mutex)), 1);
}

TEST_F(MutexTest, PrivateMutexExcludesThreads)
{
    PlinthMutex* mutex = MutexCreate(0);
    ASSERT_NE(mutex, nullptr);
    int counter = 0;
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&] {
            for (int i = 0; i < 5000; ++i) {
                MutexGet(mutex);
                int value = counter;
                if (i % 64 == 0)
                    std::this_thread::yield();
                counter = value + 1;
                MutexRelease(mutex);
            }
        });
    }
    for (auto& t : threads)
        t.join();
    EXPECT_EQ(counter, 20000);
    EXPECT_EQ(MutexClose(mutex), 1);
}

TEST_F(MutexTest, InvalidHandlesAreRefused)
{
    EXPECT_EQ(MutexGet(nullptr), 0);
    EXPECT_EQ(MutexRelease(nullptr), 0);
    EXPECT_EQ(MutexCondemn(nullptr), nullptr);
    EXPECT_EQ(MutexClose(nullptr), 0);
    EXPECT_EQ(MutexOpen(0), nullptr);
}

} // namespace
} // namespace plinth::testing
