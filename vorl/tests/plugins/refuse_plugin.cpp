// Test plug-in whose initialisation functions each break one loading rule.
#include "vorl/plugin.h"

#define EXPORT extern "C" __attribute__((visibility("default")))

namespace {

int cleanups = 0;
int cleanup(void*) {
  ++cleanups;
  return 0;
}
int overhead(void*, PluginPktRecord*, int* bytes) {
  *bytes = 1;
  return 0;
}
int msgOverhead(void*, PluginMsgRecord*, int* bytes) {
  *bytes = 1;
  return 0;
}

PluginFunctions pktOverheadOnly() {
  PluginFunctions t{};
  t.Cleanup = cleanup;
  t.GetPktOverhead = overhead;
  return t;
}
PluginFunctions msgOverheadOnly() {
  PluginFunctions t{};
  t.Cleanup = cleanup;
  t.GetMsgOverhead = msgOverhead;
  return t;
}
const PluginFunctions kPktOverheadOnly = pktOverheadOnly();
const PluginFunctions kMsgOverheadOnly = msgOverheadOnly();

} // namespace

EXPORT int RefuseInit(const PluginHostInfo*, const PluginHostCallbacks*, const PluginFunctions** table,
                      void**) {
  static const PluginFunctions unused{};
  *table = &unused; // handed out, yet the result says no
  return VORL_PLUGIN_FAIL;
}
EXPORT int NoTableInit(const PluginHostInfo*, const PluginHostCallbacks*, const PluginFunctions** table,
                       void**) {
  *table = nullptr;
  return 0;
}
EXPORT int PktOverheadOnlyInit(const PluginHostInfo*, const PluginHostCallbacks*,
                               const PluginFunctions** table, void**) {
  *table = &kPktOverheadOnly;
  return 0;
}
EXPORT int MsgOverheadOnlyInit(const PluginHostInfo*, const PluginHostCallbacks*,
                               const PluginFunctions** table, void**) {
  *table = &kMsgOverheadOnly;
  return 0;
}
EXPORT int RefuseCleanups() { return cleanups; }
