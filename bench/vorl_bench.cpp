// Router client against raw TCP on loopback, in one run:
//  (a) round trip of a one-message request packet, against a TCP ping-pong of
//      the same bytes;
//  (b) messages per second with 100-message packets of 100-byte messages and
//      window 8, against raw TCP streaming of the same bytes with the same
//      number of packets in flight.
// Both sides talk to the same echo loop, so the ratios show what the library
// itself costs. A plain program printing figures.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <stdlib.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "vorl/client.h"
#include "vorl/codec.h"
#include "vorl_bench_raw.h"

namespace {

using vorlbench::Clock;
using vorlbench::readAll;
using vorlbench::seconds;
using vorlbench::setNoDelay;
using vorlbench::writeAll;

constexpr int kPingMessageBytes = 100;
constexpr int kPings = 20000;
constexpr int kStreamMessages = 100;
constexpr int kStreamMessageBytes = 100;
constexpr int kStreamPackets = 4000;
constexpr int kWindow = 8;
constexpr int kRounds = 5;

// The server of both sides: on loopback, answers discovery and the connect
// information when asked to speak the router protocol, then echoes every byte
// it reads (an echoed request packet is a valid reply: same sequence, same
// handles). The empty plug-in packet of the handshake is answered in kind.
class EchoServer {
public:
    explicit EchoServer(bool protocol)
        : protocol_(protocol)
    {
        for (int attempt = 0; attempt < 20 && !bindBoth(); ++attempt) { }
        if (listen_ < 0)
            throw std::runtime_error("no free port on 127.0.0.1");
        thread_ = std::thread([this] { run(); });
    }
    ~EchoServer()
    {
        stop_ = true;
        shutdown(listen_, SHUT_RDWR);
        if (conn_ >= 0)
            shutdown(conn_, SHUT_RDWR);
        thread_.join();
        close(listen_);
        if (udp_ >= 0)
            close(udp_);
        if (conn_ >= 0)
            close(conn_);
    }
    uint16_t port() const { return port_; }

private:
    bool bindBoth()
    {
        listen_ = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in sa {};
        sa.sin_family = AF_INET;
        sa.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t len = sizeof sa;
        if (bind(listen_, reinterpret_cast<sockaddr*>(&sa), sizeof sa) != 0 || listen(listen_, 4) != 0
            || getsockname(listen_, reinterpret_cast<sockaddr*>(&sa), &len) != 0) {
            close(listen_);
            listen_ = -1;
            return false;
        }
        port_ = ntohs(sa.sin_port);
        if (!protocol_)
            return true;
        udp_ = socket(AF_INET, SOCK_DGRAM, 0);
        if (bind(udp_, reinterpret_cast<sockaddr*>(&sa), sizeof sa) == 0)
            return true;
        close(udp_);
        close(listen_);
        udp_ = listen_ = -1;
        return false;
    }

    void answerDiscovery()
    {
        uint8_t buf[64];
        sockaddr_in from {};
        socklen_t len = sizeof from;
        const ssize_t n
            = recvfrom(udp_, buf, sizeof buf, MSG_DONTWAIT, reinterpret_cast<sockaddr*>(&from), &len);
        if (n != VORL_CONNECTINFO_SIZE)
            return;
        const ConnectInfo info { "bench", 40201, 30000, 30000, kWindow, 0 };
        vorl::wire::encode(info, buf);
        sendto(udp_, buf, VORL_CONNECTINFO_SIZE, MSG_NOSIGNAL, reinterpret_cast<sockaddr*>(&from), len);
    }

