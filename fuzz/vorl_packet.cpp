// Arbitrary bytes read as a point-to-point packet of messages, as a broadcast
// packet, and as a plug-in packet handed to the plug-ins of a client and of a
// broadcast role, the way the host stepping code and getMsgFromPkt read them.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "packet.h"
#include "plugin_set.h"
#include "vorl/result.h"

namespace {

volatile uint32_t sink;

void touch(const uint8_t* data, std::size_t n) {
  uint32_t sum = 0;
  for (std::size_t i = 0; i < n; ++i) sum += data[i];
  sink = sum;
}

void walkPacket(std::span<const uint8_t> bytes) {
  vorl::PacketView view;
  if (vorl::OpenPacket(bytes, view) != VORL_OK) return;
  vorl::MsgCursor cursor;
  for (int i = 0; i < view.hdr.count; ++i) {
    if (vorl::PacketMessage(view, i, cursor) != VORL_OK) return;
    touch(vorl::MessageData(view, cursor), cursor.hdr.length);
  }
  if (view.hdr.count > 0 && vorl::PacketMessage(view, 0, cursor) == VORL_OK) touch(view.base, 1);
}

void walkBroadcast(std::span<const uint8_t> bytes) {
  vorl::BCPacketView view;
  if (vorl::OpenBCPacket(bytes, view) != VORL_OK) return;
  vorl::BCMsgCursor cursor;
  for (int i = 0; i < view.hdr.count; ++i) {
    if (vorl::BCPacketMessage(view, i, cursor) != VORL_OK) return;
    touch(vorl::BCMessageData(view, cursor), cursor.hdr.length);
  }
}

PluginSet* emptySet(int role) {
  const PluginHostInfo info{VORL_PLUGIN_INTERFACE_VERSION, "/nonexistent/vorl_fuzz.ini", "Plugins", 1, 1, role};
  return PluginsInit(&info, nullptr, 0);
}

// What a plug-in does with a packet the host hands it: every message through getMsgFromPkt.
void readAsPlugin(PluginSet* set, uint8_t* packet, std::size_t size) {
  int more = 0;
  if (vorl::DeliverPluginPacket(set, packet, static_cast<int>(size), 0, VORL_PLUGIN_ROUND_AMONG_REPLIES,
                                &more) != VORL_OK) {
    return;
  }
  const int count = set->broadcast ? (packet[16 + 12] << 8 | packet[16 + 13]) : (packet[12] << 8 | packet[13]);
  PluginMsgRecord msg{};
  if (set->callbacks.getMsgFromPkt(nullptr, packet, -1, &msg) == 0) __builtin_trap();
  // Up to one past the header's count, stopping at the first message that cannot be read:
  // a count larger than the packet would otherwise cost a walk of the packet per index.
  for (int i = 0; i <= count; ++i) {
    msg = PluginMsgRecord{};
    if (set->callbacks.getMsgFromPkt(nullptr, packet, i, &msg) != 0) break;
    touch(static_cast<const uint8_t*>(msg.data), static_cast<std::size_t>(msg.length));
  }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static PluginSet* client = emptySet(VORL_ROLE_CLIENT);
  static PluginSet* listener = emptySet(VORL_ROLE_BCCLIENT);
  if (size > 70000) return 0;
  const std::span<const uint8_t> bytes(data, size);
  walkPacket(bytes);
  walkBroadcast(bytes);

  std::vector<uint8_t> copy(data, data + size);
  readAsPlugin(client, copy.data(), copy.size());
  // In a broadcast role a received plug-in packet sits behind a marked header.
  std::vector<uint8_t> wrapped(16, 0);
  wrapped[4] = wrapped[5] = wrapped[6] = wrapped[7] = 0xFF;
  wrapped.insert(wrapped.end(), data, data + size);
  readAsPlugin(listener, wrapped.data(), wrapped.size());
  // A broadcast packet as it comes off a ring, checked before its messages are read.
  vorl::BCPacketView view;
  if (vorl::OpenBCPacket(bytes, view) == VORL_OK && view.hdr.seq != VORL_PLUGIN_SEQ) {
    for (int i = 0; i < view.hdr.count; ++i) {
      PluginMsgRecord msg{};
      if (listener->callbacks.getMsgFromPkt(nullptr, copy.data(), i, &msg) != 0) break;
      touch(static_cast<const uint8_t*>(msg.data), static_cast<std::size_t>(msg.length));
    }
  }
  return 0;
}
