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
#include "loopback_port.h"
#include "plinth/persist.h"

namespace {

using namespace exbench;
using exchange::client::Message;
using exchange::client::ScriptedClient;

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

struct Snapshot {
    double secs = 0;
    long packets = 0, records = 0, bytes = 0;
    std::vector<std::size_t> replySizes; // data bytes of each reply packet
    std::vector<std::pair<std::string, int64_t>> shares; // key and previous price of MAIN shares
    std::map<int, long> perCode;
    int64_t orderSeq = 0;
    std::string greatestOrder = std::string(12, '0'); // the day's orders before the load
    bool ok = true;
};

const std::map<int, std::size_t> kLengths { { 115, 0 }, { 23, 43 }, { 22, 44 }, { 20, 44 }, { 21, 44 },
    { 17, 1102 }, { 19, 169 }, { 18, 158 }, { 116, 42 }, { 65, 41 }, { 73, 43 }, { 66, 294 }, { 93, 23 },
    { 77, 53 }, { 76, 58 } };

std::size_t dataBytes(const std::vector<Message>& reply)
{
    std::size_t n = 0;
    for (const Message& m : reply)
        n += m.data.size();
    return n;
}

// One snapshot loop: resume keys until the last-record flag or an empty reply.
void snapshotLoop(ScriptedClient& c, const std::string& user, int code, Snapshot& s)
{
    std::string key = code == 93 ? "000000" : code == 66 ? "0000000000" : "00000000";
    for (int guard = 0; guard < 1000000; ++guard) {
        const std::string extra = code == 17 ? std::string(8, ' ') : std::string();
        const auto reply = c.send({ { code, userField(user) + key + extra } });
        ++s.packets;
        s.replySizes.push_back(dataBytes(reply));
        s.bytes += static_cast<long>(dataBytes(reply));
        if (reply.empty() || reply.back().type != 0) {
            s.ok = false;
            return;
        }
        if (reply.size() == 1)
            return;
        for (std::size_t i = 0; i + 1 < reply.size(); ++i) {
            const std::string& r = reply[i].data;
            const std::size_t expected = kLengths.at(code);
            if (reply[i].type != code || (expected != 0 && r.size() != expected))
                s.ok = false;
            ++s.records;
            ++s.perCode[code];
            if (code == 17 && r.size() == 1102 && r[8] == '0' && r.compare(9, 4, "MAIN") == 0
                && s.shares.size() < 100)
                s.shares.push_back({ r.substr(8, 17), std::atoll(r.substr(185, 9).c_str()) });
        }
        const std::string& last = reply[reply.size() - 2].data;
        if (last.empty() || last.back() == '1' || (code == 115 && last.size() > 52 && last[52] == '1'))
            return;
        key = code == 93 ? last.substr(0, 6) : last.substr(0, 8);
    }
}

// The standing requests from sequence 0, polled in one packet until none brings data.
void standing(ScriptedClient& c, const std::string& user, Snapshot& s)
{
    const std::vector<int> codes { 33, 64, 44, 41, 40, 42, 43, 50, 54, 52, 72, 85, 118 };
    std::map<int, std::string> seq;
    std::string audit = "0000000000000000";
    for (const int code : codes)
        seq[code] = "0000000000";
    for (int guard = 0; guard < 1000000; ++guard) {
        std::vector<std::pair<int, std::string>> packet;
        for (const int code : codes) {
            std::string text = userField(user) + (code == 72 ? audit : seq[code]);
            if (code == 50 || code == 54 || code == 52)
                text += std::string(12, '0');
            if (code == 118)
                text += std::string(12, '0') + " ";
            if (code == 33)
                text += std::string(25, ' ');
            packet.push_back({ code, text });
        }
        const auto reply = c.send(packet);
        ++s.packets;
        s.replySizes.push_back(dataBytes(reply));
        s.bytes += static_cast<long>(dataBytes(reply));
        std::size_t entry = 0;
        bool any = false;
        for (const Message& m : reply) {
            if (m.type == 0) {
                ++entry;
                continue;
            }
            if (entry >= codes.size() || m.type != codes[entry] || m.data.size() < 10) {
                s.ok = s.ok && (m.type == 194 || m.type == 195);
                continue;
            }
            any = true;
            ++s.records;
            ++s.perCode[m.type];
            if (m.type == 50 && m.data.size() >= 23)
                s.greatestOrder = std::max(s.greatestOrder, m.data.substr(11, 12));
            if (m.type == 72)
                (m.data[8] == 'Y' ? audit.replace(0, 8, m.data.substr(0, 8))
                                  : audit.replace(8, 8, m.data.substr(0, 8)));
            else
                seq[m.type] = m.data.substr(0, 10);
        }
        if (entry != codes.size())
            s.ok = false;
        if (!any)
            break;
    }
    s.orderSeq = std::atoll(seq[50].c_str());
}

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
                for (const int code : { 115, 23, 22, 20, 21, 17, 19, 18, 116, 65, 73, 66, 93, 77, 76 })
                    snapshotLoop(sup, "SUP1", code, snap);
                standing(sup, "SUP1", snap);
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
        const auto b0 = Clock::now();
        for (const std::size_t size : snap.replySizes) {
            const std::string text(std::max<std::size_t>(1, std::min<std::size_t>(size, 29000)), 'x');
            if (c.send({ { 100, text } }).empty())
                rc = 1;
        }
        const double base = seconds(Clock::now() - b0);
        std::printf("baseline, the same packets' reply bytes echoed through vorlrouter and echohost: %.2f s; "
                    "snapshot / baseline = %.2f\n",
            base, snap.secs / base);
    }
    SysStopPersistServer();
    std::error_code ec;
    std::filesystem::remove_all(dir, ec);
    return rc;
}
