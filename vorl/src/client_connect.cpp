// Connecting a client: the TCP link with fall-over between servers, the
// connect-information exchange, the plug-ins' handshake and the logon; the
// rebuilding of a lost link and the move to another server.
#include <arpa/inet.h>
#include <sys/socket.h>
#include <unistd.h>

#include "client_net.h"
#include "plinth/time.h"
#include "plugin_set.h"
#include "sockread.h"
#include "vorl/codec.h"
#include "vorl/util.h"

namespace vorl {

namespace {

constexpr int32_t kWindowMax = 256; // as option 13 accepts

// Every packet is written whole in one send, so Nagle's algorithm could only
// hold it back while an earlier packet is unacknowledged.
constexpr int kNoDelay = 1;

int connectTo(uint32_t address, uint16_t port, int* sock)
{
    return CreateSocket(sock, VORL_SOCKET_STREAM, port, address, 0, 0, kNoDelay, 0);
}

int exchangeConnectInfo(VORLClient* c)
{
    const ClientOptions& o = c->options;
    ConnectInfo mine {}; // host type, version and load stay zero on the link
    mine.sendBufferSize = static_cast<uint32_t>(o.sendBufferSize);
    mine.recvBufferSize = static_cast<uint32_t>(o.recvBufferSize);
    mine.windowSize = static_cast<uint32_t>(o.windowSize);
    uint8_t bytes[VORL_CONNECTINFO_SIZE];
    wire::encode(mine, bytes);
    if (!SendAll(c->tcpSocket, bytes, sizeof bytes))
        return VORL_ERR_CONNECT_INFO;

    const ReadLimits limits { o.receiveTimeout, o.characterTimeout, o.packetTimeout, TimeTickCount() };
    bool begun = false;
    if (const int rc = ReadExact(c->tcpSocket, bytes, sizeof bytes, limits, begun); rc != VORL_OK)
        return rc;
    ConnectInfo theirs;
    wire::decode(bytes, theirs);
    if (o.windowSize == 0) {
        // The server's figure is a foreign number: keep it to a usable window.
        const uint32_t w
            = theirs.windowSize < 1 ? 1 : (theirs.windowSize > kWindowMax ? kWindowMax : theirs.windowSize);
        if (const int rc = SetClientOption(c, VORL_OPT_WINDOW_SIZE, static_cast<intptr_t>(w)); rc != VORL_OK)
            return rc;
    }
    return VORL_OK;
}

int setBuffers(int sock, const ClientOptions& o)
{
    const int64_t window = o.windowSize < 1 ? 1 : o.windowSize;
    auto capped = [window](int32_t size) {
        const int64_t v = int64_t { size } * window;
        return static_cast<int>(v > VORL_SOCKET_BUFFER_CAP ? VORL_SOCKET_BUFFER_CAP : v);
    };
    const int rcv = capped(o.recvBufferSize);
    const int snd = capped(o.sendBufferSize);
    if (setsockopt(sock, SOL_SOCKET, SO_RCVBUF, &rcv, sizeof rcv) != 0
        || setsockopt(sock, SOL_SOCKET, SO_SNDBUF, &snd, sizeof snd) != 0) {
        return VORL_ERR_SOCKOPT;
    }
    return VORL_OK;
}

} // namespace

void CloseLink(VORLClient* c)
{
    if (c->tcpSocket >= 0)
        close(c->tcpSocket);
    c->tcpSocket = -1;
    c->readPos = 0;
    c->unread = 0;
}

int OpenSession(VORLClient* c)
{
    const ClientOptions& o = c->options;
    c->readPos = 0;
    c->unread = 0;
    if (const int rc = exchangeConnectInfo(c); rc != VORL_OK)
        return rc;
    const HandshakeTimeouts timeouts { o.receiveTimeout, o.characterTimeout, o.packetTimeout };
    if (const int rc
        = PluginsHandshake(c->plugins, c->tcpSocket, c->currentServer, ntohs(c->tcpPort), timeouts);
        rc != VORL_OK) {
        return rc;
    }
    if (const int rc = setBuffers(c->tcpSocket, c->options); rc != VORL_OK)
        return rc;
    return c->logon.set ? Logon(c) : VORL_OK;
}

int ConnectLink(VORLClient* c)
{
    const ClientOptions& o = c->options;
    CloseLink(c);
    c->switchPending = false;
    c->switchTarget = 0;
    c->collectTime = 0;
    ScheduleBalance(c);
    for (int attempt = 0; attempt < o.connectTries && c->tcpSocket < 0; ++attempt) {
        c->currentServer = 0;
        if (const int rc = DiscoveryRound(c); rc != VORL_OK)
            return rc;
        while (const uint32_t address
            = ChooseServer(c->replies, c->replyCount, o.preferredAddress, 0, o.loadBalanceThreshold)) {
            int sock = -1;
            if (connectTo(address, c->tcpPort, &sock) == VORL_OK) {
                c->tcpSocket = sock;
                c->currentServer = address;
                break;
            }
        }
    }
    if (c->tcpSocket < 0)
        return VORL_ERR_SEND_TRIES;
    // A link that failed half-way is never used again: the server's view of it
    // is unknown, so a new attempt starts from discovery.
    const int rc = OpenSession(c);
    if (rc != VORL_OK)
        CloseLink(c);
    return rc;
}

int ResendAll(VORLClient* c)
{
    for (int i = c->sentFirst; i >= 0; i = c->slots[static_cast<std::size_t>(i)].next) {
        PacketSlot& s = c->slots[static_cast<std::size_t>(i)];
        // A packet held back for a move to another server goes out for the first time.
        const int resend = s.sendTime != 0 ? 1 : 0;
        const int rc = PluginsSendPacket(
            c->plugins, c->tcpSocket, 0, 0, s.buffer.data(), static_cast<int>(s.buffer.size()), resend);
        if (rc != VORL_OK)
            return rc;
        s.sendTime = NowSeconds();
        s.sendTick = TimeTickCount();
    }
    return VORL_OK;
}

int RecoverLink(VORLClient* c)
{
    // Each round either ends or counts a try, so this ends after SendTries + 1.
    for (;;) {
        CloseLink(c);
        ++c->sendTryCount;
        if (c->sendTryCount > c->options.sendTries)
            return VORL_ERR_SEND_TRIES;
        int rc = ConnectLink(c);
        if (rc == VORL_OK)
            rc = ResendAll(c);
        if (rc == VORL_OK)
            return VORL_OK;
        if (rc == VORL_ERR_PLUGIN) {
            CloseLink(c);
            return rc;
        }
    }
}

void SwitchIfDue(VORLClient* c)
{
    if (!c->switchPending || AwaitingSentReply(c))
        return;
    const ClientOptions& o = c->options;
    CloseLink(c);
    c->switchPending = false;
    uint32_t target = c->switchTarget;
    c->switchTarget = 0;
    while (target != 0) {
        int sock = -1;
        if (connectTo(target, c->tcpPort, &sock) == VORL_OK) {
            c->tcpSocket = sock;
            c->currentServer = target;
            int rc = OpenSession(c);
            if (rc == VORL_OK)
                rc = ResendAll(c);
            if (rc == VORL_OK)
                return;
            CloseLink(c);
        }
        target = ChooseServer(c->replies, c->replyCount, o.preferredAddress, 0, o.loadBalanceThreshold);
    }
    c->currentServer = 0;
}

bool HavePlugins(const VORLClient* c)
{
    return c->plugins != nullptr && c->plugins->count > 0;
}

void AppendSent(VORLClient* c, int slot)
{
    PacketSlot& s = c->slots[static_cast<std::size_t>(slot)];
    s.prev = c->sentLast;
    s.next = -1;
    if (c->sentLast >= 0) {
        c->slots[static_cast<std::size_t>(c->sentLast)].next = slot;
    } else {
        c->sentFirst = slot;
    }
    c->sentLast = slot;
}

void UnlinkSent(VORLClient* c, int slot)
{
    PacketSlot& s = c->slots[static_cast<std::size_t>(slot)];
    if (s.prev >= 0) {
        c->slots[static_cast<std::size_t>(s.prev)].next = s.next;
    } else {
        c->sentFirst = s.next;
    }
    if (s.next >= 0) {
        c->slots[static_cast<std::size_t>(s.next)].prev = s.prev;
    } else {
        c->sentLast = s.prev;
    }
    s.prev = s.next = -1;
}

bool AwaitingSentReply(const VORLClient* c)
{
    uint32_t tick;
    return OldestSendTick(c, tick);
}

bool OldestSendTick(const VORLClient* c, uint32_t& tick)
{
    for (int i = c->sentFirst; i >= 0; i = c->slots[static_cast<std::size_t>(i)].next) {
        const PacketSlot& s = c->slots[static_cast<std::size_t>(i)];
        if (s.sendTime != 0) {
            tick = s.sendTick;
            return true;
        }
    }
    return false;
}

} // namespace vorl

VORL_API int VORLConnect(VORLHANDLE handle)
{
    VORLClient* c = vorl::CheckClient(handle);
    if (c == nullptr)
        return VORL_ERR_INVALID_HANDLE;
    if (c->candidates.empty())
        return VORL_ERR_NO_SERVER_ADDRESS;
    c->sendTryCount = 0;
    int rc = vorl::ConnectLink(c);
    // Packets that a lost link left unanswered travel again on the new one.
    if (rc == VORL_OK)
        rc = vorl::ResendAll(c);
    if (rc != VORL_OK)
        vorl::CloseLink(c);
    return rc;
}
