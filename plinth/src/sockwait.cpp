// Waiting for one socket to become readable, then receiving or accepting once.
#include "plinth/sockwait.h"

#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <ctime>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace {

enum class WaitResult { Ready, TimedOut, Failed };

int64_t monotonicMs()
{
    timespec ts {};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<int64_t>(ts.tv_sec) * 1000 + ts.tv_nsec / 1000000;
}

// Microseconds round up so that a short positive time-out never becomes a busy poll of 0.
int64_t timeoutMs(const timeval* timeout)
{
    if (!timeout)
        return -1;
    if (timeout->tv_sec < 0 || (timeout->tv_sec == 0 && timeout->tv_usec <= 0))
        return 0;
    const int64_t usec = timeout->tv_usec < 0 ? 0 : timeout->tv_usec;
    if (timeout->tv_sec > INT64_MAX / 2000)
        return INT64_MAX / 2;
    return static_cast<int64_t>(timeout->tv_sec) * 1000 + (usec + 999) / 1000;
}

// Waits until the socket is readable (or has an error or hang-up to report) or the time
// has passed. An interrupted wait resumes with the time that is left.
WaitResult waitReadable(int sock, const timeval* timeout)
{
    if (sock < 0) { // poll would silently skip it and report a time-out
        errno = EBADF;
        return WaitResult::Failed;
    }
    const int64_t total = timeoutMs(timeout);
    const int64_t deadline = total < 0 ? 0 : monotonicMs() + total;
    for (;;) {
        int slice = -1;
        if (total >= 0) {
            const int64_t left = deadline - monotonicMs();
            slice = left <= 0 ? 0 : static_cast<int>(left > INT_MAX ? INT_MAX : left);
        }
        pollfd pfd {sock, POLLIN, 0};
        const int n = poll(&pfd, 1, slice);
        if (n > 0)
            return WaitResult::Ready;
        if (n < 0 && errno != EINTR)
            return WaitResult::Failed;
        if (n == 0 && total >= 0 && monotonicMs() >= deadline)
            return WaitResult::TimedOut;
    }
}

// The old calls' convention: 1 when readable, 0 after the time-out, -1 after a failure that is
// reported under the function's name.
int oldStyleWait(int sock, const timeval* timeout, const char* function)
{
    switch (waitReadable(sock, timeout)) {
    case WaitResult::Failed:
        std::perror(function);
        return -1;
    case WaitResult::TimedOut:
        return 0;
    case WaitResult::Ready:
        break;
    }
    return 1;
}

} // namespace

PLINTH_API int SYSSocketStartup(void)
{
    return 1;
}

PLINTH_API int SYSrecvwait(int sock, void* buffer, int size, int flags, const struct timeval* timeout)
{
    if (const int ready = oldStyleWait(sock, timeout, "SYSrecvwait"); ready != 1)
        return ready;
    return static_cast<int>(recv(sock, buffer, size < 0 ? 0 : static_cast<size_t>(size), flags));
}

PLINTH_API int SYSrecvfromwait(int sock, void* buffer, int size, int flags, struct sockaddr* from,
                               socklen_t* fromLength, const struct timeval* timeout)
{
    if (const int ready = oldStyleWait(sock, timeout, "SYSrecvfromwait"); ready != 1)
        return ready;
    return static_cast<int>(recvfrom(sock, buffer, size < 0 ? 0 : static_cast<size_t>(size), flags, from, fromLength));
}

PLINTH_API int SYSacceptwait(int sock, struct sockaddr* address, socklen_t* addressLength,
                             const struct timeval* timeout)
{
    if (const int ready = oldStyleWait(sock, timeout, "SYSacceptwait"); ready != 1)
        return ready;
    int accepted = accept(sock, address, addressLength);
    if (accepted == 0) {
        // 0 means "timed out" to the caller, so an accepted socket must not be descriptor 0.
        const int moved = fcntl(accepted, F_DUPFD, 1);
        close(accepted);
        accepted = moved;
    }
    return accepted;
}

PLINTH_API int SYSioctl(int, long, unsigned long*)
{
    return -1;
}

PLINTH_API struct servent* SYSgetservbyname(const char*, const char*)
{
    return nullptr;
}

PLINTH_API int PlinthRecvWait(int sock, void* buffer, int size, int flags, const struct timeval* timeout)
{
    if (!buffer || size < 1) {
        errno = EINVAL;
        return PLINTH_RECV_ERROR;
    }
    switch (waitReadable(sock, timeout)) {
    case WaitResult::Failed:
        return PLINTH_RECV_ERROR;
    case WaitResult::TimedOut:
        return PLINTH_RECV_TIMEOUT;
    case WaitResult::Ready:
        break;
    }
    for (;;) {
        const ssize_t n = recv(sock, buffer, static_cast<size_t>(size), flags);
        if (n > 0)
            return static_cast<int>(n);
        if (n == 0)
            return PLINTH_RECV_CLOSED;
        if (errno == EINTR)
            continue;
        // Readiness without data on a non-blocking socket is nothing to read yet.
        if (errno == EAGAIN || errno == EWOULDBLOCK)
            return PLINTH_RECV_TIMEOUT;
        return PLINTH_RECV_ERROR;
    }
}
