#include <chrono>
#include <cstring>
#include <future>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "bc_fixture.h"
#include "vorl/codec.h"

namespace vorl::test {
namespace {

using BCServerTest = BCFixture;

struct ServerHandle {
  VORLBCSHANDLE h = nullptr;
  ~ServerHandle() {
    if (h != nullptr) VORLBCServerDisconnect(h);
  }
};

TEST_F(BCServerTest, PacketBytesWithAlignedMessageHeaders) {
  const std::string ini = makeServerBlock(4096);
  ServerHandle s;
  ASSERT_EQ(VORLBCServerCreate(&s.h, ini.c_str(), nullptr), 0);
  EXPECT_EQ(bc::Load(server, bc::kServerState), bc::kStateInactive);
  ASSERT_EQ(VORLBCServerConnect(s.h), 0);
  EXPECT_EQ(bc::Load(server, bc::kServerState), bc::kStateActive);
  bc::Store(server, bc::kServerSeq, 77);

  ASSERT_EQ(VORLBCServerStartPacket(s.h, 0x01020304, 0x0A0B, "12345", 5), 0);
  ASSERT_EQ(VORLBCServerAddMessage(s.h, 0x0C, "abcdefgh", 8), 0);
  ASSERT_EQ(VORLBCServerAddMessage(s.h, 0x0D, nullptr, 3), 0); // null data adds nothing
  ASSERT_EQ(VORLBCServerAddMessage(s.h, 0x0E, "z", 1), 0);
  ASSERT_EQ(VORLBCServerEndPacket(s.h), 0);

  EXPECT_EQ(bc::Load(server, bc::kServerWritePos), 48);
  EXPECT_EQ(bc::Load(server, bc::kServerSeq), 78);
  const uint8_t* ring = server + ringAt;
  const uint8_t expected[48] = {
      0x01, 0x02, 0x03, 0x04, 0, 0, 0, 77, 0xEE, 0xEE, 0xEE, 0xEE, 0, 3, 0, 45, // header, time skipped
      0x0A, 0x0B, 0, 5, '1', '2', '3', '4', '5', 0, 0, 0,                      // 3 bytes of padding
      0, 0x0C, 0, 8, 'a', 'b', 'c', 'd', 'e', 'f', 'g', 'h',                  // already aligned
      0, 0x0E, 0, 1, 'z', 0, 0, 0};                                           // ring rounding
  for (int i = 0; i < 48; ++i) {
    if (i >= 8 && i < 12) continue;
    EXPECT_EQ(ring[i], expected[i]) << "byte " << i;
  }
  const uint32_t now = static_cast<uint32_t>(std::time(nullptr));
  EXPECT_LE(wire::getU32(ring + 8), now);
  EXPECT_GE(wire::getU32(ring + 8) + 60, now);
}

// Message data is copied in pieces whose size depends on the length: every
// length class must arrive whole, with nothing of the caller's bytes after it.
TEST_F(BCServerTest, MessagesOfEveryLengthArriveWhole) {
  const std::string ini = makeServerBlock(16384);
  ServerHandle s;
  ASSERT_EQ(VORLBCServerCreate(&s.h, ini.c_str(), nullptr), 0);
  const int lengths[] = {0, 1, 3, 15, 16, 17, 31, 32, 33, 47, 48, 49, 63, 64, 65, 100, 127, 128, 129, 1000};
  std::vector<uint8_t> source(1100);
  for (std::size_t i = 0; i < source.size(); ++i) source[i] = static_cast<uint8_t>(i * 7 + 1); // never 0
  // A first packet leaves the server's buffer full of bytes that are not 0.
  const std::vector<uint8_t> filler(2000, 0xFF);
  ASSERT_EQ(VORLBCServerSend(s.h, 0, 1, filler.data(), 2000), 0);
  const int first = bc::Load(server, bc::kServerWritePos);
  for (std::size_t k = 0; k < std::size(lengths); ++k) {
    const int rc = k == 0 ? VORLBCServerStartPacket(s.h, 0, 1, source.data() + k, lengths[k])
                          : VORLBCServerAddMessage(s.h, static_cast<int>(k + 1), source.data() + k, lengths[k]);
    ASSERT_EQ(rc, 0) << "length " << lengths[k];
  }
  ASSERT_EQ(VORLBCServerEndPacket(s.h), 0);

  const uint8_t* packet = server + ringAt + first;
  const int total = wire::getU16(packet + 14);
  ASSERT_EQ(wire::getU16(packet + 12), std::size(lengths));
  int at = VORL_BCPKTHDR_SIZE;
  for (std::size_t k = 0; k < std::size(lengths); ++k) {
    for (; at % 4 != 0; ++at) EXPECT_EQ(packet[at], 0) << "padding before message " << k;
    EXPECT_EQ(wire::getU16(packet + at), k + 1);
    ASSERT_EQ(wire::getU16(packet + at + 2), lengths[k]);
    EXPECT_EQ(std::memcmp(packet + at + VORL_BCMSG_SIZE, source.data() + k, static_cast<std::size_t>(lengths[k])), 0)
        << "length " << lengths[k];
    at += VORL_BCMSG_SIZE + lengths[k];
  }
  EXPECT_EQ(at, total);
  for (; at % 4 != 0; ++at) EXPECT_EQ(packet[at], 0) << "ring rounding";
}

TEST_F(BCServerTest, PacketStateErrors) {
  const std::string ini = makeServerBlock(4096);
  ServerHandle s;
  ASSERT_EQ(VORLBCServerCreate(&s.h, ini.c_str(), nullptr), 0);
  const std::vector<char> big(30000, 'x');
  EXPECT_EQ(VORLBCServerAddMessage(s.h, 1, "a", 1), VORL_ERR_PKT_NOT_STARTED);
  EXPECT_EQ(VORLBCServerEndPacket(s.h), VORL_ERR_PKT_NOT_STARTED);
  EXPECT_EQ(VORLBCServerResetPacket(s.h), VORL_ERR_PKT_NOT_STARTED);
  EXPECT_EQ(VORLBCServerStartPacket(s.h, 0, 1, big.data(), 29981), VORL_ERR_NO_ROOM);
  EXPECT_EQ(VORLBCServerStartPacket(s.h, 0, 1, big.data(), 29980), 0); // 16 + 4 + 29980 = 30000
  EXPECT_EQ(VORLBCServerStartPacket(s.h, 0, 1, "a", 1), VORL_ERR_PKT_STARTED);
  EXPECT_EQ(VORLBCServerAddMessage(s.h, 1, "", 0), VORL_ERR_NO_ROOM);
  EXPECT_EQ(VORLBCServerEndPacket(s.h), VORL_ERR_NO_ROOM); // more than half the ring
  EXPECT_EQ(VORLBCServerResetPacket(s.h), 0);
  EXPECT_EQ(VORLBCServerStartPacket(s.h, 0, 1, "a", -1), VORL_ERR_NO_ROOM);
  EXPECT_EQ(VORLBCServerSend(s.h, 5, 1, "abc", 3), 0);
  EXPECT_EQ(bc::Load(server, bc::kServerWritePos), 24);

  VORLBCSHANDLE gone = s.h;
  EXPECT_EQ(VORLBCServerDisconnect(s.h), 0);
  s.h = nullptr;
  EXPECT_EQ(VORLBCServerSend(gone, 5, 1, "abc", 3), VORL_ERR_INVALID_HANDLE);
  EXPECT_EQ(VORLBCServerSetActive(nullptr, 1), VORL_ERR_INVALID_HANDLE);
}

TEST_F(BCServerTest, StoppedBlockKeepsThePacketStarted) {
  const std::string ini = makeServerBlock(4096);
  ServerHandle s;
  ASSERT_EQ(VORLBCServerCreate(&s.h, ini.c_str(), nullptr), 0);
  bc::Store(server, bc::kServerState, bc::kStateStopped);
  ASSERT_EQ(VORLBCServerStartPacket(s.h, 0, 1, "abc", 3), 0);
  EXPECT_EQ(VORLBCServerEndPacket(s.h), VORL_ERR_BC_STOPPED);
  EXPECT_EQ(VORLBCServerStartPacket(s.h, 0, 1, "abc", 3), VORL_ERR_PKT_STARTED);
  EXPECT_EQ(bc::Load(server, bc::kServerWritePos), 0);
  bc::Store(server, bc::kServerState, bc::kStateActive);
  EXPECT_EQ(VORLBCServerEndPacket(s.h), 0);
  EXPECT_EQ(bc::Load(server, bc::kServerWritePos), 24);
}

TEST_F(BCServerTest, RingWrapsWithItsMarkAndTheWriterWaitsWhenFull) {
  // 200 bytes: four packets of 48 fill it to 192; the fifth goes back to 0.
  const std::string ini = makeServerBlock(200);
  ServerHandle s;
  ASSERT_EQ(VORLBCServerCreate(&s.h, ini.c_str(), nullptr), 0);
  const char data[29] = "twenty-nine bytes of message";
  for (int i = 0; i < 4; ++i) ASSERT_EQ(VORLBCServerSend(s.h, i, 1, data, 28), 0);
  EXPECT_EQ(bc::Load(server, bc::kServerWritePos), 192);

  // Nothing read yet: the fifth packet has nowhere to go.
  auto fifth = std::async(std::launch::async, [&] { return VORLBCServerSend(s.h, 4, 1, data, 28); });
  // Whatever happens below, a stopped block lets the waiting writer go.
  struct StopAtEnd {
    uint8_t* block;
    ~StopAtEnd() { bc::Store(block, bc::kServerState, bc::kStateStopped); }
  } stopAtEnd{server};
  EXPECT_EQ(fifth.wait_for(std::chrono::milliseconds(50)), std::future_status::timeout);

  bc::ServerRingReader reader(server, ringAt, 200);
  std::vector<uint32_t> values;
  bool broken = false;
  int length = 0;
  const uint8_t* packet = nullptr;
  for (int i = 0; i < 2; ++i) {
    packet = reader.Next(&length, &broken);
    ASSERT_NE(packet, nullptr);
    values.push_back(wire::getU32(packet));
    reader.Done();
    // 48 free bytes are not enough: the write would end where the reader stands,
    // which would read as an empty ring.
    if (i == 0) {
      EXPECT_EQ(fifth.wait_for(std::chrono::milliseconds(20)), std::future_status::timeout);
    }
  }
  ASSERT_EQ(fifth.wait_for(std::chrono::seconds(20)), std::future_status::ready);
  EXPECT_EQ(fifth.get(), 0);
  EXPECT_EQ(bc::Load(server, bc::kServerWrapMark), 192);
  EXPECT_EQ(bc::Load(server, bc::kServerWritePos), 48);

  for (int i = 0; i < 10 && (packet = reader.Next(&length, &broken)) != nullptr; ++i) {
    EXPECT_EQ(length, 16 + 4 + 28);
    values.push_back(wire::getU32(packet));
    reader.Done();
  }
  EXPECT_FALSE(broken);
  EXPECT_EQ(values, (std::vector<uint32_t>{0, 1, 2, 3, 4}));
  EXPECT_EQ(bc::Load(server, bc::kServerReadPos), 48);
  EXPECT_EQ(bc::Load(server, bc::kServerWritePos), 48);
}

TEST_F(BCServerTest, CreateFailures) {
  VORLBCSHANDLE h = nullptr;
  EnvVar noConfig("VORLCONFIG", nullptr);
  EXPECT_EQ(VORLBCServerCreate(&h, nullptr, nullptr), VORL_ERR_NO_CONFIG);
  const std::string noBlock = dir.write("none.ini", "[BCServer]\nshmkey=7999\n");
  EXPECT_EQ(VORLBCServerCreate(&h, noBlock.c_str(), nullptr), VORL_ERR_NO_BLOCK);
  const std::string noService = dir.write("nosvc.ini", "[BCServer]\nService=no-such-service-here\n");
  EXPECT_EQ(VORLBCServerCreate(&h, noService.c_str(), nullptr), VORL_ERR_SERVICE);
  EXPECT_EQ(h, nullptr);

  const std::string ini = makeServerBlock(4096);
  bc::Store(server, bc::kServerLockKey, 7998);
  EXPECT_EQ(VORLBCServerCreate(&h, ini.c_str(), nullptr), VORL_ERR_MUTEX);
  bc::Store(server, bc::kServerLockKey, kServerLockKey);
  bc::Store(server + bc::kServerHeaderSize, bc::kBroadcasterEventKey, 7997);
  EXPECT_EQ(VORLBCServerCreate(&h, ini.c_str(), nullptr), VORL_ERR_EVENT);
  bc::Store(server + bc::kServerHeaderSize, bc::kBroadcasterEventKey, kBroadcasterEvent);
  EXPECT_EQ(VORLBCServerCreate(&h, (ini + ",Elsewhere").c_str(), "7"), VORL_ERR_NO_BLOCK);
  EXPECT_EQ(VORLBCServerCreate(&h, ini.c_str(), nullptr), 0);
  EXPECT_EQ(VORLBCServerDisconnect(h), 0);
}

} // namespace
} // namespace vorl::test
