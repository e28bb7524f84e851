#include <chrono>
#include <cstdint>
#include <cstring>
#include <future>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "bc_fixture.h"
#include "waiting_thread.h"
#include "vorl/codec.h"

namespace vorl::test {
namespace {

using BCClientTest = BCFixture;

struct ClientHandle {
  VORLBCHANDLE h = nullptr;
  ~ClientHandle() {
    if (h != nullptr) VORLBCDisconnect(h);
  }
};

// A broadcast packet in wire form with sequence number seq and one message per text.
std::vector<uint8_t> packet(uint32_t seq, const std::vector<std::string>& texts) {
  std::vector<uint8_t> p(16, 0);
  for (const std::string& t : texts) {
    p.resize(p.size() + static_cast<std::size_t>(EvenBoundary(static_cast<int>(p.size()))), 0);
    const std::size_t at = p.size();
    p.resize(at + 4 + t.size());
    wire::encode(VORLBCMsg{static_cast<uint16_t>(100 + t.size()), static_cast<uint16_t>(t.size())}, p.data() + at);
    std::memcpy(p.data() + at + 4, t.data(), t.size());
  }
  wire::encode(VORLBCPktHdr{9, seq, 1234, static_cast<uint16_t>(texts.size()), static_cast<uint16_t>(p.size())},
               p.data());
  return p;
}

TEST_F(BCClientTest, NothingNewListenerStoppedAndNoPacketHeld) {
  const std::string ini = makeClientBlock(8, 1024);
  ClientHandle c;
  ASSERT_EQ(VORLBCCreate(&c.h, ini.c_str(), nullptr), 0);
  EXPECT_EQ(VORLBCRecv(c.h, 0), VORL_ERR_TIMEOUT);
  int n = 0;
  EXPECT_EQ(VORLBCNumMessages(c.h, &n), VORL_ERR_NO_PACKET);
  EXPECT_EQ(VORLBCPacketSeqnum(c.h, &n), VORL_ERR_NO_PACKET);
  bc::Store(client, bc::kClientRunning, 0);
  EXPECT_EQ(VORLBCRecv(c.h, 0), VORL_ERR_LISTENER);
  EXPECT_EQ(VORLBCConnect(c.h, 1), VORL_ERR_LISTENER);
  bc::Store(client, bc::kClientRunning, 1);
  bc::Store(client, bc::kClientResult, 31); // a result the listener left: once
  EXPECT_EQ(VORLBCRecv(c.h, 0), 31);
  EXPECT_EQ(VORLBCRecv(c.h, 0), VORL_ERR_TIMEOUT);
}

TEST_F(BCClientTest, PacketsComeInOrderAcrossBothRegions) {
  // Two regions of 128 bytes; a writer that runs ahead of the reader by up to
  // three packets makes the regions alternate many times.
  const std::string ini = makeClientBlock(4, 256);
  ClientHandle c;
  ASSERT_EQ(VORLBCCreate(&c.h, ini.c_str(), nullptr), 0);
  bc::ClientBlockWriter writer(client);
  uint32_t written = 0;
  uint32_t expected = 0;
  std::vector<int> regions; // the region of each packet, repeats left out
  for (int round = 0; round < 200 && expected < 60; ++round) {
    for (int k = 0; k < 3 && written < 60; ++k) {
      const std::string text(static_cast<std::size_t>(written % 23), static_cast<char>('a' + written % 26));
      const auto p = packet(written, {text, "xyz"});
      bool refused = false;
      if (!writer.Put(p.data(), static_cast<int>(p.size()), &refused)) break;
      ++written;
    }
    ASSERT_EQ(VORLBCRecv(c.h, 0), 0);
    int seq = -1;
    ASSERT_EQ(VORLBCPacketSeqnum(c.h, &seq), 0);
    EXPECT_EQ(static_cast<uint32_t>(seq), expected);
    int count = 0;
    ASSERT_EQ(VORLBCNumMessages(c.h, &count), 0);
    ASSERT_EQ(count, 2);
    int type = 0, length = 0;
    void* data = nullptr;
    ASSERT_EQ(VORLBCMessage(c.h, 1, &type, &data, &length), 0);
    EXPECT_EQ(std::string(static_cast<char*>(data), static_cast<std::size_t>(length)), "xyz");
    char buffer[64];
    ASSERT_EQ(VORLBCGetMessage(c.h, 0, &type, buffer, sizeof buffer, &length), 0);
    EXPECT_EQ(length, static_cast<int>(expected % 23));
    EXPECT_EQ(type, 100 + length);
    EXPECT_EQ(std::string(buffer, static_cast<std::size_t>(length)),
              std::string(static_cast<std::size_t>(expected % 23), static_cast<char>('a' + expected % 26)));
    // The entry just read still names where its packet lay.
    const int index = (bc::Load(client, bc::kClientReadIndex) + 3) % 4;
    const int offset = bc::Load(client + bc::kClientEntriesAt + bc::kClientEntrySize * index, bc::kEntryOffset);
    const int region = offset >= 128 ? 2 : 1;
    if (regions.empty() || regions.back() != region) regions.push_back(region);
    ++expected;
  }
  EXPECT_EQ(expected, 60u);
  EXPECT_EQ(VORLBCRecv(c.h, 0), VORL_ERR_TIMEOUT);
  EXPECT_GE(regions.size(), 6u);
}

TEST_F(BCClientTest, RecvWakesOnTheListenersEventAndSkipsPluginPackets) {
  const std::string ini = makeClientBlock(4, 1024);
  ClientHandle c;
  ASSERT_EQ(VORLBCCreate(&c.h, ini.c_str(), nullptr), 0);
  PlinthReslock* lock = ReslockOpen(kClientLockKey);
  PlinthEvent* event = EventOpen(kClientEvent);
  ASSERT_NE(lock, nullptr);
  ASSERT_NE(event, nullptr);
  // A listener thread places a packet for the plug-ins, then a plain one, once the
  // client waits: the event, unblocked at first, is blocked by the call before its
  // last look, and the calling thread then sleeps on it.
  ASSERT_EQ(EventSetToUnblocked(event), 1);
  const pid_t caller = CurrentThreadId();
  auto listener = std::async(std::launch::async, [&] {
    if (!PollUntil([&] { return EventWait(event, 0) == 0 && SleepsInFutexWait(caller); })) return false;
    bc::ClientBlockWriter writer(client);
    bool refused = false;
    ReslockGetWrite(lock);
    // A broadcast header with the plug-ins' mark, then an empty plug-in packet.
    std::vector<uint8_t> forPlugins(32, 0);
    wire::encode(VORLBCPktHdr{0, VORL_PLUGIN_SEQ, 0, 0, 32}, forPlugins.data());
    wire::encode(VORLPktHdr{VORL_PKT_KIND, 0, 1, 0, VORL_PLUGIN_SEQ, 0, 16}, forPlugins.data() + 16);
    const bool first = writer.Put(forPlugins.data(), static_cast<int>(forPlugins.size()), &refused);
    const auto plain = packet(12, {"late"});
    const bool second = writer.Put(plain.data(), static_cast<int>(plain.size()), &refused);
    ReslockReleaseWrite(lock);
    EventSetToUnblocked(event);
    return first && second;
  });
  EXPECT_EQ(VORLBCRecv(c.h, 10), 0);
  EXPECT_TRUE(listener.get());
  int seq = 0;
  EXPECT_EQ(VORLBCPacketSeqnum(c.h, &seq), 0);
  EXPECT_EQ(seq, 12);
  EXPECT_EQ(VORLBCRecv(c.h, 0), VORL_ERR_TIMEOUT);
  EventClose(event);
  ReslockClose(lock);
}

TEST_F(BCClientTest, MessageAccessErrors) {
  const std::string ini = makeClientBlock(4, 1024);
  ClientHandle c;
  ASSERT_EQ(VORLBCCreate(&c.h, ini.c_str(), nullptr), 0);
  bc::ClientBlockWriter writer(client);
  const auto p = packet(5, {"hello"});
  bool refused = false;
  ASSERT_TRUE(writer.Put(p.data(), static_cast<int>(p.size()), &refused));
  ASSERT_EQ(VORLBCRecv(c.h, 1), 0);
  int type = 0, length = 0;
  char small[4];
  EXPECT_EQ(VORLBCMessageType(c.h, 1, &type), VORL_ERR_BAD_INDEX);
  EXPECT_EQ(VORLBCMessageType(c.h, -1, &type), VORL_ERR_BAD_INDEX);
  EXPECT_EQ(VORLBCMessageType(c.h, 0, &type), 0);
  EXPECT_EQ(type, 105);
  EXPECT_EQ(VORLBCGetMessage(c.h, 0, &type, nullptr, 10, &length), VORL_ERR_NO_BUFFER);
  EXPECT_EQ(VORLBCGetMessage(c.h, 0, &type, small, sizeof small, &length), VORL_ERR_BUFFER_SMALL);
  EXPECT_EQ(VORLBCGetMessage(c.h, 3, &type, small, sizeof small, &length), VORL_ERR_BAD_INDEX);
  int seq = 0;
  EXPECT_EQ(VORLBCPacketSeqnum(c.h, &seq), 0);
  EXPECT_EQ(seq, 5); // +4, not the send time at +8
}

TEST_F(BCClientTest, InconsistentEntriesGive38) {
  const std::string ini = makeClientBlock(4, 1024);
  ClientHandle c;
  ASSERT_EQ(VORLBCCreate(&c.h, ini.c_str(), nullptr), 0);
  uint8_t* entry = client + bc::kClientEntriesAt;
  const auto p = packet(1, {"abc"});
  std::memcpy(client + bc::ClientDataAt(4), p.data(), p.size());
  const struct {
    int offset, length;
  } cases[] = {
      {0, 30001},                 // longer than the held packet buffer
      {0, 15},                    // shorter than a header
      {4, static_cast<int>(p.size())},   // not at a read position
      {512, static_cast<int>(p.size())}, // region 2 starts at 512, but its header is not there
      {500, 24},                  // would cross from the first region into the second
      {0, static_cast<int>(p.size()) + 4}, // entry and header disagree
      {-4, static_cast<int>(p.size())},    // before the first region
      {1024, 16},                          // past the second region
      {INT32_MAX, 16},                     // an offset whose end would overflow
      {0, -1},                             // a negative length
      {0, INT32_MIN},
  };
  for (const auto& k : cases) {
    bc::Store(entry, bc::kEntryOffset, k.offset);
    bc::Store(entry, bc::kEntryLength, k.length);
    bc::Store(entry, bc::kEntryState, 0);
    EXPECT_EQ(VORLBCRecv(c.h, 0), VORL_ERR_RING) << k.offset << " " << k.length;
  }
  // A message header that runs past the packet's end.
  auto bad = p;
  wire::putU16(bad.data() + 16 + 2, 200);
  std::memcpy(client + bc::ClientDataAt(4), bad.data(), bad.size());
  bc::Store(entry, bc::kEntryOffset, 0);
  bc::Store(entry, bc::kEntryLength, static_cast<int>(bad.size()));
  EXPECT_EQ(VORLBCRecv(c.h, 0), VORL_ERR_RING);
  // The right packet at the right place is read.
  std::memcpy(client + bc::ClientDataAt(4), p.data(), p.size());
  EXPECT_EQ(VORLBCRecv(c.h, 0), 0);
}

TEST_F(BCClientTest, ConnectWaitsForTheListenersAnswer) {
  const std::string ini = makeClientBlock(4, 1024);
  for (const int answer : {0, 25}) {
    ClientHandle c;
    ASSERT_EQ(VORLBCCreate(&c.h, ini.c_str(), nullptr), 0);
    auto listener = std::async(std::launch::async, [&] {
      for (int i = 0; i < 20000; ++i) {
        if (bc::Load(client, bc::kClientRequest) != 0) {
          const int value = bc::Load(client, bc::kClientValue);
          bc::Store(client, bc::kClientResult, answer);
          bc::Store(client, bc::kClientRequest, 0);
          return value;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
      }
      return -99;
    });
    EXPECT_EQ(VORLBCConnect(c.h, -5), answer);
    EXPECT_EQ(listener.get(), -1); // values below -1 count as -1
    if (answer != 0) {
      // The refused handle is gone.
      EXPECT_EQ(VORLBCRecv(c.h, 0), VORL_ERR_INVALID_HANDLE);
      c.h = nullptr;
    }
  }
}

TEST_F(BCClientTest, CreateFailures) {
  VORLBCHANDLE h = nullptr;
  const std::string noBlock = dir.write("none.ini", "[BCClient]\nshmkey=7999\n");
  EXPECT_EQ(VORLBCCreate(&h, noBlock.c_str(), nullptr), VORL_ERR_NO_BLOCK);
  const std::string ini = makeClientBlock(4, 1024);
  bc::Store(client, bc::kClientEventKey, 7998);
  EXPECT_EQ(VORLBCCreate(&h, ini.c_str(), nullptr), VORL_ERR_EVENT);
  bc::Store(client, bc::kClientEventKey, kClientEvent);
  bc::Store(client, bc::kClientLockKey, 7997);
  EXPECT_EQ(VORLBCCreate(&h, ini.c_str(), nullptr), VORL_ERR_MUTEX);
  EXPECT_EQ(h, nullptr);
  EXPECT_EQ(VORLBCRecv(nullptr, 0), VORL_ERR_INVALID_HANDLE);
}

} // namespace
} // namespace vorl::test
