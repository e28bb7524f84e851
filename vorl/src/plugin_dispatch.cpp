// Calling the plug-ins: notifications go to every plug-in in load order,
// modifications to the one owner of their slot.
#include "plugin_set.h"
#include "vorl/result.h"

namespace {

template <typename Record> using NotifySlot = int (*PluginFunctions::*)(void*, Record*);

template <typename Record> int notify(PluginSet* set, NotifySlot<Record> slot, Record* rec) {
  if (set == nullptr || rec == nullptr) return VORL_PLUGIN_OK;
  if (rec->context == nullptr) rec->context = &set->context;
  int result = VORL_PLUGIN_OK;
  for (int i = 0; i < set->count; ++i) {
    vorl::LoadedPlugin& p = set->plugins[static_cast<std::size_t>(i)];
    const auto fn = p.table->*slot;
    if (fn == nullptr) continue;
    const int r = fn(p.context, rec);
    p.lastResult = r;
    // Anything but "done" or "more" is a failure: it must not read as success.
    if (r != VORL_PLUGIN_OK && r != VORL_PLUGIN_MORE) return VORL_PLUGIN_FAIL;
    if (r == VORL_PLUGIN_MORE) result = VORL_PLUGIN_MORE;
  }
  return result;
}

template <typename Record>
using ModifySlot = int (*PluginFunctions::*)(void*, Record*, const void*, int, void*, int, int*);

template <typename Record>
int modify(PluginSet* set, vorl::ModSlot which, ModifySlot<Record> slot, Record* rec, const void* source,
           int sourceLength, void* target, int targetSize, int* length) {
  int ignored = 0;
  if (length == nullptr) length = &ignored;
  const PluginFunctions* owner = vorl::Owner(set, which);
  if (owner == nullptr) {
    return set != nullptr ? set->callbacks.DefaultCopy(nullptr, source, sourceLength, target, targetSize, length)
                          : vorl::HostCallbacks(false).DefaultCopy(nullptr, source, sourceLength, target,
                                                                   targetSize, length);
  }
  if (rec != nullptr && rec->context == nullptr) rec->context = &set->context;
  vorl::LoadedPlugin& p = set->plugins[static_cast<std::size_t>(set->owner[which])];
  *length = 0;
  const int r = (owner->*slot)(p.context, rec, source, sourceLength, target, targetSize, length);
  p.lastResult = r;
  if (r == VORL_PLUGIN_OK) {
    // The owner's length must describe bytes inside the target it was given.
    if (*length < 0 || *length > targetSize) return VORL_PLUGIN_FAIL;
    return r;
  }
  return r == VORL_PLUGIN_NOROOM ? r : VORL_PLUGIN_FAIL;
}

template <typename Record>
int overhead(PluginSet* set, vorl::ModSlot which, int (*PluginFunctions::*slot)(void*, Record*, int*),
             Record* rec, int* bytes) {
  int ignored = 0;
  if (bytes == nullptr) bytes = &ignored;
  *bytes = 0;
  const PluginFunctions* owner = vorl::Owner(set, which);
  if (owner == nullptr || owner->*slot == nullptr) return VORL_PLUGIN_OK;
  if (rec != nullptr && rec->context == nullptr) rec->context = &set->context;
  vorl::LoadedPlugin& p = set->plugins[static_cast<std::size_t>(set->owner[which])];
  const int r = (owner->*slot)(p.context, rec, bytes);
  p.lastResult = r;
  if (r != VORL_PLUGIN_OK || *bytes < 0 || *bytes > VORL_PLUGIN_AREA_SIZE) {
    *bytes = 0;
    return VORL_PLUGIN_FAIL;
  }
  return VORL_PLUGIN_OK;
}

} // namespace

VORL_API int PluginsOnAddMsg(PluginSet* set, PluginMsgRecord* msg) {
  return notify(set, &PluginFunctions::OnAddMsg, msg);
}
VORL_API int PluginsOnGetMsg(PluginSet* set, PluginMsgRecord* msg) {
  return notify(set, &PluginFunctions::OnGetMsg, msg);
}
VORL_API int PluginsOnSendToNet(PluginSet* set, PluginPktRecord* pkt) {
  return notify(set, &PluginFunctions::OnSendToNet, pkt);
}
VORL_API int PluginsOnRecvFromNet(PluginSet* set, PluginPktRecord* pkt) {
  return notify(set, &PluginFunctions::OnRecvFromNet, pkt);
}
VORL_API int PluginsOnRecvTimeout(PluginSet* set, PluginTimeoutRecord* rec) {
  return notify(set, &PluginFunctions::OnRecvTimeout, rec);
}
VORL_API int PluginsOnRecvPluginPkt(PluginSet* set, PluginPluginPktRecord* rec) {
  return notify(set, &PluginFunctions::OnRecvPluginPkt, rec);
}
VORL_API int PluginsOnConnectToServer(PluginSet* set, PluginConnectRecord* rec) {
  return notify(set, &PluginFunctions::OnConnectToServer, rec);
}
VORL_API int PluginsOnClientConnect(PluginSet* set, PluginClientRecord* rec) {
  return notify(set, &PluginFunctions::OnClientConnect, rec);
}
VORL_API int PluginsOnClientDisconnect(PluginSet* set, PluginClientRecord* rec) {
  return notify(set, &PluginFunctions::OnClientDisconnect, rec);
}

VORL_API int PluginsAddMsg(PluginSet* set, PluginMsgRecord* msg, const void* source, int sourceLength,
                           void* target, int targetSize, int* length) {
  return modify(set, vorl::kModAddMsg, &PluginFunctions::AddMsg, msg, source, sourceLength, target,
                targetSize, length);
}
VORL_API int PluginsGetMsg(PluginSet* set, PluginMsgRecord* msg, const void* source, int sourceLength,
                           void* target, int targetSize, int* length) {
  return modify(set, vorl::kModGetMsg, &PluginFunctions::GetMsg, msg, source, sourceLength, target,
                targetSize, length);
}
VORL_API int PluginsSendToNet(PluginSet* set, PluginPktRecord* pkt, const void* source,
                              int sourceLength, void* target, int targetSize, int* length) {
  return modify(set, vorl::kModSendToNet, &PluginFunctions::SendToNet, pkt, source, sourceLength,
                target, targetSize, length);
}
VORL_API int PluginsRecvFromNet(PluginSet* set, PluginPktRecord* pkt, const void* source,
                                int sourceLength, void* target, int targetSize, int* length) {
  return modify(set, vorl::kModRecvFromNet, &PluginFunctions::RecvFromNet, pkt, source, sourceLength,
                target, targetSize, length);
}

VORL_API int PluginsGetPktOverhead(PluginSet* set, PluginPktRecord* pkt, int* bytes) {
  return overhead(set, vorl::kModSendToNet, &PluginFunctions::GetPktOverhead, pkt, bytes);
}
VORL_API int PluginsGetMsgOverhead(PluginSet* set, PluginMsgRecord* msg, int* bytes) {
  return overhead(set, vorl::kModAddMsg, &PluginFunctions::GetMsgOverhead, msg, bytes);
}

VORL_API int PluginsHaveGetMsg(PluginSet* set) { return vorl::Owner(set, vorl::kModGetMsg) ? 1 : 0; }
VORL_API int PluginsHaveSendToNet(PluginSet* set) {
  return vorl::Owner(set, vorl::kModSendToNet) ? 1 : 0;
}
VORL_API int PluginsHaveRecvFromNet(PluginSet* set) {
  return vorl::Owner(set, vorl::kModRecvFromNet) ? 1 : 0;
}
