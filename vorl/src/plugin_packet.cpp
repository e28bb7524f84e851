// The host callbacks, plug-in packets and the sending of packets through the
// plug-ins.
#include <cstring>
#include <new>

#include "packet.h"
#include "plinth/time.h"
#include "plugin_set.h"
#include "sockread.h"
#include "vorl/codec.h"
#include "vorl/result.h"

namespace {

using vorl::wire::getU16;
using vorl::wire::getU32;
using vorl::wire::putU16;
using vorl::wire::putU32;

class AreaLock {
public:
  explicit AreaLock(PlinthMutex* m) : m_(m) {
    if (m_ != nullptr) MutexGet(m_);
  }
  ~AreaLock() {
    if (m_ != nullptr) MutexRelease(m_);
  }
  AreaLock(const AreaLock&) = delete;
  AreaLock& operator=(const AreaLock&) = delete;

private:
  PlinthMutex* m_;
};

// ---- host callbacks

void fillRecord(PluginMsgRecord* msg, int index, int type, const uint8_t* data, int length,
                uint32_t handle, PluginContext* context) {
  *msg = PluginMsgRecord{index, type, const_cast<uint8_t*>(data), length, handle, 0, 0, 0, -1, context};
}

int getMsgFromPacket(PluginContext* context, const void* packet, int index, PluginMsgRecord* msg) {
  if (packet == nullptr || msg == nullptr) return VORL_PLUGIN_FAIL;
  const auto* bytes = static_cast<const uint8_t*>(packet);
  if (bytes[0] != VORL_PKT_KIND) return VORL_PLUGIN_FAIL;
  if (index < 0 || index >= getU16(bytes + 12)) return VORL_PLUGIN_NOROOM;
  // The host hands plug-ins only packets whose length it has checked.
  vorl::PacketView view;
  if (vorl::OpenPacketAnyKind({bytes, getU16(bytes + 14)}, view) != VORL_OK) return VORL_PLUGIN_FAIL;
  vorl::MsgCursor cursor;
  if (vorl::PacketMessage(view, index, cursor) != VORL_OK) return VORL_PLUGIN_FAIL;
  fillRecord(msg, index, cursor.hdr.type, vorl::MessageData(view, cursor), cursor.hdr.length,
             cursor.hdr.handle, context);
  return VORL_PLUGIN_OK;
}

int getMsgFromBCPacket(PluginContext* context, const void* packet, int index, PluginMsgRecord* msg) {
  if (packet == nullptr || msg == nullptr) return VORL_PLUGIN_FAIL;
  const auto* bytes = static_cast<const uint8_t*>(packet);
  if (getU32(bytes + 4) == VORL_PLUGIN_SEQ) {
    return getMsgFromPacket(context, bytes + VORL_BCPKTHDR_SIZE, index, msg);
  }
  if (index < 0 || index >= getU16(bytes + 12)) return VORL_PLUGIN_NOROOM;
  vorl::BCPacketView view;
  if (vorl::OpenBCPacket({bytes, getU16(bytes + 14)}, view) != VORL_OK) return VORL_PLUGIN_FAIL;
  vorl::BCMsgCursor cursor;
  if (vorl::BCPacketMessage(view, index, cursor) != VORL_OK) return VORL_PLUGIN_FAIL;
  fillRecord(msg, index, cursor.hdr.type, vorl::BCMessageData(view, cursor), cursor.hdr.length, 0, context);
  return VORL_PLUGIN_OK;
}

bool started(const uint8_t* area) { return getU16(area + 2) != 0; }

void startPacket(uint8_t* area) {
  const VORLPktHdr hdr{VORL_PKT_KIND, 0, 1, 0, VORL_PLUGIN_SEQ, 0, VORL_PKTHDR_SIZE};
  vorl::wire::encode(hdr, area);
}

// A header that a plug-in (or another process sharing the area) left unusable.
bool sane(const uint8_t* area) {
  const unsigned length = getU16(area + 14);
  return length >= VORL_PKTHDR_SIZE && length <= VORL_PLUGIN_AREA_SIZE;
}

int sendPluginMsg(PluginContext* context, int type, const void* data, int length) {
  if (context == nullptr || context->area == nullptr) return VORL_PLUGIN_FAIL;
  if (length < 0) return VORL_PLUGIN_OK;
  if (data == nullptr && length > 0) return VORL_PLUGIN_FAIL;
  AreaLock lock(context->mutex);
  uint8_t* area = context->area;
  if (!started(area)) startPacket(area);
  if (!sane(area)) return VORL_PLUGIN_FAIL;
  const int used = getU16(area + 14);
  if (used - VORL_PKTHDR_SIZE + VORL_MSG_SIZE + length > VORL_PLUGIN_PKT_CONTENT_MAX) return VORL_PLUGIN_MORE;
  const VORLMsg msg{static_cast<uint16_t>(type), static_cast<uint16_t>(length), 0, 0,
                    VORL_CLIENT_SLOT_NONE, VORL_PLUGIN_SEQ, 0};
  vorl::wire::encode(msg, area + used);
  if (length > 0) std::memcpy(area + used + VORL_MSG_SIZE, data, static_cast<std::size_t>(length));
  putU16(area + 12, static_cast<uint16_t>(getU16(area + 12) + 1));
  putU16(area + 14, static_cast<uint16_t>(used + VORL_MSG_SIZE + length));
  return VORL_PLUGIN_OK;
}

int defaultCopy(PluginContext*, const void* source, int sourceLength, void* target, int targetSize,
                int* length) {
  int ignored = 0;
  if (length == nullptr) length = &ignored;
  const int n = sourceLength < targetSize ? sourceLength : targetSize;
  *length = n > 0 ? n : 0;
  if (*length > 0) {
    if (source == nullptr || target == nullptr) {
      *length = 0;
      return VORL_PLUGIN_FAIL;
    }
    std::memmove(target, source, static_cast<std::size_t>(*length));
  }
  return sourceLength > targetSize ? VORL_PLUGIN_NOROOM : VORL_PLUGIN_OK;
}

} // namespace

