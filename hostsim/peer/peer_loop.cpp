// The peer's thread: one poll loop over the listener, the discovery sockets
// and every connection. Sockets are non-blocking, so no client can stall it;
// everything written goes through a per-connection queue so that delays,
// coalescing and cut replies keep the order of the bytes.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "peer_impl.h"
#include "vorl/codec.h"

namespace hostsim {

namespace wire = vorl::wire;

namespace {

constexpr int kMaxPollMs = 500;
// How long a closed link keeps draining what the client still sends, so
// that the close reaches the client as an orderly one.
constexpr auto kDrainTime = std::chrono::seconds(2);
constexpr std::size_t kReadChunk = 65536;
constexpr int kChunksPerRound = 16;

bool WouldBlock()
{
    return errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR;
}

} // namespace

void ProtocolPeer::Impl::run()
{
    std::vector<pollfd> fds;
    while (!stopping) {
        fds.clear();
        fds.push_back({ wakeFd, POLLIN, 0 });
        fds.push_back({ listenFd, POLLIN, 0 }); // a negative fd is skipped by poll
        fds.push_back({ udpFd, POLLIN, 0 });
        fds.push_back({ broadcastFd, POLLIN, 0 });
        const auto now = PeerClock::now();
        for (auto& link : links) {
            short events = POLLIN;
            if (!link->out.empty() && link->out.front().due <= now)
                events |= POLLOUT;
            fds.push_back({ link->fd, events, 0 });
        }
        const std::size_t linkCount = links.size();
        if (::poll(fds.data(), fds.size(), pollTimeoutMs()) < 0 && errno != EINTR)
            break;

        if (fds[0].revents & POLLIN) {
            uint64_t n;
            [[maybe_unused]] ssize_t r = ::read(wakeFd, &n, sizeof n);
        }
        if (fds[1].revents & POLLIN)
            acceptLinks();
        if (fds[2].revents & POLLIN)
            readDatagrams(udpFd, false);
        if (fds[3].revents & POLLIN)
            readDatagrams(broadcastFd, true);
        for (std::size_t i = 0; i < linkCount; ++i) {
            Connection& link = *links[i];
            if (link.fd >= 0 && (fds[4 + i].revents & (POLLIN | POLLHUP | POLLERR)))
                readLink(link);
        }
        const auto later = PeerClock::now();
        for (auto& link : links) {
            if (link->fd < 0)
                continue;
            if (link->phase == LinkPhase::Closing) {
                if (later >= link->closeDeadline)
                    lose(*link);
            } else {
                flush(*link);
            }
        }
        runCommands();
        std::erase_if(links, [](const auto& link) { return link->fd < 0; });
    }
}

int ProtocolPeer::Impl::pollTimeoutMs() const
{
    const auto now = PeerClock::now();
    auto next = now + std::chrono::milliseconds(kMaxPollMs);
    for (const auto& link : links) {
        if (link->phase == LinkPhase::Closing)
            next = std::min(next, link->closeDeadline);
        else if (!link->out.empty() && link->out.front().due > now)
            next = std::min(next, link->out.front().due); // bytes due now wait for POLLOUT instead
    }
    if (next <= now)
        return 0;
    // Round up, so that a wait never ends just before the due time.
    return static_cast<int>(std::chrono::ceil<std::chrono::milliseconds>(next - now).count());
}

void ProtocolPeer::Impl::runCommands()
{
    std::deque<std::function<void()>> todo;
    {
        std::lock_guard lock(mu);
        todo.swap(commands);
    }
    for (auto& fn : todo)
        fn();
    if (!todo.empty()) {
        std::lock_guard lock(mu);
        commandsDone += todo.size();
        changed.notify_all();
    }
}

void ProtocolPeer::Impl::openListener()
{
    if (listenFd >= 0)
        return;
    int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return;
    int on = 1;
    sockaddr_in sa {};
    sa.sin_family = AF_INET;
    sa.sin_addr.s_addr = address;
    sa.sin_port = htons(port);
    if (::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on) != 0
        || ::bind(fd, reinterpret_cast<sockaddr*>(&sa), sizeof sa) != 0 || ::listen(fd, 20) != 0) {
        const int error = errno;
        ::close(fd);
        std::lock_guard lock(mu);
        rec.protocolErrors.push_back(std::string("listening again failed: ") + std::strerror(error));
        changed.notify_all();
        return;
    }
    listenFd = fd;
}

void ProtocolPeer::Impl::closeListener()
{
    if (listenFd >= 0)
        ::close(listenFd);
    listenFd = -1;
}

