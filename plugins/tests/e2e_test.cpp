// The plug-ins between a real router client and vorlrouter: the client half
// in this process, the server half in the router process, echohost behind it.
// A tap plug-in after the one under test keeps the bytes the client writes to
// its socket.
#include <dlfcn.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <thread>
#include <vector>

#include "harness.h"
#include "loopback_port.h"
#include "plinth/persist.h"
#include "vorl/client.h"

extern char** environ;

namespace {

using plugtest::ScratchDir;

std::string BinDir()
{
    const char* dir = std::getenv("KV_BIN_DIR");
    return dir != nullptr && *dir != '\0' ? dir : PLUGINS_TEST_BIN_DIR;
}

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// Polls for up to `seconds`, a bounded number of times.
template <typename Pred> bool WaitFor(Pred pred, int seconds = 20)
{
    for (int i = 0; i < seconds * 100; ++i) {
        if (pred())
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return pred();
}

uint16_t FreePort() { return hostsim::freeLoopbackPort(); }

// A program of bin/ with its output in a file; killed at the end if still running.
class Child {
public:
    Child(const std::string& program, const std::string& arg, const std::string& output)
    {
        std::string path = BinDir() + "/" + program;
        std::string a = arg;
        char* argv[] = { path.data(), a.data(), nullptr };
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        posix_spawn_file_actions_adddup2(&actions, 1, 2);
        if (posix_spawn(&pid_, path.c_str(), &actions, nullptr, argv, environ) != 0)
            pid_ = -1;
        posix_spawn_file_actions_destroy(&actions);
    }
    ~Child() { stop(); }
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;
    void stop()
    {
        if (pid_ <= 0)
            return;
        kill(pid_, SIGTERM);
        int status = 0;
        if (!WaitFor([&] { return waitpid(pid_, &status, WNOHANG) == pid_; }, 10)) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
        pid_ = -1;
    }

private:
    pid_t pid_ = -1;
};

int AcceptLogon(int type, const void*, int, int)
{
    return type == 193 ? 0 : -1;
}

class PluginsEndToEnd : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const char* program : { "vorlrouter", "echohost" }) {
            if (!std::filesystem::exists(BinDir() + "/" + program)) {
                GTEST_SKIP() << program
                             << " is not built: the router process stand-in is needed for this test";
            }
        }
        setenv("PLINTH_NAMESPACE", ("t" + std::to_string(getpid()) + "_pe").c_str(), 1);
        port_ = FreePort();
        ASSERT_NE(port_, 0);
        tap_ = dlopen(TapPath().c_str(), RTLD_NOW);
        ASSERT_NE(tap_, nullptr) << dlerror();
        reinterpret_cast<void (*)()>(dlsym(tap_, "TapReset"))();
    }
    void TearDown() override
    {
        for (VORLHANDLE& h : handles_) {
            if (h != nullptr)
                VORLDisconnect(h);
            h = nullptr;
        }
        echo_.reset();
        router_.reset();
        if (tap_ != nullptr)
            dlclose(tap_);
        SysStopPersistServer();
        unsetenv("PLINTH_NAMESPACE");
        unsetenv("VORLCONFIG");
    }
    static std::string TapPath() { return PLUGINS_TEST_TAP_DIR "/plugtap.vpx"; }

    // Router, server and client sections; `plugin` names the plug-in under test
    // (its entry), loaded on both sides; `sections` are its own.
    void start(const std::string& plugin, const std::string& entry, const std::string& sections)
    {
        const std::string service = std::to_string(port_);
        config_ = dir_.write("vorl.ini",
            "[VORLRouter]\nService=" + service
                + "\nHostType=TEST\nListenAddress=127.0.0.1\n"
                  "BroadcastAddress=127.255.255.255\nClients=4\nWindowSize=4\n"
                  "[VORLRouter_plugins]\n"
                + plugin + "=" + plugin + "," + entry
                + "\n"
                  "[VORLServer]\nService="
                + service
                + "\nHostType=TEST\n"
                  "[VORLClient]\nService="
                + service
                + "\nHostType=TEST\nBroadcastAddress=127.255.255.255\n"
                  "ConnectTime=2\nConnectTries=3\nPacketTimeout=10\n"
                  "[VORLClient_plugins]\n"
                + plugin + "=" + plugin + "," + entry + "\ntap=" + TapPath() + ",TapInit\n" + sections);
        setenv("VORLCONFIG", config_.c_str(), 1);
        router_ = std::make_unique<Child>("vorlrouter", config_, dir_.path() + "/router.out");
        ASSERT_TRUE(WaitFor([&] {
            return ReadFile(dir_.path() + "/router.out").find("ready on") != std::string::npos;
        })) << ReadFile(dir_.path() + "/router.out");
        echo_ = std::make_unique<Child>("echohost", config_, dir_.path() + "/echo.out");
        ASSERT_TRUE(WaitFor([&] {
            return ReadFile(dir_.path() + "/echo.out").find("serving") != std::string::npos;
        })) << ReadFile(dir_.path() + "/echo.out");
        connect(0);
    }

    // Client `n` (0 up to kClients - 1) connects through the router.
    void connect(int n)
    {
        VORLHANDLE& h = handles_[static_cast<std::size_t>(n)];
        ASSERT_EQ(VORLCreate(&h, config_.c_str(), nullptr, nullptr), 0);
        ASSERT_EQ(VORLSetLogonMessage(h, 1, "tester", 6, 0, AcceptLogon), 0);
        ASSERT_EQ(VORLConnect(h), 0) << ReadFile(dir_.path() + "/router.out");
    }

    static std::string requestText(int client, int i)
    {
        return "clear text request " + std::to_string(client) + "/" + std::to_string(i)
            + std::string(static_cast<std::size_t>(i), '.');
    }

    // The reply to request `i` of client `n` must be its own request echoed.
    void expectEcho(int n, int i)
    {
        VORLHANDLE h = handles_[static_cast<std::size_t>(n)];
        ASSERT_EQ(VORLRecv(h, 10), 0) << n << "/" << i;
        int messages = 0, type = 0, length = 0, value = -1;
        void* data = nullptr;
        ASSERT_EQ(VORLNumMessages(h, &messages), 0);
        ASSERT_EQ(messages, 1);
        ASSERT_EQ(VORLMessage(h, 0, &type, &data, &length, &value), 0);
        EXPECT_EQ(value, i);
        EXPECT_EQ(type, 100);
        EXPECT_EQ(std::string(static_cast<const char*>(data), static_cast<std::size_t>(length)), requestText(n, i));
    }

    void send(int n, int i)
    {
        const std::string text = requestText(n, i);
        ASSERT_EQ(VORLSend(handles_[static_cast<std::size_t>(n)], 100, text.data(), static_cast<int>(text.size()),
                      1, i),
            0)
            << n << "/" << i;
    }

    // Sends `count` requests of the first client one by one; every reply must match its request.
    void exchange(int count)
    {
        for (int i = 0; i < count; ++i) {
            send(0, i);
            expectEcho(0, i);
        }
    }

    std::string wire() const
    {
        auto copy = reinterpret_cast<int (*)(uint8_t*, int)>(dlsym(tap_, "TapCopy"));
        std::string bytes(static_cast<std::size_t>(copy(nullptr, 0)), '\0');
        copy(reinterpret_cast<uint8_t*>(bytes.data()), static_cast<int>(bytes.size()));
        return bytes;
    }

    ScratchDir dir_;
    std::string config_;
    uint16_t port_ = 0;
    void* tap_ = nullptr;
    std::unique_ptr<Child> router_, echo_;
    static constexpr int kClients = 3;
    std::array<VORLHANDLE, kClients> handles_ {};
};

