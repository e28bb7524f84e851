// exchange [config[,section]] [--data folder] [--wait seconds] [--clock HHMMSS]
//          [--ftp port [--attachments folder]]:
// the simulated exchange host application. It loads a data set (default: the
// seed set), attaches to the router's shared block as a VORL server and
// answers the workstation's logon, information requests and transactions.
// Its clock is the local time of day, or starts at --clock and runs on. With
// --ftp it also serves the news attachments over FTP on 127.0.0.1 (user
// "molva", password "tirqa58", folder "/ftp") from the attachments folder:
// by default a fresh temporary copy of the data set's "attachments" folder,
// removed at exit.
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "core/exchange.h"
#include "ftp/attachment_server.h"
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
    int ftpPort = -1; // -1: no attachment server
    std::string attachments;
};

bool portNumber(const char* text, int& port)
{
    char* end = nullptr;
    const long v = std::strtol(text, &end, 10);
    if (*end != '\0' || end == text || v < 0 || v > 65535)
        return false;
    port = static_cast<int>(v);
    return true;
}

// The folder the attachment server serves: the one given, or a temporary
// copy of the data set's attachments so that uploads never touch the data set.
bool attachmentFolder(const Options& o, std::string& folder, std::string& error)
{
    namespace fs = std::filesystem;
    std::error_code ec;
    if (!o.attachments.empty()) {
        folder = o.attachments;
        return true;
    }
    folder = (fs::temp_directory_path(ec) / ("exchange-attachments-" + std::to_string(::getpid()))).string();
    fs::create_directories(folder, ec);
    const fs::path seed = fs::path(o.data) / "attachments";
    if (!ec && fs::is_directory(seed, ec))
        fs::copy(seed, folder, fs::copy_options::overwrite_existing | fs::copy_options::recursive, ec);
    if (ec)
        error = folder + ": " + ec.message();
    return !ec;
}

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
        } else if (arg == "--ftp" && i + 1 < argc) {
            if (!portNumber(argv[++i], o.ftpPort))
                return false;
        } else if (arg == "--attachments" && i + 1 < argc) {
            o.attachments = argv[++i];
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
        std::fprintf(stderr,
            "usage: exchange [config[,section]] [--data folder] [--wait seconds] [--clock HHMMSS]\n"
            "                [--ftp port [--attachments folder]]\n");
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
    std::unique_ptr<exchange::ftp::AttachmentServer> ftp;
    std::string temporaryFolder;
    if (o.ftpPort >= 0) {
        std::string folder;
        const bool ok = attachmentFolder(o, folder, error);
        if (o.attachments.empty())
            temporaryFolder = folder;
        if (!ok) {
            std::fprintf(stderr, "exchange: attachments: %s\n", error.c_str());
            return 1;
        }
        exchange::ftp::ServerOptions options;
        options.folder = folder;
        options.port = o.ftpPort;
        ftp = std::make_unique<exchange::ftp::AttachmentServer>(options);
        if (!ftp->start(error)) {
            std::fprintf(stderr, "exchange: attachments: %s\n", error.c_str());
            return 1;
        }
        std::printf("exchange: attachments of %s on ftp://127.0.0.1:%d/ftp\n", folder.c_str(), ftp->port());
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
    if (ftp)
        ftp->stop();
    if (!temporaryFolder.empty()) {
        std::error_code ec;
        std::filesystem::remove_all(temporaryFolder, ec);
    }
    return 0;
}
