// bcbroadcaster: the host's broadcaster process, as a stand-in. It creates the
// broadcast server block of the "BCServer" section, takes the packets that host
// applications write into its ring and sends each as one UDP datagram to a loopback
// address ("Address", default 127.255.255.255, port "Port"), pacing itself so that
// a receiver on the same machine keeps up ("PacePackets" datagrams, then a pause
// of "PaceMicros" microseconds).
//
// usage: bcbroadcaster <config file> [ready file]   (ends on SIGTERM)
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <thread>

#include "plinth/event.h"
#include "plinth/reslock.h"
#include "plinth/shmem.h"
#include "standin.h"
#include "vorl/bc.h"
#include "vorl/bc_block.h"
#include "vorl/util.h"

namespace {

using namespace vorl::bc;

struct Ring {
  PlinthShmem* shmem = nullptr;
  uint8_t* block = nullptr;
  PlinthReslock* lock = nullptr;
  PlinthEvent* event = nullptr;
  ~Ring() {
    if (block != nullptr) Store(block, kServerState, kStateStopped);
    if (event != nullptr) EventClose(EventCondemn(event));
    if (lock != nullptr) ReslockClose(ReslockCondemn(lock));
    if (shmem != nullptr) ShmemClose(ShmemCondemn(shmem));
  }
};

} // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: bcbroadcaster <config file> [ready file]\n");
    return 2;
  }
  hostsim::installStopHandlers();
  const hostsim::Settings settings(argv[1], "BCServer");
  int key = 0;
  if (GetSharedMemoryKey(argv[1], nullptr, "BCServer", &key) != 0) {
    std::fprintf(stderr, "bcbroadcaster: no shared-memory key in %s\n", argv[1]);
    return 1;
  }
  const int ringSize = settings.integer("RingSize", 1 << 20);
  const int lockKey = settings.integer("LockKey", key + 1);
  const int eventKey = settings.integer("EventKey", key + 2);
  const int pacePackets = settings.integer("PacePackets", 4);
  const int paceMicros = settings.integer("PaceMicros", 1000);
  in_addr address{};
  if (!hostsim::loopbackAddress(settings.text("Address", "127.255.255.255"), &address)) {
    std::fprintf(stderr, "bcbroadcaster: Address must be a loopback address\n");
    return 1;
  }
  const int port = settings.integer("Port", 0);
  if (port <= 0 || port > 65535) {
    std::fprintf(stderr, "bcbroadcaster: no Port\n");
    return 1;
  }

  Ring ring;
  ring.block = static_cast<uint8_t*>(GetBCSSharedMemory(&ring.shmem, key, 1, 16, ringSize, 1));
  ring.lock = ReslockCreate(lockKey);
  ring.event = EventCreate(eventKey);
  if (ring.block == nullptr || ring.lock == nullptr || ring.event == nullptr) {
    std::fprintf(stderr, "bcbroadcaster: cannot create the block, lock or event\n");
    return 1;
  }
  Store(ring.block, kServerLockKey, lockKey);
  Store(ring.block + kServerHeaderSize, kBroadcasterEventKey, eventKey);
  Store(ring.block, kServerInterval, settings.integer("Interval", 1));
  Store(ring.block, kServerState, kStateInactive);

  const int sock = socket(AF_INET, SOCK_DGRAM, 0);
  const int on = 1;
  if (sock < 0 || setsockopt(sock, SOL_SOCKET, SO_BROADCAST, &on, sizeof on) != 0) {
    std::perror("bcbroadcaster: socket");
    return 1;
  }
  sockaddr_in to{};
  to.sin_family = AF_INET;
  to.sin_addr = address;
  to.sin_port = htons(static_cast<uint16_t>(port));
  hostsim::markReady(argc > 2 ? argv[2] : nullptr);

  ServerRingReader reader(ring.block, ServerRingAt(1, 16), ringSize);
  long sent = 0;
  int burst = 0;
  while (!hostsim::stopRequested()) {
    EventSetToBlocked(ring.event);
    for (;;) {
      int length = 0;
      bool broken = false;
      ReslockGetRead(ring.lock);
      const uint8_t* packet = reader.Next(&length, &broken);
      ReslockReleaseRead(ring.lock);
      if (broken) {
        std::fprintf(stderr, "bcbroadcaster: inconsistent ring, stopping\n");
        return 1;
      }
      if (packet == nullptr) break;
      // The space is still ours until Done: writers never pass the read position.
      if (sendto(sock, packet, static_cast<std::size_t>(length), MSG_NOSIGNAL,
                 reinterpret_cast<const sockaddr*>(&to), sizeof to) != length) {
        std::perror("bcbroadcaster: sendto");
      }
      reader.Done();
      ++sent;
      if (++burst >= pacePackets) {
        burst = 0;
        std::this_thread::sleep_for(std::chrono::microseconds(paceMicros));
      }
    }
    EventWait(ring.event, 1);
  }
  close(sock);
  std::fprintf(stderr, "bcbroadcaster: %ld packets sent\n", sent);
  return 0;
}
