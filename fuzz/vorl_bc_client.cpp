// Feeds the broadcast client an entry and packet bytes as a listener would place
// them: input bytes 0-3 and 4-7 are the entry's offset and length (little-endian),
// the rest is written at the start of the packet data. The client must take the
// packet or refuse it (38), and every message it then hands out must lie inside it.
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "plinth/event.h"
#include "plinth/persist.h"
#include "plinth/reslock.h"
#include "plinth/shmem.h"
#include "vorl/bc.h"
#include "vorl/bc_block.h"

namespace {

using namespace vorl::bc;

constexpr int kEntries = 4;
constexpr int kDataSize = 65536;

struct Harness {
  PlinthShmem* shmem = nullptr;
  uint8_t* block = nullptr;
  PlinthReslock* lock = nullptr;
  PlinthEvent* event = nullptr;
  VORLBCHANDLE client = nullptr;
  std::string ini;

  Harness() {
    const std::string ns = "fz" + std::to_string(getpid()) + "_";
    setenv("PLINTH_NAMESPACE", ns.c_str(), 1);
    block = static_cast<uint8_t*>(GetBCCSharedMemory(&shmem, 9401, kEntries, kDataSize, 1));
    lock = ReslockCreate(9402);
    event = EventCreate(9403);
    if (block == nullptr || lock == nullptr || event == nullptr) std::abort();
    Store(block, kClientLockKey, 9402);
    Store(block, kClientEventKey, 9403);
    Store(block, kClientRunning, 1);
    ini = "/tmp/" + ns + "bc.ini";
    FILE* f = std::fopen(ini.c_str(), "w");
    if (f == nullptr) std::abort();
    std::fprintf(f, "[BCClient]\nshmkey=9401\n");
    std::fclose(f);
    if (VORLBCCreate(&client, ini.c_str(), nullptr) != 0) std::abort();
  }
  ~Harness() {
    VORLBCDisconnect(client);
    EventClose(EventCondemn(event));
    ReslockClose(ReslockCondemn(lock));
    ShmemClose(ShmemCondemn(shmem));
    SysStopPersistServer();
    std::remove(ini.c_str());
  }

  // Both regions free, one entry pointing where the input says.
  void reset(int32_t offset, int32_t length) {
    const int start2 = Load(block, kClientRegion2);
    Store(block, kClientReadIndex, 0);
    Store(block, kClientReadPos1, 0);
    Store(block, kClientLimit1, -1);
    Store(block, kClientReadPos2, start2);
    Store(block, kClientLimit2, -1);
    for (int i = 0; i < kEntries; ++i) Store(block + kClientEntriesAt + kClientEntrySize * i, kEntryState, -1);
    uint8_t* entry = block + kClientEntriesAt;
    Store(entry, kEntryOffset, offset);
    Store(entry, kEntryLength, length);
    Store(entry, kEntryState, 0);
  }
};

Harness& harness() {
  static Harness h;
  return h;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 8) return 0;
  Harness& h = harness();
  int32_t offset, length;
  std::memcpy(&offset, data, 4);
  std::memcpy(&length, data + 4, 4);
  const size_t body = std::min(size - 8, static_cast<size_t>(kDataSize));
  std::memset(h.block + ClientDataAt(kEntries), 0, kDataSize);
  std::memcpy(h.block + ClientDataAt(kEntries), data + 8, body);
  h.reset(offset, length);
  const int rc = VORLBCRecv(h.client, 0);
  if (rc != 0) {
    if (rc != VORL_ERR_RING && rc != VORL_ERR_TIMEOUT && rc != VORL_ERR_PLUGIN && rc != VORL_ERR_PROTOCOL) std::abort();
    return 0;
  }
  int count = 0;
  VORLBCNumMessages(h.client, &count);
  static char buffer[kMaxPacket];
  for (int i = 0; i < count; ++i) {
    int type = 0, n = 0;
    void* message = nullptr;
    if (VORLBCMessage(h.client, i, &type, &message, &n) != 0) std::abort();
    volatile uint8_t touch = 0;
    for (int k = 0; k < n; ++k) touch = touch ^ static_cast<uint8_t*>(message)[k];
    if (VORLBCGetMessage(h.client, i, &type, buffer, sizeof buffer, &n) != 0) std::abort();
  }
  // Backwards too: the cursor starts again from the first message.
  for (int i = count - 1; i >= 0; --i) {
    int type = 0;
    if (VORLBCMessageType(h.client, i, &type) != 0) std::abort();
  }
  return 0;
}
