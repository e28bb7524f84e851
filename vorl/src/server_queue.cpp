// The shared block: creating and opening it, the role configuration of the
// server and the operator, and the request queue.
#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "netutil.h"
#include "plinth/config.h"
#include "plinth/sockwait.h"
#include "plinth/time.h"
#include "server_handle.h"
#include "vorl/util.h"

namespace vorl {

using block::getI32;
using block::putI32;

int ReadRoleConfig(const char* config, const char* defaultSection, const char* service, const char* hostType,
    RoleConfig& out)
{
    if (config == nullptr)
        config = std::getenv("VORLCONFIG");
    if (config == nullptr)
        return VORL_ERR_NO_CONFIG;
    char file[260];
    char section[128];
    SplitVORLConfigString(config, file, sizeof file, section, sizeof section);
    // A path or section cut to size would name another file or section.
    if (!SplitWhole(config, file, section))
        return VORL_ERR_NO_CONFIG;
    if (*section == '\0')
        std::snprintf(section, sizeof section, "%s", defaultSection);
    Config cfg = ConfigOpen(section, file);
    if (cfg == nullptr)
        return VORL_ERR_NO_CONFIG;
    out.file = file;
    out.section = section;
    char text[256];
    if (service == nullptr || *service == '\0') {
        ConfigReadString(cfg, "Service", text, sizeof text, "");
        out.service = text;
    } else {
        out.service = service;
    }
    if (hostType == nullptr || *hostType == '\0') {
        ConfigReadString(cfg, "HostType", text, sizeof text, "");
        out.hostType.assign(text, strnlen(text, block::kHostTypeMax));
    } else {
        out.hostType.assign(hostType, strnlen(hostType, block::kHostTypeMax));
    }
    out.maxSendBufsize = ConfigReadInt(cfg, "MaxSendBufsize", 0);
    ConfigReadString(cfg, "PluginSection", text, sizeof text, "");
    out.pluginSection = *text != '\0' ? std::string(text) : out.section + "_plugins";
    ConfigClose(cfg);

    const char* svc = out.service.empty() ? nullptr : out.service.c_str();
    int rc = GetSharedMemoryKey(out.file.c_str(), svc, out.section.c_str(), &out.key);
    if (rc == VORL_ERR_SERVICE) {
        SYSSocketStartup();
        rc = GetSharedMemoryKey(out.file.c_str(), svc, out.section.c_str(), &out.key);
    }
    return rc;
}

int OpenServerBlock(int key, OpenBlock& out)
{
    void* base = GetVORLSharedMemory(&out.shm, key, 0, 0, 0, 0, 0);
    if (base == nullptr)
        return VORL_ERR_NO_BLOCK;
    auto* p = static_cast<uint8_t*>(base);
    out.view = block::View(p, block::View::ReadGeometry(p));
    return VORL_OK;
}

void CloseServerBlock(OpenBlock& b)
{
    if (b.shm != nullptr)
        ShmemClose(b.shm);
    b = OpenBlock {};
}

int CheckHostType(const block::View& view, const std::string& hostType)
{
    char theirs[block::kHostTypeSize];
    view.hostType(theirs);
    return hostType == theirs ? VORL_OK : VORL_ERR_HOST_TYPE;
}

namespace {

bool entryFree(const uint8_t* e)
{
    return getI32(e + block::kQueClient) == -1 || getI32(e + block::kQueWindow) == -1
        || getI32(e + block::kQueClass) == 0;
}

void clearEntry(uint8_t* e)
{
    putI32(e + block::kQueClient, -1);
    putI32(e + block::kQueWindow, -1);
    putI32(e + block::kQueClass, -1);
}

bool matches(int pktClass, int32_t entryClass, bool atRead)
{
    if (pktClass == 0)
        return atRead;
    if (pktClass > 0)
        return entryClass == pktClass;
    return entryClass <= -static_cast<int64_t>(pktClass);
}

// A read or write index outside the ring (a block written by a process that
// died half-way) restarts at 0 rather than addressing past the queue.
int32_t ringIndex(const uint8_t* p, int32_t n)
{
    const int32_t i = getI32(p);
    return i >= 0 && i < n ? i : 0;
}

} // namespace

// The mapping's size, where the system shows it: named blocks are files of the
// shared-memory folder, named by the object namespace and "mmfPLNTshm<key>".
static bool BlockLargeEnough(int key, const block::Geometry& g)
{
    const char* ns = std::getenv("PLINTH_NAMESPACE");
    const std::string path
        = std::string("/dev/shm/") + (ns != nullptr ? ns : "") + "mmfPLNTshm" + std::to_string(key);
    struct stat st { };
    if (stat(path.c_str(), &st) != 0)
        return true; // not visible here: the header's geometry is all there is
    return static_cast<std::size_t>(st.st_size) >= g.size();
}

// Only the first n of the n * w queue entries are used: the ring wraps at n,
// which is what the router process that shares the block expects of the
// indexes. A client with a window above 1 can therefore have fewer requests
// queued than it may send; the router holds the rest until there is room.
Take TakeFromQueue(
    const block::View& view, PlinthMutex* mutex, PlinthEvent* wake, int pktClass, QueueEntry& out)
{
    if (MutexGet(mutex) == 0) {
        const int err = SysError();
        std::fprintf(stderr, "GetNextPacket: Error getting mutex (%d) %s\n", err, SysGetErrorString(err));
        return Take::Failed;
    }
    const int32_t n = view.geometry().n;
    uint8_t* hdr = view.base();
    const int32_t r = ringIndex(hdr + block::kHdrQueueRead, n);
    if (entryFree(view.queueEntry(r))) {
        if (wake != nullptr)
            EventSetToBlocked(wake);
        MutexRelease(mutex);
        return Take::Empty;
    }
    int32_t found = -1;
    for (int32_t k = 0; k < n; ++k) {
        const int32_t i = (r + k) % n;
        const uint8_t* e = view.queueEntry(i);
        if (entryFree(e))
            break;
        if (matches(pktClass, getI32(e + block::kQueClass), k == 0)) {
            found = i;
            break;
        }
        if (pktClass == 0)
            break;
    }
    if (found < 0) {
        MutexRelease(mutex);
        return Take::NoMatch;
    }
    // The skipped entries move one place towards the write index and keep their order.
    if (found != r) {
        uint8_t saved[block::kQueueEntrySize];
        std::memcpy(saved, view.queueEntry(found), sizeof saved);
        for (int32_t i = found; i != r;) {
            const int32_t prev = (i + n - 1) % n;
            std::memcpy(view.queueEntry(i), view.queueEntry(prev), block::kQueueEntrySize);
            i = prev;
        }
        std::memcpy(view.queueEntry(r), saved, sizeof saved);
    }
    uint8_t* e = view.queueEntry(r);
    out.client = getI32(e + block::kQueClient);
    out.window = getI32(e + block::kQueWindow);
    out.pktClass = getI32(e + block::kQueClass);
    clearEntry(e);
    putI32(hdr + block::kHdrQueueRead, (r + 1) % n);
    MutexRelease(mutex);
    return Take::Taken;
}

} // namespace vorl