TEST_F(PluginsEndToEnd, PimoxEncryptsTheLink)
{
    // The router process creates the key table itself.
    start("pimox", "PIMOXInitialise",
        "[pimox]\nmandatory=1\nshmkey=" + std::to_string(plugtest::NamedScope::Key(700)) + "\n");
    exchange(20);
    const std::string bytes = wire();
    EXPECT_GT(bytes.size(), 20u * 16);
    EXPECT_EQ(bytes.find("clear text"), std::string::npos);
    EXPECT_EQ(bytes.find("tester"), std::string::npos) << "the logon is encrypted too";
    EXPECT_NE(ReadFile(dir_.path() + "/router.out").find("Connected to client - line encrypted"),
        std::string::npos);
}

// Every connection has its own session key at the router: with keys mixed up
// between connections, replies would come back garbled or not at all.
TEST_F(PluginsEndToEnd, PimoxKeepsAKeyPerClient)
{
    start("pimox", "PIMOXInitialise",
        "[pimox]\nmandatory=1\nshmkey=" + std::to_string(plugtest::NamedScope::Key(701)) + "\n");
    for (int n = 1; n < kClients; ++n)
        connect(n);
    for (int i = 0; i < 6; ++i) {
        // Requests of all clients are in flight together.
        for (int n = 0; n < kClients; ++n)
            send(n, i);
        for (int n = 0; n < kClients; ++n)
            expectEcho(n, i);
    }
    EXPECT_EQ(wire().find("clear text"), std::string::npos);
    const std::string log = ReadFile(dir_.path() + "/router.out");
    std::size_t encrypted = 0;
    for (auto at = log.find("Connected to client - line encrypted"); at != std::string::npos;
         at = log.find("Connected to client - line encrypted", at + 1))
        ++encrypted;
    EXPECT_EQ(encrypted, static_cast<std::size_t>(kClients)) << log;
}

