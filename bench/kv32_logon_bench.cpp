// kv32_logon_bench [--data folder] [--user id]: the workstation's logon against the simulated
// exchange's large data set (without --data generated first: 50,000 securities, 1,000,000
// orders), through vorlrouter on loopback.
//  (1) kv32 starts offscreen, logged on from its command line; it is ready when its automation
//      interface answers that the user is logged on (the logon has loaded the snapshot of every
//      table by then). Its resident memory is read then, and again a while later, while the
//      standing requests bring the day's orders poll by poll;
//  (2) the same user's logon snapshot taken with the scripted client, and the standing requests
//      after it;
//  (3) the baseline in the same run: the reply bytes of that logon snapshot carried through the
//      router's request-reply loop with echohost. The goal is logged on / baseline <= 3.
// A plain program printing figures; it needs dbus-daemon and gdbus.
#include <cstdio>
#include <cstdlib>
#include <fstream>

#include "exchange_bench_support.h"
#include "exchange_snapshot.h"
#include "loopback_port.h"
#include "plinth/persist.h"

namespace {

using namespace exbench;

// How long the program is followed after the logon.
constexpr int kFollowSeconds = 30;

// The output of a shell command without its trailing new lines, "" when it could not run.
std::string output(const std::string& command)
{
    std::string out;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[512];
        while (fgets(buffer, sizeof buffer, pipe) != nullptr)
            out += buffer;
        pclose(pipe);
    }
    while (!out.empty() && (out.back() == '\n' || out.back() == ' '))
        out.pop_back();
    return out;
}

