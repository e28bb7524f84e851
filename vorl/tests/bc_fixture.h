#pragma once
// Broadcast blocks made the way the broadcaster and listener processes make them,
// in a plinth namespace of the test's own.
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "plinth/event.h"
#include "plinth/persist.h"
#include "plinth/reslock.h"
#include "plinth/shmem.h"
#include "test_env.h"
#include "vorl/bc.h"
#include "vorl/bc_block.h"

namespace vorl::test {

class BCFixture : public ::testing::Test {
protected:
  void SetUp() override {
    static std::atomic<int> counter{0};
    ns_ = "t" + std::to_string(getpid()) + "_bc" + std::to_string(counter++) + "_";
    setenv("PLINTH_NAMESPACE", ns_.c_str(), 1);
  }
  void TearDown() override {
    if (serverShm_ != nullptr) ShmemClose(ShmemCondemn(serverShm_));
    if (clientShm_ != nullptr) ShmemClose(ShmemCondemn(clientShm_));
    for (PlinthEvent* e : events_) EventClose(EventCondemn(e));
    for (PlinthReslock* l : locks_) ReslockClose(ReslockCondemn(l));
    SysStopPersistServer();
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator("/dev/shm", ec)) {
      if (entry.path().filename().string().rfind(ns_, 0) == 0) std::filesystem::remove(entry.path(), ec);
    }
    unsetenv("PLINTH_NAMESPACE");
  }

  // A server block of one broadcaster with a ring of ringSize bytes, and the config
  // text that reaches it.
  std::string makeServerBlock(int ringSize, int interval = 1) {
    server = static_cast<uint8_t*>(GetBCSSharedMemory(&serverShm_, kServerKey, 1, 4, ringSize, 1));
    EXPECT_NE(server, nullptr);
    locks_.push_back(ReslockCreate(kServerLockKey));
    events_.push_back(EventCreate(kBroadcasterEvent));
    bc::Store(server, bc::kServerLockKey, kServerLockKey);
    bc::Store(server + bc::kServerHeaderSize, bc::kBroadcasterEventKey, kBroadcasterEvent);
    bc::Store(server, bc::kServerInterval, interval);
    bc::Store(server, bc::kServerState, bc::kStateActive);
    ringAt = bc::ServerRingAt(1, 4);
    return dir.write("bc.ini", "[BCServer]\nshmkey=" + std::to_string(kServerKey) + "\n[BCClient]\nshmkey=" +
                                   std::to_string(kClientKey) + "\n");
  }

  // A client block of n entries and dataSize bytes of packet data, listener running.
  std::string makeClientBlock(int n, int dataSize) {
    client = static_cast<uint8_t*>(GetBCCSharedMemory(&clientShm_, kClientKey, n, dataSize, 1));
    EXPECT_NE(client, nullptr);
    locks_.push_back(ReslockCreate(kClientLockKey));
    events_.push_back(EventCreate(kClientEvent));
    bc::Store(client, bc::kClientLockKey, kClientLockKey);
    bc::Store(client, bc::kClientEventKey, kClientEvent);
    bc::Store(client, bc::kClientInterval, 1);
    bc::Store(client, bc::kClientRunning, 1);
    return dir.write("bc.ini", "[BCServer]\nshmkey=" + std::to_string(kServerKey) + "\n[BCClient]\nshmkey=" +
                                   std::to_string(kClientKey) + "\n");
  }

  static constexpr int kServerKey = 7101;
  static constexpr int kServerLockKey = 7102;
  static constexpr int kBroadcasterEvent = 7103;
  static constexpr int kClientKey = 7201;
  static constexpr int kClientLockKey = 7202;
  static constexpr int kClientEvent = 7203;

  ScratchDir dir;
  uint8_t* server = nullptr;
  uint8_t* client = nullptr;
  std::size_t ringAt = 0;

private:
  std::string ns_;
  PlinthShmem* serverShm_ = nullptr;
  PlinthShmem* clientShm_ = nullptr;
  std::vector<PlinthEvent*> events_;
  std::vector<PlinthReslock*> locks_;
};

} // namespace vorl::test
