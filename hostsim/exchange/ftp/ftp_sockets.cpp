#include "ftp/ftp_sockets.h"

#include <arpa/inet.h>
#include <cerrno>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace exchange::ftp {

Socket::~Socket()
{
    if (fd_ >= 0)
        ::close(fd_);
}

Socket::Socket(Socket&& other) noexcept
    : fd_(other.fd_)
{
    other.fd_ = -1;
}

Socket& Socket::operator=(Socket&& other) noexcept
{
    if (this != &other) {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = other.fd_;
        other.fd_ = -1;
    }
    return *this;
}

Socket ListenOnLoopback(int& port)
{
    Socket s(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0));
    if (!s.valid())
        return s;
    const int on = 1;
    ::setsockopt(s.fd(), SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    sockaddr_in a {};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    a.sin_port = htons(static_cast<uint16_t>(port));
    socklen_t len = sizeof a;
    if (::bind(s.fd(), reinterpret_cast<sockaddr*>(&a), sizeof a) != 0 || ::listen(s.fd(), 8) != 0
        || ::getsockname(s.fd(), reinterpret_cast<sockaddr*>(&a), &len) != 0)
        return Socket();
    port = ntohs(a.sin_port);
    return s;
}

bool Readable(const Socket& s, int ms)
{
    pollfd p { s.fd(), POLLIN, 0 };
    return ::poll(&p, 1, ms) > 0;
}

Socket AcceptWithin(const Socket& listener, int ms)
{
    if (!Readable(listener, ms))
        return Socket();
    return Socket(::accept4(listener.fd(), nullptr, nullptr, SOCK_CLOEXEC));
}

Socket ConnectToLoopback(uint32_t address, int port, int ms)
{
    if ((address >> 24) != 127 || port <= 0 || port > 65535)
        return Socket();
    Socket s(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0));
    sockaddr_in a {};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(address);
    a.sin_port = htons(static_cast<uint16_t>(port));
    if (!s.valid())
        return s;
    if (::connect(s.fd(), reinterpret_cast<sockaddr*>(&a), sizeof a) != 0) {
        pollfd p { s.fd(), POLLOUT, 0 };
        int error = 0;
        socklen_t len = sizeof error;
        if (errno != EINPROGRESS || ::poll(&p, 1, ms) <= 0
            || ::getsockopt(s.fd(), SOL_SOCKET, SO_ERROR, &error, &len) != 0 || error != 0)
            return Socket();
    }
    ::fcntl(s.fd(), F_SETFL, ::fcntl(s.fd(), F_GETFL) & ~O_NONBLOCK);
    return s;
}

bool SendAll(const Socket& s, const std::string& data)
{
    std::size_t sent = 0;
    while (sent < data.size()) {
        const ssize_t n = ::send(s.fd(), data.data() + sent, data.size() - sent, MSG_NOSIGNAL);
        if (n <= 0)
            return false;
        sent += static_cast<std::size_t>(n);
    }
    return true;
}

} // namespace exchange::ftp
