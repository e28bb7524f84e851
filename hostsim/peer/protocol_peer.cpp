// The peer's public face: setting up its sockets, the caller's settings and
// faults, and the record with its bounded waits.
#include "protocol_peer.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <stdexcept>

#include "peer_impl.h"

namespace hostsim {

namespace {

constexpr auto kCommandWait = std::chrono::seconds(5);
constexpr int kPortAttempts = 50;

uint32_t LoopbackAddress(const std::string& text, const char* what)
{
    in_addr a {};
    if (inet_pton(AF_INET, text.c_str(), &a) != 1)
        throw std::runtime_error(std::string("hostsim peer: bad ") + what + " \"" + text + "\"");
    if ((ntohl(a.s_addr) >> 24) != 127)
        throw std::runtime_error(
            std::string("hostsim peer: ") + what + " \"" + text + "\" is not a loopback address");
    return a.s_addr;
}

void CloseFd(int& fd)
{
    if (fd >= 0)
        ::close(fd);
    fd = -1;
}

// A non-blocking socket bound to address:port (both network order); -1 and
// errno set on failure.
int BoundSocket(int type, uint32_t address, uint16_t port)
{
    int fd = ::socket(AF_INET, type | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return -1;
    int on = 1;
    sockaddr_in sa {};
    sa.sin_family = AF_INET;
    sa.sin_addr.s_addr = address;
    sa.sin_port = port;
    if (::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on) != 0
        || ::bind(fd, reinterpret_cast<sockaddr*>(&sa), sizeof sa) != 0) {
        int e = errno;
        ::close(fd);
        errno = e;
        return -1;
    }
    return fd;
}

std::runtime_error SocketError(const std::string& what)
{
    return std::runtime_error("hostsim peer: " + what + ": " + std::strerror(errno));
}

} // namespace

ProtocolPeer::Impl::Impl(PeerConfig cfg)
    : config(std::move(cfg))
{
    address = LoopbackAddress(config.address, "address");
    if (!config.broadcastAddress.empty())
        broadcast = LoopbackAddress(config.broadcastAddress, "broadcast address");
    load = config.load;
    answerDiscovery = config.answerDiscovery;

    // TCP and UDP share one port number, so the TCP port picks it and the UDP
    // sockets follow; a UDP port already taken means another try.
    const int attempts = config.port == 0 ? kPortAttempts : 1;
    for (int i = 0; i < attempts && udpFd < 0; ++i) {
        listenFd = BoundSocket(SOCK_STREAM, address, htons(config.port));
        if (listenFd < 0)
            throw SocketError("TCP bind to " + config.address);
        sockaddr_in sa {};
        socklen_t len = sizeof sa;
        ::getsockname(listenFd, reinterpret_cast<sockaddr*>(&sa), &len);
        port = ntohs(sa.sin_port);
        udpFd = BoundSocket(SOCK_DGRAM, address, sa.sin_port);
        if (udpFd >= 0 && broadcast != 0) {
            broadcastFd = BoundSocket(SOCK_DGRAM, broadcast, sa.sin_port);
            if (broadcastFd < 0)
                CloseFd(udpFd);
        }
        if (udpFd < 0)
            CloseFd(listenFd);
    }
    if (udpFd < 0)
        throw SocketError("UDP bind to " + config.address);
    if (::listen(listenFd, 20) != 0) {
        CloseFd(udpFd);
        CloseFd(broadcastFd);
        CloseFd(listenFd);
        throw SocketError("listen");
    }
    if (!config.acceptConnections)
        CloseFd(listenFd);
    wakeFd = ::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    if (wakeFd < 0) {
        CloseFd(udpFd);
        CloseFd(broadcastFd);
        CloseFd(listenFd);
        throw SocketError("eventfd");
    }
    thread = std::thread([this] { run(); });
}

ProtocolPeer::Impl::~Impl()
{
    stopping = true;
    wake();
    if (thread.joinable())
        thread.join();
    for (auto& link : links)
        CloseFd(link->fd);
    CloseFd(listenFd);
    CloseFd(udpFd);
    CloseFd(broadcastFd);
    CloseFd(wakeFd);
}

void ProtocolPeer::Impl::wake() const
{
    uint64_t one = 1;
    [[maybe_unused]] ssize_t n = ::write(wakeFd, &one, sizeof one);
}

void ProtocolPeer::Impl::runOnLoop(std::function<void()> fn)
{
    if (std::this_thread::get_id() == thread.get_id()) {
        fn(); // called from a handler on the loop thread itself
        return;
    }
    std::unique_lock lock(mu);
    commands.push_back(std::move(fn));
    const uint64_t mine = ++commandsPosted;
    wake();
    changed.wait_for(lock, kCommandWait, [&] { return commandsDone >= mine; });
}

void ProtocolPeer::Impl::armFault(ReplyFault fault)
{
    std::lock_guard lock(mu);
    faults.push_back(std::move(fault));
}

// ---------------------------------------------------------------------------

ProtocolPeer::ProtocolPeer(PeerConfig config)
    : impl_(std::make_unique<Impl>(std::move(config)))
{
}
ProtocolPeer::~ProtocolPeer() = default;

uint16_t ProtocolPeer::port() const
{
    return impl_->port;
}
uint32_t ProtocolPeer::address() const
{
    return impl_->address;
}
const std::string& ProtocolPeer::addressText() const
{
    return impl_->config.address;
}
std::string ProtocolPeer::service() const
{
    return std::to_string(impl_->port);
}

void ProtocolPeer::setLoad(uint32_t load)
{
    std::lock_guard lock(impl_->mu);
    impl_->load = load;
}

void ProtocolPeer::setDiscoveryAnswering(bool on)
{
    std::lock_guard lock(impl_->mu);
    impl_->answerDiscovery = on;
}

void ProtocolPeer::setAcceptingConnections(bool on)
{
    Impl* impl = impl_.get();
    impl->runOnLoop([impl, on] { on ? impl->openListener() : impl->closeListener(); });
}

void ProtocolPeer::setLogonAnswer(LogonAnswer answer)
{
    std::lock_guard lock(impl_->mu);
    impl_->logon = std::move(answer);
}

void ProtocolPeer::setPluginReply(std::vector<ReplyMessage> messages)
{
    std::lock_guard lock(impl_->mu);
    impl_->pluginReply = std::move(messages);
}

void ProtocolPeer::setRequestHandler(RequestHandler handler)
{
    std::lock_guard lock(impl_->mu);
    impl_->handler = std::move(handler);
}

void ProtocolPeer::setReplyDelay(std::chrono::milliseconds delay)
{
    std::lock_guard lock(impl_->mu);
    impl_->delay = delay < std::chrono::milliseconds(0) ? std::chrono::milliseconds(0) : delay;
}

void ProtocolPeer::dropLinks()
{
    Impl* impl = impl_.get();
    impl->runOnLoop([impl] {
        for (auto& link : impl->links)
            if (link->fd >= 0 && link->phase != LinkPhase::Closing)
                impl->startClosing(*link);
    });
}

void ProtocolPeer::dropAtRequest(int n)
{
    std::lock_guard lock(impl_->mu);
    impl_->dropAt = n < 0 ? 0 : n;
}

void ProtocolPeer::cutNextReply()
{
    impl_->armFault({ ReplyFault::Kind::Cut, 0, {}, {}, {} });
}
void ProtocolPeer::coalesceNextReplies()
{
    impl_->armFault({ ReplyFault::Kind::Coalesce, 0, {}, {}, {} });
}
void ProtocolPeer::overrideNextSequence(uint32_t seq)
{
    impl_->armFault({ ReplyFault::Kind::OverrideSeq, seq, {}, {}, {} });
}
void ProtocolPeer::reorderNextReplies(std::vector<int> order)
{
    std::vector<int> sorted = order;
    std::sort(sorted.begin(), sorted.end());
    for (std::size_t i = 0; i < sorted.size(); ++i)
        if (sorted[i] != static_cast<int>(i))
            throw std::invalid_argument("hostsim peer: reply order is not a permutation of 0..n-1");
    if (order.empty())
        return;
    ReplyFault fault;
    fault.kind = ReplyFault::Kind::Reorder;
    fault.order = std::move(order);
    impl_->armFault(std::move(fault));
}

void ProtocolPeer::malformNextReply(Malformation how)
{
    impl_->armFault({ ReplyFault::Kind::Malform, 0, how, {}, {} });
}
void ProtocolPeer::replaceNextReply(std::vector<uint8_t> bytes)
{
    impl_->armFault({ ReplyFault::Kind::Replace, 0, {}, std::move(bytes), {} });
}

int ProtocolPeer::sendRaw(std::vector<uint8_t> bytes)
{
    Impl* impl = impl_.get();
    // Shared with the command, which may outlive a wait that gave up.
    auto count = std::make_shared<std::atomic<int>>(0);
    auto data = std::make_shared<const std::vector<uint8_t>>(std::move(bytes));
    impl->runOnLoop([impl, count, data] {
        for (auto& link : impl->links) {
            if (link->fd < 0 || link->phase == LinkPhase::ConnectInfo || link->phase == LinkPhase::Closing)
                continue;
            impl->queue(*link, *data, 0, false);
            impl->flush(*link);
            ++*count;
        }
    });
    return count->load();
}

PeerRecord ProtocolPeer::record() const
{
    std::lock_guard lock(impl_->mu);
    return impl_->rec;
}

void ProtocolPeer::clearRecord()
{
    std::lock_guard lock(impl_->mu);
    impl_->rec = PeerRecord {};
}

bool ProtocolPeer::waitFor(
    const std::function<bool(const PeerRecord&)>& done, std::chrono::milliseconds timeout) const
{
    std::unique_lock lock(impl_->mu);
    return impl_->changed.wait_for(lock, timeout, [&] { return done(impl_->rec); });
}

bool ProtocolPeer::waitForRequests(std::size_t count, std::chrono::milliseconds timeout) const
{
    return waitFor([count](const PeerRecord& r) { return r.requestsReceived >= count; }, timeout);
}

bool ProtocolPeer::waitForConnections(int count, std::chrono::milliseconds timeout) const
{
    return waitFor([count](const PeerRecord& r) { return r.connectionsAccepted >= count; }, timeout);
}

bool ProtocolPeer::waitForDisconnects(int count, std::chrono::milliseconds timeout) const
{
    return waitFor([count](const PeerRecord& r) { return r.connectionsClosed >= count; }, timeout);
}

} // namespace hostsim
