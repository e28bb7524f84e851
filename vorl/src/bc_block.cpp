// The shared blocks of broadcasting, their configuration and the live handles.
#include <array>
#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <mutex>
#include <unordered_set>

#include "bc_handles.h"
#include "plinth/config.h"
#include "plinth/sockwait.h"
#include "vorl/bc_block.h"
#include "vorl/util.h"

namespace vorl::bc {

std::array<std::atomic<const void*>, kRecentSlots> recentHandles{};

namespace {
std::mutex& liveLock() {
  static std::mutex m;
  return m;
}
std::unordered_set<const void*>& live() {
  static std::unordered_set<const void*> handles;
  return handles;
}
} // namespace

void Register(const void* handle) {
  std::lock_guard<std::mutex> guard(liveLock());
  live().insert(handle);
}

void Release(const void* handle) {
  std::lock_guard<std::mutex> guard(liveLock());
  live().erase(handle);
  const void* expected = handle;
  recentHandles[RecentSlot(handle)].compare_exchange_strong(expected, nullptr);
}

bool IsLiveSlow(const void* handle) {
  std::lock_guard<std::mutex> guard(liveLock());
  if (live().count(handle) == 0) return false;
  recentHandles[RecentSlot(handle)].store(handle);
  return true;
}

int ReadSetup(const char* config, const char* service, const char* defaultSection, Setup* setup) {
  if (config == nullptr) config = std::getenv("VORLCONFIG");
  if (config == nullptr) return VORL_ERR_NO_CONFIG;
  char file[260];
  char section[128];
  SplitVORLConfigString(config, file, sizeof file, section, sizeof section);
  if (*section == '\0') std::strcpy(section, defaultSection);
  setup->file = file;
  setup->section = section;
  Config cfg = ConfigOpen(section, file);
  if (cfg == nullptr) return VORL_ERR_NO_CONFIG;
  char text[256];
  ConfigReadString(cfg, "PluginSection", text, sizeof text, "");
  setup->pluginSection = *text != '\0' ? std::string(text) : setup->section + "_plugins";
  ConfigClose(cfg);
  int rc = GetSharedMemoryKey(file, service != nullptr && *service != '\0' ? service : nullptr,
                              section, &setup->key);
  if (rc == VORL_ERR_SERVICE) {
    // The service database may need the socket layer first; one more look.
    SYSSocketStartup();
    rc = GetSharedMemoryKey(file, service != nullptr && *service != '\0' ? service : nullptr, section,
                            &setup->key);
  }
  return rc;
}

} // namespace vorl::bc

namespace {

using namespace vorl::bc;

void* mapBlock(PlinthShmem** handle, int key, std::size_t size, int create) {
  if (handle == nullptr) return nullptr;
  *handle = create != 0 ? ShmemCreate(key, size) : ShmemOpen(key);
  return *handle != nullptr ? ShmemGetPointer(*handle) : nullptr;
}

bool sizeFits(std::size_t size) { return size <= static_cast<std::size_t>(std::numeric_limits<int>::max()); }

} // namespace

VORL_API void* GetBCSSharedMemory(PlinthShmem** handle, int key, int b, int c, int d, int create) {
  std::size_t size = 0;
  if (create != 0) {
    if (b <= 0 || c <= 0 || d <= 0 || b > 1024 || c > 1024) return nullptr;
    size = ServerBlockSize(static_cast<std::size_t>(b), static_cast<std::size_t>(c), static_cast<std::size_t>(d));
    if (!sizeFits(size)) return nullptr;
  }
  auto* block = static_cast<uint8_t*>(mapBlock(handle, key, size, create));
  if (block != nullptr && create != 0) {
    Store(block, kServerRingSize, d);
    Store(block, kServerBroadcasters, b);
    Store(block, kServerEntries, c);
  }
  return block;
}

VORL_API void* GetBCCSharedMemory(PlinthShmem** handle, int key, int n, int d, int create) {
  std::size_t size = 0;
  if (create != 0) {
    if (n <= 0 || d < 8 || n > 1 << 20) return nullptr;
    size = ClientBlockSize(static_cast<std::size_t>(n), static_cast<std::size_t>(d));
    if (!sizeFits(size)) return nullptr;
  }
  auto* block = static_cast<uint8_t*>(mapBlock(handle, key, size, create));
  if (block != nullptr && create != 0) {
    Store(block, kClientEntryCount, n);
    Store(block, kClientDataSize, d);
    const int start2 = (d / 2) & ~3;
    Store(block, kClientRegion2, start2);
    Store(block, kClientReadPos1, 0);
    Store(block, kClientLimit1, -1);
    Store(block, kClientReadPos2, start2);
    Store(block, kClientWritePos2, start2);
    Store(block, kClientLimit2, -1);
    for (int i = 0; i < n; ++i)
      Store(block + kClientEntriesAt + kClientEntrySize * static_cast<std::size_t>(i), kEntryState, -1);
  }
  return block;
}
