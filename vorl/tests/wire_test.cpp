// Golden byte fixtures written from the records' offset tables: each decodes to
// the expected host record, encodes back to the same bytes, and the in-place
// converter swaps exactly the fields the offset tables mark as converted.
#include <arpa/inet.h>
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "vorl/codec.h"
#include "vorl/wire.h"

namespace {

using Bytes = std::vector<uint8_t>;

uint32_t raw(uint8_t a, uint8_t b, uint8_t c, uint8_t d) {
  const uint8_t bytes[4] = {a, b, c, d};
  uint32_t v;
  std::memcpy(&v, bytes, 4);
  return v;
}

const Bytes kPktHdrWire = {0x02, 0x7A, 0x01, 0x02, 0xC0, 0xA8, 0x01, 0x05,
                           0x01, 0x02, 0x03, 0x04, 0x00, 0x03, 0x00, 0x5D};
VORLPktHdr pktHdrHost() {
  return VORLPktHdr{2, 0x7A, 0x0102, raw(0xC0, 0xA8, 0x01, 0x05), 0x01020304, 3, 93};
}

const Bytes kMsgWire = {0x12, 0x34, 0x00, 0x0A, 0x7F, 0x00, 0x00, 0x01, 0x05, 0x06,
                        0x00, 0x07, 0x0A, 0x0B, 0x0C, 0x0D, 0xDE, 0xAD, 0xBE, 0xEF};
VORLMsg msgHost() {
  return VORLMsg{0x1234, 10, raw(0x7F, 0, 0, 1), 0x0506, 0x0007, 0x0A0B0C0D, 0xDEADBEEF};
}

const Bytes kBCPktHdrWire = {0x11, 0x22, 0x33, 0x44, 0x00, 0x01, 0x86, 0xA0,
                             0x5F, 0x5E, 0x10, 0x00, 0x00, 0x02, 0x00, 0x24};
VORLBCPktHdr bcPktHdrHost() { return VORLBCPktHdr{0x11223344, 100000, 0x5F5E1000, 2, 0x24}; }

const Bytes kBCMsgWire = {0x01, 0x01, 0x00, 0x07};
VORLBCMsg bcMsgHost() { return VORLBCMsg{0x0101, 7}; }

Bytes connectInfoWire() {
  Bytes b(32, 0);
  std::memcpy(b.data(), "VEXA", 4);
  const Bytes tail = {0x00, 0x00, 0x9D, 0x09, 0x00, 0x00, 0x75, 0x30, 0x00, 0x00,
                      0x03, 0xE8, 0x00, 0x00, 0x00, 0x04, 0x00, 0x00, 0x00, 0x64};
  b.insert(b.end(), tail.begin(), tail.end());
  return b;
}
ConnectInfo connectInfoHost() {
  ConnectInfo c{};
  std::memcpy(c.hostType, "VEXA", 4);
  c.version = 40201;
  c.sendBufferSize = 30000;
  c.recvBufferSize = 1000;
  c.windowSize = 4;
  c.load = 100;
  return c;
}

const Bytes kBCConnectInfoWire = {0, 0, 0, 1, 0, 0, 0, 2, 0, 0, 0, 3, 0x0A, 0, 0, 1,
                                  1, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFE, 0, 0, 0, 7};
BCConnectInfo bcConnectInfoHost() {
  return BCConnectInfo{1, 2, 3, raw(0x0A, 0, 0, 1), 0x01000000, 0xFFFFFFFE, 7};
}

const Bytes kErrorRequestWire = {1, 2, 3, 4, 0, 0, 0, 5, 0xFF, 0xFF, 0xFF, 0xFE};
ErrorRequest errorRequestHost() { return ErrorRequest{0x01020304, 5, 0xFFFFFFFE}; }

bool same(const VORLPktHdr& a, const VORLPktHdr& b) {
  return a.kind == b.kind && a.reserved == b.reserved && a.pktClass == b.pktClass &&
         a.address == b.address && a.seq == b.seq && a.count == b.count && a.length == b.length;
}
bool same(const VORLMsg& a, const VORLMsg& b) {
  return a.type == b.type && a.length == b.length && a.address == b.address &&
         a.windowSlot == b.windowSlot && a.clientSlot == b.clientSlot && a.seq == b.seq &&
         a.handle == b.handle;
}
bool same(const VORLBCPktHdr& a, const VORLBCPktHdr& b) {
  return a.value == b.value && a.seq == b.seq && a.sendTime == b.sendTime && a.count == b.count &&
         a.length == b.length;
}
bool same(const VORLBCMsg& a, const VORLBCMsg& b) { return a.type == b.type && a.length == b.length; }
bool same(const ConnectInfo& a, const ConnectInfo& b) {
  return std::memcmp(a.hostType, b.hostType, 32) == 0 && a.version == b.version &&
         a.sendBufferSize == b.sendBufferSize && a.recvBufferSize == b.recvBufferSize &&
         a.windowSize == b.windowSize && a.load == b.load;
}
bool same(const BCConnectInfo& a, const BCConnectInfo& b) {
  return a.word0 == b.word0 && a.word1 == b.word1 && a.word2 == b.word2 && a.address == b.address &&
         a.word4 == b.word4 && a.word5 == b.word5 && a.word6 == b.word6;
}
bool same(const ErrorRequest& a, const ErrorRequest& b) {
  return a.word0 == b.word0 && a.word1 == b.word1 && a.word2 == b.word2;
}

template <typename T> void expectCodecRoundTrip(const Bytes& wire, const T& host) {
  ASSERT_EQ(wire.size(), vorl::wire::WireSize<T>::value);
  T decoded{};
  ASSERT_TRUE(vorl::wire::decode(std::span<const uint8_t>(wire), decoded));
  EXPECT_TRUE(same(decoded, host));
  Bytes out(wire.size(), 0xCC);
  ASSERT_TRUE(vorl::wire::encode(host, std::span<uint8_t>(out)));
  EXPECT_EQ(out, wire);
  // A buffer one byte short is refused, not overrun.
  EXPECT_FALSE(vorl::wire::decode(std::span<const uint8_t>(wire.data(), wire.size() - 1), decoded));
  EXPECT_FALSE(vorl::wire::encode(host, std::span<uint8_t>(out.data(), out.size() - 1)));
}

TEST(WireCodec, GoldenFixturesRoundTripThroughEveryCodec) {
  expectCodecRoundTrip(kPktHdrWire, pktHdrHost());
  expectCodecRoundTrip(kMsgWire, msgHost());
  expectCodecRoundTrip(kBCPktHdrWire, bcPktHdrHost());
  expectCodecRoundTrip(kBCMsgWire, bcMsgHost());
  expectCodecRoundTrip(connectInfoWire(), connectInfoHost());
  expectCodecRoundTrip(kBCConnectInfoWire, bcConnectInfoHost());
  expectCodecRoundTrip(kErrorRequestWire, errorRequestHost());
}

template <typename T, typename InFn, typename OutFn>
void expectExportedInOut(const Bytes& wire, const T& host, InFn in, OutFn out) {
  T decoded{};
  in(&decoded, wire.data());
  EXPECT_TRUE(same(decoded, host));
  Bytes buf(wire.size() + 2, 0xCC);
  out(&host, buf.data() + 1); // unaligned on purpose
  EXPECT_EQ(Bytes(buf.begin() + 1, buf.end() - 1), wire);
  EXPECT_EQ(buf.front(), 0xCC);
  EXPECT_EQ(buf.back(), 0xCC);
}

TEST(WireCodec, ExportedInAndOutMatchTheGoldenBytes) {
  expectExportedInOut(kPktHdrWire, pktHdrHost(), VORLPktHdrIn, VORLPktHdrOut);
  expectExportedInOut(kMsgWire, msgHost(), VORLMsgIn, VORLMsgOut);
  expectExportedInOut(kBCPktHdrWire, bcPktHdrHost(), VORLBCPktHdrIn, VORLBCPktHdrOut);
  expectExportedInOut(kBCMsgWire, bcMsgHost(), VORLBCMsgIn, VORLBCMsgOut);
}

// The in-place converters turn a host record into the network-order values of
// the converted fields and leave address words alone; applied twice they
// change nothing.
TEST(WireCodec, InPlaceConvertersSwapTheConvertedFieldsAndAreTheirOwnInverse) {
  VORLPktHdr h = pktHdrHost();
  VORLPktHdr_hton(&h);
  EXPECT_EQ(h.pktClass, htons(0x0102));
  EXPECT_EQ(h.seq, htonl(0x01020304));
  EXPECT_EQ(h.count, htons(3));
  EXPECT_EQ(h.length, htons(93));
  EXPECT_EQ(h.address, pktHdrHost().address);
  EXPECT_EQ(h.kind, 2);
  EXPECT_EQ(h.reserved, 0x7A);
  VORLPktHdr_hton(&h);
  EXPECT_TRUE(same(h, pktHdrHost()));

  VORLMsg m = msgHost();
  VORLMsg_hton(&m);
  EXPECT_EQ(m.type, htons(0x1234));
  EXPECT_EQ(m.length, htons(10));
  EXPECT_EQ(m.windowSlot, htons(0x0506));
  EXPECT_EQ(m.clientSlot, htons(7));
  EXPECT_EQ(m.seq, htonl(0x0A0B0C0D));
  EXPECT_EQ(m.handle, htonl(0xDEADBEEF));
  EXPECT_EQ(m.address, msgHost().address);
  VORLMsg_hton(&m);
  EXPECT_TRUE(same(m, msgHost()));

  VORLBCPktHdr b = bcPktHdrHost();
  VORLBCPktHdr_hton(&b);
  EXPECT_EQ(b.value, htonl(0x11223344));
  EXPECT_EQ(b.seq, htonl(100000));
  EXPECT_EQ(b.sendTime, htonl(0x5F5E1000));
  EXPECT_EQ(b.count, htons(2));
  EXPECT_EQ(b.length, htons(0x24));
  VORLBCPktHdr_hton(&b);
  EXPECT_TRUE(same(b, bcPktHdrHost()));

  VORLBCMsg bm = bcMsgHost();
  VORLBCMsg_hton(&bm);
  EXPECT_EQ(bm.type, htons(0x0101));
  EXPECT_EQ(bm.length, htons(7));
  VORLBCMsg_hton(&bm);
  EXPECT_TRUE(same(bm, bcMsgHost()));

  ConnectInfo c = connectInfoHost();
  ConnectInfo_hton(&c);
  EXPECT_EQ(c.version, htonl(40201));
  EXPECT_EQ(c.sendBufferSize, htonl(30000));
  EXPECT_EQ(c.recvBufferSize, htonl(1000));
  EXPECT_EQ(c.windowSize, htonl(4));
  EXPECT_EQ(c.load, htonl(100));
  EXPECT_STREQ(c.hostType, "VEXA");
  ConnectInfo_hton(&c);
  EXPECT_TRUE(same(c, connectInfoHost()));

  BCConnectInfo bc = bcConnectInfoHost();
  BCConnectInfo_hton(&bc);
  EXPECT_EQ(bc.word0, htonl(1));
  EXPECT_EQ(bc.word1, htonl(2));
  EXPECT_EQ(bc.word2, htonl(3));
  EXPECT_EQ(bc.word4, htonl(0x01000000));
  EXPECT_EQ(bc.word5, htonl(0xFFFFFFFE));
  EXPECT_EQ(bc.word6, htonl(7));
  EXPECT_EQ(bc.address, bcConnectInfoHost().address);
  BCConnectInfo_hton(&bc);
  EXPECT_TRUE(same(bc, bcConnectInfoHost()));

  ErrorRequest e = errorRequestHost();
  ErrorRequest_hton(&e);
  EXPECT_EQ(e.word0, htonl(0x01020304));
  EXPECT_EQ(e.word1, htonl(5));
  EXPECT_EQ(e.word2, htonl(0xFFFFFFFE));
  ErrorRequest_hton(&e);
  EXPECT_TRUE(same(e, errorRequestHost()));
}

TEST(WireCodec, EvenBoundaryPadsToFour) {
  const struct {
    int n, pad;
  } cases[] = {{0, 0}, {1, 3}, {2, 2}, {3, 1}, {4, 0}, {5, 3}, {-1, 3}, {-4, 0}, {-6, 2},
               {2147483647, 1}, {-2147483647 - 1, 0}};
  for (const auto& c : cases) EXPECT_EQ(EvenBoundary(c.n), c.pad) << c.n;
}

} // namespace
