// The plug-in handshake of a client's new connection against a scripted peer
// on a socket pair.
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "plugin_fixture.h"
#include "plinth/time.h"
#include "plugin_set.h"
#include "sockread.h"
#include "test_packets.h"
#include "vorl/codec.h"
#include "vorl/result.h"

namespace {

using vorl::test::buildPacket;
using vorl::test::entry;
using vorl::test::makeSet;
using vorl::test::Recorder;
using vorl::test::ScratchDir;

// Answers `replies` plug-in packets with message 512 "USE", then closes its end;
// keeps the message counts of what it read.
struct Peer {
  int fd;
  int replies;
  std::vector<int> counts;
  void run() {
    std::vector<uint8_t> buf(VORL_PLUGIN_RECV_MAX);
    const auto answer = buildPacket({{512, "USE"}}, VORL_PLUGIN_SEQ);
    for (int i = 0; i < replies; ++i) {
      std::size_t length = 0;
      const vorl::ReadLimits limits{2, 2, 4, TimeTickCount()};
      if (vorl::ReadPacket(fd, buf.data(), buf.size(), limits, length) != VORL_OK) break;
      counts.push_back(vorl::wire::getU16(buf.data() + 12));
      if (!vorl::SendAll(fd, answer.data(), answer.size())) break;
    }
    shutdown(fd, SHUT_RDWR);
  }
};

struct Outcome {
  int rc = -1;
  std::vector<int> peerCounts;
};

Outcome handshake(PluginSet* set, int replies) {
  int fds[2];
  if (socketpair(AF_UNIX, SOCK_STREAM, 0, fds) != 0) return {};
  Peer peer{fds[1], replies, {}};
  std::thread server([&peer] { peer.run(); });
  Outcome r;
  r.rc = vorl::PluginsHandshake(set, fds[0], 0x0100007F, 45678, vorl::HandshakeTimeouts{2, 2, 4});
  shutdown(fds[0], SHUT_RDWR); // the peer stops waiting at once
  server.join();
  r.peerCounts = peer.counts;
  close(fds[0]);
  close(fds[1]);
  return r;
}

TEST(PluginHandshake, OneRoundWhenNoPluginAsksForMore) {
  Recorder rec;
  ScratchDir dir;
  PluginSet* set = makeSet(dir, entry("A", "recorder.vpx", "RecorderInit"));
  ASSERT_NE(set, nullptr);
  rec.reset();
  const Outcome r = handshake(set, 5);
  EXPECT_EQ(r.rc, VORL_OK);
  EXPECT_EQ(r.peerCounts, std::vector<int>{1}); // the hello message of OnConnectToServer
  EXPECT_EQ(rec.log(), "A:OnConnectToServer port 45678\nA:OnRecvPluginPkt round 1 512=USE\n");
  PluginsCleanup(set);
}

TEST(PluginHandshake, WithoutPluginsAnEmptyPacketIsStillExchanged) {
  ScratchDir dir;
  PluginSet* set = makeSet(dir, "");
  ASSERT_NE(set, nullptr);
  const Outcome r = handshake(set, 5);
  EXPECT_EQ(r.rc, VORL_OK);
  EXPECT_EQ(r.peerCounts, std::vector<int>{0});
  PluginsCleanup(set);
}

TEST(PluginHandshake, MoreRoundsUntilThePeerStopsAndFailuresEndIt) {
  Recorder rec;
  ScratchDir dir;
  PluginSet* set = makeSet(dir, entry("A", "recorder.vpx", "RecorderInit"));
  ASSERT_NE(set, nullptr);
  rec.reset();
  rec.setResult("A:OnRecvPluginPkt", 1);
  const Outcome r = handshake(set, 3);
  // The peer left after three answers: the fourth round fails sending or reading.
  EXPECT_TRUE(r.rc == VORL_ERR_READ || r.rc == VORL_ERR_CONNECT_INFO) << r.rc;
  EXPECT_EQ(r.peerCounts, (std::vector<int>{1, 0, 0}));
  EXPECT_EQ(rec.log(),
            "A:OnConnectToServer port 45678\nA:OnRecvPluginPkt round 1 512=USE\n"
            "A:OnRecvPluginPkt round 2 512=USE\nA:OnRecvPluginPkt round 2 512=USE\n");

  rec.reset();
  rec.setResult("A:OnRecvPluginPkt", 1);
  EXPECT_EQ(handshake(set, vorl::kMaxHandshakeRounds + 5).rc, VORL_ERR_PLUGIN);

  rec.reset();
  rec.setResult("A:OnConnectToServer", 2);
  const Outcome refused = handshake(set, 1);
  EXPECT_EQ(refused.rc, VORL_ERR_PLUGIN);
  EXPECT_TRUE(refused.peerCounts.empty());
  PluginsCleanup(set);
}

} // namespace
