// SHA-256 (FIPS 180-4), the workstation's own: kvcore links no crypto library.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "kvcore/kvcore_api.h"

class KVCORE_API KvSha256 {
public:
    using Digest = std::array<uint8_t, 32>;

    KvSha256();
    void Update(const void* data, size_t size);
    void Update(std::string_view bytes) { Update(bytes.data(), bytes.size()); }
    Digest Final();

    static Digest Hash(std::string_view bytes);

private:
    void Block(const uint8_t* p);
    std::array<uint32_t, 8> m_h;
    std::array<uint8_t, 64> m_buf {};
    size_t m_used = 0;
    uint64_t m_bytes = 0;
};
