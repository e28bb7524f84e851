// Socket creation and the shared-memory key, on loopback only.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "test_env.h"
#include "vorl/result.h"
#include "vorl/util.h"

namespace {

using vorl::test::EnvVar;
using vorl::test::ScratchDir;

int intOption(int s, int level, int name) {
  int v = 0;
  socklen_t len = sizeof v;
  getsockopt(s, level, name, &v, &len);
  return v;
}

// A loopback listener on a free port, made without the library.
struct Listener {
  int fd = socket(AF_INET, SOCK_STREAM, 0);
  uint16_t port = 0; // network order
  Listener() {
    sockaddr_in sa{};
    sa.sin_family = AF_INET;
    sa.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof sa;
    if (bind(fd, reinterpret_cast<sockaddr*>(&sa), sizeof sa) == 0 && listen(fd, 4) == 0 &&
        getsockname(fd, reinterpret_cast<sockaddr*>(&sa), &len) == 0) {
      port = sa.sin_port;
    }
  }
  ~Listener() { close(fd); }
};

TEST(CreateSocket, ClientStreamConnectsOnLoopback) {
  Listener server;
  ASSERT_NE(server.port, 0);
  int s = 12345;
  ASSERT_EQ(CreateSocket(&s, VORL_SOCKET_STREAM, server.port, htonl(INADDR_LOOPBACK), 0, 0, 1,
                         htonl(INADDR_LOOPBACK)),
            VORL_OK);
  ASSERT_GE(s, 0);
  EXPECT_EQ(intOption(s, IPPROTO_TCP, 1 /* TCP_NODELAY */), 1);
  linger lg{};
  socklen_t len = sizeof lg;
  getsockopt(s, SOL_SOCKET, SO_LINGER, &lg, &len);
  EXPECT_EQ(lg.l_onoff, 1);
  EXPECT_EQ(lg.l_linger, 0);
  close(s);
}

TEST(CreateSocket, FailuresCloseTheSocketAndGiveTheirCodes) {
  uint16_t closedPort;
  {
    Listener gone;
    closedPort = gone.port;
  }
  const struct {
    const char* what;
    int type;
    uint16_t port;
    uint32_t address;
    uint32_t local;
    int rc;
  } cases[] = {
      {"bad type", 3, 0, 0, 0, VORL_ERR_SOCKET},
      {"refused", VORL_SOCKET_STREAM, closedPort, htonl(INADDR_LOOPBACK), 0, VORL_ERR_CONNECT},
      {"foreign local address", VORL_SOCKET_STREAM, closedPort, htonl(INADDR_LOOPBACK), inet_addr("192.0.2.1"),
       VORL_ERR_BIND},
  };
  for (const auto& c : cases) {
    int s = 12345;
    EXPECT_EQ(CreateSocket(&s, c.type, c.port, c.address, 0, 0, 0, c.local), c.rc) << c.what;
    EXPECT_EQ(s, VORL_INVALID_SOCKET) << c.what;
  }
  EXPECT_EQ(CreateSocket(nullptr, VORL_SOCKET_DGRAM, 0, 0, 0, 0, 0, 0), VORL_ERR_SOCKET);
}

TEST(CreateSocket, DiscoverySocketAllowsBroadcastAndBuffersAreCapped) {
  int s = -1;
  ASSERT_EQ(CreateSocket(&s, VORL_SOCKET_DGRAM, 0, 0, 100000, 2000, 0, 0), VORL_OK);
  EXPECT_EQ(intOption(s, SOL_SOCKET, SO_BROADCAST), 1);
  EXPECT_EQ(intOption(s, SOL_SOCKET, SO_REUSEADDR), 1);
  // Linux reports twice the size asked for.
  EXPECT_EQ(intOption(s, SOL_SOCKET, SO_SNDBUF), 2 * VORL_SOCKET_BUFFER_CAP);
  close(s);
  ASSERT_EQ(CreateSocket(&s, VORL_SOCKET_DGRAM, 0, 0xFFFFFFFFu, 0, 0, 0, 0), VORL_OK);
  EXPECT_EQ(intOption(s, SOL_SOCKET, SO_BROADCAST), 0);
  close(s);
}

TEST(SharedMemoryKey, FromShmkeyOrTheServicePort) {
  ScratchDir dir;
  const struct {
    const char* section;
    const char* service;
    int rc;
    int key;
  } cases[] = {
      {"shmkey=AB\n", nullptr, VORL_OK, 0x41420000},
      {"shmkey=ABCDEF\n", nullptr, VORL_OK, 0x41424344},
      {"shmkey=0x1F\n", nullptr, VORL_OK, 31},
      {"shmkey=123\n", nullptr, VORL_OK, 123},
      {"Service=8000\n", nullptr, VORL_OK, static_cast<int16_t>(htons(8000))},
      {"Service=40000\n", nullptr, VORL_OK, static_cast<int16_t>(htons(40000))},
      {"", "8001", VORL_OK, static_cast<int16_t>(htons(8001))},
      {"", nullptr, VORL_ERR_SERVICE, -1},
      {"Service=no-such-service-here\n", nullptr, VORL_ERR_SERVICE, -1},
  };
  for (const auto& c : cases) {
    const std::string file = dir.write("k.ini", std::string("[VORLServer]\n") + c.section);
    int key = -1;
    EXPECT_EQ(GetSharedMemoryKey(file.c_str(), c.service, "VORLServer", &key), c.rc) << c.section;
    EXPECT_EQ(key, c.key) << c.section;
  }
  const std::string file = dir.write("k.ini", "[VORLServer]\nshmkey=77\n");
  EnvVar cfg("VORLCONFIG", file.c_str());
  int key = 0;
  EXPECT_EQ(GetSharedMemoryKey(nullptr, nullptr, "VORLServer", &key), VORL_OK);
  EXPECT_EQ(key, 77);
  EnvVar none("VORLCONFIG", nullptr);
  EXPECT_EQ(GetSharedMemoryKey(nullptr, nullptr, "VORLServer", &key), VORL_ERR_NO_CONFIG);
}

} // namespace