    bool greet(int fd)
    {
        uint8_t info[VORL_CONNECTINFO_SIZE];
        if (!readAll(fd, info, sizeof info))
            return false;
        vorl::wire::encode(ConnectInfo { "bench", 40201, 30000, 30000, kWindow, 0 }, info);
        if (!writeAll(fd, info, sizeof info))
            return false;
        uint8_t hdr[VORL_PKTHDR_SIZE];
        if (!readAll(fd, hdr, sizeof hdr))
            return false;
        std::vector<uint8_t> rest(vorl::wire::getU16(hdr + 14) - VORL_PKTHDR_SIZE);
        if (!readAll(fd, rest.data(), rest.size()))
            return false;
        const VORLPktHdr empty { VORL_PKT_KIND, 0, 1, 0, VORL_PLUGIN_SEQ, 0, VORL_PKTHDR_SIZE };
        vorl::wire::encode(empty, hdr);
        return writeAll(fd, hdr, sizeof hdr);
    }

    void run()
    {
        std::vector<uint8_t> buffer(1 << 16);
        while (!stop_) {
            pollfd fds[2] = { { listen_, POLLIN, 0 }, { udp_, POLLIN, 0 } };
            if (poll(fds, protocol_ ? 2 : 1, 200) <= 0)
                continue;
            if (protocol_ && (fds[1].revents & POLLIN))
                answerDiscovery();
            if (!(fds[0].revents & POLLIN))
                continue;
            const int fd = accept(listen_, nullptr, nullptr);
            if (fd < 0)
                continue;
            setNoDelay(fd);
            conn_ = fd;
            if (!protocol_ || greet(fd)) {
                for (;;) {
                    const ssize_t n = recv(fd, buffer.data(), buffer.size(), 0);
                    if (n <= 0 || !writeAll(fd, buffer.data(), static_cast<std::size_t>(n)))
                        break;
                }
            }
            conn_ = -1;
            close(fd);
        }
    }

