// Walking received packets: every header and data run is checked against the
// bytes present.
#include <gtest/gtest.h>

#include "packet.h"
#include "test_packets.h"
#include "vorl/result.h"

namespace {

using vorl::test::buildBCPacket;
using vorl::test::buildPacket;

std::string dataOf(const vorl::PacketView& v, const vorl::MsgCursor& c) {
  const auto* p = vorl::MessageData(v, c);
  return std::string(reinterpret_cast<const char*>(p), c.hdr.length);
}

TEST(PacketWalk, ThreeMessagesAreUnpaddedAndReadableInAnyOrder) {
  const auto pkt = buildPacket({{1, "0123456789"}, {2, ""}, {3, "abcdefg"}});
  ASSERT_EQ(pkt.size(), 93u); // 16 + 3 * 20 + 17
  vorl::PacketView v;
  ASSERT_EQ(vorl::OpenPacket(pkt, v), VORL_OK);
  EXPECT_EQ(v.hdr.count, 3);
  vorl::MsgCursor c;
  const int order[] = {0, 1, 2, 2, 1, 0, 2};
  const char* texts[] = {"0123456789", "", "abcdefg"};
  for (int i : order) {
    ASSERT_EQ(vorl::PacketMessage(v, i, c), VORL_OK);
    EXPECT_EQ(c.hdr.type, i + 1);
    EXPECT_EQ(dataOf(v, c), texts[i]);
  }
  EXPECT_EQ(vorl::PacketMessage(v, 3, c), VORL_ERR_BAD_INDEX);
  EXPECT_EQ(vorl::PacketMessage(v, -1, c), VORL_ERR_BAD_INDEX);
}

TEST(PacketWalk, MalformedPacketsAreProtocolErrors) {
  const auto good = buildPacket({{1, "abc"}, {2, "defg"}});
  struct Case {
    const char* what;
    std::vector<uint8_t> bytes;
    int openRc;
    int lastMsgRc;
  };
  const std::vector<uint8_t> shortBuffer(good.begin(), good.end() - 1);
  auto badKind = good;
  badKind[0] = 3;
  auto tinyLength = good;
  tinyLength[14] = 0;
  tinyLength[15] = 15;
  auto countTooHigh = good; // claims 3 messages in a 2-message body
  countTooHigh[13] = 3;
  auto dataPastEnd = good; // second message says 200 bytes
  dataPastEnd[16 + 20 + 3 + 2] = 0;
  dataPastEnd[16 + 20 + 3 + 3] = 200;
  const Case cases[] = {
      {"header only", std::vector<uint8_t>(good.begin(), good.begin() + 15), VORL_ERR_PROTOCOL, 0},
      {"short buffer", shortBuffer, VORL_ERR_PROTOCOL, 0},
      {"bad kind", badKind, VORL_ERR_PROTOCOL, 0},
      {"length below 16", tinyLength, VORL_ERR_PROTOCOL, 0},
      {"count too high", countTooHigh, VORL_OK, VORL_ERR_PROTOCOL},
      {"data past end", dataPastEnd, VORL_OK, VORL_ERR_PROTOCOL},
  };
  for (const auto& c : cases) {
    vorl::PacketView v;
    ASSERT_EQ(vorl::OpenPacket(c.bytes, v), c.openRc) << c.what;
    if (c.openRc != VORL_OK) continue;
    vorl::MsgCursor cur;
    EXPECT_EQ(vorl::PacketMessage(v, v.hdr.count - 1, cur), c.lastMsgRc) << c.what;
  }
}

TEST(PacketWalk, BroadcastMessagesStepOverTheirPadding) {
  const auto pkt = buildBCPacket({{10, "x"}, {11, "yyyyy"}, {12, "zz"}});
  // 16 + (4+1) pad 3 + (4+5) pad 3 + (4+2)
  ASSERT_EQ(pkt.size(), 16u + 8 + 12 + 6);
  vorl::BCPacketView v;
  ASSERT_EQ(vorl::OpenBCPacket(pkt, v), VORL_OK);
  vorl::BCMsgCursor c;
  const char* texts[] = {"x", "yyyyy", "zz"};
  for (int i : {2, 0, 1, 2}) {
    ASSERT_EQ(vorl::BCPacketMessage(v, i, c), VORL_OK);
    EXPECT_EQ(c.offset % 4, 0u);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(vorl::BCMessageData(v, c)), c.hdr.length),
              texts[i]);
  }
  EXPECT_EQ(vorl::BCPacketMessage(v, 3, c), VORL_ERR_BAD_INDEX);
  auto truncated = pkt;
  truncated[15] = static_cast<uint8_t>(pkt.size() - 1);
  ASSERT_EQ(vorl::OpenBCPacket(truncated, v), VORL_OK);
  c.reset();
  EXPECT_EQ(vorl::BCPacketMessage(v, 2, c), VORL_ERR_PROTOCOL);
}

} // namespace
