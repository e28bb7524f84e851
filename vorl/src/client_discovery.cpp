// Server discovery over UDP, the choice of a server from the replies, and the
// load-balancing rounds that repeat discovery while connected.
#include <arpa/inet.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

#include <chrono>
#include <cstring>

#include "client_net.h"
#include "plinth/sockwait.h"
#include "plinth/time.h"
#include "vorl/codec.h"
#include "vorl/util.h"

namespace vorl {

namespace {

// A flood of datagrams must not hold a round beyond its time; this bounds the
// reads of one round besides the time.
constexpr int kMaxDatagramsPerRound = 4096;

uint32_t networkOf(uint32_t address)
{
    const uint32_t h = ntohl(address);
    if (h < 0x80000000u)
        return h & 0xFF000000u;
    if (h < 0xC0000000u)
        return h & 0xFFFF0000u;
    return h & 0xFFFFFF00u;
}

void addReply(VORLClient* c, uint32_t address, uint32_t load)
{
    for (int i = 0; i < c->replyCount; ++i) {
        if (c->replies[static_cast<std::size_t>(i)].address == address) {
            c->replies[static_cast<std::size_t>(i)].load = load;
            return;
        }
    }
    if (c->replyCount < kMaxReplies)
        c->replies[static_cast<std::size_t>(c->replyCount++)] = { address, load };
}

// Replies of an earlier round that arrived late would count in this one.
void drainDatagrams(int sock)
{
    uint8_t buffer[64];
    for (int i = 0; i < kMaxDatagramsPerRound; ++i) {
        if (recv(sock, buffer, sizeof buffer, MSG_DONTWAIT) < 0)
            return;
    }
}

void sendDiscovery(VORLClient* c)
{
    ConnectInfo info {};
    std::memcpy(info.hostType, c->hostType.data(), c->hostType.size()); // at most 30, the rest zeros
    info.version = VORL_PROTOCOL_VERSION;
    info.sendBufferSize = static_cast<uint32_t>(c->options.sendBufferSize);
    info.recvBufferSize = static_cast<uint32_t>(c->options.recvBufferSize);
    info.windowSize = static_cast<uint32_t>(c->options.windowSize);
    uint8_t bytes[VORL_CONNECTINFO_SIZE];
    wire::encode(info, bytes);
    for (const sockaddr_in& to : c->candidates) {
        // A candidate that cannot be reached is simply not heard from.
        sendto(c->udpSocket, bytes, sizeof bytes, MSG_NOSIGNAL, reinterpret_cast<const sockaddr*>(&to),
            sizeof to);
    }
}

// Reads replies until `limit` are held or `waitMs` have passed (0: only those
// already arrived). Datagrams of another length than 52 are not replies.
int readReplies(VORLClient* c, int limit, int64_t waitMs)
{
    const uint32_t start = TimeTickCount();
    for (int i = 0; i < kMaxDatagramsPerRound && c->replyCount < limit; ++i) {
        int64_t left = waitMs - static_cast<int64_t>(TimeTickDelta(TimeTickCount(), start));
        if (left < 0)
            left = 0;
        const timeval tv { static_cast<time_t>(left / 1000), static_cast<suseconds_t>((left % 1000) * 1000) };
        uint8_t buffer[512];
        sockaddr_in from {};
        socklen_t fromLength = sizeof from;
        const int n = SYSrecvfromwait(
            c->udpSocket, buffer, sizeof buffer, 0, reinterpret_cast<sockaddr*>(&from), &fromLength, &tv);
        if (n < 0)
            return VORL_ERR_DISCOVERY_READ;
        if (n == 0) {
            if (left == 0)
                break; // the time is up (an empty datagram before it is skipped)
            continue;
        }
        if (n != static_cast<int>(VORL_CONNECTINFO_SIZE) || from.sin_family != AF_INET)
            continue;
        ConnectInfo info;
        wire::decode(buffer, info);
        addReply(c, from.sin_addr.s_addr, info.load);
    }
    return VORL_OK;
}

// The system may give the discovery socket the service's own port, since every
// socket of the router allows shared addresses. Such a socket would hear
// nothing but its own round, and a server on this host would answer itself:
// take another port.
void keepOffServicePort(VORLClient* c)
{
    for (int attempt = 0; attempt < 8 && c->udpSocket >= 0; ++attempt) {
        sockaddr_in local {};
        socklen_t length = sizeof local;
        if (getsockname(c->udpSocket, reinterpret_cast<sockaddr*>(&local), &length) != 0
            || local.sin_port != c->udpPort)
            return;
        int other = -1;
        if (CreateSocket(&other, VORL_SOCKET_DGRAM, 0, 0, 0, 0, 0, 0) != VORL_OK)
            return;
        close(c->udpSocket);
        c->udpSocket = other;
    }
}

} // namespace

uint32_t NowSeconds()
{
    const auto s = std::chrono::duration_cast<std::chrono::seconds>(
        std::chrono::steady_clock::now().time_since_epoch())
                       .count();
    const auto v = static_cast<uint32_t>(s);
    return v == 0 ? 1 : v;
}

bool SameNetwork(uint32_t a, uint32_t b)
{
    return networkOf(a) == networkOf(b);
}

uint32_t ChooseServer(std::array<ServerReply, kMaxReplies>& replies, int& count, uint32_t preferred,
    uint32_t current, int threshold)
{
    if (count > kMaxReplies)
        count = kMaxReplies;
    int pref = -1;
    int best = -1;
    int cur = -1;
    auto at = [&replies](int i) -> ServerReply& { return replies[static_cast<std::size_t>(i)]; };
    for (int i = 0; i < count; ++i) {
        const ServerReply& r = at(i);
        if (preferred != 0 && r.address == preferred) {
            pref = i;
            break;
        }
        if (preferred != 0 && SameNetwork(r.address, preferred) && (pref < 0 || r.load < at(pref).load))
            pref = i;
        if (best < 0 || r.load < at(best).load)
            best = i;
        if (current != 0 && r.address == current)
            cur = i;
    }
    int choice = pref >= 0 ? pref : best;
    if (choice < 0)
        return 0;
    if (current != 0 && cur >= 0 && at(choice).address != current) {
        const bool preferredWins
            = pref >= 0 && (at(pref).address == preferred || !SameNetwork(current, preferred));
        if (!preferredWins
            && uint64_t { at(choice).load } + static_cast<uint64_t>(threshold < 0 ? 0 : threshold)
                >= uint64_t { at(cur).load }) {
            choice = cur;
        }
    }
    const uint32_t address = at(choice).address;
    at(choice) = at(count - 1);
    --count;
    return address;
}

int DiscoveryRound(VORLClient* c)
{
    c->replyCount = 0;
    keepOffServicePort(c);
    drainDatagrams(c->udpSocket);
    sendDiscovery(c);
    const int limit = c->options.maxHosts < kMaxReplies ? c->options.maxHosts : kMaxReplies;
    return readReplies(c, limit, int64_t { c->options.connectTime } * 1000);
}

void ScheduleBalance(VORLClient* c)
{
    const ClientOptions& o = c->options;
    if (o.loadBalanceTime == 0) {
        c->nextBalanceTime = 0;
        return;
    }
    const uint64_t spread = 2 * static_cast<uint64_t>(o.loadBalanceSpread);
    const uint64_t jitter = spread > 0 ? c->random() % spread : 0;
    c->nextBalanceTime
        = static_cast<uint32_t>(NowSeconds() + static_cast<uint64_t>(o.loadBalanceTime) + jitter);
}

void CheckLoadBalance(VORLClient* c)
{
    const ClientOptions& o = c->options;
    if (o.maxHosts <= 1 || c->currentServer == o.preferredAddress)
        return;
    const uint32_t now = NowSeconds();
    if (c->nextBalanceTime != 0 && now >= c->nextBalanceTime) {
        c->replyCount = 0;
        drainDatagrams(c->udpSocket);
        sendDiscovery(c);
        c->nextBalanceTime = 0;
        c->collectTime = now + static_cast<uint32_t>(o.connectTime);
    }
    if (c->collectTime != 0 && now >= c->collectTime) {
        readReplies(c, kMaxReplies, 0);
        const uint32_t choice = ChooseServer(
            c->replies, c->replyCount, o.preferredAddress, c->currentServer, o.loadBalanceThreshold);
        if (choice != 0 && choice != c->currentServer) {
            c->switchPending = true;
            c->switchTarget = choice;
        }
        ScheduleBalance(c);
        c->collectTime = 0;
    }
}

} // namespace vorl
