#include "plinth/persist.h"

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>

#include "../src/persist_wire.h"
#include "named_test_support.h"
#include "plinth/event.h"
#include "plinth/mutex.h"
#include "plinth/reslock.h"
#include "plinth/shmem.h"

namespace plinth::testing {
namespace {

using PersistTest = NamedObjectTest;

bool same(const std::vector<PersistHeldObject>& got, const std::vector<std::pair<int, int>>& want)
{
    if (got.size() != want.size())
        return false;
    for (std::size_t i = 0; i < got.size(); ++i) {
        if (got[i].key != want[i].first || got[i].kind != want[i].second)
            return false;
    }
    return true;
}

TEST_F(PersistTest, FirstCreateStartsTheServerAndQueryListsKinds)
{
    EXPECT_EQ(persist::server_pid(), 0);
    int count = -1;
    EXPECT_EQ(SysQueryPersistServer(nullptr, 0, &count), 0);

    PlinthMutex* mutex = MutexCreate(5);
    ASSERT_NE(mutex, nullptr);
    EXPECT_GT(persist::server_pid(), 0);
    PlinthEvent* event = EventCreate(6);
    PlinthReslock* lock = ReslockCreate(7);
    PlinthShmem* shm = ShmemCreate(8, 100);
    PlinthShmem* second_shm = ShmemCreate(-9, 100);
    ASSERT_TRUE(event && lock && shm && second_shm);
    // Shared memory, locks (once each), events, mutexes; newest first within each.
    EXPECT_TRUE(same(held(),
        { { -9, PERSIST_KIND_SHMEM }, { 8, PERSIST_KIND_SHMEM }, { 7, PERSIST_KIND_RESLOCK },
            { 6, PERSIST_KIND_EVENT }, { 5, PERSIST_KIND_MUTEX } }));
    // A short buffer still learns the full count.
    PersistHeldObject first {};
    ASSERT_EQ(SysQueryPersistServer(&first, 1, &count), 1);
    EXPECT_EQ(count, 5);
    EXPECT_EQ(first.key, -9);

    EXPECT_EQ(MutexClose(MutexCondemn(mutex)), 1);
    EXPECT_EQ(EventClose(EventCondemn(event)), 1);
    EXPECT_EQ(ReslockClose(ReslockCondemn(lock)), 1);
    EXPECT_EQ(ShmemClose(ShmemCondemn(shm)), 1);
    EXPECT_EQ(ShmemClose(second_shm), 1);
    EXPECT_TRUE(same(held(), { { -9, PERSIST_KIND_SHMEM } }));
}

TEST_F(PersistTest, SecondServerExitsWith183)
{
    PlinthEvent* event = EventCreate(1);
    ASSERT_NE(event, nullptr);
    pid_t first = persist::server_pid();
    std::string program = bin_dir() + "/plinth_o";
    char name[] = "plinth_o";
    char* argv[] = { name, nullptr };
    pid_t second = 0;
    ASSERT_EQ(posix_spawn(&second, program.c_str(), nullptr, nullptr, argv, environ), 0);
    int status = 0;
    ASSERT_TRUE(wait_until([&] { return waitpid(second, &status, WNOHANG) == second; }));
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 183);
    EXPECT_EQ(persist::server_pid(), first);
    EXPECT_EQ(held().size(), 1u);
    EXPECT_EQ(SysRunPersistServer(), 183) << "the same check for a server run in-process";
    EXPECT_EQ(EventClose(EventCondemn(event)), 1);
}

TEST_F(PersistTest, ServerAnswersWithItsRealResult)
{
    PlinthEvent* event = EventCreate(2);
    ASSERT_NE(event, nullptr);
    // Nothing of that name, a type out of range, an object of another kind.
    EXPECT_EQ(persist::PersistAccept(persist::kEventType, 3), 0);
    EXPECT_EQ(persist::PersistAccept(5, 2), 0);
    EXPECT_EQ(persist::PersistAccept(-1, 2), 0);
    EXPECT_EQ(persist::PersistRelease(persist::kEventType, 3), 0);
    // Held twice: one release lets go of the newer hold only.
    EXPECT_EQ(persist::PersistAccept(persist::kEventType, 2), 1);
    EXPECT_EQ(held().size(), 2u);
    EXPECT_EQ(persist::PersistRelease(persist::kEventType, 2), 1);
    EXPECT_TRUE(same(held(), { { 2, PERSIST_KIND_EVENT } }));
    EXPECT_EQ(EventClose(EventCondemn(event)), 1);
    EXPECT_TRUE(held().empty());
}

TEST_F(PersistTest, CreateFailsWithoutAServerAndLeavesNothing)
{
    persist::set_server_program_for_testing("/nonexistent/plinth_o");
    EXPECT_EQ(EventCreate(4), nullptr);
    EXPECT_EQ(ShmemCreate(4, 64), nullptr);
    EXPECT_EQ(ReslockCreate(4), nullptr);
    EXPECT_EQ(MutexCreate(4), nullptr);
    EXPECT_FALSE(segment_exists(ns_, "eventPLNT4"));
    EXPECT_FALSE(segment_exists(ns_, "mmfPLNTshm4"));
    EXPECT_FALSE(segment_exists(ns_, "_PLNTreslk4"));
    EXPECT_FALSE(segment_exists(ns_, "_PLNTctllk4"));
    EXPECT_EQ(EventOpen(4), nullptr);
    // Private objects never need the server.
    PlinthEvent* own = EventCreate(0);
    ASSERT_NE(own, nullptr);
    EXPECT_EQ(EventClose(own), 1);
}

TEST_F(PersistTest, ServerKeepsNoDescriptorOfItsStarter)
{
    int fds[2];
    ASSERT_EQ(pipe(fds), 0); // inheritable on purpose
    PlinthEvent* event = EventCreate(9);
    ASSERT_NE(event, nullptr);
    close(fds[1]);
    // With the write end left only in a long-lived server, this would never end.
    pollfd readable { fds[0], POLLIN, 0 };
    ASSERT_EQ(poll(&readable, 1, 20000), 1);
    char byte = 0;
    EXPECT_EQ(read(fds[0], &byte, 1), 0);
    close(fds[0]);
    EXPECT_EQ(EventClose(EventCondemn(event)), 1);
}

// A raw connection to the server, for what no well-behaved client sends.
int connect_raw()
{
    sockaddr_un address {};
    socklen_t length = 0;
    if (!persist::server_address(address, length))
        return -1;
    int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd >= 0 && connect(fd, reinterpret_cast<sockaddr*>(&address), length) != 0) {
        close(fd);
        return -1;
    }
    timeval limit { 20, 0 };
    setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit);
    return fd;
}

