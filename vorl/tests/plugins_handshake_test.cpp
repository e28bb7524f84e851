// The plug-in handshake of a client's new connection against a scripted peer
// on a socket pair.
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
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

TEST(PluginHandshake, RoundsEndWhenNoPluginAsksForMoreOrOnAFailure) {
  const char* const kHello = "A:OnConnectToServer port 45678\nA:OnRecvPluginPkt round 1 512=USE\n";
  struct Case {
    const char* what;
    bool withPlugin;
    const char* answering;  // the recorder's function given `result`, or none
    int result;
    int replies;            // packets the peer answers before it leaves
    std::vector<int> rcs;   // any one of them
    std::optional<std::vector<int>> peerCounts;
    std::string log;        // empty: not checked
  } const cases[] = {
      // The hello message of OnConnectToServer, one answer, done.
      {"no plug-in asks for more", true, nullptr, 0, 5, {VORL_OK}, std::vector<int>{1}, kHello},
      {"without plug-ins an empty packet is still exchanged", false, nullptr, 0, 5, {VORL_OK},
       std::vector<int>{0}, ""},
      // The peer leaves after three answers: the fourth round fails sending or reading.
      {"more rounds until the peer stops", true, "A:OnRecvPluginPkt", 1, 3,
       {VORL_ERR_READ, VORL_ERR_CONNECT_INFO}, std::vector<int>{1, 0, 0},
       std::string(kHello) + "A:OnRecvPluginPkt round 2 512=USE\nA:OnRecvPluginPkt round 2 512=USE\n"},
      {"a plug-in that never stops", true, "A:OnRecvPluginPkt", 1, vorl::kMaxHandshakeRounds + 5,
       {VORL_ERR_PLUGIN}, std::nullopt, ""},
      {"a plug-in that refuses the connection", true, "A:OnConnectToServer", 2, 1, {VORL_ERR_PLUGIN},
       std::vector<int>{}, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Recorder rec;
    ScratchDir dir;
    PluginSet* set = makeSet(dir, c.withPlugin ? entry("A", "recorder.vpx", "RecorderInit") : "");
    ASSERT_NE(set, nullptr);
    rec.reset();
    if (c.answering != nullptr) rec.setResult(c.answering, c.result);
    const Outcome r = handshake(set, c.replies);
    EXPECT_NE(std::find(c.rcs.begin(), c.rcs.end(), r.rc), c.rcs.end()) << r.rc;
    if (c.peerCounts) {
      EXPECT_EQ(r.peerCounts, *c.peerCounts);
    }
    if (!c.log.empty()) {
      EXPECT_EQ(rec.log(), c.log);
    }
    PluginsCleanup(set);
  }
}

} // namespace