// Resident memory of a process in kB, 0 when it is gone.
long residentKb(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0)
            return std::atol(line.c_str() + 6);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    std::string data;
    std::string user = "SUP1";
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string a = argv[i];
        if (a == "--data")
            data = argv[i + 1];
        else if (a == "--user")
            user = argv[i + 1];
        else
            argc = 0;
    }
    if (argc % 2 != 1 || user.empty() || user.size() > 12) {
        std::fprintf(stderr, "usage: kv32_logon_bench [--data folder] [--user id]\n");
        return 2;
    }
    if (output("command -v dbus-daemon").empty() || output("command -v gdbus").empty()) {
        std::fprintf(stderr, "kv32_logon_bench: dbus-daemon and gdbus are needed\n");
        return 1;
    }
    std::string dir = (std::filesystem::temp_directory_path() / "kv32_logon_bench.XXXXXX").string();
    if (mkdtemp(dir.data()) == nullptr)
        return 1;
    setenv("PLINTH_NAMESPACE", ("kl" + std::to_string(getpid()) + "_").c_str(), 1);
    if (data.empty()) {
        data = dir + "/large";
        Process gen("exchange_datagen", { data, "--securities", "50000", "--orders", "1000000" }, dir + "/datagen.out");
        if (!gen.waitFor("wrote", 600)) {
            std::fprintf(stderr, "kv32_logon_bench: the generator failed\n");
            return 1;
        }
    }
    const std::string port = std::to_string(hostsim::freeLoopbackPort());
    const std::string config = dir + "/vorl.ini";
    std::ofstream(config) << "[VORLRouter]\nService=" << port << "\nHostType=EXCH\nListenAddress=127.0.0.1\n"
                          << "BroadcastAddress=127.255.255.255\nClients=16\n[VORLServer]\nService=" << port
                          << "\nHostType=EXCH\n[VORLClient]\nService=" << port
                          << "\nHostType=EXCH\nBroadcastAddress=127.255.255.255\nConnectTime=1\nPacketTimeout=60\n";
    std::ofstream(dir + "/kv32.ini") << "[general]\nLogoPeriod=0\n[VORLClient]\nService=" << port
                                     << "\nHostType=EXCH\nBroadcastAddress=127.255.255.255\nConnectTime=1\n"
                                     << "PacketTimeout=60\n";
    setenv("VORLCONFIG", config.c_str(), 1);
    // A session bus of the bench's own for the automation interface.
    const std::string bus = output("dbus-daemon --session --fork --print-address=1 --print-pid=1 2>/dev/null");
    const auto newline = bus.find('\n');
    if (newline == std::string::npos) {
        std::fprintf(stderr, "kv32_logon_bench: no session bus\n");
        return 1;
    }
    const pid_t busPid = static_cast<pid_t>(std::atoi(bus.c_str() + newline + 1));
    setenv("DBUS_SESSION_BUS_ADDRESS", bus.substr(0, newline).c_str(), 1);
    int rc = 0;
    {
        Process router("vorlrouter", { config }, dir + "/router.out");
        if (!router.waitFor("ready on", 30))
            return 1;
        double ready = -1, later = -1;
        long rssReady = 0, rssLater = 0;
        Snapshot snap;
        {
            Process host("exchange", { config, "--data", data, "--wait", "60", "--clock", "100000" }, dir + "/exchange.out");
            if (!host.waitFor("serving", 900)) {
                std::fprintf(stderr, "kv32_logon_bench: the exchange did not start\n");
                return 1;
            }
            {
                setenv("VEXA_INI_DIR", dir.c_str(), 1);
                setenv("kv3userpath", dir.c_str(), 1);
                setenv("QT_QPA_PLATFORM", "offscreen", 1);
                const auto t0 = Clock::now();
                Process kv32("kv32", { "--unattended", "/NOCHECKVERSION", "/u" + user, "/pPass-" + user }, dir + "/kv32.out");
                const std::string call = "timeout 60 gdbus call --session --dest org.vexa.Kv32 --object-path /Kv32 "
                                         "--method org.vexa.Kv32.LoggedOn 2>/dev/null";
                for (int i = 0; i < 9000 && ready < 0; ++i) {
                    if (output(call) == "(true,)")
                        ready = seconds(Clock::now() - t0);
                    else
                        std::this_thread::sleep_for(std::chrono::milliseconds(50));
                }
                rssReady = residentKb(kv32.pid());
                // After the logon the standing requests bring the day's orders poll by poll.
                if (ready >= 0) {
                    std::this_thread::sleep_for(std::chrono::seconds(kFollowSeconds));
                    later = seconds(Clock::now() - t0);
                    rssLater = residentKb(kv32.pid());
                }
            }
            if (ready < 0) {
                std::fprintf(stderr, "kv32_logon_bench: kv32 did not log on: %s\n", readFile(dir + "/kv32.out").c_str());
                rc = 1;
            }
            std::printf("kv32 start to logged on as %s, every table's logon snapshot loaded: %.2f s\n", user.c_str(), ready);
            std::printf("kv32 resident memory then: %.1f MB; %d s later, with the orders streaming in: %.1f MB (at %.1f s)\n",
                rssReady / 1024.0, kFollowSeconds, rssLater / 1024.0, later);
            // The same user's logon snapshot with the scripted client: the snapshot loops of the
            // tables loaded at logon (their reply bytes are the baseline), then the standing requests.
            ScriptedClient c(config, user, "Pass-" + user);
            const auto t0 = Clock::now();
            for (const int code : snapshotCodes())
                snapshotLoop(c, user, code, snap);
            snap.secs = seconds(Clock::now() - t0);
            std::printf("the same logon snapshot with the scripted client: %.2f s, %ld packets, %ld records, %.1f MB, %s\n",
                snap.secs, snap.packets, snap.records, snap.bytes / 1e6, snap.ok ? "every record checked" : "ERRORS");
            Snapshot rest;
            const auto t1 = Clock::now();
            standing(c, user, rest);
            std::printf("then the standing requests from sequence 0: %.2f s, %ld packets, %ld records (orders %ld), %.1f MB\n",
                seconds(Clock::now() - t1), rest.packets, rest.records, rest.perCode[50], rest.bytes / 1e6);
        }
        Process echo("echohost", { config }, dir + "/echo.out");
        if (!echo.waitFor("serving", 30))
            return 1;
        ScriptedClient c(config, "bench", "bench");
        const double base = echoSameBytes(c, snap.replySizes);
        if (base <= 0 || !snap.ok)
            rc = 1;
        std::printf("baseline, the same reply bytes through vorlrouter's request-reply loop with echohost: %.2f s\n", base);
        std::printf("kv32 logged on / baseline = %.2f (goal <= 3)\n", ready / base);
    }
    kill(busPid, SIGTERM);
    SysStopPersistServer();
    std::error_code ec;
    std::filesystem::remove_all(dir, ec);
    return rc;
}