TEST_F(PersistTest, ServerShrugsOffBadFrames)
{
    PlinthEvent* event = EventCreate(11);
    ASSERT_NE(event, nullptr);
    const std::vector<std::vector<std::uint8_t>> frames {
        std::vector<std::uint8_t>(16, 0xff), // wrong magic
        { 0x50, 0x4c, 0x50, 0x53, 9, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0 }, // unknown operation
        { 0x50, 0x4c, 0x50 }, // cut short, then the client goes away
        std::vector<std::uint8_t>(4096, 0x50), // far more than a frame
    };
    for (const auto& frame : frames) {
        int fd = connect_raw();
        ASSERT_GE(fd, 0);
        EXPECT_EQ(send(fd, frame.data(), frame.size(), MSG_NOSIGNAL), static_cast<ssize_t>(frame.size()));
        shutdown(fd, SHUT_WR);
        std::uint8_t reply[8];
        // A bad frame gets no answer, only the end of the connection (a reset
        // when the server left bytes unread).
        EXPECT_LE(recv(fd, reply, sizeof reply, 0), 0);
        close(fd);
    }
    // A client that connects and says nothing does not hold up the others.
    int silent = connect_raw();
    ASSERT_GE(silent, 0);
    EXPECT_TRUE(same(held(), { { 11, PERSIST_KIND_EVENT } }));
    close(silent);
    EXPECT_EQ(EventClose(EventCondemn(event)), 1);
}

TEST_F(PersistTest, StopLetsGoOfEverything)
{
    PlinthShmem* shm = ShmemCreate(10, 64);
    ASSERT_NE(shm, nullptr);
    ASSERT_EQ(ShmemClose(shm), 1);
    EXPECT_TRUE(segment_exists(ns_, "mmfPLNTshm10"));
    EXPECT_EQ(SysStopPersistServer(), 1);
    EXPECT_EQ(persist::server_pid(), 0);
    EXPECT_FALSE(segment_exists(ns_, "mmfPLNTshm10"));
    EXPECT_EQ(SysStopPersistServer(), 0);
}

TEST_F(PersistTest, UnusableNamespaceIsRefused)
{
    setenv("PLINTH_NAMESPACE", "bad/name", 1);
    EXPECT_EQ(EventCreate(1), nullptr);
    EXPECT_EQ(ShmemOpen(1), nullptr);
    EXPECT_EQ(SysQueryPersistServer(nullptr, 0, nullptr), 0);
    setenv("PLINTH_NAMESPACE", std::string(200, 'n').c_str(), 1);
    EXPECT_EQ(MutexCreate(1), nullptr);
    setenv("PLINTH_NAMESPACE", ns_.c_str(), 1);
}

TEST(PersistWire, RequestFrameLayout)
{
    auto frame = persist::encode_request({ persist::Operation::release, 3, -2 });
    const std::array<std::uint8_t, 16> expected { 0x50, 0x4c, 0x50, 0x53, 1, 0, 0, 0, 3, 0, 0, 0, 0xfe, 0xff,
        0xff, 0xff };
    EXPECT_EQ(frame, expected);
    auto decoded = persist::decode_request(frame.data());
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->operation, persist::Operation::release);
    EXPECT_EQ(decoded->type, 3);
    EXPECT_EQ(decoded->key, -2);
    auto bad = frame;
    bad[0] ^= 1;
    EXPECT_FALSE(persist::decode_request(bad.data()));
    bad = frame;
    bad[4] = 4;
    EXPECT_FALSE(persist::decode_request(bad.data()));
}

} // namespace
} // namespace plinth::testing
