// The broadcast server: builds packets and writes them into the ring of the
// server block, from which the broadcasters send them.
#include <cstring>
#include <ctime>
#include <memory>
#include <new>

#include "bc_handles.h"
#include "plinth/time.h"
#include "plugin_set.h"
#include "vorl/bc_block.h"
#include "vorl/codec.h"

namespace {

using namespace vorl::bc;

constexpr int kMaxBroadcasters = 1024;

void destroy(VORLBCServer* s) {
  if (s == nullptr) return;
  s->mark = 0;
  PluginsCleanup(s->plugins);
  for (PlinthEvent* e : s->events) EventClose(e);
  if (s->lock != nullptr) ReslockClose(s->lock);
  if (s->shmem != nullptr) ShmemClose(s->shmem);
  delete s;
}

int open(VORLBCServer* s, const Setup& setup) {
  s->shmem = ShmemOpen(setup.key);
  if (s->shmem == nullptr) return VORL_ERR_NO_BLOCK;
  s->block = static_cast<uint8_t*>(ShmemGetPointer(s->shmem));
  const int broadcasters = Load(s->block, kServerBroadcasters);
  const int entries = Load(s->block, kServerEntries);
  s->ringSize = Load(s->block, kServerRingSize);
  // A block whose header does not describe a ring is not a server block.
  if (broadcasters < 0 || broadcasters > kMaxBroadcasters || entries < 0 || entries > kMaxBroadcasters ||
      s->ringSize < VORL_BCPKTHDR_SIZE) {
    return VORL_ERR_NO_BLOCK;
  }
  s->ringAt = ServerRingAt(static_cast<std::size_t>(broadcasters), static_cast<std::size_t>(entries));
  s->lock = ReslockOpen(Load(s->block, kServerLockKey));
  if (s->lock == nullptr) return VORL_ERR_MUTEX;
  for (int i = 0; i < broadcasters; ++i) {
    const uint8_t* entry = s->block + kServerHeaderSize + kBroadcasterSize * static_cast<std::size_t>(i);
    PlinthEvent* e = EventOpen(Load(entry, kBroadcasterEventKey));
    if (e == nullptr) return VORL_ERR_EVENT;
    s->events.push_back(e);
  }
  const PluginHostInfo info{VORL_PLUGIN_INTERFACE_VERSION, s->configFile.c_str(), s->pluginSection.c_str(), 1, 1,
                            VORL_ROLE_BCSERVER};
  s->plugins = PluginsInit(&info, nullptr, 0);
  if (s->plugins == nullptr) return VORL_ERR_PLUGIN_LOAD;
  s->plain = s->plugins->count == 0;
  Store(s->block, kServerState, kStateInactive);
  return VORL_OK;
}

[[gnu::noinline]] int copyAny(uint8_t* to, const void* data, std::size_t n) {
  std::memcpy(to, data, n);
  return VORL_OK;
}

// Message data goes into the packet one call at a time, so the copy of a short
// message is done here in a few wide moves rather than through a library call.
// Returns 0, so that callers may end with it.
inline int copyData(uint8_t* to, const void* data, std::size_t n) {
  const auto* from = static_cast<const uint8_t*>(data);
  if (n >= 64 && n <= 128) {
    std::memcpy(to, from, 64);
    std::memcpy(to + n - 64, from + n - 64, 64);
  } else if (n >= 16 && n < 64) {
    std::memcpy(to, from, 16);
    if (n > 32) std::memcpy(to + 16, from + 16, 16);
    if (n > 48) std::memcpy(to + 32, from + 32, 16);
    std::memcpy(to + n - 16, from + n - 16, 16);
  } else {
    return copyAny(to, data, n);
  }
  return VORL_OK;
}

// A message through the plug-ins, which may transform its data; the header goes
// at `at`.
[[gnu::noinline]] int addTransformed(VORLBCServer* s, int type, const void* data, int length, int at) {
  uint8_t* header = s->packet.data() + at;
  uint8_t* target = header + VORL_BCMSG_SIZE;
  PluginMsgRecord msg{};
  msg.index = s->count;
  msg.type = type;
  msg.data = const_cast<void*>(data);
  msg.length = length;
  const int targetSize = kMaxPacket - s->overhead - at - VORL_BCMSG_SIZE;
  int written = 0;
  const int transformed = PluginsAddMsg(s->plugins, &msg, data, length, target, targetSize, &written);
  if (transformed == VORL_PLUGIN_NOROOM) return VORL_ERR_NO_ROOM;
  if (transformed != VORL_PLUGIN_OK || written < 0 || written > targetSize || written > 0xFFFF)
    return VORL_ERR_PLUGIN;
  vorl::wire::encode(VORLBCMsg{static_cast<uint16_t>(type), static_cast<uint16_t>(written)}, header);
  s->length = at + VORL_BCMSG_SIZE + written;
  s->count += 1;
  msg.data = target;
  msg.length = written;
  if (PluginsOnAddMsg(s->plugins, &msg) == VORL_PLUGIN_FAIL) return VORL_ERR_PLUGIN;
  return VORL_OK;
}

[[gnu::always_inline]] inline int addMessage(VORLBCServer* s, int type, const void* data, int length) {
  if (!s->started) return VORL_ERR_PKT_NOT_STARTED;
  if (data == nullptr) return VORL_OK;
  if (length < 0 || length > 0xFFFF) return VORL_ERR_NO_ROOM;
  const int at = Round4(s->length);
  if (kMaxPacket - VORL_BCMSG_SIZE - s->overhead - at - length < 0) return VORL_ERR_NO_ROOM;
  uint8_t* packet = s->packet.data();
  // The padding before the header: four zero bytes from the end of the packet, of
  // which the header then overwrites what is not padding (the room check leaves
  // space for them).
  std::memset(packet + s->length, 0, 4);
  if (!s->plain) return addTransformed(s, type, data, length, at);
  vorl::wire::encode(VORLBCMsg{static_cast<uint16_t>(type), static_cast<uint16_t>(length)}, packet + at);
  s->length = at + VORL_BCMSG_SIZE + length;
  s->count += 1;
  return copyData(packet + at + VORL_BCMSG_SIZE, data, static_cast<std::size_t>(length));
}

[[gnu::noinline]] int addMessageChecked(VORLBCSHANDLE handle, int type, const void* data, int length) {
  VORLBCServer* s = CheckServer(handle);
  return s != nullptr ? addMessage(s, type, data, length) : VORL_ERR_INVALID_HANDLE;
}

// Where a packet taking `need` ring bytes goes now, or -1 while the broadcasters
// have not read that space yet. *wraps: the writers go back to 0.
int placeFor(int need, int read, int write, int ringSize, bool* wraps) {
  *wraps = write + need > ringSize;
  if (!*wraps) return read <= write || write + need < read ? write : -1;
  // Going back to 0 needs the broadcasters past the previous wrap, and must stop
  // short of their position, which would otherwise look like an empty ring.
  return read <= write && need < read ? 0 : -1;
}

// Whether the ring has room for `need` bytes now, by a look without the lock; the
// answer is checked again under the lock before anything is written.
bool roomNow(const VORLBCServer* s, int need) {
  bool wraps = false;
  return placeFor(need, Load(s->block, kServerReadPos), Load(s->block, kServerWritePos), s->ringSize, &wraps) >= 0;
}

int writeToRing(VORLBCServer* s) {
  const int need = Round4(s->length);
  if (2 * need > s->ringSize) return VORL_ERR_NO_ROOM;
  const int interval = Load(s->block, kServerInterval);
  const uint8_t* packet = s->packet.data();
  uint8_t* ring = s->block + s->ringAt;
  for (;;) {
    if (Load(s->block, kServerState) == kStateStopped) return VORL_ERR_BC_STOPPED;
    if (!roomNow(s, need)) {
      SysSleep(interval > 0 ? static_cast<unsigned>(interval) : 10u);
      continue;
    }
    // Only the ring's own words wait for the lock, which the broadcasters wait for in turn.
    vorl::wire::putU32(s->packet.data() + 8, static_cast<uint32_t>(std::time(nullptr)));
    if (ReslockGetWrite(s->lock) == 0) return VORL_ERR_MUTEX_NOT_TAKEN;
    const int read = Load(s->block, kServerReadPos);
    const int write = Load(s->block, kServerWritePos);
    bool wraps = false;
    const int at = placeFor(need, read, write, s->ringSize, &wraps);
    if (at >= 0) {
      uint32_t seq = static_cast<uint32_t>(Load(s->block, kServerSeq));
      if (seq == VORL_PLUGIN_SEQ) seq = 0; // that number marks plug-in packets
      Store(s->block, kServerSeq, static_cast<int32_t>(seq + 1));
      std::memcpy(ring + at, packet, 4);
      vorl::wire::putU32(ring + at + 4, seq);
      std::memcpy(ring + at + 8, packet + 8, static_cast<std::size_t>(need - 8));
      if (wraps) Store(s->block, kServerWrapMark, write);
      Store(s->block, kServerWritePos, at + need);
      ReslockReleaseWrite(s->lock);
      for (PlinthEvent* e : s->events) EventSetToUnblocked(e);
      return VORL_OK;
    }
    ReslockReleaseWrite(s->lock); // another server took the space first
  }
}

} // namespace

