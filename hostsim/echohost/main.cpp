// echohost [config[,section]] [--log file] [--wait seconds] [--class n]: a
// minimal host application. It attaches to the router's shared block as a
// VORL server and answers every request message with a reply message of the
// same type and data (a logon with the accepted type), so that each request
// packet gets exactly one reply packet. --log writes one line per request
// taken: "<sequence> <client slot> <window slot>".
#include <signal.h>

#include <atomic>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "plinth/time.h"
#include "vorl/codec.h"
#include "vorl/server.h"

namespace {

constexpr int kLogonAccepted = 193;
std::atomic<bool> stopRequested { false };

void onSignal(int)
{
    stopRequested.store(true);
}

struct Options {
    const char* config = nullptr;
    const char* logFile = nullptr;
    int waitSeconds = 10;
    int pktClass = 0;
};

// A whole decimal number within [low, high]; a typing error is refused
// rather than read as 0 (for --class, "any class").
bool number(const char* text, long low, long high, int& out)
{
    char* end = nullptr;
    errno = 0;
    const long v = std::strtol(text, &end, 10);
    if (end == text || *end != '\0' || errno != 0 || v < low || v > high)
        return false;
    out = static_cast<int>(v);
    return true;
}

bool parse(int argc, char** argv, Options& o)
{
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if ((arg == "--log" || arg == "--wait" || arg == "--class") && i + 1 < argc) {
            const char* value = argv[++i];
            if (arg == "--log")
                o.logFile = value;
            else if (arg == "--wait" ? !number(value, 0, 86400, o.waitSeconds)
                                     : !number(value, INT32_MIN, INT32_MAX, o.pktClass))
                return false;
        } else if (arg.rfind("--", 0) != 0 && o.config == nullptr) {
            o.config = argv[i];
        } else {
            return false;
        }
    }
    return true;
}

// One reply packet for the current request.
int answer(VORLSERVERHANDLE h, std::vector<char>& buffer, FILE* log)
{
    int count = 0;
    VORLServerNumMessages(h, &count);
    const void* packet = nullptr;
    VORLServerPacket(h, &packet);
    VORLPktHdr hdr {};
    vorl::wire::decode(static_cast<const uint8_t*>(packet), hdr);
    if (log != nullptr) {
        VORLServerClient client {};
        if (count > 0)
            VORLServerGetClient(h, 0, &client);
        std::fprintf(log, "%u %d %d\n", hdr.seq, client.clientSlot, client.windowSlot);
    }
    if (count == 0)
        return VORLServerSend(h, 0, nullptr, 0);
    // A client's logon travels as sequence 0; an operator's request, also 0,
    // comes from the address 0xFFFFFFFF.
    const bool logon = hdr.seq == 0 && hdr.address != 0xFFFFFFFFu;
    for (int i = 0; i < count; ++i) {
        int type = 0, length = 0;
        void* data = nullptr;
        // In place where the plug-ins allow it; copied out where they transform messages.
        int rc = VORLServerMessage(h, i, &type, &data, &length, nullptr);
        if (rc == VORL_ERR_MUST_COPY) {
            rc = VORLServerGetMessage(
                h, i, &type, buffer.data(), static_cast<int>(buffer.size()), &length, nullptr);
            data = buffer.data();
        }
        if (rc != VORL_OK)
            return rc;
        if (logon)
            type = kLogonAccepted;
        rc = i == 0 ? VORLServerStartPacket(h, type, data, length)
                    : VORLServerAddMessage(h, type, data, length);
        if (rc == VORL_ERR_NO_ROOM && i > 0)
            break; // what fits goes back
        if (rc != VORL_OK)
            return rc;
    }
    return VORLServerEndPacket(h);
}

} // namespace

int main(int argc, char** argv)
{
    Options o;
    if (!parse(argc, argv, o)) {
        std::fprintf(
            stderr, "usage: echohost [config[,section]] [--log file] [--wait seconds] [--class n]\n");
        return 2;
    }
    struct sigaction sa { };
    sa.sa_handler = onSignal;
    sigemptyset(&sa.sa_mask);
    sigaction(SIGINT, &sa, nullptr);
    sigaction(SIGTERM, &sa, nullptr);

    // The router may still be starting: its block is looked for a while.
    VORLSERVERHANDLE h = nullptr;
    int rc = VORL_ERR_NO_BLOCK;
    const unsigned start = TimeTickCount();
    for (;;) {
        rc = VORLServerCreate(&h, o.config, nullptr, nullptr);
        const bool retry = rc == VORL_ERR_NO_BLOCK || rc == VORL_ERR_EVENT || rc == VORL_ERR_MUTEX;
        if (!retry || stopRequested.load()
            || TimeTickDelta(TimeTickCount(), start) >= unsigned(o.waitSeconds) * 1000u)
            break;
        SysSleep(50);
    }
    if (rc != VORL_OK) {
        std::fprintf(stderr, "echohost: cannot attach to the router (%d)\n", rc);
        return 1;
    }
    FILE* log = o.logFile != nullptr ? std::fopen(o.logFile, "w") : nullptr;
    if (o.logFile != nullptr && log == nullptr) {
        std::fprintf(stderr, "echohost: cannot write the log %s: %s\n", o.logFile, std::strerror(errno));
        VORLServerDisconnect(h);
        return 1;
    }
    VORLServerConnect(h);
    std::printf("echohost: serving\n");
    std::fflush(stdout);
    std::vector<char> buffer(70000);
    long served = 0;
    while (!stopRequested.load()) {
        rc = VORLServerRecv(h, 1, o.pktClass);
        if (rc == VORL_OK) {
            if (const int arc = answer(h, buffer, log); arc != VORL_OK)
                std::fprintf(stderr, "echohost: reply failed (%d)\n", arc);
            ++served;
        } else if (rc != VORL_ERR_TIMEOUT) {
            SysSleep(100); // the router is not running (7) or the queue failed
        }
    }
    if (log != nullptr)
        std::fclose(log);
    VORLServerDisconnect(h);
    std::printf("echohost: served %ld requests\n", served);
    return 0;
}
