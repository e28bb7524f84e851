// bclistener: the host's listener process, as a stand-in. It creates the broadcast
// client block of the "BCClient" section, receives broadcast datagrams on UDP port
// "Port" (any local address, so that loopback broadcasts to 127.255.255.255 arrive)
// and places each packet into the block's regions and entries for the client,
// announcing it through the block's event. It runs the listener flag and answers
// every connection request with 0. Datagrams that do not hold exactly one packet
// are dropped. While the client is slow, packets wait in the listener's own queue.
//
// usage: bclistener <config file> [ready file]   (ends on SIGTERM)
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdio>
#include <deque>
#include <vector>

#include "../bcbroadcaster/standin.h"
#include "plinth/event.h"
#include "plinth/reslock.h"
#include "plinth/shmem.h"
#include "vorl/bc.h"
#include "vorl/bc_block.h"
#include "vorl/util.h"

namespace {

using namespace vorl::bc;

constexpr std::size_t kQueueLimit = 1 << 16;

struct Block {
  PlinthShmem* shmem = nullptr;
  uint8_t* block = nullptr;
  PlinthReslock* lock = nullptr;
  PlinthEvent* event = nullptr;
  ~Block() {
    if (block != nullptr) Store(block, kClientRunning, 0);
    if (event != nullptr) EventClose(EventCondemn(event));
    if (lock != nullptr) ReslockClose(ReslockCondemn(lock));
    if (shmem != nullptr) ShmemClose(ShmemCondemn(shmem));
  }
};

void answerRequests(uint8_t* block) {
  if (Load(block, kClientRequest) != 0) {
    Store(block, kClientResult, 0);
    Store(block, kClientRequest, 0);
  }
}

} // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: bclistener <config file> [ready file]\n");
    return 2;
  }
  hostsim::installStopHandlers();
  const hostsim::Settings settings(argv[1], "BCClient");
  int key = 0;
  if (GetSharedMemoryKey(argv[1], nullptr, "BCClient", &key) != 0) {
    std::fprintf(stderr, "bclistener: no shared-memory key in %s\n", argv[1]);
    return 1;
  }
  const int lockKey = settings.integer("LockKey", key + 1);
  const int eventKey = settings.integer("EventKey", key + 2);
  const int port = settings.integer("Port", 0);
  if (port <= 0 || port > 65535) {
    std::fprintf(stderr, "bclistener: no Port\n");
    return 1;
  }

  Block b;
  b.block = static_cast<uint8_t*>(GetBCCSharedMemory(&b.shmem, key, settings.integer("Entries", 256),
                                                     settings.integer("DataSize", 1 << 20), 1));
  b.lock = ReslockCreate(lockKey);
  b.event = EventCreate(eventKey);
  if (b.block == nullptr || b.lock == nullptr || b.event == nullptr) {
    std::fprintf(stderr, "bclistener: cannot create the block, lock or event\n");
    return 1;
  }
  Store(b.block, kClientLockKey, lockKey);
  Store(b.block, kClientEventKey, eventKey);
  Store(b.block, kClientInterval, settings.integer("Interval", 1));

  const int sock = socket(AF_INET, SOCK_DGRAM, 0);
  const int on = 1;
  const int buffer = 4 << 20; // the system caps it at its own maximum
  setsockopt(sock, SOL_SOCKET, SO_RCVBUF, &buffer, sizeof buffer);
  sockaddr_in local{};
  local.sin_family = AF_INET;
  local.sin_addr.s_addr = htonl(INADDR_ANY);
  local.sin_port = htons(static_cast<uint16_t>(port));
  if (sock < 0 || setsockopt(sock, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on) != 0 ||
      bind(sock, reinterpret_cast<const sockaddr*>(&local), sizeof local) != 0) {
    std::perror("bclistener: socket");
    return 1;
  }
  Store(b.block, kClientRunning, 1);
  hostsim::markReady(argc > 2 ? argv[2] : nullptr);

  ClientBlockWriter writer(b.block);
  std::deque<std::vector<uint8_t>> queue;
  std::vector<uint8_t> datagram(65536);
  long received = 0, dropped = 0;
  while (!hostsim::stopRequested()) {
    answerRequests(b.block);
    pollfd p{sock, POLLIN, 0};
    if (poll(&p, 1, queue.empty() ? 20 : 1) > 0) {
      // Drain what the socket holds before the client block is touched.
      for (int i = 0; i < 256; ++i) {
        const ssize_t n = recv(sock, datagram.data(), datagram.size(), MSG_DONTWAIT);
        if (n < 0) break;
        ++received;
        if (n < VORL_BCPKTHDR_SIZE || PacketLength(datagram.data()) != n || queue.size() >= kQueueLimit) {
          ++dropped;
          continue;
        }
        queue.emplace_back(datagram.begin(), datagram.begin() + n);
      }
    }
    if (queue.empty()) continue;
    bool placed = false;
    ReslockGetWrite(b.lock);
    while (!queue.empty()) {
      bool refused = false;
      if (!writer.Put(queue.front().data(), static_cast<int>(queue.front().size()), &refused)) {
        if (!refused) break;
        ++dropped;
      } else {
        placed = true;
      }
      queue.pop_front();
    }
    ReslockReleaseWrite(b.lock);
    if (placed) EventSetToUnblocked(b.event);
  }
  close(sock);
  std::fprintf(stderr, "bclistener: %ld datagrams, %ld dropped\n", received, dropped);
  return 0;
}
