// Creating and destroying client handles, and the logon message.
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <mutex>
#include <new>
#include <unordered_set>

#include "client.h"
#include "netutil.h"
#include "plinth/config.h"
#include "plinth/sockwait.h"
#include "plinth/time.h"
#include "service.h"
#include "vorl/util.h"

namespace vorl {

namespace {
std::mutex& registryLock() {
  static std::mutex m;
  return m;
}
std::unordered_set<const VORLClient*>& registry() {
  static std::unordered_set<const VORLClient*> live;
  return live;
}

// The largest logon message that fits a packet of the largest buffer.
constexpr unsigned kLogonMax = 30000 - VORL_PKTHDR_SIZE - VORL_MSG_SIZE;
} // namespace

void RegisterClient(VORLClient* c) {
  std::lock_guard<std::mutex> guard(registryLock());
  registry().insert(c);
}

void UnregisterClient(VORLClient* c) {
  std::lock_guard<std::mutex> guard(registryLock());
  registry().erase(c);
}

VORLClient* CheckClient(VORLHANDLE h) {
  if (h == nullptr) return nullptr;
  std::lock_guard<std::mutex> guard(registryLock());
  if (registry().count(h) == 0) return nullptr;
  return h->mark == kClientMark ? h : nullptr;
}

} // namespace vorl

namespace {

// Releases what a handle holds; the handle must already be out of the registry.
void destroy(VORLClient* c) {
  if (c == nullptr) return;
  c->mark = 0;
  if (c->tcpSocket >= 0) close(c->tcpSocket);
  if (c->udpSocket >= 0) close(c->udpSocket);
  PluginsCleanup(c->plugins);
  delete c;
}

// Reads the sixteen options in their set order; numbers convert as atoi does,
// but without wrapping, so that an oversized value is refused rather than
// turned negative.
int readOptions(VORLClient* c, Config config) {
  struct Key {
    int id;
    const char* name;
    const char* fallback;
  };
  static const Key order[] = {
      {1, "PreferredIPAddress", ""}, {2, "BroadcastAddress", ""}, {3, "PossibleHosts", ""},
      {4, "PacketTimeout", "10"},    {5, "CharacterTimeout", "2"}, {6, "ReceiveTimeout", "5"},
      {7, "ConnectTime", "10"},      {8, "ConnectTries", "1"},     {9, "SendTries", "1"},
      {10, "MaxHosts", "1"},         {13, "WindowSize", "1"},      {12, "SendBufferSize", "30000"},
      {11, "RecvBufferSize", "30000"}, {14, "LoadBalanceTime", "0"}, {15, "LoadBalanceThreshold", "0"},
      {16, "LoadBalanceSpread", "30"},
  };
  char text[16384]; // a list of 32 host names fits
  for (const Key& k : order) {
    ConfigReadString(config, k.name, text, sizeof text, k.fallback);
    int rc;
    if (k.id <= 3) {
      rc = vorl::SetClientOption(c, k.id, reinterpret_cast<intptr_t>(text));
    } else {
      const char* p = text;
      while (*p == ' ' || *p == '\t') ++p;
      const bool negative = *p == '-';
      if (*p == '-' || *p == '+') ++p;
      int64_t v = 0;
      for (; *p >= '0' && *p <= '9'; ++p) {
        v = v * 10 + (*p - '0');
        if (v > (int64_t{1} << 40)) break; // far out of range already
      }
      rc = vorl::SetClientOption(c, k.id, static_cast<intptr_t>(negative ? -v : v));
    }
    if (rc != VORL_OK) return rc;
  }
  return VORL_OK;
}

int build(VORLClient* c, Config config, const char* service, const char* hostType) {
  char text[256];
  if (service == nullptr || *service == '\0') {
    ConfigReadString(config, "Service", text, sizeof text, "");
    service = text;
  }
  if (!vorl::LookupServicePort(service, "tcp", &c->tcpPort) ||
      !vorl::LookupServicePort(service, "udp", &c->udpPort)) {
    return VORL_ERR_SERVICE;
  }
  if (hostType == nullptr || *hostType == '\0') {
    ConfigReadString(config, "HostType", text, sizeof text, "");
    hostType = text;
  }
  c->hostType.assign(hostType, strnlen(hostType, vorl::kHostTypeMax));

  if (const int rc = readOptions(c, config); rc != VORL_OK) return rc;

  ConfigReadString(config, "PluginSection", text, sizeof text, "");
  c->pluginSection = *text != '\0' ? std::string(text) : c->section + "_plugins";

  if (const int rc = CreateSocket(&c->udpSocket, VORL_SOCKET_DGRAM, 0, 0, 0, 0, 0, 0); rc != VORL_OK) {
    return rc;
  }
  vorl::RebuildCandidates(c);

  const PluginHostInfo info{VORL_PLUGIN_INTERFACE_VERSION, c->configFile.c_str(), c->pluginSection.c_str(),
                            1, 1, VORL_ROLE_CLIENT};
  c->plugins = PluginsInit(&info, nullptr, 0);
  if (c->plugins == nullptr) return VORL_ERR_PLUGIN_LOAD;
  c->random.seed(TimeTickCount());
  return VORL_OK;
}

} // namespace

