#include "plinth/sockwait.h"

#include <arpa/inet.h>
#include <cerrno>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

namespace {

class Fd {
public:
    explicit Fd(int fd = -1) : fd_(fd) {}
    ~Fd() { reset(); }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return fd_; }
    void reset(int fd = -1)
    {
        if (fd_ >= 0)
            close(fd_);
        fd_ = fd;
    }

private:
    int fd_;
};

struct StreamPair {
    Fd a, b;
    StreamPair()
    {
        int fds[2];
        EXPECT_EQ(socketpair(AF_UNIX, SOCK_STREAM, 0, fds), 0);
        a.reset(fds[0]);
        b.reset(fds[1]);
    }
};

const timeval kZero {0, 0};
const timeval kShort {0, 20000};

TEST(SockWait, ReceiveTimeOutDataAndClose)
{
    StreamPair pair;
    char buf[8] = {};
    // Nothing to read: a zero time-out answers at once, so does a short one when it ends.
    EXPECT_EQ(SYSrecvwait(pair.a.get(), buf, sizeof buf, 0, &kZero), 0);
    EXPECT_EQ(SYSrecvwait(pair.a.get(), buf, sizeof buf, 0, &kShort), 0);
    EXPECT_EQ(PlinthRecvWait(pair.a.get(), buf, sizeof buf, 0, &kZero), PLINTH_RECV_TIMEOUT);
    EXPECT_EQ(PlinthRecvWait(pair.a.get(), buf, sizeof buf, 0, &kShort), PLINTH_RECV_TIMEOUT);

    ASSERT_EQ(send(pair.b.get(), "hello", 5, MSG_NOSIGNAL), 5);
    EXPECT_EQ(SYSrecvwait(pair.a.get(), buf, 3, 0, nullptr), 3);
    EXPECT_EQ(PlinthRecvWait(pair.a.get(), buf, sizeof buf, 0, &kZero), 2);
    EXPECT_EQ(std::string(buf, 2), "lo");

    // After an orderly close the plain wait says 0, the closed-peer wait says so.
    pair.b.reset();
    EXPECT_EQ(SYSrecvwait(pair.a.get(), buf, sizeof buf, 0, nullptr), 0);
    EXPECT_EQ(PlinthRecvWait(pair.a.get(), buf, sizeof buf, 0, nullptr), PLINTH_RECV_CLOSED);
}

TEST(SockWait, ErrorsAreErrors)
{
    char buf[4];
    EXPECT_EQ(SYSrecvwait(-1, buf, sizeof buf, 0, &kZero), -1);
    EXPECT_EQ(PlinthRecvWait(-1, buf, sizeof buf, 0, &kZero), PLINTH_RECV_ERROR);
    StreamPair pair;
    errno = 0;
    EXPECT_EQ(PlinthRecvWait(pair.a.get(), buf, 0, 0, &kZero), PLINTH_RECV_ERROR);
    EXPECT_EQ(errno, EINVAL);
    EXPECT_EQ(SYSioctl(pair.a.get(), 0, nullptr), -1);
    EXPECT_EQ(SYSgetservbyname("http", "tcp"), nullptr);
    EXPECT_EQ(SYSSocketStartup(), 1);
}

TEST(SockWait, AcceptAndReceiveFromOnLoopback)
{
    sockaddr_in addr {};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    Fd listener(socket(AF_INET, SOCK_STREAM, 0));
    ASSERT_EQ(bind(listener.get(), reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
    ASSERT_EQ(listen(listener.get(), 1), 0);
    socklen_t len = sizeof addr;
    ASSERT_EQ(getsockname(listener.get(), reinterpret_cast<sockaddr*>(&addr), &len), 0);

    sockaddr_in peer {};
    socklen_t peerLen = sizeof peer;
    EXPECT_EQ(SYSacceptwait(listener.get(), reinterpret_cast<sockaddr*>(&peer), &peerLen, &kZero), 0);
    Fd client(socket(AF_INET, SOCK_STREAM, 0));
    ASSERT_EQ(connect(client.get(), reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
    peerLen = sizeof peer;
    Fd accepted(SYSacceptwait(listener.get(), reinterpret_cast<sockaddr*>(&peer), &peerLen, nullptr));
    EXPECT_GT(accepted.get(), 0);

    Fd udp(socket(AF_INET, SOCK_DGRAM, 0));
    sockaddr_in uaddr {};
    uaddr.sin_family = AF_INET;
    uaddr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ASSERT_EQ(bind(udp.get(), reinterpret_cast<sockaddr*>(&uaddr), sizeof uaddr), 0);
    len = sizeof uaddr;
    ASSERT_EQ(getsockname(udp.get(), reinterpret_cast<sockaddr*>(&uaddr), &len), 0);
    char buf[16];
    sockaddr_in from {};
    socklen_t fromLen = sizeof from;
    EXPECT_EQ(SYSrecvfromwait(udp.get(), buf, sizeof buf, 0, reinterpret_cast<sockaddr*>(&from), &fromLen, &kZero), 0);
    ASSERT_EQ(sendto(udp.get(), "ping", 4, 0, reinterpret_cast<sockaddr*>(&uaddr), sizeof uaddr), 4);
    fromLen = sizeof from;
    EXPECT_EQ(SYSrecvfromwait(udp.get(), buf, sizeof buf, 0, reinterpret_cast<sockaddr*>(&from), &fromLen, nullptr), 4);
    EXPECT_EQ(from.sin_port, uaddr.sin_port);
}

} // namespace
