// The router path with link encryption on and off, in the same run as
// vorl_bench's own figures: a router client in this process, vorlrouter and
// echohost as processes, pimox loaded on both sides of the link or on neither.
//  (g) round trip of a one-message request packet;
//  (h) messages per second with 100-message packets of 100-byte messages.
// vorl_bench's main knows nothing of the plug-ins, so these figures are
// printed when it ends (registered before main runs).
#include <fcntl.h>
#include <netinet/in.h>
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
#include <stdexcept>
#include <string>
#include <thread>

#include "plinth/persist.h"
#include "vorl/client.h"
#include "loopback_port.h"

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kPings = 3000;
constexpr int kMessages = 100;
constexpr int kMessageBytes = 100;
constexpr int kPackets = 400;
constexpr int kWindow = 4;
constexpr int kRounds = 3;
constexpr int kKeyTable = 0x5B17;

std::string binDir()
{
    std::error_code ec;
    return std::filesystem::read_symlink("/proc/self/exe", ec).parent_path().string();
}

std::string readFile(const std::string& path)
{
    std::ifstream in(path);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

double seconds(Clock::time_point since)
{
    return std::chrono::duration<double>(Clock::now() - since).count();
}

uint16_t freePort()
{
    if (const uint16_t port = hostsim::freeLoopbackPort())
        return port;
    throw std::runtime_error("no free port on 127.0.0.1");
}

class Child {
public:
    Child(const std::string& program, const std::string& arg, const std::string& output, const char* ready)
    {
        std::string path = binDir() + "/" + program;
        std::string a = arg;
        char* argv[] = { path.data(), a.data(), nullptr };
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        posix_spawn_file_actions_adddup2(&actions, 1, 2);
        if (posix_spawn(&pid_, path.c_str(), &actions, nullptr, argv, environ) != 0)
            pid_ = -1;
        posix_spawn_file_actions_destroy(&actions);
        for (int i = 0; i < 2000 && pid_ > 0; ++i) {
            if (readFile(output).find(ready) != std::string::npos)
                return;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        throw std::runtime_error(program + " did not start: " + readFile(output));
    }
    ~Child()
    {
        if (pid_ <= 0)
            return;
        kill(pid_, SIGTERM);
        int status = 0;
        for (int i = 0; i < 1000 && waitpid(pid_, &status, WNOHANG) != pid_; ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
            if (i == 999) {
                kill(pid_, SIGKILL);
                waitpid(pid_, nullptr, 0);
            }
        }
    }
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;

private:
    pid_t pid_ = -1;
};

int acceptLogon(int type, const void*, int, int)
{
    return type == 193 ? 0 : -1;
}

void check(int rc, const char* what)
{
    if (rc != 0)
        throw std::runtime_error(std::string(what) + " failed with " + std::to_string(rc));
}

struct Figures {
    double us = 1e300;
    double rate = 0;
};

// One router with or without pimox; the best of each figure over the rounds.
void measure(const std::string& dir, bool pimox, Figures& f)
{
    const std::string service = std::to_string(freePort());
    const std::string plugins = pimox ? "pimox=pimox,PIMOXInitialise\n" : "";
    const std::string config = dir + (pimox ? "/pimox.ini" : "/clear.ini");
    std::ofstream(config) << "[VORLRouter]\nService=" << service
                          << "\nHostType=BENCH\nListenAddress=127.0.0.1\nBroadcastAddress=127.255.255.255\n"
                             "Clients=2\nWindowSize="
                          << kWindow << "\n[VORLRouter_plugins]\n"
                          << plugins << "[VORLServer]\nService=" << service
                          << "\nHostType=BENCH\n[VORLClient]\nService=" << service
                          << "\nHostType=BENCH\nBroadcastAddress=127.255.255.255\nWindowSize=" << kWindow
                          << "\nPacketTimeout=30\nReceiveTimeout=30\n[VORLClient_plugins]\n"
                          << plugins << "[pimox]\nmandatory=1\nshmkey=" << kKeyTable << "\n";
    // vorlrouter creates pimox's key table: it owns the server half's state.
    {
        Child router("vorlrouter", config, dir + "/router.out", "ready on");
        Child echo("echohost", config, dir + "/echo.out", "serving");
        VORLHANDLE h = nullptr;
        check(VORLCreate(&h, config.c_str(), nullptr, nullptr), "VORLCreate");
        check(VORLSetLogonMessage(h, 1, "bench", 5, 0, acceptLogon), "VORLSetLogonMessage");
        check(VORLConnect(h), "VORLConnect");
        const std::string message(kMessageBytes, 'p');
        auto start = Clock::now();
        for (int i = 0; i < kPings; ++i) {
            check(VORLSend(h, 100, message.data(), kMessageBytes, 1, i), "VORLSend");
            check(VORLRecv(h, 30), "VORLRecv");
        }
        f.us = std::min(f.us, seconds(start) * 1e6 / kPings);
        auto sendPacket = [&](int n) {
            check(VORLStartPacket(h, 100, message.data(), kMessageBytes, 1, n), "VORLStartPacket");
            for (int m = 1; m < kMessages; ++m)
                check(VORLAddMessage(h, 100, message.data(), kMessageBytes, m), "VORLAddMessage");
            check(VORLEndPacket(h), "VORLEndPacket");
        };
        start = Clock::now();
        int sent = 0;
        long received = 0;
        for (; sent < kWindow; ++sent)
            sendPacket(sent);
        for (int done = 0; done < kPackets; ++done) {
            check(VORLRecv(h, 30), "VORLRecv");
            int count = 0;
            check(VORLNumMessages(h, &count), "VORLNumMessages");
            received += count;
            if (sent < kPackets)
                sendPacket(sent++);
        }
        f.rate = std::max(f.rate, static_cast<double>(received) / seconds(start));
        VORLDisconnect(h);
    }
}

void report()
{
    const std::string bin = binDir();
    for (const char* program : { "vorlrouter", "echohost", "pimox.vpx" }) {
        if (!std::filesystem::exists(bin + "/" + program)) {
            std::printf("(g), (h) router path with pimox: skipped, %s is not built\n", program);
            return;
        }
    }
    char pattern[] = "/tmp/vorlbench_pimox.XXXXXX";
    if (mkdtemp(pattern) == nullptr)
        return;
    const std::string dir = pattern;
    setenv("PLINTH_NAMESPACE", ("b" + std::to_string(getpid()) + "_").c_str(), 1);
    try {
        Figures clear, encrypted;
        for (int round = 0; round < kRounds; ++round) {
            measure(dir, false, clear);
            measure(dir, true, encrypted);
        }
        std::printf("(g) router path round trip, one %d-byte message: pimox %.1f us, no plug-in %.1f us, "
                    "ratio %.2f\n",
            kMessageBytes, encrypted.us, clear.us, encrypted.us / clear.us);
        std::printf("(h) router path, %d-message packets of %d bytes, window %d: pimox %.0f msg/s, no "
                    "plug-in %.0f msg/s, "
                    "ratio %.2f\n",
            kMessages, kMessageBytes, kWindow, encrypted.rate, clear.rate, encrypted.rate / clear.rate);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "vorl_bench (pimox): %s\n", e.what());
    }
    SysStopPersistServer();
    std::error_code ec;
    std::filesystem::remove_all(dir, ec);
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
