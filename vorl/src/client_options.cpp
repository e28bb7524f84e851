// The sixteen client options: their ranges, replacements and when they may change.
#include <arpa/inet.h>
#include <netdb.h>

#include <climits>
#include <cstring>
#include <new>
#include <string>
#include <string_view>

#include "client.h"

namespace vorl {

namespace {

constexpr int32_t kTimeoutMax = 32767;
// More slots than this cannot be in flight anyway (socket buffers stop at
// 58,254 bytes), and a window size can come from a server's connect information.
constexpr int32_t kWindowMax = 256;

std::vector<std::string> splitList(const char* text) {
  std::vector<std::string> items;
  if (text == nullptr) return items;
  std::string_view rest(text);
  while (!rest.empty()) {
    const auto comma = rest.find(',');
    std::string_view item = rest.substr(0, comma);
    rest = comma == std::string_view::npos ? std::string_view{} : rest.substr(comma + 1);
    const auto b = item.find_first_not_of(" \t");
    if (b == std::string_view::npos) continue;
    item = item.substr(b, item.find_last_not_of(" \t") - b + 1);
    items.emplace_back(item);
  }
  return items;
}

// A dotted IPv4 address; false for anything else (never the all-ones address
// that inet_addr would give for bad text).
bool parseDotted(const std::string& text, uint32_t* address) {
  in_addr a{};
  if (inet_pton(AF_INET, text.c_str(), &a) != 1) return false;
  *address = a.s_addr;
  return true;
}

std::vector<uint32_t> broadcastList(const char* text) {
  std::vector<uint32_t> out;
  for (const std::string& item : splitList(text)) {
    if (out.size() == static_cast<std::size_t>(kMaxCandidates)) break;
    uint32_t a = 0;
    if (parseDotted(item, &a)) out.push_back(a);
  }
  return out;
}

std::vector<uint32_t> hostList(const char* text) {
  std::vector<uint32_t> out;
  for (const std::string& item : splitList(text)) {
    uint32_t a = 0;
    if (parseDotted(item, &a)) {
      if (out.size() < static_cast<std::size_t>(kMaxCandidates)) out.push_back(a);
      continue;
    }
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_DGRAM;
    addrinfo* found = nullptr;
    if (getaddrinfo(item.c_str(), nullptr, &hints, &found) != 0) continue;
    for (addrinfo* ai = found; ai != nullptr; ai = ai->ai_next) {
      if (out.size() == static_cast<std::size_t>(kMaxCandidates)) break;
      out.push_back(reinterpret_cast<const sockaddr_in*>(ai->ai_addr)->sin_addr.s_addr);
    }
    freeaddrinfo(found);
  }
  return out;
}

int32_t orDefault(int32_t v, bool keep, int32_t fallback) { return keep ? v : fallback; }

bool awaitingReplies(const VORLClient* c) { return c->sentFirst >= 0; }

// Resizes the window: slots leave from the end, new ones are free with buffers
// of the send buffer size.
void resizeWindow(VORLClient* c, int32_t count) {
  c->slots.resize(static_cast<std::size_t>(count));
  for (PacketSlot& s : c->slots) {
    if (s.buffer.size() != static_cast<std::size_t>(c->options.sendBufferSize)) {
      s.buffer.resize(static_cast<std::size_t>(c->options.sendBufferSize));
    }
  }
  if (count == 0) c->slots.shrink_to_fit();
  if (c->building >= count) c->building = -1;
}

} // namespace

bool Connected(const VORLClient* c) { return c->tcpSocket >= 0; }

void RebuildCandidates(VORLClient* c) {
  c->candidates.clear();
  auto add = [c](uint32_t address) {
    if (c->candidates.size() == static_cast<std::size_t>(kMaxCandidates)) return;
    sockaddr_in sa{};
    sa.sin_family = AF_INET;
    sa.sin_port = c->udpPort;
    sa.sin_addr.s_addr = address;
    c->candidates.push_back(sa);
  };
  for (uint32_t a : c->options.possibleHosts) add(a);
  for (uint32_t a : c->options.broadcastAddresses) add(a);
}

int SetClientOption(VORLClient* c, int id, intptr_t value) {
  ClientOptions& o = c->options;
  if (id >= 1 && id <= 3) {
    const char* text = reinterpret_cast<const char*>(value);
    try {
      if (id == 1) {
        uint32_t a = 0;
        o.preferredAddress = text != nullptr && parseDotted(text, &a) ? a : 0;
      } else if (id == 2) {
        o.broadcastAddresses = broadcastList(text);
      } else {
        o.possibleHosts = hostList(text);
      }
      if (id != 1 && c->udpSocket >= 0) RebuildCandidates(c);
    } catch (const std::bad_alloc&) {
      return VORL_ERR_NOMEM;
    }
    return VORL_OK;
  }
  if (id < 4 || id > 16) return VORL_ERR_OPTION;
  // Numbers are kept in 32 bits; one that does not fit would wrap negative.
  if (value < INT32_MIN || value > INT32_MAX) return VORL_ERR_OPTION;
  const auto v = static_cast<int32_t>(value);
  auto timeout = [v](int32_t fallback) { return v < 1 ? fallback : (v > kTimeoutMax ? kTimeoutMax : v); };
  switch (id) {
  case 4: o.packetTimeout = timeout(10); break;
  case 5: o.characterTimeout = timeout(2); break;
  case 6: o.receiveTimeout = timeout(5); break;
  case 7: o.connectTime = timeout(10); break;
  case 8: o.connectTries = orDefault(v, v >= 1, 1); break;
  case 9: o.sendTries = orDefault(v, v >= 0, 1); break;
  case 10: o.maxHosts = orDefault(v, v >= 1, 1); break;
  case 11:
    if (Connected(c)) return VORL_ERR_OPTION;
    o.recvBufferSize = orDefault(v, v >= 1000 && v <= 30000, 30000);
    break;
  case 12:
    if (Connected(c)) return VORL_ERR_OPTION;
    o.sendBufferSize = orDefault(v, v >= 1000 && v <= 30000, 30000);
    try {
      resizeWindow(c, static_cast<int32_t>(c->slots.size()));
    } catch (const std::bad_alloc&) {
      return VORL_ERR_NOMEM;
    }
    break;
  case 13: {
    if (awaitingReplies(c)) return VORL_ERR_OPTION;
    const int32_t count = v < 0 ? 1 : (v > kWindowMax ? kWindowMax : v);
    try {
      resizeWindow(c, count);
    } catch (const std::bad_alloc&) {
      return VORL_ERR_NOMEM;
    }
    o.windowSize = count;
    break;
  }
  case 14: o.loadBalanceTime = orDefault(v, v >= 1, 0); break;
  case 15: o.loadBalanceThreshold = orDefault(v, v >= 1 && v <= 100, 0); break;
  case 16: o.loadBalanceSpread = orDefault(v, v >= 1, 30); break;
  }
  return VORL_OK;
}

} // namespace vorl

VORL_API int VORLSetOption(VORLHANDLE handle, int id, intptr_t value) {
  VORLClient* c = vorl::CheckClient(handle);
  if (c == nullptr) return VORL_ERR_INVALID_HANDLE;
  return vorl::SetClientOption(c, id, value);
}
