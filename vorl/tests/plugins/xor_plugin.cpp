// Test plug-in: XORs message data and packet payloads with one byte, so that a
// transformation and its inverse are plain to check.
#include <cstring>

#include "vorl/plugin.h"

#define EXPORT extern "C" __attribute__((visibility("default")))

namespace {

constexpr unsigned char kKey = 0x5A;
int cleanups = 0;

int xorCopy(const void* source, int sourceLength, void* target, int targetSize, int* length) {
  if (sourceLength > targetSize) return VORL_PLUGIN_NOROOM;
  const auto* in = static_cast<const unsigned char*>(source);
  auto* out = static_cast<unsigned char*>(target);
  for (int i = 0; i < sourceLength; ++i) out[i] = in[i] ^ kKey;
  *length = sourceLength;
  return VORL_PLUGIN_OK;
}

int cleanup(void*) {
  ++cleanups;
  return 0;
}
int onMsg(void*, PluginMsgRecord*, const void* s, int n, void* t, int size, int* len) {
  return xorCopy(s, n, t, size, len);
}
int onPkt(void*, PluginPktRecord*, const void* s, int n, void* t, int size, int* len) {
  return xorCopy(s, n, t, size, len);
}
int pktOverhead(void*, PluginPktRecord*, int* bytes) {
  *bytes = 8;
  return 0;
}
int msgOverhead(void*, PluginMsgRecord*, int* bytes) {
  *bytes = 3;
  return 0;
}

PluginFunctions all() {
  PluginFunctions t{};
  t.Cleanup = cleanup;
  t.AddMsg = onMsg;
  t.GetMsg = onMsg;
  t.SendToNet = onPkt;
  t.RecvFromNet = onPkt;
  return t;
}

const PluginFunctions kAll = all();

PluginFunctions sendOnly() {
  PluginFunctions t{};
  t.Cleanup = cleanup;
  t.SendToNet = onPkt;
  return t;
}
const PluginFunctions kSendOnly = sendOnly();

PluginFunctions withOverheads() {
  PluginFunctions t = all();
  t.GetPktOverhead = pktOverhead;
  t.GetMsgOverhead = msgOverhead;
  return t;
}
const PluginFunctions kWithOverheads = withOverheads();

int give(const PluginHostInfo* info, const PluginFunctions* table, const PluginFunctions** out, void** ctx) {
  if (info->interfaceVersion != VORL_PLUGIN_INTERFACE_VERSION) return VORL_PLUGIN_FAIL;
  *out = table;
  *ctx = nullptr;
  return 0;
}

} // namespace

EXPORT int XorInit(const PluginHostInfo* info, const PluginHostCallbacks*, const PluginFunctions** table,
                   void** context) {
  return give(info, &kAll, table, context);
}
EXPORT int XorSendOnlyInit(const PluginHostInfo* info, const PluginHostCallbacks*,
                           const PluginFunctions** table, void** context) {
  return give(info, &kSendOnly, table, context);
}
EXPORT int XorOverheadInit(const PluginHostInfo* info, const PluginHostCallbacks*,
                           const PluginFunctions** table, void** context) {
  return give(info, &kWithOverheads, table, context);
}
EXPORT int XorCleanups() { return cleanups; }
