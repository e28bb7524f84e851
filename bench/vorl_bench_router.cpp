// The router's whole path on loopback against raw TCP, in the same run as
// vorl_bench's own figures: a client of the library talks to vorlrouter,
// which hands each request packet to the host application echohost through
// the shared block and sends its reply back.
//  (e) round trip of a one-message request packet, against a TCP ping-pong of
//      the same bytes plus one hop between two threads through named events
//      (what handing a request to another process and back costs at least);
//  (f) messages per second with 100-message packets of 100-byte messages and
//      window 8, against raw TCP streaming of the same bytes, 8 in flight.
// vorlrouter and echohost are taken from beside the program. vorl_bench's
// main knows nothing of this path, so its figures are printed when it ends
// (registered before main runs).
#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "plinth/event.h"
#include "plinth/persist.h"
#include "vorl/client.h"
#include "loopback_port.h"
#include "vorl_bench_raw.h"

extern char** environ;

namespace {

using vorlbench::Clock;
using vorlbench::seconds;
using vorlbench::setNoDelay;
using vorlbench::writeAll;

constexpr int kPingBytes = 100;
constexpr int kPings = 20000;
constexpr int kStreamMessages = 100;
constexpr int kStreamBytes = 100;
constexpr int kStreamPackets = 4000;
constexpr int kWindow = 8;
constexpr int kEventHops = 20000;
constexpr int kRounds = 3; // the machine is shared: each figure is the best of a few rounds

// Raw TCP: an echo thread on loopback and a connected client socket.
struct RawPair {
    int listener = -1;
    int client = -1;
    std::thread echo;
    RawPair()
    {
        listener = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in sa {};
        sa.sin_family = AF_INET;
        sa.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t len = sizeof sa;
        bind(listener, reinterpret_cast<sockaddr*>(&sa), sizeof sa);
        listen(listener, 1);
        getsockname(listener, reinterpret_cast<sockaddr*>(&sa), &len);
        echo = std::thread([this] {
            const int fd = accept(listener, nullptr, nullptr);
            setNoDelay(fd);
            std::vector<uint8_t> buf(65536);
            for (;;) {
                const ssize_t r = recv(fd, buf.data(), buf.size(), 0);
                if (r <= 0 || !writeAll(fd, buf.data(), static_cast<std::size_t>(r)))
                    break;
            }
            close(fd);
        });
        client = socket(AF_INET, SOCK_STREAM, 0);
        setNoDelay(client);
        connect(client, reinterpret_cast<sockaddr*>(&sa), sizeof sa);
    }
    ~RawPair()
    {
        shutdown(client, SHUT_RDWR);
        close(client);
        echo.join();
        close(listener);
    }
};

double rawPingUs()
{
    RawPair raw;
    return vorlbench::rawPingUs(raw.client, 16 + 20 + kPingBytes, kPings);
}

double rawStreamMessagesPerSecond()
{
    RawPair raw;
    return vorlbench::rawStreamRate(
        raw.client, 16 + kStreamMessages * (20 + kStreamBytes), kWindow, kStreamPackets, kStreamMessages);
}

// One hop to another thread and back through two named events.
double eventHopUs()
{
    PlinthEvent* ping = EventCreate(0);
    PlinthEvent* pong = EventCreate(0);
    std::thread peer([&] {
        for (int i = 0; i < kEventHops; ++i) {
            EventWait(ping, -1);
            EventSetToBlocked(ping);
            EventSetToUnblocked(pong);
        }
    });
    const auto start = Clock::now();
    for (int i = 0; i < kEventHops; ++i) {
        EventSetToUnblocked(ping);
        EventWait(pong, -1);
        EventSetToBlocked(pong);
    }
    const double us = seconds(start) * 1e6 / kEventHops;
    peer.join();
    EventClose(ping);
    EventClose(pong);
    return us;
}

class Process {
public:
    Process(const std::string& path, const std::string& output)
    {
        std::string arg0 = path;
        char* argv[] = { arg0.data(), nullptr };
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        posix_spawn_file_actions_adddup2(&actions, 1, 2);
        if (posix_spawn(&pid_, path.c_str(), &actions, nullptr, argv, environ) != 0)
            pid_ = -1;
        posix_spawn_file_actions_destroy(&actions);
    }
    ~Process()
    {
        if (pid_ > 0) {
            kill(pid_, SIGTERM);
            waitpid(pid_, nullptr, 0);
        }
    }
    bool started() const { return pid_ > 0; }

private:
    pid_t pid_ = -1;
};

bool awaitLine(const std::string& file, const std::string& text)
{
    for (int i = 0; i < 400; ++i) {
        std::ifstream in(file);
        std::stringstream s;
        s << in.rdbuf();
        if (s.str().find(text) != std::string::npos)
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(25));
    }
    return false;
}

uint16_t freePort() { return hostsim::freeLoopbackPort(); }

int acceptLogon(int type, const void*, int, int)
{
    return type == 193 ? 0 : -1;
}

struct RouterFigures {
    double pingUs = -1;
    double messagesPerSecond = -1;
};

bool routerRound(VORLHANDLE h, const std::string& ping, const std::string& body, RouterFigures& f);

