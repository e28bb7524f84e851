#pragma once
// Loopback TCP sockets for the attachment server: listening, accepting and
// connecting with bounded waits, sending everything, reading a line.
#include <cstdint>
#include <string>

namespace exchange::ftp {

// A socket descriptor closed with its owner.
class Socket {
public:
    Socket() = default;
    explicit Socket(int fd)
        : fd_(fd)
    {
    }
    ~Socket();
    Socket(Socket&& other) noexcept;
    Socket& operator=(Socket&& other) noexcept;
    Socket(const Socket&) = delete;
    Socket& operator=(const Socket&) = delete;

    int fd() const { return fd_; }
    bool valid() const { return fd_ >= 0; }

private:
    int fd_ = -1;
};

// Listens on 127.0.0.1 at `port` (0: a free port, written back).
Socket ListenOnLoopback(int& port);
// Waits up to `ms` for a connection; an invalid socket when none came.
Socket AcceptWithin(const Socket& listener, int ms);
// Connects to an IPv4 loopback address (127.x.x.x) within `ms`.
Socket ConnectToLoopback(uint32_t address, int port, int ms);
bool SendAll(const Socket& s, const std::string& data);
// Whether `s` has bytes to read (or was closed) within `ms`.
bool Readable(const Socket& s, int ms);

} // namespace exchange::ftp
