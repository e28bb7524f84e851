#pragma once
// A port number free on 127.0.0.1 for TCP and UDP alike right now, for tests and
// benchmarks that start a router: its service name of digits names both sockets.
// Returns 0 when no such port turned up in a bounded number of tries.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdint>

namespace hostsim {

inline uint16_t freeLoopbackPort()
{
    for (int attempt = 0; attempt < 50; ++attempt) {
        const int t = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in sa {};
        sa.sin_family = AF_INET;
        sa.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t len = sizeof sa;
        bind(t, reinterpret_cast<sockaddr*>(&sa), sizeof sa);
        getsockname(t, reinterpret_cast<sockaddr*>(&sa), &len);
        const int u = socket(AF_INET, SOCK_DGRAM, 0);
        const bool udpFree = bind(u, reinterpret_cast<sockaddr*>(&sa), sizeof sa) == 0;
        close(u);
        close(t);
        if (udpFree)
            return ntohs(sa.sin_port);
    }
    return 0;
}

} // namespace hostsim
