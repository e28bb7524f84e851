// Exported converters of the wire records. The in-place converters swap the
// converted fields on a little-endian host and are their own inverse.
#include <bit>

#include "vorl/codec.h"
#include "vorl/wire.h"

namespace {

constexpr bool kSwap = std::endian::native == std::endian::little;

inline void flip(uint16_t& v) {
  if constexpr (kSwap) v = __builtin_bswap16(v);
}
inline void flip(uint32_t& v) {
  if constexpr (kSwap) v = __builtin_bswap32(v);
}

const uint8_t* bytesIn(const void* p) { return static_cast<const uint8_t*>(p); }
uint8_t* bytesOut(void* p) { return static_cast<uint8_t*>(p); }

} // namespace

VORL_API void VORLPktHdr_hton(VORLPktHdr* hdr) {
  flip(hdr->pktClass);
  flip(hdr->seq);
  flip(hdr->count);
  flip(hdr->length);
}
VORL_API void VORLPktHdrIn(VORLPktHdr* hdr, const void* wire) { vorl::wire::decode(bytesIn(wire), *hdr); }
VORL_API void VORLPktHdrOut(const VORLPktHdr* hdr, void* wire) { vorl::wire::encode(*hdr, bytesOut(wire)); }

VORL_API void VORLMsg_hton(VORLMsg* msg) {
  flip(msg->type);
  flip(msg->length);
  flip(msg->windowSlot);
  flip(msg->clientSlot);
  flip(msg->seq);
  flip(msg->handle);
}
VORL_API void VORLMsgIn(VORLMsg* msg, const void* wire) { vorl::wire::decode(bytesIn(wire), *msg); }
VORL_API void VORLMsgOut(const VORLMsg* msg, void* wire) { vorl::wire::encode(*msg, bytesOut(wire)); }

VORL_API void VORLBCPktHdr_hton(VORLBCPktHdr* hdr) {
  flip(hdr->value);
  flip(hdr->seq);
  flip(hdr->sendTime);
  flip(hdr->count);
  flip(hdr->length);
}
VORL_API void VORLBCPktHdrIn(VORLBCPktHdr* hdr, const void* wire) {
  vorl::wire::decode(bytesIn(wire), *hdr);
}
VORL_API void VORLBCPktHdrOut(const VORLBCPktHdr* hdr, void* wire) {
  vorl::wire::encode(*hdr, bytesOut(wire));
}

VORL_API void VORLBCMsg_hton(VORLBCMsg* msg) {
  flip(msg->type);
  flip(msg->length);
}
VORL_API void VORLBCMsgIn(VORLBCMsg* msg, const void* wire) { vorl::wire::decode(bytesIn(wire), *msg); }
VORL_API void VORLBCMsgOut(const VORLBCMsg* msg, void* wire) { vorl::wire::encode(*msg, bytesOut(wire)); }

VORL_API void ConnectInfo_hton(ConnectInfo* info) {
  flip(info->version);
  flip(info->sendBufferSize);
  flip(info->recvBufferSize);
  flip(info->windowSize);
  flip(info->load);
}

VORL_API void BCConnectInfo_hton(BCConnectInfo* info) {
  flip(info->word0);
  flip(info->word1);
  flip(info->word2);
  flip(info->word4);
  flip(info->word5);
  flip(info->word6);
}

VORL_API void ErrorRequest_hton(ErrorRequest* req) {
  flip(req->word0);
  flip(req->word1);
  flip(req->word2);
}

VORL_API int EvenBoundary(int n) {
  // Work on the unsigned magnitude so that INT_MIN does not overflow.
  const unsigned magnitude = n < 0 ? 0u - static_cast<unsigned>(n) : static_cast<unsigned>(n);
  return static_cast<int>((4u - (magnitude & 3u)) & 3u);
}
