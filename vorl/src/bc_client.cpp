// The broadcast client: connection requests to the listener and the packets
// that the listener has placed into the client block.
#include <memory>
#include <new>

#include "bc_handles.h"
#include "plinth/time.h"
#include "plugin_set.h"
#include "vorl/bc_block.h"
#include "vorl/codec.h"

namespace {

using namespace vorl::bc;

constexpr int kDefaultWaitSeconds = 3;

void destroy(VORLBCClient* c) {
  if (c == nullptr) return;
  c->mark = 0;
  PluginsCleanup(c->plugins);
  if (c->event != nullptr) EventClose(c->event);
  if (c->lock != nullptr) ReslockClose(c->lock);
  if (c->shmem != nullptr) ShmemClose(c->shmem);
  delete c;
}

int open(VORLBCClient* c, const Setup& setup) {
  c->shmem = ShmemOpen(setup.key);
  if (c->shmem == nullptr) return VORL_ERR_NO_BLOCK;
  c->block = static_cast<uint8_t*>(ShmemGetPointer(c->shmem));
  c->entryCount = Load(c->block, kClientEntryCount);
  c->dataSize = Load(c->block, kClientDataSize);
  if (c->entryCount <= 0 || c->entryCount > 1 << 20 || c->dataSize < 8) return VORL_ERR_NO_BLOCK;
  c->event = EventOpen(Load(c->block, kClientEventKey));
  if (c->event == nullptr) return VORL_ERR_EVENT;
  c->lock = ReslockOpen(Load(c->block, kClientLockKey));
  if (c->lock == nullptr) return VORL_ERR_MUTEX;
  const PluginHostInfo info{VORL_PLUGIN_INTERFACE_VERSION, c->configFile.c_str(), c->pluginSection.c_str(), 1, 1,
                            VORL_ROLE_BCCLIENT};
  c->plugins = PluginsInit(&info, c->block + kClientPluginArea, 0);
  return c->plugins != nullptr ? VORL_OK : VORL_ERR_PLUGIN_LOAD;
}

bool listenerRuns(const VORLBCClient* c) { return Load(c->block, kClientRunning) != 0; }

struct Region {
  std::size_t readAt, limitAt;
  int start, end;
};

// A region read up to its closing limit goes back to the listener.
void handBack(VORLBCClient* c, const Region& r) {
  const int limit = Load(c->block, r.limitAt);
  if (limit != -1 && Load(c->block, r.readAt) == limit) {
    Store(c->block, r.limitAt, -1);
    Store(c->block, r.readAt, r.start);
  }
}

// Every message header and its data inside the packet.
bool messagesFit(const uint8_t* packet, int length) {
  VORLBCPktHdr header;
  vorl::wire::decode(packet, header);
  int at = VORL_BCPKTHDR_SIZE;
  for (int i = 0; i < header.count; ++i) {
    at += EvenBoundary(at);
    if (at + VORL_BCMSG_SIZE > length) return false;
    at += VORL_BCMSG_SIZE + vorl::wire::getU16(packet + at + 2);
    if (at > length) return false;
  }
  return true;
}

// One look at the entry ring: 0 with a packet held, 9 with nothing new, 38 for an
// entry that does not describe a packet inside a region. Under the read lock.
int look(VORLBCClient* c) {
  const int start2 = Load(c->block, kClientRegion2);
  if (start2 <= 0 || start2 >= c->dataSize) return VORL_ERR_RING;
  const Region regions[2] = {{kClientReadPos1, kClientLimit1, 0, start2},
                             {kClientReadPos2, kClientLimit2, start2, c->dataSize}};
  for (const Region& r : regions) handBack(c, r);

  const int index = Load(c->block, kClientReadIndex);
  if (index < 0 || index >= c->entryCount) return VORL_ERR_RING;
  uint8_t* entry = c->block + kClientEntriesAt + kClientEntrySize * static_cast<std::size_t>(index);
  if (Load(entry, kEntryState) == -1) return VORL_ERR_TIMEOUT;
  const int offset = Load(entry, kEntryOffset);
  const int length = Load(entry, kEntryLength);
  if (length < VORL_BCPKTHDR_SIZE || length > kMaxPacket) return VORL_ERR_RING;
  const Region* region = nullptr;
  for (const Region& r : regions) {
    const int limit = Load(c->block, r.limitAt);
    const int end = limit == -1 ? r.end : limit;
    if (offset == Load(c->block, r.readAt) && end <= r.end && offset >= r.start &&
        length <= end - offset) {
      region = &r;
    }
  }
  if (region == nullptr) return VORL_ERR_RING;
  const uint8_t* data = c->block + ClientDataAt(static_cast<std::size_t>(c->entryCount)) + offset;
  if (PacketLength(data) != length || !messagesFit(data, length)) return VORL_ERR_RING;

  std::memcpy(c->packet.data(), data, static_cast<std::size_t>(length));
  c->held = true;
  c->cursorIndex = 0;
  c->cursorOffset = VORL_BCPKTHDR_SIZE;
  Store(c->block, region->readAt, offset + Round4(length));
  handBack(c, *region);
  Store(entry, kEntryState, -1);
  Store(c->block, kClientReadIndex, (index + 1) % c->entryCount);
  return VORL_OK;
}

int lookLocked(VORLBCClient* c) {
  if (ReslockGetRead(c->lock) == 0) return VORL_ERR_MUTEX_NOT_TAKEN;
  int rc;
  for (;;) {
    rc = look(c);
    if (rc != VORL_OK) break;
    // A packet for the plug-ins is theirs; the caller gets the next one.
    if (vorl::wire::getU32(c->packet.data() + 4) != VORL_PLUGIN_SEQ) break;
    c->held = false;
    int more = 0;
    const int length = PacketLength(c->packet.data());
    // 10 for a malformed plug-in packet, 52 when a plug-in failed.
    rc = vorl::DeliverPluginPacket(c->plugins, c->packet.data(), length, 0, VORL_PLUGIN_ROUND_FIRST, &more);
    if (rc != VORL_OK) break;
  }
  ReslockReleaseRead(c->lock);
  return rc;
}

} // namespace