VORL_API int VORLBCServerCreate(VORLBCSHANDLE* handle, const char* config, const char* service) {
  if (handle == nullptr) return VORL_ERR_INVALID_HANDLE;
  *handle = nullptr;
  Setup setup;
  VORLBCServer* s = nullptr;
  int rc = VORL_OK;
  try {
    rc = ReadSetup(config, service, "BCServer", &setup);
    if (rc != VORL_OK) return rc;
    s = new VORLBCServer;
    s->configFile = setup.file;
    s->pluginSection = setup.pluginSection;
    s->packet.assign(kMaxPacket, 0);
    rc = open(s, setup);
  } catch (const std::bad_alloc&) {
    rc = VORL_ERR_NOMEM;
  }
  if (rc != VORL_OK) {
    destroy(s);
    return rc;
  }
  s->mark = kServerMark;
  Register(s);
  *handle = s;
  return VORL_OK;
}

VORL_API int VORLBCServerConnect(VORLBCSHANDLE handle) { return VORLBCServerSetActive(handle, 1); }

VORL_API int VORLBCServerSetActive(VORLBCSHANDLE handle, int active) {
  VORLBCServer* s = CheckServer(handle);
  if (s == nullptr) return VORL_ERR_INVALID_HANDLE;
  Store(s->block, kServerState, active != 0 ? kStateActive : kStateInactive);
  return VORL_OK;
}

