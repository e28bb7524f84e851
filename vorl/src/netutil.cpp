// Versions, classful netmasks, the configuration string and the exit function.
#include <arpa/inet.h>

#include <cstdlib>
#include <cstring>

#include "netutil.h"
#include "vorl/util.h"

VORL_API int VORLVersionMajor(void) { return 4; }
VORL_API int VORLVersionMinor(void) { return 2; }
VORL_API int VORLVersionBuild(void) { return 9; }
VORL_API int VORLVersionInteger(void) { return 40209; }
VORL_API const char* VORLVersionString(void) { return "VORL Version 4.2 Build 9"; }
VORL_API int VORLVersionProtocol(void) { return VORL_PROTOCOL_VERSION; }

VORL_API uint32_t GetDefaultNetmask(uint32_t network) {
  const uint32_t h = ntohl(network);
  uint32_t mask = 0xFFFFFFFFu;
  if (h < 0x80000000u) {
    if ((h & 0x00FFFFFFu) == 0) mask = 0xFF000000u;
  } else if (h < 0xC0000000u) {
    if ((h & 0x0000FFFFu) == 0) mask = 0xFFFF0000u;
  } else if (h < 0xE0000000u) {
    if ((h & 0x000000FFu) == 0) mask = 0xFFFFFF00u;
  }
  return htonl(mask);
}

VORL_API uint32_t MergeAddressAndNetmask(uint32_t address, uint32_t mask) { return address | ~mask; }

VORL_API int CheckAddressAndNetmask(uint32_t address, uint32_t mask) {
  return (address & ~mask) == 0 ? 1 : 0;
}

VORL_API int AddressIsInNetwork(uint32_t a, uint32_t b, uint32_t mask) {
  return (a & mask) == (b & mask) ? 1 : 0;
}

namespace {
void copyCut(char* out, int size, const char* from, std::size_t length) {
  if (out == nullptr || size <= 0) return;
  const std::size_t room = static_cast<std::size_t>(size) - 1;
  const std::size_t n = length < room ? length : room;
  std::memcpy(out, from, n);
  out[n] = '\0';
}
} // namespace

VORL_API void SplitVORLConfigString(const char* text, char* file, int fileSize, char* section,
                                    int sectionSize) {
  if (text == nullptr) text = "";
  const char* comma = std::strchr(text, ',');
  if (comma == nullptr) {
    copyCut(file, fileSize, text, std::strlen(text));
    copyCut(section, sectionSize, "", 0);
    return;
  }
  copyCut(file, fileSize, text, static_cast<std::size_t>(comma - text));
  copyCut(section, sectionSize, comma + 1, std::strlen(comma + 1));
}

bool vorl::SplitWhole(const char* config, const char* file, const char* section) {
  if (config == nullptr) return *file == '\0' && *section == '\0';
  const char* comma = std::strchr(config, ',');
  const std::size_t whole = comma == nullptr ? std::strlen(file) : std::strlen(file) + 1 + std::strlen(section);
  return whole == std::strlen(config);
}

VORL_API void VORLExit(int code) { std::exit(code); }

VORL_API void sigpipehandler(int) {}
