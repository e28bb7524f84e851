// bcreceiver: a client process that reads the numbered messages of bchostapp
// through the library's broadcast client and checks that they come complete and
// in order, with consecutive packet sequence numbers.
//
// usage: bcreceiver <config file> <messages> <seconds>
// Exit code 0 when every message came in order within the time.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>

#include "vorl/bc.h"

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: bcreceiver <config file> <messages> <seconds>\n");
    return 2;
  }
  const long messages = std::strtol(argv[2], nullptr, 10);
  const long seconds = std::strtol(argv[3], nullptr, 10);
  VORLBCHANDLE client = nullptr;
  int rc = VORLBCCreate(&client, argv[1], nullptr);
  if (rc == 0) rc = VORLBCConnect(client, 0);
  if (rc != 0) {
    std::fprintf(stderr, "bcreceiver: broadcast client: %d\n", rc);
    return 1;
  }
  const std::time_t deadline = std::time(nullptr) + seconds;
  long next = 0, packets = 0, gaps = 0, wrong = 0;
  long lastSeq = -1;
  while (next < messages && std::time(nullptr) <= deadline) {
    rc = VORLBCRecv(client, 1);
    if (rc == VORL_ERR_TIMEOUT) continue;
    if (rc != 0) {
      std::fprintf(stderr, "bcreceiver: receive: %d\n", rc);
      break;
    }
    int seq = 0, count = 0;
    VORLBCPacketSeqnum(client, &seq);
    VORLBCNumMessages(client, &count);
    // A fresh block numbers its packets from 0.
    const long expected = lastSeq < 0 ? 0 : lastSeq + 1;
    if (static_cast<long>(static_cast<unsigned>(seq)) != expected) ++gaps;
    lastSeq = static_cast<long>(static_cast<unsigned>(seq));
    ++packets;
    for (int i = 0; i < count; ++i) {
      int type = 0, length = 0;
      void* data = nullptr;
      if (VORLBCMessage(client, i, &type, &data, &length) != 0 || length < 10) {
        ++wrong;
        continue;
      }
      char digits[11] = {};
      std::memcpy(digits, data, 10);
      const long number = std::strtol(digits, nullptr, 10);
      if (number != next) ++wrong;
      next = number + 1;
    }
  }
  VORLBCDisconnect(client);
  std::printf("bcreceiver: %ld messages in %ld packets, %ld sequence gaps, %ld out of order\n", next, packets,
              gaps, wrong);
  return next == messages && gaps == 0 && wrong == 0 ? 0 : 1;
}
