#pragma once
// Explicit big-endian byte codecs of the wire records (C++ only, header-only so
// that peers such as the host stand-ins encode exactly what the library does).
// Each codec walks fixed offsets; the static_asserts tie the last field's end
// to the record's wire size (VORL_PKTHDR_SIZE and the like).
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>

#include "vorl/wire.h"

namespace vorl::wire {

inline void putU16(uint8_t* p, uint16_t v) {
  p[0] = static_cast<uint8_t>(v >> 8);
  p[1] = static_cast<uint8_t>(v);
}
inline void putU32(uint8_t* p, uint32_t v) {
  p[0] = static_cast<uint8_t>(v >> 24);
  p[1] = static_cast<uint8_t>(v >> 16);
  p[2] = static_cast<uint8_t>(v >> 8);
  p[3] = static_cast<uint8_t>(v);
}
inline uint16_t getU16(const uint8_t* p) {
  return static_cast<uint16_t>((p[0] << 8) | p[1]);
}
inline uint32_t getU32(const uint8_t* p) {
  return (uint32_t{p[0]} << 24) | (uint32_t{p[1]} << 16) | (uint32_t{p[2]} << 8) | uint32_t{p[3]};
}
// Address words travel unconverted: the in-memory value is the network-order
// value, so its bytes are copied as they are.
inline void putRaw32(uint8_t* p, uint32_t v) { std::memcpy(p, &v, 4); }
inline uint32_t getRaw32(const uint8_t* p) {
  uint32_t v;
  std::memcpy(&v, p, 4);
  return v;
}

// ---- VORLPktHdr, 16 bytes
inline constexpr std::size_t kPktHdrSize = 14 + 2;
static_assert(kPktHdrSize == VORL_PKTHDR_SIZE);
inline void encode(const VORLPktHdr& h, uint8_t* p) {
  p[0] = h.kind;
  p[1] = h.reserved;
  putU16(p + 2, h.pktClass);
  putRaw32(p + 4, h.address);
  putU32(p + 8, h.seq);
  putU16(p + 12, h.count);
  putU16(p + 14, h.length);
}
inline void decode(const uint8_t* p, VORLPktHdr& h) {
  h.kind = p[0];
  h.reserved = p[1];
  h.pktClass = getU16(p + 2);
  h.address = getRaw32(p + 4);
  h.seq = getU32(p + 8);
  h.count = getU16(p + 12);
  h.length = getU16(p + 14);
}

// ---- VORLMsg, 20 bytes
inline constexpr std::size_t kMsgSize = 16 + 4;
static_assert(kMsgSize == VORL_MSG_SIZE);
inline void encode(const VORLMsg& m, uint8_t* p) {
  putU16(p + 0, m.type);
  putU16(p + 2, m.length);
  putRaw32(p + 4, m.address);
  putU16(p + 8, m.windowSlot);
  putU16(p + 10, m.clientSlot);
  putU32(p + 12, m.seq);
  putU32(p + 16, m.handle);
}
inline void decode(const uint8_t* p, VORLMsg& m) {
  m.type = getU16(p + 0);
  m.length = getU16(p + 2);
  m.address = getRaw32(p + 4);
  m.windowSlot = getU16(p + 8);
  m.clientSlot = getU16(p + 10);
  m.seq = getU32(p + 12);
  m.handle = getU32(p + 16);
}

// ---- VORLBCPktHdr, 16 bytes
inline constexpr std::size_t kBCPktHdrSize = 14 + 2;
static_assert(kBCPktHdrSize == VORL_BCPKTHDR_SIZE);
inline void encode(const VORLBCPktHdr& h, uint8_t* p) {
  putU32(p + 0, h.value);
  putU32(p + 4, h.seq);
  putU32(p + 8, h.sendTime);
  putU16(p + 12, h.count);
  putU16(p + 14, h.length);
}
inline void decode(const uint8_t* p, VORLBCPktHdr& h) {
  h.value = getU32(p + 0);
  h.seq = getU32(p + 4);
  h.sendTime = getU32(p + 8);
  h.count = getU16(p + 12);
  h.length = getU16(p + 14);
}

// ---- VORLBCMsg, 4 bytes
inline constexpr std::size_t kBCMsgSize = 2 + 2;
static_assert(kBCMsgSize == VORL_BCMSG_SIZE);
inline void encode(const VORLBCMsg& m, uint8_t* p) {
  putU16(p + 0, m.type);
  putU16(p + 2, m.length);
}
inline void decode(const uint8_t* p, VORLBCMsg& m) {
  m.type = getU16(p + 0);
  m.length = getU16(p + 2);
}

// ---- ConnectInfo, 52 bytes
inline constexpr std::size_t kConnectInfoSize = 48 + 4;
static_assert(kConnectInfoSize == VORL_CONNECTINFO_SIZE);
static_assert(sizeof(ConnectInfo::hostType) == 32);
inline void encode(const ConnectInfo& c, uint8_t* p) {
  std::memcpy(p, c.hostType, 32);
  putU32(p + 32, c.version);
  putU32(p + 36, c.sendBufferSize);
  putU32(p + 40, c.recvBufferSize);
  putU32(p + 44, c.windowSize);
  putU32(p + 48, c.load);
}
inline void decode(const uint8_t* p, ConnectInfo& c) {
  std::memcpy(c.hostType, p, 32);
  c.version = getU32(p + 32);
  c.sendBufferSize = getU32(p + 36);
  c.recvBufferSize = getU32(p + 40);
  c.windowSize = getU32(p + 44);
  c.load = getU32(p + 48);
}

// ---- BCConnectInfo, 28 bytes
inline constexpr std::size_t kBCConnectInfoSize = 24 + 4;
static_assert(kBCConnectInfoSize == VORL_BCCONNECTINFO_SIZE);
inline void encode(const BCConnectInfo& c, uint8_t* p) {
  putU32(p + 0, c.word0);
  putU32(p + 4, c.word1);
  putU32(p + 8, c.word2);
  putRaw32(p + 12, c.address);
  putU32(p + 16, c.word4);
  putU32(p + 20, c.word5);
  putU32(p + 24, c.word6);
}
inline void decode(const uint8_t* p, BCConnectInfo& c) {
  c.word0 = getU32(p + 0);
  c.word1 = getU32(p + 4);
  c.word2 = getU32(p + 8);
  c.address = getRaw32(p + 12);
  c.word4 = getU32(p + 16);
  c.word5 = getU32(p + 20);
  c.word6 = getU32(p + 24);
}

// ---- ErrorRequest, 12 bytes
inline constexpr std::size_t kErrorRequestSize = 8 + 4;
static_assert(kErrorRequestSize == VORL_ERRORREQUEST_SIZE);
inline void encode(const ErrorRequest& r, uint8_t* p) {
  putU32(p + 0, r.word0);
  putU32(p + 4, r.word1);
  putU32(p + 8, r.word2);
}
inline void decode(const uint8_t* p, ErrorRequest& r) {
  r.word0 = getU32(p + 0);
  r.word1 = getU32(p + 4);
  r.word2 = getU32(p + 8);
}

template <typename T> struct WireSize;
template <> struct WireSize<VORLPktHdr> { static constexpr std::size_t value = kPktHdrSize; };
template <> struct WireSize<VORLMsg> { static constexpr std::size_t value = kMsgSize; };
template <> struct WireSize<VORLBCPktHdr> { static constexpr std::size_t value = kBCPktHdrSize; };
template <> struct WireSize<VORLBCMsg> { static constexpr std::size_t value = kBCMsgSize; };
template <> struct WireSize<ConnectInfo> { static constexpr std::size_t value = kConnectInfoSize; };
template <> struct WireSize<BCConnectInfo> { static constexpr std::size_t value = kBCConnectInfoSize; };
template <> struct WireSize<ErrorRequest> { static constexpr std::size_t value = kErrorRequestSize; };

// Checked forms for bytes from outside: false (and nothing read) when too short.
template <typename T> bool decode(std::span<const uint8_t> bytes, T& out) {
  if (bytes.size() < WireSize<T>::value) return false;
  decode(bytes.data(), out);
  return true;
}
template <typename T> bool encode(const T& in, std::span<uint8_t> bytes) {
  if (bytes.size() < WireSize<T>::value) return false;
  encode(in, bytes.data());
  return true;
}

} // namespace vorl::wire
