#include "sockread.h"

#include <sys/socket.h>
#include <sys/time.h>

#include <cerrno>

#include "plinth/sockwait.h"
#include "plinth/time.h"
#include "vorl/codec.h"
#include "vorl/result.h"

namespace vorl {

namespace {
timeval waitFor(const ReadLimits& limits, bool begun) {
  int64_t ms = int64_t{begun ? limits.character : limits.receive} * 1000;
  const int64_t left = int64_t{limits.packet} * 1000 - TimeTickDelta(TimeTickCount(), limits.startTick);
  if (left < ms) ms = left;
  if (ms < 0) ms = 0;
  return timeval{static_cast<time_t>(ms / 1000), static_cast<suseconds_t>((ms % 1000) * 1000)};
}
} // namespace

int ReadExact(int sock, uint8_t* buffer, std::size_t size, const ReadLimits& limits, bool& begun) {
  std::size_t got = 0;
  while (got < size) {
    const timeval tv = waitFor(limits, begun);
    const std::size_t want = size - got;
    const int n = PlinthRecvWait(sock, buffer + got, want > 1 << 30 ? 1 << 30 : static_cast<int>(want), 0, &tv);
    if (n == PLINTH_RECV_TIMEOUT) return VORL_ERR_CONNECT_TIMEOUT;
    if (n < 0) return VORL_ERR_READ;
    got += static_cast<std::size_t>(n);
    begun = true;
  }
  return VORL_OK;
}

int ReadPacket(int sock, uint8_t* buffer, std::size_t capacity, const ReadLimits& limits,
               std::size_t& length) {
  length = 0;
  if (capacity < VORL_PKTHDR_SIZE) return VORL_ERR_PROTOCOL;
  bool begun = false;
  int rc = ReadExact(sock, buffer, VORL_PKTHDR_SIZE, limits, begun);
  if (rc != VORL_OK) return rc;
  const std::size_t total = wire::getU16(buffer + 14);
  if (total < VORL_PKTHDR_SIZE || total > capacity) return VORL_ERR_PROTOCOL;
  rc = ReadExact(sock, buffer + VORL_PKTHDR_SIZE, total - VORL_PKTHDR_SIZE, limits, begun);
  if (rc != VORL_OK) return rc;
  length = total;
  return VORL_OK;
}

bool SendAll(int sock, const uint8_t* data, std::size_t size) {
  std::size_t sent = 0;
  while (sent < size) {
    const ssize_t n = send(sock, data + sent, size - sent, MSG_NOSIGNAL);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (n == 0) return false;
    sent += static_cast<std::size_t>(n);
  }
  return true;
}

} // namespace vorl