VORL_API int VORLBCServerDisconnect(VORLBCSHANDLE handle) {
  VORLBCServer* s = CheckServer(handle);
  if (s == nullptr) return VORL_ERR_INVALID_HANDLE;
  Release(s);
  Store(s->block, kServerState, kStateInactive);
  destroy(s);
  return VORL_OK;
}

VORL_API int VORLBCServerStartPacket(VORLBCSHANDLE handle, int value, int type, const void* data,
                                     int length) {
  VORLBCServer* s = CheckServer(handle);
  if (s == nullptr) return VORL_ERR_INVALID_HANDLE;
  if (s->started) return VORL_ERR_PKT_STARTED;
  PluginPktRecord record{};
  record.length = VORL_BCPKTHDR_SIZE;
  record.recvTimeout = -1;
  int overhead = 0;
  if (PluginsGetPktOverhead(s->plugins, &record, &overhead) != 0 || overhead < 0) return VORL_ERR_PLUGIN;
  s->overhead = overhead;
  s->started = true;
  s->value = value;
  s->count = 0;
  s->length = VORL_BCPKTHDR_SIZE;
  const int rc = VORLBCServerAddMessage(handle, type, data, length);
  if (rc != VORL_OK) s->started = false; // a packet whose first message failed is not begun
  return rc;
}

VORL_API int VORLBCServerAddMessage(VORLBCSHANDLE handle, int type, const void* data, int length) {
  // Split so that the call made for every message saves no registers unless it
  // has to look the handle up.
  if (!IsRecent(handle)) return addMessageChecked(handle, type, data, length);
  if (handle->mark != kServerMark) return VORL_ERR_INVALID_HANDLE;
  return addMessage(handle, type, data, length);
}

VORL_API int VORLBCServerEndPacket(VORLBCSHANDLE handle) {
  VORLBCServer* s = CheckServer(handle);
  if (s == nullptr) return VORL_ERR_INVALID_HANDLE;
  if (!s->started) return VORL_ERR_PKT_NOT_STARTED;
  const VORLBCPktHdr header{static_cast<uint32_t>(s->value), 0, 0, static_cast<uint16_t>(s->count),
                            static_cast<uint16_t>(s->length)};
  vorl::wire::encode(header, s->packet.data());
  // The ring takes whole words; the bytes after the packet go out as zeros.
  std::memset(s->packet.data() + s->length, 0, static_cast<std::size_t>(Round4(s->length) - s->length));
  const int rc = writeToRing(s);
  if (rc == VORL_OK) s->started = false;
  return rc;
}

VORL_API int VORLBCServerResetPacket(VORLBCSHANDLE handle) {
  VORLBCServer* s = CheckServer(handle);
  if (s == nullptr) return VORL_ERR_INVALID_HANDLE;
  if (!s->started) return VORL_ERR_PKT_NOT_STARTED;
  s->started = false;
  return VORL_OK;
}

VORL_API int VORLBCServerSend(VORLBCSHANDLE handle, int value, int type, const void* data, int length) {
  int rc = VORLBCServerStartPacket(handle, value, type, data, length);
  if (rc != VORL_OK) return rc;
  rc = VORLBCServerEndPacket(handle);
  if (rc != VORL_OK) VORLBCServerResetPacket(handle);
  return rc;
}
