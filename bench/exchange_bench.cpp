// exchange_bench [--data folder] [--clients n] [--minutes m] [--rate orders-per-minute]:
// the simulated exchange under load through vorlrouter on loopback.
//  (1) a full logon snapshot of every table by an exchange supervisor (who
//      sees every firm's orders): the snapshot loops, then the standing
//      requests polled from sequence 0 until nothing is left; every record's
//      length and the last-record flags are checked;
//  (2) order transactions from several clients at a fixed rate (default
//      10,000 a minute for ten minutes), every verdict checked and every
//      accepted order found again in the order stream;
//  (3) the baseline: the same packets' reply bytes through the router's
//      request-reply loop with echohost (which carries them both ways).
// Without --data the large variant (50,000 securities, 1,000,000 orders) is
// generated first with exchange_datagen. A plain program printing figures.
#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <mutex>
#include <set>

#include "client/scripted_client.h"
#include "exchange_bench_support.h"
#include "exchange_snapshot.h"
#include "loopback_port.h"
#include "plinth/persist.h"

namespace {

using namespace exbench;

std::string userField(const std::string& user)
{
    return ScriptedClient::UserField(user);
}

struct Options {
    std::string data;
    int clients = 4;
    double minutes = 10;
    int rate = 10000;
};

struct Load {
    std::atomic<long> accepted { 0 }, failed { 0 };
    std::mutex mutex;
    std::vector<double> latencies;
    double secs = 0;
};

void trader(const std::string& config, int index, const Options& o, const Snapshot& snap, Load& load)
{
    static const int kBrokers[] = { 1, 2, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14 };
    const std::string firm = "BRK" + std::to_string(kBrokers[index % 12]);
    const std::string user = firm + "T1";
    ScriptedClient c(config, user, "Pass-" + user);
    if (!c.ok()) {
        load.failed += 1;
        return;
    }
    const long total = static_cast<long>(o.rate * o.minutes / o.clients);
    const auto interval = std::chrono::duration<double>(60.0 * o.clients / o.rate);
    const auto start = Clock::now();
    std::vector<double> mine;
    for (long n = 0; n < total; ++n) {
        std::this_thread::sleep_until(start + std::chrono::duration_cast<Clock::duration>(interval * n));
        const auto& [key, price] = snap.shares[static_cast<std::size_t>(n + index) % snap.shares.size()];
        const bool buy = (n + index) % 2 == 0;
        std::string text(211, ' ');
        auto put = [&](std::size_t at, const std::string& v) { text.replace(at, v.size(), v); };
        char digits[32];
        put(0, userField(user));
        put(12, firm + "A1");
        put(24, buy ? "B" : "S");
        put(25, "01000000000000000000000001000000");
        put(57, key);
        std::snprintf(digits, sizeof digits, "%09lld", static_cast<long long>(price + (buy ? 5 : -5)));
        put(74, digits);
        put(92, "0000000000000010");
        put(108, "0000000000000000");
        put(178, "000000000");
        put(195, "0000000000000000");
        const auto sent = Clock::now();
        const auto reply = c.send({ { 132, text } });
        mine.push_back(seconds(Clock::now() - sent));
        const bool good = reply.size() == 1 && reply[0].type == 193 && reply[0].data.rfind("Order ", 0) == 0;
        (good ? load.accepted : load.failed) += 1;
    }
    std::lock_guard<std::mutex> lock(load.mutex);
    load.latencies.insert(load.latencies.end(), mine.begin(), mine.end());
}

bool parse(int argc, char** argv, Options& o)
{
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string a = argv[i];
        if (a == "--data")
            o.data = argv[i + 1];
        else if (a == "--clients")
            o.clients = std::atoi(argv[i + 1]);
        else if (a == "--minutes")
            o.minutes = std::atof(argv[i + 1]);
        else if (a == "--rate")
            o.rate = std::atoi(argv[i + 1]);
        else
            return false;
    }
    return argc % 2 == 1 && o.clients > 0 && o.clients <= 12 && o.minutes > 0 && o.rate > 0;
}

} // namespace

