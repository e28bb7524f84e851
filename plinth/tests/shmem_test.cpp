#include "plinth/shmem.h"

#include <sys/mman.h>

#include <cstring>

#include "../src/persist_wire.h"
#include "named_test_support.h"

namespace plinth::testing {
namespace {

using ShmemTest = NamedObjectTest;

constexpr std::size_t kBlock = 10000; // not a whole page, on purpose

TEST_F(ShmemTest, FreshBlockIsZeroAndKeysAreExclusive)
{
    EXPECT_EQ(ShmemCreate(41, 0), nullptr);
    PlinthShmem* shm = ShmemCreate(41, kBlock);
    ASSERT_NE(shm, nullptr);
    auto* bytes = static_cast<const unsigned char*>(ShmemGetPointer(shm));
    ASSERT_NE(bytes, nullptr);
    std::vector<unsigned char> zero(kBlock, 0);
    EXPECT_EQ(std::memcmp(bytes, zero.data(), kBlock), 0);
    EXPECT_EQ(ShmemCreate(41, kBlock), nullptr);
    EXPECT_EQ(ShmemClose(ShmemCondemn(shm)), 1);
}

TEST_F(ShmemTest, SurvivesItsCreatorUntilCondemned)
{
    ChildProcess writer({ "shm-write", "42", std::to_string(kBlock), "7" });
    ASSERT_EQ(writer.wait(), 0);
    // The creator is gone; the persist server keeps the bytes.
    ChildProcess reader({ "shm-read", "42", std::to_string(kBlock), "7" });
    ASSERT_EQ(reader.wait(), 0);

    PlinthShmem* shm = ShmemOpen(42);
    ASSERT_NE(shm, nullptr);
    EXPECT_EQ(ShmemClose(ShmemCondemn(shm)), 1);
    EXPECT_EQ(ShmemOpen(42), nullptr);
    EXPECT_FALSE(segment_exists(ns_, "mmfPLNTshm42"));
}

TEST_F(ShmemTest, CondemnedBlockLivesWhileAnotherHandleHoldsIt)
{
    PlinthShmem* created = ShmemCreate(43, 64);
    ASSERT_NE(created, nullptr);
    PlinthShmem* opened = ShmemOpen(43);
    ASSERT_NE(opened, nullptr);
    static_cast<char*>(ShmemGetPointer(created))[5] = 'x';
    EXPECT_EQ(ShmemClose(ShmemCondemn(created)), 1);
    EXPECT_EQ(static_cast<char*>(ShmemGetPointer(opened))[5], 'x');
    PlinthShmem* again = ShmemOpen(43);
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(ShmemClose(again), 1);
    EXPECT_EQ(ShmemClose(opened), 1);
    EXPECT_EQ(ShmemOpen(43), nullptr);
}

TEST_F(ShmemTest, KilledHoldersLeaveNoBlockingName)
{
    ChildProcess creator({ "shm-hang", "44", "4096" });
    ASSERT_TRUE(wait_until([&] { return segment_exists(ns_, "mmfPLNTshm44") && held().size() == 1; }));
    pid_t server = persist::server_pid();
    ASSERT_GT(server, 0);
    creator.kill_hard();
    kill(server, SIGKILL);
    ASSERT_TRUE(wait_until([] { return persist::server_pid() == 0; }));
    // Every holder died; the name is still there but must not be taken as live.
    EXPECT_TRUE(segment_exists(ns_, "mmfPLNTshm44"));
    EXPECT_EQ(ShmemOpen(44), nullptr);
    PlinthShmem* shm = ShmemCreate(44, 4096);
    ASSERT_NE(shm, nullptr);
    EXPECT_EQ(ShmemClose(ShmemCondemn(shm)), 1);
}

TEST_F(ShmemTest, ForkedChildClosingItsCopyLeavesTheParentsHold)
{
    PlinthShmem* shm = ShmemCreate(46, 64);
    ASSERT_NE(shm, nullptr);
    // From here on this process is the only holder, through a descriptor the
    // child shares.
    ASSERT_EQ(persist::PersistRelease(persist::kShmemType, 46), 1);
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0)
        _exit(ShmemClose(shm) == 1 ? 0 : 1);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    PlinthShmem* again = ShmemOpen(46);
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(ShmemClose(again), 1);
    EXPECT_EQ(ShmemClose(shm), 1);
    EXPECT_FALSE(segment_exists(ns_, "mmfPLNTshm46")) << "the last holder takes the name with it";
}

TEST_F(ShmemTest, NamespacesKeepEqualKeysApart)
{
    std::string other = unique_namespace();
    ChildProcess here({ "shm-write", "45", "512", "1" });
    ChildProcess there({ "shm-write", "45", "512", "2" }, { "PLINTH_NAMESPACE=" + other });
    EXPECT_EQ(here.wait(), 0);
    EXPECT_EQ(there.wait(), 0);
    ChildProcess read_here({ "shm-read", "45", "512", "1" });
    ChildProcess read_there({ "shm-read", "45", "512", "2" }, { "PLINTH_NAMESPACE=" + other });
    EXPECT_EQ(read_here.wait(), 0);
    EXPECT_EQ(read_there.wait(), 0);
    setenv("PLINTH_NAMESPACE", other.c_str(), 1);
    SysStopPersistServer();
    remove_segments(other);
    setenv("PLINTH_NAMESPACE", ns_.c_str(), 1);
}

TEST_F(ShmemTest, ReadOnlyKeepsTheAddress)
{
    PlinthShmem* shm = ShmemCreate(0, 4096);
    ASSERT_NE(shm, nullptr);
    void* before = ShmemGetPointer(shm);
    EXPECT_EQ(ShmemReadOnly(shm), 1);
    EXPECT_EQ(ShmemGetPointer(shm), before);
    EXPECT_EQ(ShmemReadWrite(shm), 1);
    static_cast<char*>(before)[0] = 1;
    EXPECT_EQ(ShmemClose(shm), 1);
    // Key 0 is private: the server was never needed.
    EXPECT_EQ(persist::server_pid(), 0);
    EXPECT_EQ(ShmemOpen(0), nullptr);
}

TEST_F(ShmemTest, InvalidHandlesAreRefused)
{
    EXPECT_EQ(ShmemGetPointer(nullptr), nullptr);
    EXPECT_EQ(ShmemReadOnly(nullptr), 0);
    EXPECT_EQ(ShmemReadWrite(nullptr), 0);
    EXPECT_EQ(ShmemCondemn(nullptr), nullptr);
    EXPECT_EQ(ShmemClose(nullptr), 0);
}

} // namespace
} // namespace plinth::testing
