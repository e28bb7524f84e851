// Messages per second through the broadcast ring: a host application builds
// packets of 100-byte messages with the library's broadcast server and writes them
// into the ring; a reader thread (standing in for the broadcaster) takes each packet
// and copies every message out. The baseline copies the same messages with memcpy
// in the same run. Prints both rates and their ratio (best of several runs).
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "plinth/event.h"
#include "plinth/persist.h"
#include "plinth/reslock.h"
#include "plinth/shmem.h"
#include "vorl/bc.h"
#include "vorl/bc_block.h"
#include "vorl/codec.h"

namespace {

using Clock = std::chrono::steady_clock;
using namespace vorl::bc;

constexpr int kMessageSize = 100;
constexpr long kMessages = 2000000;
constexpr int kPerPacket = 250;
constexpr int kRingSize = 4 << 20;
constexpr int kRuns = 5;
constexpr int kBlockKey = 9301, kLockKey = 9302, kEventKey = 9303;

// Takes packets until `messages` messages were copied out; returns their checksum.
unsigned long readAll(uint8_t* block, PlinthReslock* lock, long messages) {
  ServerRingReader reader(block, ServerRingAt(1, 1), kRingSize);
  std::vector<uint8_t> sink(kMessageSize);
  unsigned long sum = 0;
  long seen = 0;
  while (seen < messages) {
    if (!reader.HasNew()) {
      std::this_thread::yield();
      continue;
    }
    int length = 0;
    bool broken = false;
    ReslockGetRead(lock);
    const uint8_t* packet = reader.Next(&length, &broken);
    ReslockReleaseRead(lock);
    if (broken) std::abort();
    if (packet == nullptr) {
      std::this_thread::yield();
      continue;
    }
    const int count = vorl::wire::getU16(packet + 12);
    int at = VORL_BCPKTHDR_SIZE;
    for (int i = 0; i < count; ++i) {
      at += EvenBoundary(at);
      const int n = vorl::wire::getU16(packet + at + 2);
      std::memcpy(sink.data(), packet + at + VORL_BCMSG_SIZE, static_cast<std::size_t>(n));
      sum += sink[static_cast<std::size_t>(n - 1)];
      at += VORL_BCMSG_SIZE + n;
    }
    seen += count;
    reader.Done();
  }
  return sum;
}

double ringRate(uint8_t* block, PlinthReslock* lock, VORLBCSHANDLE server, const std::vector<char>& message) {
  std::atomic<unsigned long> sum{0};
  const auto start = Clock::now();
  std::thread reader([&] { sum = readAll(block, lock, kMessages); });
  for (long i = 0; i < kMessages; ++i) {
    int rc = i % kPerPacket == 0 ? VORLBCServerStartPacket(server, 0, 1, message.data(), kMessageSize)
                                 : VORLBCServerAddMessage(server, 1, message.data(), kMessageSize);
    if (rc == 0 && i % kPerPacket == kPerPacket - 1) rc = VORLBCServerEndPacket(server);
    if (rc != 0) {
      std::fprintf(stderr, "bc_bench: send failed: %d\n", rc);
      std::exit(1);
    }
  }
  reader.join();
  const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
  if (sum.load() == 1) std::puts(""); // keeps the copies alive
  return static_cast<double>(kMessages) / seconds;
}

// The same messages copied one by one into an area as large as the ring.
double memcpyRate(const std::vector<char>& message) {
  std::vector<char> target(kRingSize);
  const std::size_t slots = target.size() / kMessageSize;
  unsigned long sum = 0;
  const auto start = Clock::now();
  for (long i = 0; i < kMessages; ++i) {
    const std::size_t at = static_cast<std::size_t>(i) % slots * kMessageSize;
    std::memcpy(target.data() + at, message.data(), kMessageSize);
    sum += static_cast<unsigned char>(target[at + kMessageSize - 1]);
  }
  const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
  if (sum == 1) std::puts("");
  return static_cast<double>(kMessages) / seconds;
}

} // namespace

int main() {
  const std::string ns = "bcbench" + std::to_string(getpid()) + "_";
  setenv("PLINTH_NAMESPACE", ns.c_str(), 1);
  PlinthShmem* shmem = nullptr;
  auto* block = static_cast<uint8_t*>(GetBCSSharedMemory(&shmem, kBlockKey, 1, 1, kRingSize, 1));
  PlinthReslock* lock = ReslockCreate(kLockKey);
  PlinthEvent* event = EventCreate(kEventKey);
  if (block == nullptr || lock == nullptr || event == nullptr) {
    std::fprintf(stderr, "bc_bench: cannot create the block\n");
    return 1;
  }
  Store(block, kServerLockKey, kLockKey);
  Store(block + kServerHeaderSize, kBroadcasterEventKey, kEventKey);
  Store(block, kServerInterval, 1);
  const std::string ini = "/tmp/" + ns + "bc.ini";
  if (FILE* f = std::fopen(ini.c_str(), "w")) {
    std::fprintf(f, "[BCServer]\nshmkey=%d\n", kBlockKey);
    std::fclose(f);
  }
  VORLBCSHANDLE server = nullptr;
  if (VORLBCServerCreate(&server, ini.c_str(), nullptr) != 0) {
    std::fprintf(stderr, "bc_bench: cannot attach the server\n");
    return 1;
  }
  VORLBCServerConnect(server);
  std::vector<char> message(kMessageSize);
  for (int i = 0; i < kMessageSize; ++i) message[static_cast<std::size_t>(i)] = static_cast<char>('A' + i % 26);

  double ring = 0, copy = 0;
  for (int run = 0; run < kRuns; ++run) {
    ring = std::max(ring, ringRate(block, lock, server, message));
    copy = std::max(copy, memcpyRate(message));
  }
  std::printf("broadcast ring: %.2f M messages/s of %d bytes (%d per packet)\n", ring / 1e6, kMessageSize,
              kPerPacket);
  std::printf("memcpy:         %.2f M messages/s\n", copy / 1e6);
  std::printf("ratio:          %.3fx (goal 0.25x)\n", ring / copy);

  VORLBCServerDisconnect(server);
  EventClose(EventCondemn(event));
  ReslockClose(ReslockCondemn(lock));
  ShmemClose(ShmemCondemn(shmem));
  SysStopPersistServer();
  std::remove(ini.c_str());
  return 0;
}
