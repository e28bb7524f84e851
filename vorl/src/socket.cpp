// Socket creation, service look-up and the shared-memory key.
#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "plinth/config.h"
#include "service.h"
#include "vorl/result.h"
#include "vorl/util.h"

namespace vorl {

bool LookupServicePort(const char* service, const char* protocol, uint16_t* portNet) {
  if (service == nullptr || *service == '\0') return false;
  bool digits = true;
  for (const char* p = service; *p; ++p) digits = digits && std::isdigit(static_cast<unsigned char>(*p));
  if (digits) {
    if (std::strlen(service) > 5) return false;
    const long port = std::strtol(service, nullptr, 10);
    if (port < 1 || port > 65535) return false;
    *portNet = htons(static_cast<uint16_t>(port));
    return true;
  }
  servent entry{};
  servent* found = nullptr;
  char buffer[1024];
  if (getservbyname_r(service, protocol, &entry, buffer, sizeof buffer, &found) != 0 || found == nullptr) {
    return false;
  }
  *portNet = static_cast<uint16_t>(found->s_port);
  return true;
}

} // namespace vorl

namespace {

int setOption(int s, int level, int name, int value) {
  return setsockopt(s, level, name, &value, sizeof value) == 0 ? VORL_OK : VORL_ERR_SOCKOPT;
}

int configureAndConnect(int s, int type, uint16_t port, uint32_t address, int bufA, int bufB,
                        int noDelay, uint32_t localAddress) {
  if (bufA > 0 && setOption(s, SOL_SOCKET, SO_SNDBUF, bufA > VORL_SOCKET_BUFFER_CAP ? VORL_SOCKET_BUFFER_CAP : bufA))
    return VORL_ERR_SOCKOPT;
  if (bufB > 0 && setOption(s, SOL_SOCKET, SO_RCVBUF, bufB > VORL_SOCKET_BUFFER_CAP ? VORL_SOCKET_BUFFER_CAP : bufB))
    return VORL_ERR_SOCKOPT;
  if (setOption(s, SOL_SOCKET, SO_REUSEADDR, 1)) return VORL_ERR_SOCKOPT;
  const bool datagram = type == VORL_SOCKET_DGRAM;
  if (datagram && address != 0xFFFFFFFFu && setOption(s, SOL_SOCKET, SO_BROADCAST, 1))
    return VORL_ERR_SOCKOPT;

  sockaddr_in sa{};
  sa.sin_family = AF_INET;
  if (address == 0) {
    sa.sin_port = port;
    sa.sin_addr.s_addr = INADDR_ANY;
    if (bind(s, reinterpret_cast<sockaddr*>(&sa), sizeof sa) != 0) return VORL_ERR_BIND;
  }
  if (datagram) return VORL_OK;

  linger lg{1, 0};
  if (setsockopt(s, SOL_SOCKET, SO_LINGER, &lg, sizeof lg) != 0) return VORL_ERR_SOCKOPT;
  if (setOption(s, IPPROTO_TCP, TCP_NODELAY, noDelay ? 1 : 0)) return VORL_ERR_SOCKOPT;

  if (address != 0) {
    if (localAddress != 0) {
      sockaddr_in local{};
      local.sin_family = AF_INET;
      local.sin_addr.s_addr = localAddress;
      if (bind(s, reinterpret_cast<sockaddr*>(&local), sizeof local) != 0) return VORL_ERR_BIND;
    }
    sa.sin_port = port;
    sa.sin_addr.s_addr = address;
    int rc;
    do {
      rc = connect(s, reinterpret_cast<sockaddr*>(&sa), sizeof sa);
    } while (rc != 0 && errno == EINTR);
    return rc == 0 ? VORL_OK : VORL_ERR_CONNECT;
  }
  if (setOption(s, SOL_SOCKET, SO_KEEPALIVE, 1)) return VORL_ERR_SOCKOPT;
  return listen(s, 20) == 0 ? VORL_OK : VORL_ERR_LISTEN;
}

} // namespace

VORL_API int CreateSocket(int* s, int type, uint16_t port, uint32_t address, int bufA, int bufB,
                          int noDelay, uint32_t localAddress) {
  if (s == nullptr) return VORL_ERR_SOCKET;
  *s = VORL_INVALID_SOCKET;
  if (type != VORL_SOCKET_STREAM && type != VORL_SOCKET_DGRAM) return VORL_ERR_SOCKET;
  const int fd = socket(AF_INET, (type == VORL_SOCKET_STREAM ? SOCK_STREAM : SOCK_DGRAM) | SOCK_CLOEXEC, 0);
  if (fd < 0) return VORL_ERR_SOCKET;
  const int rc = configureAndConnect(fd, type, port, address, bufA, bufB, noDelay, localAddress);
  if (rc != VORL_OK) {
    close(fd);
    return rc;
  }
  *s = fd;
  return VORL_OK;
}

VORL_API int GetSharedMemoryKey(const char* configFile, const char* service, const char* section,
                                int* key) {
  if (configFile == nullptr) configFile = std::getenv("VORLCONFIG");
  if (configFile == nullptr) return VORL_ERR_NO_CONFIG;
  Config config = ConfigOpen(section, configFile);
  if (config == nullptr) return VORL_ERR_NO_CONFIG;

  char text[64];
  const int n = ConfigReadString(config, "shmkey", text, sizeof text, "");
  int result = VORL_OK;
  if (n > 0) {
    if (std::isalpha(static_cast<unsigned char>(text[0]))) {
      uint32_t v = 0;
      for (int i = 0; i < 4; ++i) {
        const uint32_t byte = i < n ? static_cast<unsigned char>(text[i]) : 0u;
        v = (v << 8) | byte;
      }
      *key = static_cast<int>(v);
    } else if (text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
      *key = static_cast<int>(std::strtoul(text + 2, nullptr, 16));
    } else {
      *key = std::atoi(text);
    }
  } else {
    char name[128];
    if (service == nullptr || *service == '\0') {
      ConfigReadString(config, "Service", name, sizeof name, "");
      service = name;
    }
    uint16_t port = 0;
    if (!vorl::LookupServicePort(service, "tcp", &port)) {
      result = VORL_ERR_SERVICE;
    } else {
      *key = static_cast<int16_t>(port); // network order, sign-extended from 16 bits
    }
  }
  ConfigClose(config);
  return result;
}