TEST_F(PluginsEndToEnd, PivaultScramblesWhenTheServerGrantsIt)
{
    start("pivault", "Initialise", "[pivault]\nUse=1\n");
    exchange(20);
    EXPECT_EQ(wire().find("clear text"), std::string::npos);
}

// The rows of a statistics file: the client's address, then the numbers.
struct StatsRow {
    std::string address;
    std::vector<long> values;
};

std::vector<StatsRow> StatsRows(const std::string& text)
{
    std::vector<StatsRow> rows;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        std::istringstream fields(line);
        StatsRow row;
        std::getline(fields, row.address, '\t');
        for (long v = 0; fields >> v;)
            row.values.push_back(v);
        rows.push_back(row);
    }
    return rows;
}

TEST_F(PluginsEndToEnd, PigaugeWritesStatisticsRows)
{
    const std::string sum = dir_.path() + "/sum.txt";
    const std::string range = dir_.path() + "/range.txt";
    start("pigauge", "PIGAUGEInitialise",
        "[pigauge]\nshmkey=" + std::to_string(plugtest::NamedScope::Key(710))
            + "\nSendInterval=2\nSummarySection=Sum\nPerformanceSections=Echo\n[Sum]\nFlushInterval="
              "1\nFileName="
            + sum + "\n[Echo]\nFlushInterval=1\nFileName=" + range + "\nMsgTypes=100\n");
    exchange(8);
    EXPECT_NE(wire().find("clear text"), std::string::npos) << "statistics leave the payload alone";
    // The client reports after every second packet it receives; one request is answered before the
    // next is sent, so the first three reports are fixed: request i is 22 + i bytes and its reply
    // echoes it. The first report also counts the logon packet, sent before any request.
    ASSERT_TRUE(WaitFor([&] { return StatsRows(ReadFile(sum)).size() >= 3 && StatsRows(ReadFile(range)).size() >= 3; }))
        << ReadFile(dir_.path() + "/router.out");
    struct Expected {
        long packetsSent, packetsReceived, messagesAdded, messagesGot, bytesAdded, bytesGot;
    } const reports[] = {
        { 3, 2, 2, 1, 22 + 23, 22 }, // requests 0 and 1, the reply to 0
        { 2, 2, 2, 2, 24 + 25, 23 + 24 }, // requests 2 and 3, replies to 1 and 2
        { 2, 2, 2, 2, 26 + 27, 25 + 26 }, // requests 4 and 5, replies to 3 and 4
    };
    const std::vector<StatsRow> summaries = StatsRows(ReadFile(sum));
    const std::vector<StatsRow> ranges = StatsRows(ReadFile(range));
    for (std::size_t k = 0; k < std::size(reports); ++k) {
        SCOPED_TRACE("report " + std::to_string(k));
        const Expected& e = reports[k];
        // Summary: elapsed, packets sent and received, messages added and got, bytes sent and
        // received, packets resent and received resent.
        const StatsRow& s = summaries[k];
        EXPECT_EQ(s.address, "127.0.0.1");
        ASSERT_EQ(s.values.size(), 9u);
        EXPECT_GE(s.values[0], 0);
        EXPECT_EQ(s.values[1], e.packetsSent);
        EXPECT_EQ(s.values[2], e.packetsReceived);
        EXPECT_EQ(s.values[3], e.messagesAdded);
        EXPECT_EQ(s.values[4], e.messagesGot);
        EXPECT_GT(s.values[5], e.bytesAdded) << "the packets sent hold the requests and their headers";
        EXPECT_GT(s.values[6], e.bytesGot) << "the packets received hold the replies and their headers";
        EXPECT_EQ(s.values[7], 0);
        EXPECT_EQ(s.values[8], 0);
        // Range of type 100: elapsed, messages added and got, bytes added and got, shortest, longest
        // and average round trip.
        const StatsRow& r = ranges[k];
        EXPECT_EQ(r.address, "127.0.0.1");
        ASSERT_EQ(r.values.size(), 8u);
        EXPECT_GE(r.values[0], 0);
        EXPECT_EQ(r.values[1], e.messagesAdded);
        EXPECT_EQ(r.values[2], e.messagesGot);
        EXPECT_EQ(r.values[3], e.bytesAdded);
        EXPECT_EQ(r.values[4], e.bytesGot);
        EXPECT_GE(r.values[5], 0);
        EXPECT_LE(r.values[5], r.values[7]);
        EXPECT_LE(r.values[7], r.values[6]);
    }
}

} // namespace