namespace vorl {

PluginHostCallbacks HostCallbacks(bool broadcast) {
  return PluginHostCallbacks{broadcast ? getMsgFromBCPacket : getMsgFromPacket, sendPluginMsg, defaultCopy};
}

int DeliverPluginPacket(PluginSet* set, uint8_t* packet, int length, int word, int round, int* more,
                        int connection) {
  int ignored = 0;
  if (more == nullptr) more = &ignored;
  *more = 0;
  if (set == nullptr || packet == nullptr || length < 0) return VORL_ERR_PROTOCOL;
  const int inner = set->broadcast ? VORL_BCPKTHDR_SIZE : 0;
  if (length < inner) return VORL_ERR_PROTOCOL;
  PacketView view;
  if (OpenPacketAnyKind({packet + inner, static_cast<std::size_t>(length - inner)}, view) != VORL_OK) {
    return VORL_ERR_PROTOCOL;
  }
  PluginPluginPktRecord rec{
      round, word, connection, packet, view.hdr.count, inner + static_cast<int>(view.length), &set->context};
  const int r = PluginsOnRecvPluginPkt(set, &rec);
  *more = r;
  return r == VORL_PLUGIN_OK || r == VORL_PLUGIN_MORE ? VORL_OK : VORL_ERR_PLUGIN;
}

} // namespace vorl

VORL_API PluginContext* PluginsDefaultContext(PluginSet* set) {
  return set != nullptr ? &set->context : nullptr;
}

VORL_API int PluginsContextStartPluginPkt(PluginContext* context) {
  if (context == nullptr || context->area == nullptr) return VORL_ERR_PLUGIN;
  AreaLock lock(context->mutex);
  if (!started(context->area) || !sane(context->area)) startPacket(context->area);
  return VORL_OK;
}

VORL_API int PluginsContextHasPluginPktStarted(PluginContext* context) {
  if (context == nullptr || context->area == nullptr) return 0;
  AreaLock lock(context->mutex);
  return started(context->area) ? 1 : 0;
}

VORL_API int PluginsContextSendPluginPkt(PluginContext* context, int sock) {
  if (context == nullptr || context->area == nullptr) return VORL_ERR_PKT_NOT_STARTED;
  AreaLock lock(context->mutex);
  uint8_t* area = context->area;
  if (!started(area)) return VORL_ERR_PKT_NOT_STARTED;
  int rc = VORL_OK;
  if (!sane(area)) {
    rc = VORL_ERR_PLUGIN;
  } else if (!vorl::SendAll(sock, area, getU16(area + 14))) {
    rc = VORL_ERR_CONNECT_INFO;
  }
  std::memset(area, 0, VORL_PKTHDR_SIZE);
  return rc;
}

VORL_API int PluginsContextRecvPluginPkt(PluginContext* context, int sock, int recvTimeout,
                                         int charTimeout, int pktTimeout, int word, int round,
                                         int* more) {
  return PluginsContextRecvPluginPktOnConnection(context, sock, recvTimeout, charTimeout, pktTimeout, word, 0,
                                                 round, more);
}

