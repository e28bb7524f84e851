#pragma once
// The raw TCP baselines the router figures are set against: whole-buffer
// socket reads and writes, and the two measuring loops (a ping-pong and a
// stream with a fixed number of packets in flight) run over a socket that is
// connected to an echo on loopback.
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace vorlbench {

using Clock = std::chrono::steady_clock;

inline double seconds(Clock::time_point since)
{
    return std::chrono::duration<double>(Clock::now() - since).count();
}

inline void setNoDelay(int fd)
{
    int on = 1;
    setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
}

inline bool writeAll(int fd, const uint8_t* p, std::size_t n)
{
    while (n > 0) {
        const ssize_t w = send(fd, p, n, MSG_NOSIGNAL);
        if (w <= 0)
            return false;
        p += w;
        n -= static_cast<std::size_t>(w);
    }
    return true;
}

inline bool readAll(int fd, uint8_t* p, std::size_t n)
{
    while (n > 0) {
        const ssize_t r = recv(fd, p, n, 0);
        if (r <= 0)
            return false;
        p += r;
        n -= static_cast<std::size_t>(r);
    }
    return true;
}

// Microseconds per round trip of `bytes` bytes; -1 when the echo fails.
inline double rawPingUs(int fd, std::size_t bytes, int pings)
{
    std::vector<uint8_t> out(bytes, 'p');
    std::vector<uint8_t> in(bytes);
    const auto start = Clock::now();
    for (int i = 0; i < pings; ++i) {
        if (!writeAll(fd, out.data(), out.size()) || !readAll(fd, in.data(), in.size()))
            return -1;
    }
    return seconds(start) * 1e6 / pings;
}

// Packets of `bytes` bytes, `window` in flight, each counted as
// `messagesPerPacket` messages: messages per second; -1 when the echo fails.
inline double rawStreamRate(int fd, std::size_t bytes, int window, int packets, int messagesPerPacket)
{
    std::vector<uint8_t> out(bytes, 's');
    std::vector<uint8_t> in(bytes);
    const auto start = Clock::now();
    int sent = 0;
    for (; sent < window && sent < packets; ++sent) {
        if (!writeAll(fd, out.data(), out.size()))
            return -1;
    }
    for (int done = 0; done < packets; ++done) {
        if (!readAll(fd, in.data(), in.size()))
            return -1;
        if (sent < packets) {
            if (!writeAll(fd, out.data(), out.size()))
                return -1;
            ++sent;
        }
    }
    return static_cast<double>(packets) * messagesPerPacket / seconds(start);
}

} // namespace vorlbench