VORL_API int VORLCreate(VORLHANDLE* handle, const char* config, const char* service,
                        const char* hostType) {
  static std::once_flag socketsStarted;
  std::call_once(socketsStarted, [] { SYSSocketStartup(); });

  if (handle == nullptr) return VORL_ERR_INVALID_HANDLE;
  if (config == nullptr) config = std::getenv("VORLCONFIG");
  if (config == nullptr) return VORL_ERR_NO_CONFIG;
  char file[260];
  char section[128];
  SplitVORLConfigString(config, file, sizeof file, section, sizeof section);
  // A path or section cut to size would name another file or section.
  if (!vorl::SplitWhole(config, file, section)) return VORL_ERR_NO_CONFIG;
  if (*section == '\0') std::strcpy(section, "VORLClient");

  Config cfg = ConfigOpen(section, file);
  if (cfg == nullptr) return VORL_ERR_NO_CONFIG;
  VORLClient* c = nullptr;
  int rc = VORL_OK;
  try {
    c = new VORLClient;
    c->configFile = file;
    c->section = section;
    c->recvArea.resize(vorl::kRecvRawSize + vorl::kRecvTransformSize);
    c->slots.resize(1); // WindowSize's default; the option sets the final count
    c->slots[0].buffer.resize(30000);
    rc = build(c, cfg, service, hostType);
  } catch (const std::bad_alloc&) {
    rc = VORL_ERR_NOMEM;
  }
  ConfigClose(cfg);
  if (rc != VORL_OK) {
    destroy(c);
    return rc;
  }
  c->mark = vorl::kClientMark;
  vorl::RegisterClient(c);
  *handle = c;
  return VORL_OK;
}

VORL_API int VORLSetLogonMessage(VORLHANDLE handle, int type, const void* data, unsigned length,
                                 int value, VORLLogonFn callback) {
  VORLClient* c = vorl::CheckClient(handle);
  if (c == nullptr) return VORL_ERR_INVALID_HANDLE;
  if (data == nullptr || callback == nullptr) {
    c->logon = vorl::LogonMessage{};
    return VORL_OK;
  }
  // A logon that no packet can carry is refused now rather than cut short.
  if (length > vorl::kLogonMax) return VORL_ERR_NO_ROOM;
  try {
    const auto* bytes = static_cast<const uint8_t*>(data);
    c->logon.data.assign(bytes, bytes + length);
  } catch (const std::bad_alloc&) {
    return VORL_ERR_NOMEM;
  }
  c->logon.set = true;
  c->logon.type = type;
  c->logon.value = value;
  c->logon.callback = callback;
  return VORL_OK;
}

VORL_API int VORLDisconnect(VORLHANDLE handle) {
  VORLClient* c = vorl::CheckClient(handle);
  if (c == nullptr) return VORL_ERR_INVALID_HANDLE;
  vorl::UnregisterClient(c);
  destroy(c);
  return VORL_OK;
}