void ProtocolPeer::Impl::acceptLinks()
{
    for (;;) {
        int fd = ::accept4(listenFd, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (fd < 0)
            return;
        int on = 1;
        ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
        auto link = std::make_unique<Connection>();
        link->fd = fd;
        link->id = nextLinkId++;
        links.push_back(std::move(link));
        std::lock_guard lock(mu);
        ++rec.connectionsAccepted;
        changed.notify_all();
    }
}

void ProtocolPeer::Impl::readDatagrams(int fd, bool viaBroadcast)
{
    uint8_t buffer[512];
    for (;;) {
        sockaddr_in from {};
        socklen_t fromLen = sizeof from;
        ssize_t n = ::recvfrom(fd, buffer, sizeof buffer, MSG_DONTWAIT | MSG_TRUNC,
            reinterpret_cast<sockaddr*>(&from), &fromLen);
        if (n < 0)
            return;
        std::unique_lock lock(mu);
        // A socket of this host may hold the peer's port too (shared addresses
        // are allowed); what it sends from there carries the peer's own
        // address, and an answer would come back here for ever.
        const bool fromSelf = from.sin_addr.s_addr == address && ntohs(from.sin_port) == port;
        if (fromSelf || n != static_cast<ssize_t>(wire::kConnectInfoSize)) {
            ++rec.ignoredDatagrams;
            changed.notify_all();
            continue;
        }
        DiscoveryRecord d;
        wire::decode(buffer, d.info);
        d.fromAddress = from.sin_addr.s_addr;
        d.fromPort = ntohs(from.sin_port);
        d.viaBroadcast = viaBroadcast;
        rec.discoveries.push_back(d);
        changed.notify_all();
        if (!answerDiscovery)
            continue;
        const std::vector<uint8_t> reply = EncodeConnectInfo(ourConnectInfo());
        lock.unlock();
        // Always from the unicast socket, so that the reply names this peer.
        ::sendto(udpFd, reply.data(), reply.size(), MSG_DONTWAIT | MSG_NOSIGNAL,
            reinterpret_cast<sockaddr*>(&from), fromLen);
    }
}

void ProtocolPeer::Impl::readLink(Connection& link)
{
    // Chunk by chunk, each taken in before the next is read, so that the
    // input never holds more than a chunk and one unfinished packet; a
    // bounded number of chunks per round keeps a flooding client from
    // starving the others.
    uint8_t chunk[kReadChunk];
    for (int round = 0; round < kChunksPerRound && link.fd >= 0; ++round) {
        ssize_t n = ::recv(link.fd, chunk, sizeof chunk, MSG_DONTWAIT);
        if (n < 0 && WouldBlock())
            return;
        if (n <= 0) {
            lose(link); // closed by the client, or broken
            return;
        }
        if (link.phase == LinkPhase::Closing)
            continue; // drained and dropped
        link.in.insert(link.in.end(), chunk, chunk + n);
        takeInput(link);
    }
}

void ProtocolPeer::Impl::queue(Connection& link, std::vector<uint8_t> bytes, int replies, bool closeAfter)
{
    std::chrono::milliseconds wait;
    {
        std::lock_guard lock(mu);
        wait = delay;
    }
    Outgoing o;
    o.due = PeerClock::now() + wait;
    o.bytes = std::move(bytes);
    o.closeAfter = closeAfter;
    o.repliesInside = replies;
    link.out.push_back(std::move(o));
}

void ProtocolPeer::Impl::flush(Connection& link)
{
    while (link.fd >= 0 && link.phase != LinkPhase::Closing && !link.out.empty()) {
        Outgoing& o = link.out.front();
        if (o.due > PeerClock::now())
            return;
        if (o.sent < o.bytes.size()) {
            ssize_t n = ::send(
                link.fd, o.bytes.data() + o.sent, o.bytes.size() - o.sent, MSG_DONTWAIT | MSG_NOSIGNAL);
            if (n < 0) {
                if (WouldBlock())
                    return;
                lose(link);
                return;
            }
            o.sent += static_cast<std::size_t>(n);
            if (o.sent < o.bytes.size())
                return;
        }
        const bool closeAfter = o.closeAfter;
        if (o.repliesInside > 0) {
            std::lock_guard lock(mu);
            rec.repliesSent += static_cast<std::size_t>(o.repliesInside);
            changed.notify_all();
        }
        link.out.pop_front();
        if (closeAfter)
            startClosing(link);
    }
}

void ProtocolPeer::Impl::refuse(Connection& link, std::string why)
{
    {
        std::lock_guard lock(mu);
        rec.protocolErrors.push_back("connection " + std::to_string(link.id) + ": " + why);
    }
    startClosing(link);
}

void ProtocolPeer::Impl::startClosing(Connection& link)
{
    if (link.fd < 0 || link.phase == LinkPhase::Closing)
        return;
    ::shutdown(link.fd, SHUT_WR);
    link.phase = LinkPhase::Closing;
    link.closeDeadline = PeerClock::now() + kDrainTime;
    link.out.clear();
    link.in.clear();
    link.held.reset();
    link.heldReplies = 0;
    link.reorder.clear();
    link.reorderHeld.clear();
    std::lock_guard lock(mu);
    ++rec.connectionsClosed;
    changed.notify_all();
}

void ProtocolPeer::Impl::lose(Connection& link)
{
    if (link.fd < 0)
        return;
    const bool counted = link.phase == LinkPhase::Closing;
    ::close(link.fd);
    link.fd = -1;
    link.out.clear();
    link.in.clear();
    link.held.reset();
    if (!counted) {
        std::lock_guard lock(mu);
        ++rec.connectionsClosed;
        changed.notify_all();
    }
}

} // namespace hostsim
