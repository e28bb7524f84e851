// echoclient [config[,section]] [--packets n] [--messages m] [--size bytes]:
// a demonstration client of the router library. It finds the server through
// discovery, logs on, sends a stream of request packets (as many outstanding
// as the window allows), checks that every reply matches its request and
// prints round trips and throughput.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "vorl/client.h"
#include "vorl/errors.h"

namespace {

using Clock = std::chrono::steady_clock;

int acceptLogon(int type, const void*, int, int)
{
    return type == 193 ? 0 : -1;
}

struct Options {
    const char* config = nullptr;
    long packets = 2000;
    int messages = 10;
    int size = 64;
};

bool parse(int argc, char** argv, Options& o)
{
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if ((arg == "--packets" || arg == "--messages" || arg == "--size") && i + 1 < argc) {
            const long v = std::atol(argv[++i]);
            if (v < 1 || v > 100000000)
                return false;
            if (arg == "--packets")
                o.packets = v;
            else if (arg == "--messages")
                o.messages = static_cast<int>(v);
            else
                o.size = static_cast<int>(v);
        } else if (arg.rfind("--", 0) != 0 && o.config == nullptr) {
            o.config = argv[i];
        } else {
            return false;
        }
    }
    return o.messages <= 1000 && o.size <= 20000 && long(o.messages) * (20 + o.size) + 16 <= 30000;
}

std::string payload(long packet, int message, int size)
{
    std::string text = std::to_string(packet) + ":" + std::to_string(message) + ":";
    text.resize(static_cast<std::size_t>(size), '.');
    return text;
}

} // namespace

int main(int argc, char** argv)
{
    Options o;
    if (!parse(argc, argv, o)) {
        std::fprintf(stderr,
            "usage: echoclient [config[,section]] [--packets n] [--messages m] [--size bytes]\n"
            "  n 1 to 100000000 (default 2000), m 1 to 1000 (default 10), bytes 1 to 20000 (default 64);\n"
            "  a packet must fit 30000 bytes: m * (bytes + 20) + 16 <= 30000\n");
        return 2;
    }
    VORLHANDLE h = nullptr;
    int rc = VORLCreate(&h, o.config, nullptr, nullptr);
    if (rc != VORL_OK) {
        std::fprintf(stderr, "echoclient: create: %d %s\n", rc, VORLGetError(rc));
        return 1;
    }
    const char logon[] = "demo        0000";
    VORLSetLogonMessage(h, 1, logon, sizeof logon - 1, 0, acceptLogon);
    if ((rc = VORLConnect(h)) != VORL_OK) {
        std::fprintf(stderr, "echoclient: connect: %d %s\n", rc, VORLGetError(rc));
        VORLDisconnect(h);
        return 1;
    }
    std::printf(
        "echoclient: connected; %ld packets of %d messages of %d bytes\n", o.packets, o.messages, o.size);

    std::map<long, Clock::time_point> sentAt; // by packet number (the first message's value)
    std::vector<double> trips;
    trips.reserve(static_cast<std::size_t>(o.packets));
    long sent = 0, answered = 0, mismatched = 0;
    const Clock::time_point begin = Clock::now();
    while (answered < o.packets) {
        // Fill the window, then wait for a reply.
        while (sent < o.packets) {
            std::string first = payload(sent, 0, o.size);
            rc = VORLStartPacket(h, 100, first.data(), o.size, 1, static_cast<int>(sent));
            if (rc == VORL_ERR_NOSLOT)
                break;
            for (int m = 1; m < o.messages && rc == VORL_OK; ++m) {
                const std::string text = payload(sent, m, o.size);
                rc = VORLAddMessage(h, 100 + m, text.data(), o.size, static_cast<int>(sent));
            }
            if (rc == VORL_OK)
                rc = VORLEndPacket(h);
            if (rc != VORL_OK) {
                std::fprintf(stderr, "echoclient: send: %d %s\n", rc, VORLGetError(rc));
                VORLDisconnect(h);
                return 1;
            }
            sentAt[sent++] = Clock::now();
        }
        rc = VORLRecv(h, 30);
        if (rc != VORL_OK) {
            std::fprintf(stderr, "echoclient: receive: %d %s\n", rc, VORLGetError(rc));
            VORLDisconnect(h);
            return 1;
        }
        int count = 0;
        VORLNumMessages(h, &count);
        int type = 0, length = 0, value = -1;
        void* data = nullptr;
        long packet = -1;
        bool ok = count == o.messages;
        for (int m = 0; m < count && ok; ++m) {
            ok = VORLMessage(h, m, &type, &data, &length, &value) == VORL_OK && type == 100 + m;
            if (m == 0)
                packet = value;
            const std::string want = payload(packet, m, o.size);
            ok = ok && value == packet && length == o.size
                && std::memcmp(data, want.data(), want.size()) == 0;
        }
        auto it = sentAt.find(packet);
        if (!ok || it == sentAt.end()) {
            ++mismatched;
            continue;
        }
        trips.push_back(std::chrono::duration<double, std::micro>(Clock::now() - it->second).count());
        sentAt.erase(it);
        ++answered;
    }
    const double seconds = std::chrono::duration<double>(Clock::now() - begin).count();
    std::sort(trips.begin(), trips.end());
    const auto pct = [&](double p) { return trips[static_cast<std::size_t>(p * double(trips.size() - 1))]; };
    std::printf("echoclient: %ld replies matched, %ld mismatched\n", answered, mismatched);
    std::printf(
        "echoclient: round trip us: median %.1f, p99 %.1f, max %.1f\n", pct(0.5), pct(0.99), trips.back());
    std::printf("echoclient: %.0f packets/s, %.0f messages/s over %.2f s\n", double(answered) / seconds,
        double(answered) * o.messages / seconds, seconds);
    VORLDisconnect(h);
    return mismatched == 0 ? 0 : 1;
}
