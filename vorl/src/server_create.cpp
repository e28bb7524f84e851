// Server handles: creation, the option, attaching, detaching and the reset of
// the router's state.
#include <atomic>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <new>
#include <unordered_set>

#include "server_handle.h"

namespace vorl {

namespace {
std::mutex& registryLock()
{
    static std::mutex m;
    return m;
}
// Counts destroyed handles, so that a thread's remembered handle is checked again.
std::atomic<uint64_t>& generation()
{
    static std::atomic<uint64_t> g { 1 };
    return g;
}
std::unordered_set<const VORLServer*>& registry()
{
    static std::unordered_set<const VORLServer*> live;
    return live;
}

void destroy(VORLServer* s)
{
    if (s == nullptr)
        return;
    s->mark = 0;
    for (auto& [key, ev] : s->replyEvents)
        EventClose(ev);
    if (s->wake != nullptr)
        EventClose(s->wake);
    if (s->queueMutex != nullptr)
        MutexClose(s->queueMutex);
    PluginsCleanup(s->plugins);
    CloseServerBlock(s->block);
    delete s;
}

int build(VORLServer* s, const char* config, const char* service, const char* hostType)
{
    if (const int rc = ReadRoleConfig(config, "VORLServer", service, hostType, s->config); rc != VORL_OK) {
        return rc;
    }
    if (const int rc = OpenServerBlock(s->config.key, s->block); rc != VORL_OK)
        return rc;
    if (const int rc = CheckHostType(s->block.view, s->config.hostType); rc != VORL_OK)
        return rc;
    s->maxSendBufsize = s->config.maxSendBufsize > 0 ? s->config.maxSendBufsize : 0; // as option 101
    const uint8_t* hdr = s->block.view.base();
    s->wake = EventOpen(block::getI32(hdr + block::kHdrWakeEventKey));
    if (s->wake == nullptr)
        return VORL_ERR_EVENT;
    s->queueMutex = MutexOpen(block::getI32(hdr + block::kHdrQueueMutexKey));
    if (s->queueMutex == nullptr)
        return VORL_ERR_MUTEX;
    const PluginHostInfo info { VORL_PLUGIN_INTERFACE_VERSION, s->config.file.c_str(),
        s->config.pluginSection.c_str(), s->block.view.geometry().n, 1, VORL_ROLE_SERVER };
    s->plugins = PluginsInit(&info, nullptr, 0);
    if (s->plugins == nullptr)
        return VORL_ERR_PLUGIN_LOAD;
    return VORL_OK;
}

} // namespace

VORLServer* CheckServer(VORLSERVERHANDLE h)
{
    if (h == nullptr)
        return nullptr;
    // A handle serves one thread at a time and is checked on every call: the
    // thread remembers the last handle it found live, until any handle goes.
    thread_local const VORLServer* lastLive = nullptr;
    thread_local uint64_t lastGeneration = 0;
    const uint64_t now = generation().load(std::memory_order_acquire);
    if (h == lastLive && now == lastGeneration)
        return h;
    std::lock_guard<std::mutex> guard(registryLock());
    if (registry().count(h) == 0 || h->mark != kServerMark)
        return nullptr;
    lastLive = h;
    lastGeneration = now;
    return h;
}

} // namespace vorl

VORL_API int VORLServerCreate(
    VORLSERVERHANDLE* handle, const char* config, const char* service, const char* hostType)
{
    if (handle == nullptr)
        return VORL_ERR_INVALID_HANDLE;
    VORLServer* s = nullptr;
    int rc = VORL_OK;
    try {
        s = new VORLServer;
        rc = vorl::build(s, config, service, hostType);
    } catch (const std::bad_alloc&) {
        rc = VORL_ERR_NOMEM;
    }
    if (rc != VORL_OK) {
        vorl::destroy(s);
        return rc;
    }
    s->mark = vorl::kServerMark;
    {
        std::lock_guard<std::mutex> guard(vorl::registryLock());
        vorl::registry().insert(s);
    }
    *handle = s;
    return VORL_OK;
}

VORL_API int VORLServerSetOption(VORLSERVERHANDLE handle, int id, intptr_t value)
{
    VORLServer* s = vorl::CheckServer(handle);
    if (s == nullptr)
        return VORL_ERR_INVALID_HANDLE;
    if (id != VORL_SERVER_OPT_MAX_SEND_BUFSIZE)
        return VORL_ERR_OPTION;
    s->maxSendBufsize = value < 0 ? 0 : value > INT32_MAX ? INT32_MAX : static_cast<int>(value);
    return VORL_OK;
}

VORL_API int VORLServerConnect(VORLSERVERHANDLE handle)
{
    VORLServer* s = vorl::CheckServer(handle);
    if (s == nullptr)
        return VORL_ERR_INVALID_HANDLE;
    s->block.view.setRunning(true);
    return VORL_OK;
}

VORL_API int VORLServerDisconnect(VORLSERVERHANDLE handle)
{
    VORLServer* s = vorl::CheckServer(handle);
    if (s == nullptr)
        return VORL_ERR_INVALID_HANDLE;
    {
        std::lock_guard<std::mutex> guard(vorl::registryLock());
        vorl::registry().erase(s);
        vorl::generation().fetch_add(1, std::memory_order_acq_rel);
    }
    PluginsCleanup(s->plugins);
    s->plugins = nullptr;
    s->block.view.setRunning(false);
    vorl::destroy(s);
    return VORL_OK;
}

VORL_API int VORLServerSetHostType(VORLSERVERHANDLE handle, const char* hostType)
{
    VORLServer* s = vorl::CheckServer(handle);
    if (s == nullptr)
        return VORL_ERR_INVALID_HANDLE;
    namespace blk = vorl::block;
    const blk::View& v = s->block.view;
    const blk::Geometry& g = v.geometry();
    v.setRunning(false);
    for (int c = 0; c < g.n; ++c) {
        uint8_t* e = v.client(c);
        if (blk::loadI32(e + blk::kCliConnected) != 0) {
            blk::storeI32(e + blk::kCliConnected, 0);
            // The slot's owner learns of the drop when it wakes.
            if (PlinthEvent* ev = EventOpen(blk::getI32(e + blk::kCliReplyEventKey)); ev != nullptr) {
                EventSetToUnblocked(ev);
                EventClose(ev);
            }
        }
        blk::putI32(e + blk::kCliReset1, -1);
        blk::putI32(e + blk::kCliReset2, -1);
    }
    PlinthMutex* m = MutexOpen(blk::getI32(v.base() + blk::kHdrQueueMutexKey));
    if (m == nullptr)
        return VORL_ERR_MUTEX;
    if (MutexGet(m) == 0) {
        MutexClose(m);
        return VORL_ERR_MUTEX_NOT_TAKEN;
    }
    blk::putI32(v.base() + blk::kHdrQueueRead, 0);
    blk::putI32(v.base() + blk::kHdrQueueWrite, 0);
    for (std::size_t i = 0; i < g.slots(); ++i) {
        uint8_t* e = v.queueEntry(static_cast<int>(i));
        blk::putI32(e + blk::kQueClient, -1);
        blk::putI32(e + blk::kQueWindow, -1);
        blk::putI32(e + blk::kQueClass, -1);
    }
    MutexRelease(m);
    MutexClose(m);
    v.setHostType(hostType);
    s->config.hostType.assign(
        hostType != nullptr ? hostType : "", hostType != nullptr ? strnlen(hostType, blk::kHostTypeMax) : 0);
    v.setRunning(true);
    return VORL_OK;
}
