// exchange [config[,section]] [--data folder] [--wait seconds] [--clock HHMMSS]:
// the simulated exchange host application. It loads a data set (default: the
// seed set), attaches to the router's shared block as a VORL server and
// answers the workstation's logon, information requests and transactions.
// Its clock is the local time of day, or starts at --clock and runs on.
#include <signal.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "core/exchange.h"
#include "plinth/time.h"
#include "server/host_link.h"
#include "vorl/server.h"

namespace {

std::atomic<bool> stopRequested { false };

void onSignal(int)
{
    stopRequested.store(true);
}

struct Options {
    const char* config = nullptr;
    std::string data = EXCHANGE_SEED_DATA_DIR;
    unsigned waitSeconds = 10;
    exchange::TimeSource clock = exchange::LocalTimeOfDay;
};

bool parse(int argc, char** argv, Options& o)
{
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--data" && i + 1 < argc) {
            o.data = argv[++i];
        } else if (arg == "--wait" && i + 1 < argc) {
            char* end = nullptr;
            const long v = std::strtol(argv[++i], &end, 10);
            if (*end != '\0' || v < 0 || v > 86400)
                return false;
            o.waitSeconds = static_cast<unsigned>(v);
        } else if (arg == "--clock" && i + 1 < argc) {
            auto clock = exchange::ClockStartingAt(argv[++i]);
            if (!clock)
                return false;
            o.clock = std::move(*clock);
        } else if (arg.rfind("--", 0) != 0 && o.config == nullptr) {
            o.config = argv[i];
        } else {
            return false;
        }
    }
    return true;
}

// The router may still be starting: its block is looked for a while.
int attach(const Options& o, VORLSERVERHANDLE& h)
{
    const unsigned start = TimeTickCount();
    for (;;) {
        const int rc = VORLServerCreate(&h, o.config, nullptr, nullptr);
        const bool retry = rc == VORL_ERR_NO_BLOCK || rc == VORL_ERR_EVENT || rc == VORL_ERR_MUTEX;
        if (!retry || stopRequested.load() || TimeTickDelta(TimeTickCount(), start) >= o.waitSeconds * 1000u)
            return rc;
        SysSleep(50);
    }
}

} // namespace

int main(int argc, char** argv)
{
    Options o;
    if (!parse(argc, argv, o)) {
        std::fprintf(
            stderr, "usage: exchange [config[,section]] [--data folder] [--wait seconds] [--clock HHMMSS]\n");
        return 2;
    }
    exchange::DataSet data;
    std::string error;
    if (!exchange::LoadDataSet(o.data, data, error)) {
        std::fprintf(stderr, "exchange: %s: %s\n", o.data.c_str(), error.c_str());
        return 1;
    }
    struct sigaction sa { };
    sa.sa_handler = onSignal;
    sigemptyset(&sa.sa_mask);
    sigaction(SIGINT, &sa, nullptr);
    sigaction(SIGTERM, &sa, nullptr);

    VORLSERVERHANDLE h = nullptr;
    if (const int rc = attach(o, h); rc != VORL_OK) {
        std::fprintf(stderr, "exchange: cannot attach to the router (%d)\n", rc);
        return 1;
    }
    exchange::Exchange ex(std::move(data), o.clock);
    exchange::HostLink link(h, ex);
    VORLServerConnect(h);
    std::printf("exchange: serving %zu securities, %zu orders\n", ex.data().securities.size(),
        ex.data().orders.size());
    std::fflush(stdout);
    long served = 0;
    while (!stopRequested.load()) {
        const int rc = VORLServerRecv(h, 1, 0);
        if (rc == VORL_OK) {
            if (const int arc = link.answer(); arc != VORL_OK)
                std::fprintf(stderr, "exchange: reply failed (%d)\n", arc);
            ++served;
        } else if (rc != VORL_ERR_TIMEOUT) {
            SysSleep(100); // the router is not running or the queue failed
        }
    }
    VORLServerDisconnect(h);
    std::printf("exchange: served %ld request packets\n", served);
    return 0;
}
