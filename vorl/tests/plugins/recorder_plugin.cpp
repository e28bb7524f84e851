// Test plug-in that records every call it receives as "<key>:<call>" lines,
// answers with results the test chooses, and uses the host callbacks the way
// real plug-ins do (plug-in messages out, getMsgFromPkt on plug-in packets).
#include <cstdio>
#include <map>
#include <string>

#include "vorl/plugin.h"

#define EXPORT extern "C" __attribute__((visibility("default")))

namespace {

struct Instance {
  std::string key;
  PluginHostCallbacks host{};
  int role = VORL_ROLE_CLIENT;
};

std::string& log() {
  static std::string text;
  return text;
}
std::map<std::string, int>& results() {
  static std::map<std::string, int> r;
  return r;
}

int record(void* ctx, const char* call, const std::string& detail = {}) {
  const auto* self = static_cast<const Instance*>(ctx);
  const std::string name = self->key + ":" + call;
  log() += name + detail + "\n";
  const auto it = results().find(name);
  return it == results().end() ? 0 : it->second;
}

int cleanup(void* ctx) {
  record(ctx, "Cleanup");
  delete static_cast<Instance*>(ctx);
  return 0;
}
int onAddMsg(void* ctx, PluginMsgRecord* m) {
  return record(ctx, "OnAddMsg", " " + std::to_string(m->type));
}
int onGetMsg(void* ctx, PluginMsgRecord* m) {
  return record(ctx, "OnGetMsg", " " + std::to_string(m->type));
}
int onSendToNet(void* ctx, PluginPktRecord* p) {
  return record(ctx, "OnSendToNet", " " + std::to_string(p->length) + " " + std::to_string(p->resend));
}
int onRecvFromNet(void* ctx, PluginPktRecord*) { return record(ctx, "OnRecvFromNet"); }
int onRecvTimeout(void* ctx, PluginTimeoutRecord*) { return record(ctx, "OnRecvTimeout"); }
int onRecvPluginPkt(void* ctx, PluginPluginPktRecord* r) {
  auto* self = static_cast<Instance*>(ctx);
  std::string detail = " round " + std::to_string(r->round);
  // A server's plug-ins tell their clients apart by these two.
  if (self->role == VORL_ROLE_SERVER) {
    detail += " connection " + std::to_string(r->connection) + " word " + std::to_string(r->word);
  }
  for (int i = 0; i < r->count; ++i) {
    PluginMsgRecord m{};
    const int rc = self->host.getMsgFromPkt(r->context, r->packet, i, &m);
    if (rc != 0) {
      detail += " fail " + std::to_string(rc);
      break;
    }
    detail += " " + std::to_string(m.type) + "=" + std::string(static_cast<const char*>(m.data), m.length);
  }
  return record(ctx, "OnRecvPluginPkt", detail);
}
int onConnectToServer(void* ctx, PluginConnectRecord* r) {
  auto* self = static_cast<Instance*>(ctx);
  const std::string hello = "hello from " + self->key;
  const int sent = self->host.sendPluginMsgFn(r->context, 300, hello.data(), static_cast<int>(hello.size()));
  return sent != 0 ? VORL_PLUGIN_FAIL : record(ctx, "OnConnectToServer", " port " + std::to_string(r->port));
}
int onClientConnect(void* ctx, PluginClientRecord*) { return record(ctx, "OnClientConnect"); }
int onClientDisconnect(void* ctx, PluginClientRecord*) { return record(ctx, "OnClientDisconnect"); }

PluginFunctions table() {
  PluginFunctions t{};
  t.Cleanup = cleanup;
  t.OnAddMsg = onAddMsg;
  t.OnGetMsg = onGetMsg;
  t.OnSendToNet = onSendToNet;
  t.OnRecvFromNet = onRecvFromNet;
  t.OnRecvTimeout = onRecvTimeout;
  t.OnRecvPluginPkt = onRecvPluginPkt;
  t.OnConnectToServer = onConnectToServer;
  t.OnClientConnect = onClientConnect;
  t.OnClientDisconnect = onClientDisconnect;
  return t;
}
const PluginFunctions kTable = table();

} // namespace

EXPORT int RecorderInit(const PluginHostInfo* info, const PluginHostCallbacks* host,
                        const PluginFunctions** out, void** context) {
  auto* self = new Instance{info->section, *host, info->vorlType};
  char line[160];
  std::snprintf(line, sizeof line, " version %d role %d connections %d attached %d", info->interfaceVersion,
                info->vorlType, info->maxConnections, info->attached);
  record(self, "Init", line);
  *out = &kTable;
  *context = self;
  return 0;
}

EXPORT const char* RecorderLog() { return log().c_str(); }
EXPORT void RecorderReset() {
  log().clear();
  results().clear();
}
// The result that "<key>:<call>" gives from now on.
EXPORT void RecorderSetResult(const char* call, int result) { results()[call] = result; }