RouterFigures routerPath(const std::string& config)
{
    RouterFigures f;
    VORLHANDLE h = nullptr;
    if (VORLCreate(&h, config.c_str(), nullptr, nullptr) != VORL_OK)
        return f;
    VORLSetLogonMessage(h, 1, "bench", 5, 0, acceptLogon);
    if (VORLConnect(h) != VORL_OK) {
        VORLDisconnect(h);
        return f;
    }
    const std::string ping(kPingBytes, 'p');
    const std::string body(kStreamBytes, 's');
    RouterFigures best { 1e300, 0 };
    for (int round = 0; round < kRounds; ++round) {
        if (!routerRound(h, ping, body, f)) {
            VORLDisconnect(h);
            return RouterFigures {};
        }
        best.pingUs = std::min(best.pingUs, f.pingUs);
        best.messagesPerSecond = std::max(best.messagesPerSecond, f.messagesPerSecond);
    }
    VORLDisconnect(h);
    return best;
}

// One round of both measurements on a connected client; false on a failure.
bool routerRound(VORLHANDLE h, const std::string& ping, const std::string& body, RouterFigures& f)
{
    auto start = Clock::now();
    for (int i = 0; i < kPings; ++i) {
        if (VORLSend(h, 1, ping.data(), kPingBytes, 1, i) != VORL_OK || VORLRecv(h, 10) != VORL_OK)
            return false;
    }
    f.pingUs = seconds(start) * 1e6 / kPings;
    start = Clock::now();
    int sent = 0;
    for (int got = 0; got < kStreamPackets;) {
        while (sent < kStreamPackets) {
            int rc = VORLStartPacket(h, 2, body.data(), kStreamBytes, 1, sent);
            if (rc == VORL_ERR_NOSLOT)
                break;
            for (int m = 1; m < kStreamMessages && rc == VORL_OK; ++m)
                rc = VORLAddMessage(h, 2, body.data(), kStreamBytes, sent);
            if (rc != VORL_OK || VORLEndPacket(h) != VORL_OK)
                return false;
            ++sent;
        }
        if (VORLRecv(h, 10) != VORL_OK)
            return false;
        ++got;
    }
    f.messagesPerSecond = double(kStreamPackets) * kStreamMessages / seconds(start);
    return true;
}

void report()
{
    std::error_code ec;
    const std::string bin = std::filesystem::read_symlink("/proc/self/exe", ec).parent_path().string();
    char pattern[] = "/tmp/vorlbench.XXXXXX";
    if (mkdtemp(pattern) == nullptr)
        return;
    const std::string dir = pattern;
    const std::string ns = "bench" + std::to_string(getpid()) + "_";
    setenv("PLINTH_NAMESPACE", ns.c_str(), 1);
    const std::string port = std::to_string(freePort());
    const std::string config = dir + "/vorl.ini";
    std::ofstream(config) << "[VORLRouter]\nService=" << port
                          << "\nHostType=BENCH\nClients=16\nWindowSize=" << kWindow
                          << "\n[VORLServer]\nService=" << port
                          << "\nHostType=BENCH\n[VORLClient]\nService=" << port
                          << "\nHostType=BENCH\nPossibleHosts=127.0.0.1\nConnectTime=2\nWindowSize="
                          << kWindow << "\n";
    setenv("VORLCONFIG", config.c_str(), 1);

    double tcpPing = 1e300, tcpStream = 0, hop = 1e300;
    for (int round = 0; round < kRounds; ++round) {
        tcpPing = std::min(tcpPing, rawPingUs());
        tcpStream = std::max(tcpStream, rawStreamMessagesPerSecond());
        hop = std::min(hop, eventHopUs());
    }
    RouterFigures router;
    {
        Process r(bin + "/vorlrouter", dir + "/router.out");
        if (r.started() && awaitLine(dir + "/router.out", "ready on")) {
            Process e(bin + "/echohost", dir + "/echohost.out");
            if (e.started() && awaitLine(dir + "/echohost.out", "serving"))
                router = routerPath(config);
        }
    }
    SysStopPersistServer();
    std::filesystem::remove_all(dir);
    if (router.pingUs < 0 || router.messagesPerSecond < 0) {
        std::fprintf(stderr, "vorl_bench: the path through vorlrouter did not run\n");
        return;
    }
    std::printf("(e) router path round trip, 1 message of %d bytes:\n", kPingBytes);
    std::printf("  raw TCP ping-pong        %8.1f us\n", tcpPing);
    std::printf("  event hop and back       %8.1f us\n", hop);
    std::printf("  client-router-host       %8.1f us  (%.2fx TCP + hop)\n", router.pingUs,
        router.pingUs / (tcpPing + hop));
    std::printf("(f) router path, %d-message packets of %d bytes, %d in flight:\n", kStreamMessages,
        kStreamBytes, kWindow);
    std::printf("  raw TCP                  %10.0f messages/s\n", tcpStream);
    std::printf("  client-router-host       %10.0f messages/s  (%.2fx raw TCP)\n", router.messagesPerSecond,
        router.messagesPerSecond / tcpStream);
}

int registerReport()
{
    // The client library's handle table is made on its first use; made now,
    // before the report is registered, it is destroyed only after the report
    // has run. A lookup of a handle that was never made reads nothing.
    int never = 0;
    VORLNumMessages(reinterpret_cast<VORLHANDLE>(&never), nullptr);
    return std::atexit(report);
}

[[maybe_unused]] const int registered = registerReport();

} // namespace