int main(int argc, char** argv)
{
    Options o;
    if (!parse(argc, argv, o)) {
        std::fprintf(stderr,
            "usage: exchange_bench [--data folder] [--clients 1-12] [--minutes m] [--rate per-minute]\n");
        return 2;
    }
    std::string dir = (std::filesystem::temp_directory_path() / "exchange_bench.XXXXXX").string();
    if (mkdtemp(dir.data()) == nullptr)
        return 1;
    setenv("PLINTH_NAMESPACE", ("xb" + std::to_string(getpid()) + "_").c_str(), 1);
    if (o.data.empty()) {
        o.data = dir + "/large";
        Process gen("exchange_datagen", { o.data, "--securities", "50000", "--orders", "1000000" },
            dir + "/datagen.out");
        if (!gen.waitFor("wrote", 300)) {
            std::fprintf(stderr, "exchange_bench: the generator failed\n");
            return 1;
        }
    }
    const std::string port = std::to_string(hostsim::freeLoopbackPort());
    const std::string config = dir + "/vorl.ini";
    std::ofstream(config)
        << "[VORLRouter]\nService=" << port << "\nHostType=EXCH\nListenAddress=127.0.0.1\n"
        << "BroadcastAddress=127.255.255.255\nClients=16\n[VORLServer]\nService=" << port
        << "\nHostType=EXCH\n[VORLClient]\nService=" << port
        << "\nHostType=EXCH\nBroadcastAddress=127.255.255.255\nConnectTime=1\nPacketTimeout=60\n";
    setenv("VORLCONFIG", config.c_str(), 1);
    int rc = 0;
    {
        Process router("vorlrouter", { config }, dir + "/router.out");
        if (!router.waitFor("ready on", 30))
            return 1;
        Snapshot snap;
        Load load;
        {
            const auto loadStart = Clock::now();
            Process host("exchange", { config, "--data", o.data, "--wait", "60", "--clock", "100000" },
                dir + "/exchange.out");
            if (!host.waitFor("serving", 600)) {
                std::fprintf(stderr, "exchange_bench: the exchange did not start: %s\n",
                    readFile(dir + "/exchange.out").c_str());
                return 1;
            }
            std::printf("exchange start with the data set: %.2f s\n", seconds(Clock::now() - loadStart));
            {
                ScriptedClient sup(config, "SUP1", "Pass-SUP1");
                const auto t0 = Clock::now();
                fullSnapshot(sup, "SUP1", snap);
                snap.secs = seconds(Clock::now() - t0);
            }
            std::printf("logon snapshot: %.2f s, %ld packets, %ld records, %.1f MB of record data, %s\n",
                snap.secs, snap.packets, snap.records, snap.bytes / 1e6,
                snap.ok ? "every record checked" : "ERRORS");
            std::printf("  securities %ld, orders %ld, trades %ld, deals %ld\n", snap.perCode[17],
                snap.perCode[50], snap.perCode[54], snap.perCode[52]);
            rc = snap.ok && !snap.shares.empty() ? 0 : 1;

            const auto l0 = Clock::now();
            std::vector<std::thread> threads;
            for (int i = 0; i < o.clients; ++i)
                threads.emplace_back(trader, config, i, std::cref(o), std::cref(snap), std::ref(load));
            for (std::thread& t : threads)
                t.join();
            load.secs = seconds(Clock::now() - l0);
            std::sort(load.latencies.begin(), load.latencies.end());
            const auto pct = [&](double p) {
                return load.latencies.empty()
                    ? 0.0
                    : load.latencies[static_cast<std::size_t>(p * (load.latencies.size() - 1))];
            };
            // Every accepted order is in the order stream after the snapshot's end.
            ScriptedClient sup(config, "SUP1", "Pass-SUP1");
            long found = 0;
            std::string after = std::to_string(snap.orderSeq);
            after.insert(0, 10 - after.size(), '0');
            std::set<std::string> numbers;
            for (int guard = 0; guard < 1000000; ++guard) {
                const auto reply = sup.send({ { 50, userField("SUP1") + after + std::string(12, '0') } });
                if (reply.size() <= 1)
                    break;
                for (std::size_t i = 0; i + 1 < reply.size(); ++i) {
                    // Resting orders that traded come again; count the new ones.
                    if (reply[i].data.substr(11, 12) > snap.greatestOrder)
                        numbers.insert(reply[i].data.substr(11, 12));
                }
                after = reply[reply.size() - 2].data.substr(0, 10);
            }
            found = static_cast<long>(numbers.size());
            std::printf(
                "order transactions: %ld accepted, %ld failed in %.1f s from %d clients: %.1f per second "
                "(asked %.1f); latency median %.2f ms, 99%% %.2f ms; %ld of them found in the order stream\n",
                load.accepted.load(), load.failed.load(), load.secs, o.clients, load.accepted / load.secs,
                o.rate / 60.0, pct(0.5) * 1e3, pct(0.99) * 1e3, found);
            if (load.failed != 0 || found != load.accepted)
                rc = 1;
        }
        // Baseline: the same reply bytes through the request-reply loop with echohost.
        Process echo("echohost", { config }, dir + "/echo.out");
        if (!echo.waitFor("serving", 30))
            return 1;
        ScriptedClient c(config, "bench", "bench");
        const double base = echoSameBytes(c, snap.replySizes);
        if (base <= 0)
            rc = 1;
        std::printf("baseline, the same packets' reply bytes echoed through vorlrouter and echohost: %.2f s; "
                    "snapshot / baseline = %.2f\n",
            base, snap.secs / base);
    }
    SysStopPersistServer();
    std::error_code ec;
    std::filesystem::remove_all(dir, ec);
    return rc;
}
