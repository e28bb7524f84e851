// Messages per second through the broadcast ring: a host application builds
// packets of 100-byte messages with the library's broadcast server and writes them
// into the ring; a reader thread (standing in for the broadcaster) takes each packet
// and copies every message out. The baseline moves the same messages with memcpy:
// each is copied from the application's buffer into an area as large as the ring
// and then out again by the same reader code. Both arms check that the reader saw
// every message. Runs alternate; prints the median rates and their ratio. The ring
// figure depends much on which two cores the threads get (on a shared virtual
// machine it moves between about 20 and 80 M/s from run to run); compare medians
// of several invocations.
#include <unistd.h>

#include <algorithm>
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
constexpr int kRuns = 7;
constexpr int kBlockKey = 9301, kLockKey = 9302, kEventKey = 9303;

// Keeps the compiler from dropping or merging copies whose results it cannot see used.
inline void opaque(const void* p) { asm volatile("" : : "r"(p) : "memory"); }

// What the reader does with each message in both arms: copies it out and looks at it.
struct Sink {
  std::vector<uint8_t> buffer = std::vector<uint8_t>(kMessageSize);
  unsigned long sum = 0;
  long count = 0;
  void Take(const uint8_t* data, std::size_t n) {
    std::memcpy(buffer.data(), data, n);
    opaque(buffer.data());
    sum += buffer[n - 1];
    count += 1;
  }
};

// Every message was read and carried the right last byte.
void checkSink(const Sink& sink, const std::vector<char>& message, const char* arm) {
  const unsigned long expected = static_cast<unsigned char>(message.back()) * static_cast<unsigned long>(kMessages);
  if (sink.count != kMessages || sink.sum != expected) {
    std::fprintf(stderr, "bc_bench: the %s reader saw %ld messages (checksum %lu, expected %lu)\n", arm,
                 sink.count, sink.sum, expected);
    std::exit(1);
  }
}

// Takes packets until `messages` messages were copied out. The sink is the reader
// thread's own, so that what it writes for each message shares no cache line with
// the writer's stack.
Sink readAll(uint8_t* block, PlinthReslock* lock, long messages) {
  ServerRingReader reader(block, ServerRingAt(1, 1), kRingSize);
  Sink sink;
  while (sink.count < messages) {
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
      at = Round4(at);
      const int n = vorl::wire::getU16(packet + at + 2);
      if (n < 1 || at + VORL_BCMSG_SIZE + n > length) std::abort();
      sink.Take(packet + at + VORL_BCMSG_SIZE, static_cast<std::size_t>(n));
      at += VORL_BCMSG_SIZE + n;
    }
    reader.Done();
  }
  return sink;
}

double ringRate(uint8_t* block, PlinthReslock* lock, VORLBCSHANDLE server, const std::vector<char>& message) {
  Sink sink;
  const auto start = Clock::now();
  std::thread reader([&] { sink = readAll(block, lock, kMessages); });
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
  checkSink(sink, message, "ring");
  return static_cast<double>(kMessages) / seconds;
}

// The same messages copied one by one into an area as large as the ring and
// read out of it again.
double memcpyRate(const std::vector<char>& message) {
  std::vector<uint8_t> target(kRingSize);
  const std::size_t slots = target.size() / kMessageSize;
  Sink sink;
  const auto start = Clock::now();
  for (long i = 0; i < kMessages; ++i) {
    uint8_t* at = target.data() + static_cast<std::size_t>(i) % slots * kMessageSize;
    opaque(message.data()); // the message is read anew each time, as the library must
    std::memcpy(at, message.data(), kMessageSize);
    sink.Take(at, kMessageSize);
  }
  const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
  checkSink(sink, message, "memcpy");
  return static_cast<double>(kMessages) / seconds;
}

// Only the first half of the baseline: the copy in, with no reader. Shown for
// comparison with earlier figures.
double copyInRate(const std::vector<char>& message) {
  std::vector<uint8_t> target(kRingSize);
  const std::size_t slots = target.size() / kMessageSize;
  const auto start = Clock::now();
  for (long i = 0; i < kMessages; ++i) {
    uint8_t* at = target.data() + static_cast<std::size_t>(i) % slots * kMessageSize;
    opaque(message.data());
    std::memcpy(at, message.data(), kMessageSize);
    opaque(at);
  }
  const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
  return static_cast<double>(kMessages) / seconds;
}

double median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
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

  std::vector<double> rings, copies, copiesIn;
  for (int run = 0; run < kRuns; ++run) {
    rings.push_back(ringRate(block, lock, server, message));
    copies.push_back(memcpyRate(message));
    copiesIn.push_back(copyInRate(message));
  }
  const double ring = median(rings), copy = median(copies);
  std::printf("broadcast ring: %.2f M messages/s of %d bytes (%d per packet; median of %d, %.2f to %.2f)\n",
              ring / 1e6, kMessageSize, kPerPacket, kRuns, *std::min_element(rings.begin(), rings.end()) / 1e6,
              *std::max_element(rings.begin(), rings.end()) / 1e6);
  std::printf("memcpy:         %.2f M messages/s (median of %d, %.2f to %.2f)\n", copy / 1e6, kRuns,
              *std::min_element(copies.begin(), copies.end()) / 1e6,
              *std::max_element(copies.begin(), copies.end()) / 1e6);
  std::printf("ratio:          %.3fx (goal 0.25x)\n", ring / copy);
  const double copyIn = median(copiesIn);
  std::printf("memcpy in only: %.2f M messages/s, no reader (ring at %.3fx of it)\n", copyIn / 1e6, ring / copyIn);

  VORLBCServerDisconnect(server);
  EventClose(EventCondemn(event));
  ReslockClose(ReslockCondemn(lock));
  ShmemClose(ShmemCondemn(shmem));
  SysStopPersistServer();
  std::remove(ini.c_str());
  return 0;
}
