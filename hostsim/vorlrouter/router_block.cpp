// The server side's shared block as the router process owns it.
#include <cstring>

#include "router.h"
#include "vorl/server.h"

namespace vorlrouter {

namespace blk = vorl::block;

namespace {

constexpr int kSlotEventOffset = 16;

PlinthEvent* createOrOpenEvent(int key)
{
    PlinthEvent* e = EventCreate(key);
    return e != nullptr ? e : EventOpen(key);
}

PlinthMutex* createOrOpenMutex(int key)
{
    PlinthMutex* m = MutexCreate(key);
    return m != nullptr ? m : MutexOpen(key);
}

bool sameGeometry(const blk::Geometry& a, const blk::Geometry& b)
{
    return a.n == b.n && a.a == b.a && a.b == b.b && a.w == b.w;
}

} // namespace

SharedBlock::~SharedBlock()
{
    close();
}

std::string SharedBlock::open(const RouterConfig& config)
{
    const blk::Geometry g { config.clients, config.requestSize, config.replySize, config.window };
    void* base = GetVORLSharedMemory(&shm_, config.key, g.n, g.a, g.b, g.w, 1);
    if (base == nullptr) {
        // Left by a router that ended without condemning it, or still held by
        // host applications: taken over when it has our geometry.
        base = GetVORLSharedMemory(&shm_, config.key, 0, 0, 0, 0, 0);
        if (base != nullptr && !sameGeometry(blk::View::ReadGeometry(static_cast<uint8_t*>(base)), g)) {
            ShmemClose(ShmemCondemn(shm_));
            shm_ = nullptr;
            base = GetVORLSharedMemory(&shm_, config.key, g.n, g.a, g.b, g.w, 1);
        }
        if (base == nullptr)
            return "cannot create the shared block of key " + std::to_string(config.key);
    }
    view_ = blk::View(static_cast<uint8_t*>(base), g);
    wake_ = createOrOpenEvent(config.objectKey);
    queueMutex_ = createOrOpenMutex(config.objectKey + 1);
    clientMutex_ = createOrOpenMutex(config.objectKey + 2);
    if (wake_ == nullptr || queueMutex_ == nullptr || clientMutex_ == nullptr)
        return "cannot create the block's events and mutexes";
    for (int c = 0; c < g.n; ++c) {
        PlinthEvent* e = createOrOpenEvent(config.objectKey + kSlotEventOffset + c);
        if (e == nullptr)
            return "cannot create the client slots' events";
        EventSetToBlocked(e);
        slotEvents_.push_back(e);
    }
    initialise(config);
    return {};
}

void SharedBlock::initialise(const RouterConfig& config)
{
    uint8_t* hdr = view_.base();
    const blk::Geometry& g = view_.geometry();
    view_.setRunning(false);
    MutexGet(clientMutex_);
    MutexGet(queueMutex_);
    blk::putI32(hdr + blk::kHdrWakeEventKey, config.objectKey);
    blk::putI32(hdr + blk::kHdrQueueMutexKey, config.objectKey + 1);
    blk::putI32(hdr + blk::kHdrClientMutexKey, config.objectKey + 2);
    blk::putI32(hdr + blk::kHdrOperatorEventKey, config.objectKey + kSlotEventOffset);
    view_.setHostType(config.hostType.c_str());
    blk::putI32(hdr + blk::kHdrOperatorCount, 0);
    blk::putI32(hdr + blk::kHdrQueueRead, 0);
    blk::putI32(hdr + blk::kHdrQueueWrite, 0);
    for (std::size_t i = 0; i < g.slots(); ++i) {
        uint8_t* e = view_.queueEntry(static_cast<int>(i));
        blk::putI32(e + blk::kQueClient, -1);
        blk::putI32(e + blk::kQueWindow, -1);
        blk::putI32(e + blk::kQueClass, -1);
    }
    for (int c = 0; c < g.n; ++c) {
        uint8_t* e = view_.client(c);
        blk::storeI32(e + blk::kCliConnected, 0);
        blk::putI32(e + blk::kCliOperator, -1);
        blk::putI32(e + blk::kCliMaxReply, 0);
        blk::putI32(e + blk::kCliMaxRequest, 0);
        blk::putI32(e + blk::kCliReplyEventKey, config.objectKey + kSlotEventOffset + c);
        blk::putI32(e + blk::kCliReset1, -1);
        blk::putI32(e + blk::kCliReset2, -1);
        for (int s = 0; s < g.w; ++s) {
            uint8_t* rs = view_.replyState(c, s);
            std::memset(rs, 0, blk::kReplyStateSize);
            blk::putI32(rs + blk::kRsSpare1, -1);
            blk::putI32(rs + blk::kRsSpare2, -1);
            blk::storeI32(rs + blk::kRsState, blk::kStateNone);
        }
    }
    MutexRelease(queueMutex_);
    MutexRelease(clientMutex_);
    view_.setRunning(true);
    // Host applications that waited on a previous router look again.
    EventSetToUnblocked(wake_);
}

void SharedBlock::close()
{
    if (view_.base() != nullptr) {
        view_.setRunning(false);
        if (wake_ != nullptr)
            EventSetToUnblocked(wake_);
    }
    for (PlinthEvent* e : slotEvents_)
        EventClose(EventCondemn(e));
    slotEvents_.clear();
    if (wake_ != nullptr)
        EventClose(EventCondemn(wake_));
    if (queueMutex_ != nullptr)
        MutexClose(MutexCondemn(queueMutex_));
    if (clientMutex_ != nullptr)
        MutexClose(MutexCondemn(clientMutex_));
    if (shm_ != nullptr)
        ShmemClose(ShmemCondemn(shm_));
    wake_ = nullptr;
    queueMutex_ = clientMutex_ = nullptr;
    shm_ = nullptr;
    view_ = blk::View();
}

} // namespace vorlrouter
