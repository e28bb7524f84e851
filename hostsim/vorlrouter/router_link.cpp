// One client connection of the router: the connect information, the plug-in
// handshake, request packets into the shared block and replies back out.
#include <arpa/inet.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>

#include "plinth/time.h"
#include "router.h"
#include "vorl/codec.h"
#include "vorl/server.h"
#include "vorl/util.h"

namespace vorlrouter {

namespace blk = vorl::block;
namespace wire = vorl::wire;

namespace {

std::atomic<int32_t> nextConnectionId { 1 };

enum class Wait { Ready, Stopped, Closed };

// Waits in short slices until `fd` has data, the link stops, or `limitMs` passes.
Wait waitReadable(int fd, const std::atomic<bool>& stopping, const Router& router, int limitMs)
{
    const unsigned start = TimeTickCount();
    for (;;) {
        if (stopping.load() || router.stopping())
            return Wait::Stopped;
        pollfd p { fd, POLLIN, 0 };
        const int rc = poll(&p, 1, 200);
        if (rc > 0)
            return Wait::Ready;
        if (rc < 0 && errno != EINTR)
            return Wait::Closed;
        if (limitMs >= 0 && TimeTickDelta(TimeTickCount(), start) >= static_cast<unsigned>(limitMs))
            return Wait::Closed;
    }
}

} // namespace

Link::Link(Router& router, int fd, uint32_t address)
    : router_(router)
    , fd_(fd)
    , address_(address)
{
    const int w = router.config().window;
    inUse_.assign(static_cast<std::size_t>(w), false);
    seqOf_.assign(static_cast<std::size_t>(w), 0);
}

Link::~Link()
{
    stop();
    if (reader_.joinable())
        reader_.join();
}

void Link::start()
{
    reader_ = std::thread([this] { readerMain(); });
}

void Link::stop()
{
    stopping_.store(true);
    windowFree_.notify_all();
}

bool Link::sendBytes(const uint8_t* data, std::size_t length)
{
    std::lock_guard<std::mutex> guard(sendLock_);
    while (length > 0) {
        const ssize_t n = send(fd_, data, length, MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        data += n;
        length -= static_cast<std::size_t>(n);
    }
    return true;
}

// Reads exactly `length` bytes; `peek` leaves them in the socket.
static bool readExact(int fd, uint8_t* out, std::size_t length, bool peek, const std::atomic<bool>& stopping,
    const Router& router, int limitMs)
{
    std::size_t have = 0;
    while (have < length) {
        if (waitReadable(fd, stopping, router, limitMs) != Wait::Ready)
            return false;
        const ssize_t n = peek ? recv(fd, out, length, MSG_PEEK) : recv(fd, out + have, length - have, 0);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false; // closed by the peer, or an error
        if (peek) {
            have = static_cast<std::size_t>(n);
            if (have < length)
                std::this_thread::sleep_for(
                    std::chrono::microseconds(50)); // the rest of a header is on its way
        } else {
            have += static_cast<std::size_t>(n);
        }
    }
    return true;
}

void Link::readerMain()
{
    if (handshake())
        serve();
    stopping_.store(true);
    shutdown(fd_, SHUT_RDWR);
    windowFree_.notify_all();
    if (replier_.joinable()) {
        EventSetToUnblocked(router_.block().slotEvent(slot_));
        replier_.join();
    }
    release();
    finished_.store(true);
}

bool Link::handshake()
{
    uint8_t bytes[VORL_CONNECTINFO_SIZE];
    if (!readExact(fd_, bytes, sizeof bytes, false, stopping_, router_, 10000))
        return false;
    ConnectInfo theirs {};
    wire::decode(bytes, theirs);
    const RouterConfig& cfg = router_.config();
    const blk::View& v = router_.block().view();
    id_ = nextConnectionId.fetch_add(1);
    MutexGet(router_.block().clientMutex());
    for (int c = 0; c < cfg.clients; ++c) {
        uint8_t* e = v.client(c);
        if (blk::loadI32(e + blk::kCliConnected) == 0 && blk::getI32(e + blk::kCliOperator) == -1) {
            blk::putI32(e + blk::kCliMaxReply, static_cast<int32_t>(theirs.recvBufferSize));
            blk::putI32(e + blk::kCliMaxRequest, static_cast<int32_t>(theirs.sendBufferSize));
            blk::putI32(e + blk::kCliReset1, static_cast<int32_t>(address_));
            blk::putI32(e + blk::kCliReset2, id_);
            blk::storeI32(e + blk::kCliConnected, 1);
            slot_ = c;
            break;
        }
    }
    MutexRelease(router_.block().clientMutex());
    if (slot_ < 0) {
        std::fprintf(stderr, "vorlrouter: no free client slot; connection refused\n");
        return false;
    }
    router_.countClient(1);
    char text[INET_ADDRSTRLEN] = "?";
    inet_ntop(AF_INET, &address_, text, sizeof text);
    std::printf("vorlrouter: client slot %d connected from %s\n", slot_, text);
    std::fflush(stdout);
    ConnectInfo ours {};
    std::strncpy(ours.hostType, cfg.hostType.c_str(), sizeof ours.hostType - 1);
    ours.version = VORL_PROTOCOL_VERSION;
    ours.sendBufferSize = static_cast<uint32_t>(cfg.replySize);
    ours.recvBufferSize = static_cast<uint32_t>(cfg.requestSize);
    ours.windowSize = static_cast<uint32_t>(cfg.window);
    ours.load = static_cast<uint32_t>(cfg.load + router_.connectedClients());
    wire::encode(ours, bytes);
    if (!sendBytes(bytes, sizeof bytes))
        return false;
    EventSetToBlocked(router_.block().slotEvent(slot_));
    replier_ = std::thread([this] { replierMain(); });
    std::lock_guard<std::mutex> guard(router_.pluginLock());
    PluginClientRecord rec { slot_, nullptr };
    return PluginsOnClientConnect(router_.plugins(), &rec) != VORL_PLUGIN_FAIL;
}

bool Link::serve()
{
    const RouterConfig& cfg = router_.config();
    std::vector<uint8_t> packet(static_cast<std::size_t>(cfg.requestSize));
    bool handshaking = true;
    int round = VORL_PLUGIN_ROUND_FIRST;
    for (;;) {
        uint8_t head[VORL_PKTHDR_SIZE];
        if (!readExact(fd_, head, sizeof head, true, stopping_, router_, -1))
            return false;
        VORLPktHdr hdr {};
        wire::decode(head, hdr);
        if (hdr.seq == VORL_PLUGIN_SEQ) {
            std::lock_guard<std::mutex> guard(router_.pluginLock());
            int more = 0;
            const int r = handshaking ? round : VORL_PLUGIN_ROUND_AMONG_REPLIES;
            // The server half keeps its keys per connection: the slot tells them apart.
            if (PluginsRecvPluginPktOnConnection(
                    router_.plugins(), fd_, 5, 2, 10, static_cast<int>(address_), slot_, r, &more)
                != 0)
                return false;
            round = VORL_PLUGIN_ROUND_LATER;
            // Every plug-in packet of the client's handshake is answered by one of ours.
            if (handshaking) {
                if (!PluginsHasPluginPktStarted(router_.plugins()))
                    PluginsStartPluginPkt(router_.plugins());
                std::lock_guard<std::mutex> sending(sendLock_);
                if (PluginsSendPluginPkt(router_.plugins(), fd_) != 0)
                    return false;
            }
            continue;
        }
        handshaking = false;
        if (hdr.kind != VORL_PKT_KIND || hdr.length < VORL_PKTHDR_SIZE || hdr.length > packet.size()) {
            std::fprintf(stderr, "vorlrouter: bad packet (kind %d, length %d) from client slot %d\n",
                hdr.kind, hdr.length, slot_);
            return false;
        }
        if (!readExact(fd_, packet.data(), hdr.length, false, stopping_, router_, 10000))
            return false;
        if (!queueRequest(packet.data(), hdr.length))
            return false;
    }
}

int Link::takeWindowSlot()
{
    std::unique_lock<std::mutex> lock(windowLock_);
    for (;;) {
        for (std::size_t s = 0; s < inUse_.size(); ++s) {
            if (!inUse_[s]) {
                inUse_[s] = true;
                return static_cast<int>(s);
            }
        }
        if (stopping_.load() || router_.stopping())
            return -1;
        windowFree_.wait_for(lock, std::chrono::milliseconds(200));
    }
}

bool Link::queueRequest(const uint8_t* packet, std::size_t length)
{
    const int s = takeWindowSlot();
    if (s < 0)
        return false;
    SharedBlock& b = router_.block();
    const blk::View& v = b.view();
    uint8_t* req = v.requestArea(slot_, s);
    VORLPktHdr hdr {};
    wire::decode(packet, hdr);
    {
        std::lock_guard<std::mutex> guard(router_.pluginLock());
        PluginPktRecord rec {};
        rec.seq = hdr.seq;
        rec.word1 = slot_;
        rec.word2 = s;
        rec.packet = const_cast<uint8_t*>(packet);
        rec.pktClass = hdr.pktClass;
        rec.count = hdr.count;
        rec.length = static_cast<int32_t>(length);
        rec.recvTimeout = -1;
        int out = 0;
        const int rc = PluginsRecvFromNet(router_.plugins(), &rec, packet + VORL_PKTHDR_SIZE,
            static_cast<int>(length - VORL_PKTHDR_SIZE), req + VORL_PKTHDR_SIZE,
            v.geometry().a - VORL_PKTHDR_SIZE, &out);
        if (rc != VORL_PLUGIN_OK || PluginsOnRecvFromNet(router_.plugins(), &rec) != VORL_PLUGIN_OK)
            return false;
        hdr.length = static_cast<uint16_t>(VORL_PKTHDR_SIZE + out);
    }
    hdr.address = address_; // the host applications learn who asked
    wire::encode(hdr, req);
    {
        std::lock_guard<std::mutex> guard(windowLock_);
        seqOf_[static_cast<std::size_t>(s)] = hdr.seq;
    }
    uint8_t* rs = v.replyState(slot_, s);
    std::memset(rs + blk::kRsHeader, 0, VORL_PKTHDR_SIZE);
    blk::storeI32(rs + blk::kRsState, blk::kStateNone);
    const int pktClass = hdr.pktClass > 0 ? hdr.pktClass : 1;
    // The ring holds n entries; a request waits here until one is free.
    for (;;) {
        MutexGet(b.queueMutex());
        const int32_t wi = blk::getI32(v.base() + blk::kHdrQueueWrite);
        const uint8_t* e = v.queueEntry(wi >= 0 && wi < v.geometry().n ? wi : 0);
        const bool room = blk::getI32(e + blk::kQueClient) == -1 || blk::getI32(e + blk::kQueClass) == 0
            || blk::getI32(e + blk::kQueWindow) == -1;
        const bool added
            = room && AddToMessageQueue(v.base(), v.queueEntry(0), b.queueMutex(), slot_, s, pktClass) != 0;
        MutexRelease(b.queueMutex());
        if (added)
            break;
        if (stopping_.load() || router_.stopping())
            return false;
        // Host applications free entries as fast as they take them.
        std::this_thread::sleep_for(std::chrono::microseconds(50));
    }
    EventSetToUnblocked(b.wake());
    return true;
}

void Link::replierMain()
{
    PlinthEvent* ev = router_.block().slotEvent(slot_);
    const uint8_t* connected = router_.block().view().client(slot_) + blk::kCliConnected;
    while (!stopping_.load() && !router_.stopping()) {
        // Replies usually come soon after the request: a short look before
        // sleeping saves a wake-up.
        const auto until = std::chrono::steady_clock::now() + std::chrono::microseconds(50);
        bool ready = false;
        while (!ready && std::chrono::steady_clock::now() < until) {
            for (int i = 0; i < 64 && !ready; ++i)
                ready = EventWait(ev, 0) == 1;
        }
        if (!ready)
            EventWait(ev, 1);
        // Blocked before the scan: a reply made ready after it signals again.
        EventSetToBlocked(ev);
        if (blk::loadI32(connected) == 0) {
            // A host application reset the router: this client is dropped.
            stopping_.store(true);
            shutdown(fd_, SHUT_RDWR);
            windowFree_.notify_all();
            return;
        }
        sendReadyReplies();
    }
}

void Link::sendReadyReplies()
{
    const blk::View& v = router_.block().view();
    for (int s = 0; s < v.geometry().w; ++s) {
        uint8_t* state = v.replyState(slot_, s) + blk::kRsState;
        if (blk::loadI32(state) != blk::kStateReady)
            continue;
        const uint8_t* area = v.replyArea(slot_, s);
        VORLPktHdr hdr {};
        wire::decode(area, hdr);
        bool inUse = false;
        uint32_t seq = 0;
        {
            std::lock_guard<std::mutex> guard(windowLock_);
            inUse = inUse_[static_cast<std::size_t>(s)];
            seq = seqOf_[static_cast<std::size_t>(s)];
        }
        const bool valid
            = hdr.kind == VORL_PKT_KIND && hdr.length >= VORL_PKTHDR_SIZE && hdr.length <= v.geometry().b;
        if (inUse && valid && hdr.seq == seq) {
            std::lock_guard<std::mutex> sending(sendLock_);
            std::lock_guard<std::mutex> guard(router_.pluginLock());
            PluginSet* set = router_.plugins();
            int rc = 0;
            if (PluginsHasPluginPktStarted(set))
                rc = PluginsSendPluginPkt(set, fd_);
            if (rc == 0)
                rc = PluginsSendPacket(set, fd_, slot_, s, area, v.geometry().b, 0);
            if (rc != 0)
                stopping_.store(true);
        } else if (inUse) {
            std::fprintf(
                stderr, "vorlrouter: dropped a reply that answers no request of client slot %d\n", slot_);
        }
        blk::storeI32(state, blk::kStateNone);
        if (inUse && (!valid || hdr.seq == seq)) {
            std::lock_guard<std::mutex> guard(windowLock_);
            inUse_[static_cast<std::size_t>(s)] = false;
            windowFree_.notify_all();
        }
    }
}

void Link::release()
{
    if (slot_ < 0) {
        close(fd_);
        return;
    }
    // Requests still with the host applications are waited for a little, so
    // that their replies cannot reach the next client of this slot.
    const blk::View& v = router_.block().view();
    for (int tries = 0; tries < 300 && v.running(); ++tries) {
        bool busy = false;
        for (int s = 0; s < v.geometry().w; ++s) {
            uint8_t* state = v.replyState(slot_, s) + blk::kRsState;
            std::lock_guard<std::mutex> guard(windowLock_);
            if (inUse_[static_cast<std::size_t>(s)] && blk::loadI32(state) == blk::kStateReady) {
                blk::storeI32(state, blk::kStateNone);
                inUse_[static_cast<std::size_t>(s)] = false;
            }
            busy = busy || inUse_[static_cast<std::size_t>(s)];
        }
        if (!busy)
            break;
        SysSleep(10);
    }
    {
        std::lock_guard<std::mutex> guard(router_.pluginLock());
        PluginClientRecord rec { slot_, nullptr };
        PluginsOnClientDisconnect(router_.plugins(), &rec);
    }
    uint8_t* e = v.client(slot_);
    MutexGet(router_.block().clientMutex());
    // A reset has already given the slot back (and it may be another link's now).
    const int32_t ours = blk::getI32(e + blk::kCliReset2);
    if (ours == id_) {
        blk::putI32(e + blk::kCliReset1, -1);
        blk::putI32(e + blk::kCliReset2, -1);
        blk::storeI32(e + blk::kCliConnected, 0);
    }
    MutexRelease(router_.block().clientMutex());
    router_.countClient(-1);
    close(fd_);
}

} // namespace vorlrouter