VORL_API int PluginsContextRecvPluginPktOnConnection(PluginContext* context, int sock, int recvTimeout,
                                                     int charTimeout, int pktTimeout, int word,
                                                     int connection, int round, int* more) {
  if (context == nullptr || context->set == nullptr) return VORL_ERR_PLUGIN;
  PluginSet* set = context->set;
  // The plug-ins index their per-connection tables with it.
  if (connection < 0 || (connection > 0 && connection >= set->maxConnections)) return VORL_ERR_PLUGIN;
  const std::size_t inner = set->broadcast ? VORL_BCPKTHDR_SIZE : 0;
  try {
    set->received.resize(inner + VORL_PLUGIN_RECV_MAX);
  } catch (const std::bad_alloc&) {
    return VORL_ERR_NOMEM;
  }
  const vorl::ReadLimits limits{recvTimeout, charTimeout, pktTimeout, TimeTickCount()};
  std::size_t length = 0;
  const int rc = vorl::ReadPacket(sock, set->received.data() + inner, VORL_PLUGIN_RECV_MAX, limits, length);
  if (rc != VORL_OK) return rc;
  if (set->broadcast) {
    std::memset(set->received.data(), 0, VORL_BCPKTHDR_SIZE);
    putU32(set->received.data() + 4, VORL_PLUGIN_SEQ);
  }
  return vorl::DeliverPluginPacket(set, set->received.data(), static_cast<int>(inner + length), word, round,
                                   more, connection);
}

VORL_API int PluginsStartPluginPkt(PluginSet* set) {
  return PluginsContextStartPluginPkt(PluginsDefaultContext(set));
}
VORL_API int PluginsSendPluginPkt(PluginSet* set, int sock) {
  return PluginsContextSendPluginPkt(PluginsDefaultContext(set), sock);
}
VORL_API int PluginsRecvPluginPkt(PluginSet* set, int sock, int recvTimeout, int charTimeout,
                                  int pktTimeout, int word, int round, int* more) {
  return PluginsContextRecvPluginPkt(PluginsDefaultContext(set), sock, recvTimeout, charTimeout,
                                     pktTimeout, word, round, more);
}
VORL_API int PluginsRecvPluginPktOnConnection(PluginSet* set, int sock, int recvTimeout, int charTimeout,
                                              int pktTimeout, int word, int connection, int round, int* more) {
  return PluginsContextRecvPluginPktOnConnection(PluginsDefaultContext(set), sock, recvTimeout, charTimeout,
                                                 pktTimeout, word, connection, round, more);
}
VORL_API int PluginsHasPluginPktStarted(PluginSet* set) {
  return PluginsContextHasPluginPktStarted(PluginsDefaultContext(set));
}

VORL_API int PluginsSendPacket(PluginSet* set, int sock, int word1, int word2, const void* packet,
                               int bufferSize, int resend) {
  if (set == nullptr || packet == nullptr) return VORL_ERR_PROTOCOL;
  const auto* bytes = static_cast<const uint8_t*>(packet);
  VORLPktHdr hdr;
  vorl::wire::decode(bytes, hdr);
  if (hdr.length < VORL_PKTHDR_SIZE || hdr.length > bufferSize) return VORL_ERR_PROTOCOL;
  PluginPktRecord rec{hdr.seq, word1, word2, const_cast<uint8_t*>(bytes), hdr.pktClass, hdr.count, resend, 0,
                      hdr.length, -1, 0, 0, &set->context};
  if (PluginsHaveSendToNet(set)) {
    // Room of the transformed payload: what the caller's buffer holds, within a header's reach.
    const int room = (bufferSize > 65535 ? 65535 : bufferSize) - VORL_PKTHDR_SIZE;
    try {
      set->work.resize(static_cast<std::size_t>(room) + VORL_PKTHDR_SIZE);
    } catch (const std::bad_alloc&) {
      return VORL_ERR_NOMEM;
    }
    int out = 0;
    const int r = PluginsSendToNet(set, &rec, bytes + VORL_PKTHDR_SIZE, hdr.length - VORL_PKTHDR_SIZE,
                                   set->work.data() + VORL_PKTHDR_SIZE, room, &out);
    if (r != VORL_PLUGIN_OK) return VORL_ERR_PLUGIN;
    hdr.length = static_cast<uint16_t>(out + VORL_PKTHDR_SIZE);
    vorl::wire::encode(hdr, set->work.data());
    bytes = set->work.data();
    rec.packet = set->work.data();
    rec.length = hdr.length;
  }
  if (PluginsOnSendToNet(set, &rec) != VORL_PLUGIN_OK) return VORL_ERR_PLUGIN;
  return vorl::SendAll(sock, bytes, hdr.length) ? VORL_OK : VORL_ERR_CONNECT_INFO;
}