    bool protocol_;
    int listen_ = -1;
    int udp_ = -1;
    std::atomic<int> conn_ { -1 };
    uint16_t port_ = 0;
    std::atomic<bool> stop_ { false };
    std::thread thread_;
};

int connectRaw(uint16_t port)
{
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in sa {};
    sa.sin_family = AF_INET;
    sa.sin_port = htons(port);
    sa.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (connect(fd, reinterpret_cast<sockaddr*>(&sa), sizeof sa) != 0)
        throw std::runtime_error("raw connect failed");
    setNoDelay(fd);
    return fd;
}

class Client {
public:
    explicit Client(uint16_t port)
    {
        char pattern[] = "/tmp/vorlbench.XXXXXX";
        if (mkdtemp(pattern) == nullptr)
            throw std::runtime_error("no scratch folder");
        dir_ = pattern;
        file_ = dir_ + "/client.ini";
        std::ofstream(file_) << "[VORLClient]\nService=" << port
                             << "\nHostType=BENCH\nPossibleHosts=127.0.0.1\n"
                             << "WindowSize=" << kWindow << "\nPacketTimeout=30\nReceiveTimeout=30\n";
        if (VORLCreate(&h_, file_.c_str(), nullptr, nullptr) != 0 || VORLConnect(h_) != 0)
            throw std::runtime_error("router client cannot connect");
    }
    ~Client()
    {
        VORLDisconnect(h_);
        unlink(file_.c_str());
        rmdir(dir_.c_str());
    }
    VORLHANDLE handle() const { return h_; }

private:
    std::string dir_;
    std::string file_;
    VORLHANDLE h_ = nullptr;
};

void check(int rc, const char* what)
{
    if (rc != 0)
        throw std::runtime_error(std::string(what) + " failed with " + std::to_string(rc));
}

// (a): microseconds per round trip.
double vorlRoundTrip()
{
    EchoServer server(true);
    Client client(server.port());
    const std::string message(kPingMessageBytes, 'p');
    const auto start = Clock::now();
    for (int i = 0; i < kPings; ++i) {
        check(VORLSend(client.handle(), 7, message.data(), kPingMessageBytes, 1, i), "VORLSend");
        check(VORLRecv(client.handle(), -1), "VORLRecv");
        int length = 0;
        void* data = nullptr;
        check(VORLMessage(client.handle(), 0, nullptr, &data, &length, nullptr), "VORLMessage");
    }
    return seconds(start) * 1e6 / kPings;
}

double rawRoundTrip()
{
    EchoServer server(false);
    const int fd = connectRaw(server.port());
    const double us = vorlbench::rawPingUs(fd, VORL_PKTHDR_SIZE + VORL_MSG_SIZE + kPingMessageBytes, kPings);
    close(fd);
    if (us < 0)
        throw std::runtime_error("raw ping-pong failed");
    return us;
}

// (b): messages per second.
double vorlStream()
{
    EchoServer server(true);
    Client client(server.port());
    const VORLHANDLE h = client.handle();
    const std::string message(kStreamMessageBytes, 's');
    auto sendPacket = [&](int n) {
        check(VORLStartPacket(h, 7, message.data(), kStreamMessageBytes, 1, n), "VORLStartPacket");
        for (int m = 1; m < kStreamMessages; ++m)
            check(VORLAddMessage(h, 7, message.data(), kStreamMessageBytes, m), "VORLAddMessage");
        check(VORLEndPacket(h), "VORLEndPacket");
    };
    const auto start = Clock::now();
    int sent = 0;
    long received = 0;
    for (; sent < kWindow; ++sent)
        sendPacket(sent);
    for (int done = 0; done < kStreamPackets; ++done) {
        check(VORLRecv(h, -1), "VORLRecv");
        int count = 0;
        check(VORLNumMessages(h, &count), "VORLNumMessages");
        for (int m = 0; m < count; ++m) {
            void* data = nullptr;
            int length = 0;
            check(VORLMessage(h, m, nullptr, &data, &length, nullptr), "VORLMessage");
            received += length > 0 ? 1 : 0;
        }
        if (sent < kStreamPackets)
            sendPacket(sent++);
    }
    const double rate = static_cast<double>(received) / seconds(start);
    if (received != static_cast<long>(kStreamPackets) * kStreamMessages)
        throw std::runtime_error("messages lost");
    return rate;
}

double rawStream()
{
    EchoServer server(false);
    const int fd = connectRaw(server.port());
    const std::size_t packet = VORL_PKTHDR_SIZE
        + static_cast<std::size_t>(kStreamMessages) * (VORL_MSG_SIZE + kStreamMessageBytes);
    const double rate = vorlbench::rawStreamRate(fd, packet, kWindow, kStreamPackets, kStreamMessages);
    close(fd);
    if (rate < 0)
        throw std::runtime_error("raw stream failed");
    return rate;
}

} // namespace

int main()
{
    try {
        // The machine is shared: each figure is the best of a few rounds, taken in turn.
        double rawUs = 1e300, vorlUs = 1e300, rawRate = 0, vorlRate = 0;
        for (int round = 0; round < kRounds; ++round) {
            rawUs = std::min(rawUs, rawRoundTrip());
            vorlUs = std::min(vorlUs, vorlRoundTrip());
        }
        std::printf(
            "(a) round trip, one %d-byte message: vorl %.1f us, raw TCP %.1f us, ratio %.2f (goal <= 1.30)\n",
            kPingMessageBytes, vorlUs, rawUs, vorlUs / rawUs);
        for (int round = 0; round < kRounds; ++round) {
            rawRate = std::max(rawRate, rawStream());
            vorlRate = std::max(vorlRate, vorlStream());
        }
        std::printf(
            "(b) %d-message packets of %d bytes, window %d: vorl %.0f msg/s, raw TCP %.0f msg/s, ratio %.2f "
            "(goal >= 0.50)\n",
            kStreamMessages, kStreamMessageBytes, kWindow, vorlRate, rawRate, vorlRate / rawRate);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "vorl_bench: %s\n", e.what());
        return 1;
    }
    return 0;
}
