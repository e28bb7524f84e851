// Running plug-ins: notifications, modifications, plug-in packets and the
// host callbacks.
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "plugin_fixture.h"
#include "plugin_set.h"
#include "test_packets.h"
#include "vorl/codec.h"
#include "vorl/result.h"

namespace {

using vorl::test::buildBCPacket;
using vorl::test::buildPacket;
using vorl::test::entry;
using vorl::test::makeSet;
using vorl::test::Recorder;
using vorl::test::ScratchDir;

struct SocketPair {
  int a = -1, b = -1;
  SocketPair() {
    int fds[2];
    if (socketpair(AF_UNIX, SOCK_STREAM, 0, fds) == 0) {
      a = fds[0];
      b = fds[1];
    }
  }
  ~SocketPair() {
    if (a >= 0) close(a);
    if (b >= 0) close(b);
  }
  std::vector<uint8_t> readAll(std::size_t n) const {
    std::vector<uint8_t> out(n);
    std::size_t got = 0;
    for (int tries = 0; got < n && tries < 100; ++tries) {
      const ssize_t r = recv(b, out.data() + got, n - got, MSG_DONTWAIT);
      if (r > 0) got += static_cast<std::size_t>(r);
    }
    out.resize(got);
    return out;
  }
};

std::vector<uint8_t> xored(std::vector<uint8_t> v, std::size_t from) {
  for (std::size_t i = from; i < v.size(); ++i) v[i] ^= 0x5A;
  return v;
}

TEST(PluginRun, WithoutPluginsModificationsCopyAndNotificationsSucceed) {
  ScratchDir dir;
  PluginSet* set = makeSet(dir, "");
  ASSERT_NE(set, nullptr);
  const std::string text = "plain";
  char out[16] = {};
  int length = -1;
  PluginMsgRecord msg{};
  EXPECT_EQ(PluginsAddMsg(set, &msg, text.data(), 5, out, sizeof out, &length), 0);
  EXPECT_EQ(std::string(out, static_cast<std::size_t>(length)), "plain");
  EXPECT_EQ(PluginsGetMsg(set, &msg, text.data(), 5, out, 3, &length), VORL_PLUGIN_NOROOM);
  EXPECT_EQ(length, 3);
  EXPECT_EQ(PluginsGetMsg(set, &msg, text.data(), 0, out, 3, &length), 0);
  EXPECT_EQ(length, 0);
  PluginPktRecord pkt{};
  PluginTimeoutRecord timeout{};
  PluginConnectRecord connect{};
  EXPECT_EQ(PluginsOnSendToNet(set, &pkt), 0);
  EXPECT_EQ(PluginsOnRecvTimeout(set, &timeout), 0);
  EXPECT_EQ(PluginsOnConnectToServer(set, &connect), 0);
  int bytes = -1;
  EXPECT_EQ(PluginsGetPktOverhead(set, &pkt, &bytes), 0);
  EXPECT_EQ(bytes, 0);
  EXPECT_EQ(PluginsHaveGetMsg(set) + PluginsHaveSendToNet(set) + PluginsHaveRecvFromNet(set), 0);
  PluginsCleanup(set);
}

TEST(PluginRun, XorTransformsAMessageAndItsInverseRestoresIt) {
  ScratchDir dir;
  PluginSet* set = makeSet(dir, entry("X", "xor.vpx", "XorOverheadInit"));
  ASSERT_NE(set, nullptr);
  EXPECT_EQ(PluginsHaveGetMsg(set), 1);
  EXPECT_EQ(PluginsHaveSendToNet(set), 1);
  EXPECT_EQ(PluginsHaveRecvFromNet(set), 1);
  const std::string text = "order 42";
  char wire[32], back[32];
  int n = 0, m = 0;
  PluginMsgRecord msg{};
  ASSERT_EQ(PluginsAddMsg(set, &msg, text.data(), static_cast<int>(text.size()), wire, sizeof wire, &n), 0);
  ASSERT_EQ(n, static_cast<int>(text.size()));
  EXPECT_NE(std::string(wire, 8), text);
  EXPECT_EQ(static_cast<unsigned char>(wire[0]), 'o' ^ 0x5A);
  ASSERT_EQ(PluginsGetMsg(set, &msg, wire, n, back, sizeof back, &m), 0);
  EXPECT_EQ(std::string(back, static_cast<std::size_t>(m)), text);
  EXPECT_EQ(PluginsAddMsg(set, &msg, text.data(), 8, wire, 4, &n), VORL_PLUGIN_NOROOM);

  PluginPktRecord pkt{};
  int bytes = 0;
  EXPECT_EQ(PluginsGetPktOverhead(set, &pkt, &bytes), 0);
  EXPECT_EQ(bytes, 8);
  EXPECT_EQ(PluginsGetMsgOverhead(set, &msg, &bytes), 0);
  EXPECT_EQ(bytes, 3);
  PluginsCleanup(set);
}

TEST(PluginRun, SendPacketTransformsThePayloadAndNotifiesInLoadOrder) {
  Recorder rec;
  ScratchDir dir;
  PluginSet* set = makeSet(dir, entry("A", "recorder.vpx", "RecorderInit") + entry("X", "xor.vpx", "XorInit") +
                                    entry("B", "recorder.vpx", "RecorderInit"));
  ASSERT_NE(set, nullptr);
  rec.reset();
  SocketPair link;
  const auto pkt = buildPacket({{5, "hello"}, {6, "world!"}}, 9);
  ASSERT_EQ(PluginsSendPacket(set, link.a, 0, 0, pkt.data(), 30000, 1), VORL_OK);
  const auto sent = link.readAll(pkt.size() + 1);
  EXPECT_EQ(sent, xored(pkt, 16)); // header in clear, payload transformed
  EXPECT_EQ(rec.log(), "A:OnSendToNet 67 1\nB:OnSendToNet 67 1\n");

  // The receiving side restores the payload with the inverse.
  std::vector<uint8_t> restored(sent.size());
  int n = 0;
  PluginPktRecord r{};
  ASSERT_EQ(PluginsRecvFromNet(set, &r, sent.data() + 16, static_cast<int>(sent.size() - 16), restored.data(),
                               static_cast<int>(restored.size()), &n),
            0);
  EXPECT_EQ(std::vector<uint8_t>(restored.begin(), restored.begin() + n), std::vector<uint8_t>(pkt.begin() + 16, pkt.end()));

  // A length beyond the caller's buffer is refused before anything is sent.
  EXPECT_EQ(PluginsSendPacket(set, link.a, 0, 0, pkt.data(), 50, 0), VORL_ERR_PROTOCOL);
  rec.setResult("B:OnSendToNet", 1);
  EXPECT_EQ(PluginsSendPacket(set, link.a, 0, 0, pkt.data(), 30000, 0), VORL_ERR_PLUGIN);
  PluginsCleanup(set);
}

TEST(PluginRun, NotificationResultsCombineAndTwoStopsTheRound) {
  Recorder rec;
  ScratchDir dir;
  PluginSet* set = makeSet(dir, entry("A", "recorder.vpx", "RecorderInit") + entry("B", "recorder.vpx", "RecorderInit") +
                                    entry("C", "recorder.vpx", "RecorderInit"));
  ASSERT_NE(set, nullptr);
  const struct {
    int resultOfB;
    int combined;
    const char* calls;
  } cases[] = {
      {0, 0, "A:OnGetMsg 1\nB:OnGetMsg 1\nC:OnGetMsg 1\n"},
      {1, 1, "A:OnGetMsg 1\nB:OnGetMsg 1\nC:OnGetMsg 1\n"},
      {2, 2, "A:OnGetMsg 1\nB:OnGetMsg 1\n"},
      {-1010, 2, "A:OnGetMsg 1\nB:OnGetMsg 1\n"}, // an unknown result is a failure too
  };
  for (const auto& c : cases) {
    rec.reset();
    rec.setResult("B:OnGetMsg", c.resultOfB);
    PluginMsgRecord msg{};
    msg.type = 1;
    EXPECT_EQ(PluginsOnGetMsg(set, &msg), c.combined) << c.resultOfB;
    EXPECT_EQ(rec.log(), c.calls) << c.resultOfB;
  }
  rec.reset();
  PluginsCleanup(set);
}

TEST(PluginRun, PluginMessagesBuildOnePacketAndAreSentWhole) {
  ScratchDir dir;
  PluginSet* set = makeSet(dir, "");
  ASSERT_NE(set, nullptr);
  PluginContext* ctx = PluginsDefaultContext(set);
  const PluginHostCallbacks host = vorl::HostCallbacks(false);
  SocketPair link;
  EXPECT_EQ(PluginsHasPluginPktStarted(set), 0);
  EXPECT_EQ(PluginsSendPluginPkt(set, link.a), VORL_ERR_PKT_NOT_STARTED);

  const std::vector<char> huge(29981, 'h');
  EXPECT_EQ(host.sendPluginMsgFn(ctx, 1, huge.data(), static_cast<int>(huge.size())), 1);
  EXPECT_EQ(host.sendPluginMsgFn(ctx, 1, "x", -1), 0);
  EXPECT_EQ(host.sendPluginMsgFn(ctx, 512, "USE", 3), 0);
  EXPECT_EQ(host.sendPluginMsgFn(ctx, 513, "key", 3), 0);
  EXPECT_EQ(PluginsHasPluginPktStarted(set), 1);
  // Content may grow to 29,980 bytes: 46 used, so 29,914 more data bytes fit, 29,915 do not.
  EXPECT_EQ(host.sendPluginMsgFn(ctx, 2, huge.data(), 29915), 1);

  ASSERT_EQ(PluginsSendPluginPkt(set, link.a), VORL_OK);
  EXPECT_EQ(PluginsHasPluginPktStarted(set), 0);
  const auto got = link.readAll(63);
  ASSERT_EQ(got.size(), 62u);
  VORLPktHdr hdr;
  vorl::wire::decode(got.data(), hdr);
  EXPECT_EQ(hdr.kind, 2);
  EXPECT_EQ(hdr.pktClass, 1);
  EXPECT_EQ(hdr.seq, VORL_PLUGIN_SEQ);
  EXPECT_EQ(hdr.count, 2);
  EXPECT_EQ(hdr.length, 16 + 23 + 23);
  VORLMsg m;
  vorl::wire::decode(got.data() + 39, m);
  EXPECT_EQ(m.type, 513);
  EXPECT_EQ(m.length, 3);
  EXPECT_EQ(m.clientSlot, 0xFFFF);
  EXPECT_EQ(m.seq, VORL_PLUGIN_SEQ);
  EXPECT_EQ(m.handle, 0u);
  EXPECT_EQ(std::string(got.begin() + 59, got.end()), "key");

  // An empty plug-in packet is sent as a bare header.
  ASSERT_EQ(PluginsStartPluginPkt(set), VORL_OK);
  ASSERT_EQ(PluginsSendPluginPkt(set, link.a), VORL_OK);
  EXPECT_EQ(link.readAll(17).size(), 16u);
  PluginsCleanup(set);
}

TEST(PluginRun, ReceivedPluginPacketsReachThePluginsWithTheirMessages) {
  Recorder rec;
  for (int role : {VORL_ROLE_CLIENT, VORL_ROLE_BCCLIENT}) {
    ScratchDir dir;
    PluginSet* set = makeSet(dir, entry("A", "recorder.vpx", "RecorderInit"), role);
    ASSERT_NE(set, nullptr);
    rec.reset();
    SocketPair link;
    const auto pkt = buildPacket({{512, "USE"}, {259, "stats"}}, VORL_PLUGIN_SEQ);
    ASSERT_EQ(write(link.b, pkt.data(), pkt.size()), static_cast<ssize_t>(pkt.size()));
    int more = -1;
    ASSERT_EQ(PluginsRecvPluginPkt(set, link.a, 1, 1, 2, 0, VORL_PLUGIN_ROUND_FIRST, &more), VORL_OK);
    EXPECT_EQ(more, 0);
    rec.setResult("A:OnRecvPluginPkt", 1);
    ASSERT_EQ(write(link.b, pkt.data(), pkt.size()), static_cast<ssize_t>(pkt.size()));
    ASSERT_EQ(PluginsRecvPluginPkt(set, link.a, 1, 1, 2, 0, VORL_PLUGIN_ROUND_LATER, &more), VORL_OK);
    EXPECT_EQ(more, 1);
    EXPECT_EQ(rec.log(), "A:OnRecvPluginPkt round 1 512=USE 259=stats\nA:OnRecvPluginPkt round 2 512=USE 259=stats\n")
        << role;
    rec.setResult("A:OnRecvPluginPkt", 2);
    ASSERT_EQ(write(link.b, pkt.data(), pkt.size()), static_cast<ssize_t>(pkt.size()));
    EXPECT_EQ(PluginsRecvPluginPkt(set, link.a, 1, 1, 2, 0, VORL_PLUGIN_ROUND_LATER, &more), VORL_ERR_PLUGIN);
    rec.reset();
    PluginsCleanup(set);
  }
}

TEST(PluginRun, AServerTellsItsPluginsTheConnectionOfAPluginPacket) {
  Recorder rec;
  ScratchDir dir;
  PluginSet* set = makeSet(dir, entry("S", "recorder.vpx", "RecorderInit"), VORL_ROLE_SERVER, 4, 0);
  ASSERT_NE(set, nullptr);
  const auto pkt = buildPacket({{513, "key"}}, VORL_PLUGIN_SEQ);
  const int address = 0x0100007F; // 127.0.0.1 in network order on this machine
  const struct {
    int connection;
    int rc;
    const char* logged;
  } cases[] = {
      {3, VORL_OK, "S:OnRecvPluginPkt round 1 connection 3 word 16777343 513=key\n"},
      {0, VORL_OK, "S:OnRecvPluginPkt round 1 connection 0 word 16777343 513=key\n"},
      {4, VORL_ERR_PLUGIN, ""}, // beyond the most connections
      {-1, VORL_ERR_PLUGIN, ""},
  };
  for (const auto& c : cases) {
    rec.reset();
    SocketPair link;
    ASSERT_EQ(write(link.b, pkt.data(), pkt.size()), static_cast<ssize_t>(pkt.size()));
    int more = -1;
    EXPECT_EQ(PluginsRecvPluginPktOnConnection(set, link.a, 1, 1, 2, address, c.connection,
                                               VORL_PLUGIN_ROUND_FIRST, &more),
              c.rc)
        << c.connection;
    EXPECT_EQ(rec.log(), c.logged) << c.connection;
  }
  // Without a connection argument the plug-ins see connection 0.
  rec.reset();
  SocketPair link;
  ASSERT_EQ(write(link.b, pkt.data(), pkt.size()), static_cast<ssize_t>(pkt.size()));
  int more = -1;
  ASSERT_EQ(PluginsRecvPluginPkt(set, link.a, 1, 1, 2, address, VORL_PLUGIN_ROUND_LATER, &more), VORL_OK);
  EXPECT_EQ(rec.log(), "S:OnRecvPluginPkt round 2 connection 0 word 16777343 513=key\n");
  rec.reset();
  PluginsCleanup(set);
}

TEST(PluginRun, BadOrMissingPluginPacketsAreErrorsNotReads) {
  ScratchDir dir;
  PluginSet* set = makeSet(dir, "");
  ASSERT_NE(set, nullptr);
  int more = -1;
  {
    SocketPair link; // nothing arrives: the zero time-out ends the wait at once
    EXPECT_EQ(PluginsRecvPluginPkt(set, link.a, 0, 0, 0, 0, 1, &more), VORL_ERR_CONNECT_TIMEOUT);
  }
  {
    SocketPair link;
    auto pkt = buildPacket({{1, "a"}}, VORL_PLUGIN_SEQ);
    pkt[14] = 0;
    pkt[15] = 15; // length below a header
    ASSERT_EQ(write(link.b, pkt.data(), 16), 16);
    EXPECT_EQ(PluginsRecvPluginPkt(set, link.a, 1, 1, 2, 0, 1, &more), VORL_ERR_PROTOCOL);
  }
  {
    SocketPair link;
    const auto pkt = buildPacket({{1, "abc"}}, VORL_PLUGIN_SEQ);
    ASSERT_EQ(write(link.b, pkt.data(), pkt.size() - 2), static_cast<ssize_t>(pkt.size() - 2));
    close(link.b);
    link.b = -1; // the peer leaves mid-packet
    EXPECT_EQ(PluginsRecvPluginPkt(set, link.a, 1, 1, 2, 0, 1, &more), VORL_ERR_READ);
  }
  PluginsCleanup(set);
}

TEST(PluginRun, GetMsgFromPktChecksKindIndexAndBounds) {
  const PluginHostCallbacks p2p = vorl::HostCallbacks(false);
  const PluginHostCallbacks bc = vorl::HostCallbacks(true);
  const auto pkt = buildPacket({{10, "abc", 0x1234}, {11, "", 0}});
  PluginMsgRecord m{};
  ASSERT_EQ(p2p.getMsgFromPkt(nullptr, pkt.data(), 0, &m), 0);
  EXPECT_EQ(m.type, 10);
  EXPECT_EQ(m.length, 3);
  EXPECT_EQ(m.handle, 0x1234u);
  EXPECT_EQ(m.fromPacket, -1);
  EXPECT_EQ(std::string(static_cast<const char*>(m.data), 3), "abc");
  EXPECT_EQ(p2p.getMsgFromPkt(nullptr, pkt.data(), 2, &m), 3);
  EXPECT_EQ(p2p.getMsgFromPkt(nullptr, pkt.data(), -1, &m), 3);
  auto badKind = pkt;
  badKind[0] = 1;
  EXPECT_EQ(p2p.getMsgFromPkt(nullptr, badKind.data(), 0, &m), 2);
  auto overlong = pkt; // first message claims more data than the packet holds
  overlong[16 + 3] = 200;
  EXPECT_EQ(p2p.getMsgFromPkt(nullptr, overlong.data(), 0, &m), 2);

  const auto bcPkt = buildBCPacket({{20, "x"}, {21, "yyyy"}, {22, "zz"}});
  ASSERT_EQ(bc.getMsgFromPkt(nullptr, bcPkt.data(), 2, &m), 0);
  EXPECT_EQ(m.type, 22);
  EXPECT_EQ(std::string(static_cast<const char*>(m.data), 2), "zz");
  EXPECT_EQ(bc.getMsgFromPkt(nullptr, bcPkt.data(), 3, &m), 3);
  // A broadcast packet marked 0xFFFFFFFF at +4 carries a point-to-point packet.
  std::vector<uint8_t> nested(16, 0);
  vorl::wire::putU32(nested.data() + 4, VORL_PLUGIN_SEQ);
  nested.insert(nested.end(), pkt.begin(), pkt.end());
  ASSERT_EQ(bc.getMsgFromPkt(nullptr, nested.data(), 0, &m), 0);
  EXPECT_EQ(std::string(static_cast<const char*>(m.data), 3), "abc");
}

} // namespace
