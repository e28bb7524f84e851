#pragma once
// Inside of a plug-in set, shared by the loader, the dispatch and the plug-in
// packet code.
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "plinth/mutex.h"
#include "plinth/shlib.h"
#include "vorl/plugins.h"

struct PluginContext {
  uint8_t* area = nullptr;       // the plug-in packet area, VORL_PLUGIN_AREA_SIZE bytes
  PlinthMutex* mutex = nullptr;  // guards the area when the role gave a key
  PluginSet* set = nullptr;
};

namespace vorl {

// Slots of a modification, in table order from slot 10.
enum ModSlot { kModAddMsg = 0, kModGetMsg = 1, kModSendToNet = 2, kModRecvFromNet = 3 };

struct LoadedPlugin {
  Shlib library = nullptr;
  void* context = nullptr;
  const PluginFunctions* table = nullptr;
  int lastResult = 0;
  std::string key;
  PluginHostInfo info{};  // kept: a plug-in may hold on to it
};

} // namespace vorl

struct PluginSet {
  int role = VORL_ROLE_CLIENT;
  bool broadcast = false;
  int maxConnections = 1;
  // 0 in the one process that owns the plug-ins' shared state (the router
  // process); the others attach to it.
  int attached = 1;
  std::string configFile;
  std::string pluginSection;
  std::array<vorl::LoadedPlugin, VORL_PLUGIN_MAX> plugins{};
  int count = 0;
  std::array<int, 4> owner{-1, -1, -1, -1};
  PluginHostCallbacks callbacks{};
  std::unique_ptr<uint8_t[]> ownArea;
  PluginContext context;
  std::vector<uint8_t> work;     // a packet transformed for sending
  std::vector<uint8_t> received; // the last plug-in packet read
};

namespace vorl {

// The host callbacks of a role (point-to-point or broadcast packets).
PluginHostCallbacks HostCallbacks(bool broadcast);

// Hands a received plug-in packet (wire form, `length` bytes present, point-to-point
// header first or, in a broadcast role, behind a 16-byte broadcast header) to
// OnRecvPluginPkt: 0 with *more set, 10 for a malformed packet, 52 for a result
// other than 0 and 1. `connection`: the connection index on a server.
int DeliverPluginPacket(PluginSet* set, uint8_t* packet, int length, int word, int round, int* more,
                        int connection = 0);

struct HandshakeTimeouts {
  int receive = 5; // seconds, as the client's options
  int character = 2;
  int packet = 10;
};
inline constexpr int kMaxHandshakeRounds = 64;

// The handshake at a client's connection (server port in host order):
// OnConnectToServer, then plug-in packets out and in (round 1, then 2) while
// OnRecvPluginPkt answers 1. 0; 52 for a plug-in failure or a handshake that
// does not end within kMaxHandshakeRounds; else the send or receive code
// (23, 10, 22, 24).
int PluginsHandshake(PluginSet* set, int sock, uint32_t serverAddress, uint16_t serverPort,
                     const HandshakeTimeouts& timeouts);

// Modification owners, for callers deciding on copies.
inline const PluginFunctions* Owner(const PluginSet* set, ModSlot slot) {
  if (set == nullptr) return nullptr;
  const int i = set->owner[slot];
  return i < 0 ? nullptr : set->plugins[static_cast<std::size_t>(i)].table;
}

} // namespace vorl
