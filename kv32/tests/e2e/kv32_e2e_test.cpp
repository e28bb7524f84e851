// The program kv32 logs on at start to the simulated exchange behind a real
// vorlrouter on loopback, loads its tables, and answers on its automation
// interface on a private session bus, driven with gdbus as another program
// would.
#include <gtest/gtest.h>

#include <signal.h>
#include <stdio.h>

#include <chrono>
#include <memory>
#include <string>
#include <thread>

#include "router_test_support.h"

namespace {

using routertest::Child;
using routertest::readFile;
using routertest::waitUntil;

// The output of a shell command, or "" when it could not run.
std::string Output(const std::string& command)
{
    std::string out;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr)
        return out;
    char buffer[512];
    while (fgets(buffer, sizeof buffer, pipe) != nullptr)
        out += buffer;
    pclose(pipe);
    while (!out.empty() && (out.back() == '\n' || out.back() == ' '))
        out.pop_back();
    return out;
}

// A session bus of the test's own: a forked dbus-daemon, ended with the test.
class PrivateBus {
public:
    PrivateBus()
    {
        const std::string printed = Output("dbus-daemon --session --fork --print-address=1 --print-pid=1 2>/dev/null");
        const auto newline = printed.find('\n');
        if (newline == std::string::npos)
            return;
        m_address = printed.substr(0, newline);
        m_pid = std::stoi(printed.substr(newline + 1));
    }
    ~PrivateBus()
    {
        if (m_pid > 0)
            ::kill(m_pid, SIGTERM);
    }
    const std::string& Address() const { return m_address; }

private:
    std::string m_address;
    int m_pid = -1;
};

class Kv32EndToEnd : public routertest::RouterTest {
protected:
    std::string Call(const std::string& method, const std::string& args = "")
    {
        return Output("timeout 30 gdbus call --session --dest org.vexa.Kv32 --object-path /Kv32 --method org.vexa.Kv32."
            + method + (args.empty() ? "" : " -- " + args) + " 2>&1");
    }
};

TEST_F(Kv32EndToEnd, LogsOnThroughTheRouterAndAnswersOnTheBus)
{
    if (Output("command -v gdbus").empty() || Output("command -v dbus-daemon").empty())
        GTEST_SKIP() << "dbus-daemon or gdbus missing (scripts/install-deps installs them)";
    PrivateBus bus;
    ASSERT_FALSE(bus.Address().empty());
    setenv("DBUS_SESSION_BUS_ADDRESS", bus.Address().c_str(), 1);

    writeConfig("Clients=4\n", "ConnectTime=1\nConnectTries=3\nWindowSize=1\n");
    auto router = startAndWait("vorlrouter", { config_ }, "router.out", "ready on");
    auto host = startAndWait("exchange", { config_, "--clock", "100000" }, "exchange.out", "serving");
    // The workstation's settings: its router section and no logo; its user files in the scratch folder.
    std::ofstream(path("kv32.ini")) << "[general]\nLogoPeriod=0\n[VORLClient]\nService=" << port_
                                    << "\nHostType=TEST\nBroadcastAddress=127.255.255.255\nConnectTime=1\n";
    setenv("VEXA_INI_DIR", dir_.c_str(), 1);
    setenv("kv3userpath", dir_.c_str(), 1);
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    setenv("LC_ALL", "C", 1);

    const auto started = std::chrono::steady_clock::now();
    Child kv32("kv32", { "--unattended", "/NOCHECKVERSION", "/uBRK1T1", "/pPass-BRK1T1" }, path("kv32.out"));
    ASSERT_TRUE(kv32.started());
    std::string loggedOn;
    EXPECT_TRUE(waitUntil(
        [&] {
            loggedOn = Call("LoggedOn");
            return loggedOn == "(true,)";
        },
        std::chrono::seconds(60)))
        << loggedOn << "\n" << readFile(path("kv32.out"));
    const auto ready = std::chrono::steady_clock::now() - started;
    std::printf("kv32: start to logged on with the seed data in %lld ms\n",
        static_cast<long long>(std::chrono::duration_cast<std::chrono::milliseconds>(ready).count()));
    // An order through the automation interface reaches the exchange, and is withdrawn by its number.
    EXPECT_EQ(Call("SendOrder", "BRK1A1 100 2774.5 0 0 B S000001 'Fő tábla'"), "(true,)")
        << readFile(path("kv32.out"));
    const std::string out = readFile(path("kv32.out"));
    const auto at = out.find("kv32: message: Order ");
    ASSERT_NE(at, std::string::npos) << out;
    const std::string number = std::to_string(std::stoll(out.substr(at + 21)));
    EXPECT_EQ(Call("WithdrawOrder", number), "(true,)");
    EXPECT_NE(readFile(path("kv32.out")).find("kv32: message: 1 order withdrawn."), std::string::npos);
    // Input the workstation refuses sends nothing and answers at once.
    EXPECT_EQ(Call("SendOrder", "BRK1A1 100 2774.5 0 0 B NOSUCH MAIN"), "(false,)");
    EXPECT_EQ(Call("WithdrawOrder", "1000000000000"), "(false,)");

    // The end of the desktop session logs the user off and ends the program cleanly.
    EXPECT_EQ(kv32.stop(), 0) << readFile(path("kv32.out"));
    EXPECT_EQ(host->stop(), 0);
    EXPECT_EQ(router->stop(), 0);
    unsetenv("DBUS_SESSION_BUS_ADDRESS");
    unsetenv("VEXA_INI_DIR");
    unsetenv("kv3userpath");
}

} // namespace
