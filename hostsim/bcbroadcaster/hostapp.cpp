// bchostapp: a host application that broadcasts numbered messages through the
// library's broadcast server, for the end-to-end test and for demonstrations.
// Message i carries its number as ten digits, padded to the message size.
//
// usage: bchostapp <config file> <messages> <messages per packet> <message size>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "vorl/bc.h"

int main(int argc, char** argv) {
  if (argc < 5) {
    std::fprintf(stderr, "usage: bchostapp <config file> <messages> <per packet> <message size>\n");
    return 2;
  }
  const long messages = std::strtol(argv[2], nullptr, 10);
  const long perPacket = std::strtol(argv[3], nullptr, 10);
  const long size = std::strtol(argv[4], nullptr, 10);
  if (messages <= 0 || messages > 1000000000 || perPacket <= 0 || size < 10 || size > 1000) {
    std::fprintf(stderr, "bchostapp: bad numbers\n");
    return 2;
  }
  VORLBCSHANDLE server = nullptr;
  int rc = VORLBCServerCreate(&server, argv[1], nullptr);
  if (rc == 0) rc = VORLBCServerConnect(server);
  if (rc != 0) {
    std::fprintf(stderr, "bchostapp: broadcast server: %d\n", rc);
    return 1;
  }
  std::string text(static_cast<std::size_t>(size), '.');
  for (long i = 0; i < messages && rc == 0; ++i) {
    char digits[24];
    std::snprintf(digits, sizeof digits, "%010ld", i);
    text.replace(0, 10, digits);
    const int length = static_cast<int>(text.size());
    if (i % perPacket == 0) {
      rc = VORLBCServerStartPacket(server, static_cast<int>(i / perPacket), 1, text.data(), length);
    } else {
      rc = VORLBCServerAddMessage(server, 1, text.data(), length);
    }
    if (rc == 0 && (i % perPacket == perPacket - 1 || i == messages - 1)) rc = VORLBCServerEndPacket(server);
  }
  if (rc != 0) std::fprintf(stderr, "bchostapp: sending: %d\n", rc);
  VORLBCServerDisconnect(server);
  return rc == 0 ? 0 : 1;
}
