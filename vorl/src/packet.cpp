#include "packet.h"

#include "vorl/codec.h"
#include "vorl/result.h"

namespace vorl {

int OpenPacketAnyKind(std::span<const uint8_t> bytes, PacketView& view) {
  if (!wire::decode(bytes, view.hdr)) return VORL_ERR_PROTOCOL;
  if (view.hdr.length < VORL_PKTHDR_SIZE || view.hdr.length > bytes.size()) return VORL_ERR_PROTOCOL;
  view.base = bytes.data();
  view.length = view.hdr.length;
  return VORL_OK;
}

int OpenPacket(std::span<const uint8_t> bytes, PacketView& view) {
  const int rc = OpenPacketAnyKind(bytes, view);
  if (rc != VORL_OK) return rc;
  return view.hdr.kind == VORL_PKT_KIND ? VORL_OK : VORL_ERR_PROTOCOL;
}

int PacketMessage(const PacketView& view, int index, MsgCursor& cursor) {
  if (index < 0 || index >= view.hdr.count) return VORL_ERR_BAD_INDEX;
  if (cursor.index < 0 || index < cursor.index) {
    cursor.index = -1;
    cursor.offset = VORL_PKTHDR_SIZE;
  }
  while (cursor.index < index) {
    std::size_t next = cursor.offset;
    if (cursor.index >= 0) next += VORL_MSG_SIZE + cursor.hdr.length;
    if (next + VORL_MSG_SIZE > view.length) return VORL_ERR_PROTOCOL;
    VORLMsg hdr;
    wire::decode(view.base + next, hdr);
    if (next + VORL_MSG_SIZE + hdr.length > view.length) return VORL_ERR_PROTOCOL;
    cursor.offset = next;
    cursor.hdr = hdr;
    ++cursor.index;
  }
  return VORL_OK;
}

int OpenBCPacket(std::span<const uint8_t> bytes, BCPacketView& view) {
  if (!wire::decode(bytes, view.hdr)) return VORL_ERR_PROTOCOL;
  if (view.hdr.length < VORL_BCPKTHDR_SIZE || view.hdr.length > bytes.size()) return VORL_ERR_PROTOCOL;
  view.base = bytes.data();
  view.length = view.hdr.length;
  return VORL_OK;
}

int BCPacketMessage(const BCPacketView& view, int index, BCMsgCursor& cursor) {
  if (index < 0 || index >= view.hdr.count) return VORL_ERR_BAD_INDEX;
  if (cursor.index < 0 || index < cursor.index) {
    cursor.index = -1;
    cursor.offset = VORL_BCPKTHDR_SIZE;
  }
  while (cursor.index < index) {
    std::size_t next = cursor.offset;
    if (cursor.index >= 0) {
      next += VORL_BCMSG_SIZE + cursor.hdr.length + static_cast<std::size_t>(EvenBoundary(cursor.hdr.length));
    }
    if (next + VORL_BCMSG_SIZE > view.length) return VORL_ERR_PROTOCOL;
    VORLBCMsg hdr;
    wire::decode(view.base + next, hdr);
    if (next + VORL_BCMSG_SIZE + hdr.length > view.length) return VORL_ERR_PROTOCOL;
    cursor.offset = next;
    cursor.hdr = hdr;
    ++cursor.index;
  }
  return VORL_OK;
}

} // namespace vorl