VORL_API void* GetVORLSharedMemory(PlinthShmem** handle, int key, int n, int a, int b, int w, int create)
{
    if (handle == nullptr)
        return nullptr;
    *handle = nullptr;
    if (create != 0) {
        const vorl::block::Geometry g { n, a, b, w };
        if (!g.valid())
            return nullptr;
        PlinthShmem* shm = ShmemCreate(key, g.size());
        if (shm == nullptr)
            return nullptr;
        auto* p = static_cast<uint8_t*>(ShmemGetPointer(shm));
        vorl::block::putI32(p + vorl::block::kHdrClients, n);
        vorl::block::putI32(p + vorl::block::kHdrRequestSize, a);
        vorl::block::putI32(p + vorl::block::kHdrReplySize, b);
        vorl::block::putI32(p + vorl::block::kHdrWindow, w);
        *handle = shm;
        return p;
    }
    PlinthShmem* shm = ShmemOpen(key);
    if (shm == nullptr)
        return nullptr;
    auto* p = static_cast<uint8_t*>(ShmemGetPointer(shm));
    // The geometry decides every offset: a block that does not carry a sane one,
    // or is smaller than its geometry says, is refused rather than addressed.
    if (p == nullptr || !vorl::block::View::ReadGeometry(p).valid()
        || !vorl::BlockLargeEnough(key, vorl::block::View::ReadGeometry(p))) {
        ShmemClose(shm);
        return nullptr;
    }
    *handle = shm;
    return p;
}

VORL_API int AddToMessageQueue(
    void* blockBase, void* queue, PlinthMutex* mutex, int clientSlot, int windowSlot, int pktClass)
{
    if (blockBase == nullptr || queue == nullptr)
        return 0;
    auto* base = static_cast<uint8_t*>(blockBase);
    const vorl::block::Geometry g = vorl::block::View::ReadGeometry(base);
    if (!g.valid())
        return 0;
    if (MutexGet(mutex) == 0) {
        const int err = SysError();
        std::fprintf(stderr, "AddToMessageQueue: Error getting mutex (%d) %s\n", err, SysGetErrorString(err));
        return 0;
    }
    auto* q = static_cast<uint8_t*>(queue);
    const int32_t wi = vorl::ringIndex(base + vorl::block::kHdrQueueWrite, g.n);
    uint8_t* e = q + vorl::block::kQueueEntrySize * static_cast<std::size_t>(wi);
    if (!vorl::entryFree(e)) {
        MutexRelease(mutex);
        std::fputs("AddToMessageQueue: No space left in MsgQ\n", stderr);
        return 0;
    }
    vorl::block::putI32(e + vorl::block::kQueClient, clientSlot);
    vorl::block::putI32(e + vorl::block::kQueWindow, windowSlot);
    vorl::block::putI32(e + vorl::block::kQueClass, pktClass);
    vorl::block::putI32(base + vorl::block::kHdrQueueWrite, (wi + 1) % g.n);
    MutexRelease(mutex);
    return 1;
}
