#pragma once
// Bounds-checked views of packets received from outside. Every header and
// every message's data is checked against the bytes present before it is read.
#include <cstddef>
#include <cstdint>
#include <span>

#include "vorl/wire.h"

namespace vorl {

// A point-to-point packet whose header has been checked: kind 2, 16 <= length
// <= bytes present.
struct PacketView {
  VORLPktHdr hdr{};
  const uint8_t* base = nullptr; // the header's first byte
  std::size_t length = 0;        // hdr.length
};

// Cursor over the messages of one packet; reading in order costs one step each.
struct MsgCursor {
  int index = -1;
  std::size_t offset = 0; // of the current message header from the packet start
  VORLMsg hdr{};
  void reset() { *this = MsgCursor{}; }
};

// 0, or VORL_ERR_PROTOCOL (10) for a short buffer, a bad length or a bad kind.
int OpenPacket(std::span<const uint8_t> bytes, PacketView& view);
// Same checks without the kind (the header of a broadcast's inner packet is
// checked by the caller that knows the role).
int OpenPacketAnyKind(std::span<const uint8_t> bytes, PacketView& view);

// Moves the cursor to message `index`: 0, 11 for an index outside 0..count-1,
// 10 when a message header or its data runs past the packet length.
int PacketMessage(const PacketView& view, int index, MsgCursor& cursor);
inline const uint8_t* MessageData(const PacketView& view, const MsgCursor& c) {
  return view.base + c.offset + VORL_MSG_SIZE;
}
// Fills whichever of a message's outputs the caller asked for; `length` is
// what the caller receives (the copy's length when plug-ins changed it).
inline void MessageOutputs(const VORLMsg& hdr, int length, int* type, int* lengthOut, int* value) {
  if (type != nullptr) *type = hdr.type;
  if (lengthOut != nullptr) *lengthOut = length;
  if (value != nullptr) *value = static_cast<int>(hdr.handle);
}

struct BCPacketView {
  VORLBCPktHdr hdr{};
  const uint8_t* base = nullptr;
  std::size_t length = 0;
};

struct BCMsgCursor {
  int index = -1;
  std::size_t offset = 0;
  VORLBCMsg hdr{};
  void reset() { *this = BCMsgCursor{}; }
};

// 0 or 10 (short buffer, length below 16 or beyond the bytes present).
int OpenBCPacket(std::span<const uint8_t> bytes, BCPacketView& view);
// Messages follow 4-byte headers, each header at a multiple of 4.
int BCPacketMessage(const BCPacketView& view, int index, BCMsgCursor& cursor);
inline const uint8_t* BCMessageData(const BCPacketView& view, const BCMsgCursor& c) {
  return view.base + c.offset + VORL_BCMSG_SIZE;
}

} // namespace vorl
