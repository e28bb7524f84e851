#pragma once
// Builders of wire packets for the tests (independent of the library's writers).
#include <cstdint>
#include <string>
#include <vector>

#include "vorl/codec.h"

namespace vorl::test {

struct TestMsg {
  uint16_t type;
  std::string data;
  uint32_t handle = 0;
};

inline std::vector<uint8_t> buildPacket(const std::vector<TestMsg>& msgs, uint32_t seq = 1,
                                        uint8_t kind = 2) {
  std::vector<uint8_t> out(16);
  for (const auto& m : msgs) {
    const std::size_t at = out.size();
    out.resize(at + 20 + m.data.size());
    VORLMsg h{m.type, static_cast<uint16_t>(m.data.size()), 0, 0, 0xFFFF, seq, m.handle};
    wire::encode(h, out.data() + at);
    std::copy(m.data.begin(), m.data.end(), out.begin() + static_cast<long>(at) + 20);
  }
  VORLPktHdr hdr{kind, 0, 1, 0, seq, static_cast<uint16_t>(msgs.size()),
                 static_cast<uint16_t>(out.size())};
  wire::encode(hdr, out.data());
  return out;
}

inline std::vector<uint8_t> buildBCPacket(const std::vector<TestMsg>& msgs, uint32_t seq = 7) {
  std::vector<uint8_t> out(16);
  for (const auto& m : msgs) {
    out.resize(out.size() + static_cast<std::size_t>(EvenBoundary(static_cast<int>(out.size()))));
    const std::size_t at = out.size();
    out.resize(at + 4 + m.data.size());
    wire::encode(VORLBCMsg{m.type, static_cast<uint16_t>(m.data.size())}, out.data() + at);
    std::copy(m.data.begin(), m.data.end(), out.begin() + static_cast<long>(at) + 4);
  }
  VORLBCPktHdr hdr{0, seq, 0, static_cast<uint16_t>(msgs.size()), static_cast<uint16_t>(out.size())};
  wire::encode(hdr, out.data());
  return out;
}

} // namespace vorl::test
