#pragma once
// Inside of the broadcast handles, shared by the files of the broadcast side.
#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "plinth/event.h"
#include "plinth/reslock.h"
#include "plinth/shmem.h"
#include "vorl/bc.h"
#include "vorl/plugins.h"

struct VORLBCClient {
  int mark = 0;
  PlinthShmem* shmem = nullptr;
  uint8_t* block = nullptr;
  int entryCount = 0; // n and d as found when the block was opened
  int dataSize = 0;
  PlinthReslock* lock = nullptr;
  PlinthEvent* event = nullptr;
  PluginSet* plugins = nullptr;
  std::vector<uint8_t> packet; // the held packet, wire form
  bool held = false;
  int cursorIndex = 0;  // message cursor: the index and offset of a message
  int cursorOffset = 0;
  std::string configFile;
  std::string pluginSection;
};

struct VORLBCServer {
  int mark = 0;
  PlinthShmem* shmem = nullptr;
  uint8_t* block = nullptr;
  int ringSize = 0;
  std::size_t ringAt = 0;
  PlinthReslock* lock = nullptr;
  std::vector<PlinthEvent*> events; // one per broadcaster
  PluginSet* plugins = nullptr;
  bool plain = false;          // no plug-ins: messages are copied as they are
  std::vector<uint8_t> packet; // the packet being built, wire form
  bool started = false;
  int length = 0;
  int count = 0;
  int value = 0;
  int overhead = 0; // the plug-ins' packet overhead
  std::string configFile;
  std::string pluginSection;
};

namespace vorl::bc {

inline constexpr int kClientMark = 42405;
inline constexpr int kServerMark = 23130;

// What both kinds of handle take from their configuration section.
struct Setup {
  std::string file;
  std::string section;
  std::string pluginSection;
  int key = 0;
};

// Reads the configuration: 0, 40 (no configuration) or 12 (no service or key).
int ReadSetup(const char* config, const char* service, const char* defaultSection, Setup* setup);

// Live handles: a handle is usable only between its registration and release.
void Register(const void* handle);
void Release(const void* handle);

// Handles found live lately, so that the calls made for every message need no lock;
// a release takes its handle out before the handle is freed.
inline constexpr std::size_t kRecentSlots = 16;
extern std::array<std::atomic<const void*>, kRecentSlots> recentHandles;
inline std::size_t RecentSlot(const void* handle) {
  return (reinterpret_cast<std::uintptr_t>(handle) >> 4) % kRecentSlots;
}
// The look in the registry, under its lock.
bool IsLiveSlow(const void* handle);
inline bool IsRecent(const void* handle) {
  return handle != nullptr && recentHandles[RecentSlot(handle)].load() == handle;
}
inline bool IsLive(const void* handle) { return IsRecent(handle) || (handle != nullptr && IsLiveSlow(handle)); }
// The mark is read only once the address is known to be a live handle.
inline VORLBCClient* CheckClient(VORLBCHANDLE handle) {
  return IsLive(handle) && handle->mark == kClientMark ? handle : nullptr;
}
inline VORLBCServer* CheckServer(VORLBCSHANDLE handle) {
  return IsLive(handle) && handle->mark == kServerMark ? handle : nullptr;
}

// Walks the messages of a held packet: the header offset of message index, or -1.
int FindMessage(VORLBCClient* c, int index);

} // namespace vorl::bc