VORL_API int VORLBCCreate(VORLBCHANDLE* handle, const char* config, const char* service) {
  if (handle == nullptr) return VORL_ERR_INVALID_HANDLE;
  *handle = nullptr;
  Setup setup;
  VORLBCClient* c = nullptr;
  int rc = VORL_OK;
  try {
    rc = ReadSetup(config, service, "BCClient", &setup);
    if (rc != VORL_OK) return rc;
    c = new VORLBCClient;
    c->configFile = setup.file;
    c->pluginSection = setup.pluginSection;
    c->packet.assign(kMaxPacket, 0);
    rc = open(c, setup);
  } catch (const std::bad_alloc&) {
    rc = VORL_ERR_NOMEM;
  }
  if (rc != VORL_OK) {
    destroy(c);
    return rc;
  }
  c->mark = kClientMark;
  Register(c);
  *handle = c;
  return VORL_OK;
}

VORL_API int VORLBCConnect(VORLBCHANDLE handle, int value) {
  VORLBCClient* c = CheckClient(handle);
  if (c == nullptr) return VORL_ERR_INVALID_HANDLE;
  Store(c->block, kClientValue, value < -1 ? -1 : value);
  Store(c->block, kClientRequest, 1);
  while (Load(c->block, kClientRequest) != 0) {
    if (!listenerRuns(c)) return VORL_ERR_LISTENER;
    const int interval = Load(c->block, kClientInterval);
    SysSleep(interval > 0 ? static_cast<unsigned>(interval) : 10u);
  }
  const int result = Load(c->block, kClientResult);
  if (result != 0) {
    Store(c->block, kClientResult, 0);
    Release(c);
    destroy(c);
  }
  return result;
}

VORL_API int VORLBCDisconnect(VORLBCHANDLE handle) {
  VORLBCClient* c = CheckClient(handle);
  if (c == nullptr) return VORL_ERR_INVALID_HANDLE;
  Release(c);
  if (listenerRuns(c)) Store(c->block, kClientRequest, 1);
  destroy(c);
  return VORL_OK;
}

VORL_API int VORLBCRecv(VORLBCHANDLE handle, int timeout) {
  VORLBCClient* c = CheckClient(handle);
  if (c == nullptr) return VORL_ERR_INVALID_HANDLE;
  if (!listenerRuns(c)) return VORL_ERR_LISTENER;
  if (const int result = Load(c->block, kClientResult); result != 0) {
    Store(c->block, kClientResult, 0);
    return result;
  }
  int rc = lookLocked(c);
  if (rc != VORL_ERR_TIMEOUT || timeout == 0) return rc;
  // Blocked before the second look, so that a packet placed after it still wakes us.
  EventSetToBlocked(c->event);
  rc = lookLocked(c);
  if (rc != VORL_ERR_TIMEOUT) return rc;
  EventWait(c->event, timeout < 0 ? kDefaultWaitSeconds : timeout);
  if (!listenerRuns(c)) return VORL_ERR_LISTENER;
  return lookLocked(c);
}
