#include "hash/digest_core.h"

#include <bit>

namespace mox::hash {
namespace {

constexpr uint8_t kWord[48] = {0, 1, 2,  3, 4,  5,  6, 7, 8,  9, 10, 11, 12, 13, 14, 15,
                               7, 4, 13, 1, 10, 6,  15, 3, 12, 0, 9,  5,  14, 2,  11, 8,
                               3, 10, 2, 4, 9,  15, 8, 1, 14, 7, 0,  6,  11, 13, 5,  12};

constexpr uint8_t kShift[48] = {11, 14, 15, 12, 5,  8,  7,  9, 11, 13, 14, 15, 6, 7, 9,  8,
                                7,  6,  8,  13, 11, 9,  7,  15, 7, 12, 15, 9, 7, 11, 13, 12,
                                11, 13, 14, 7,  14, 9,  13, 15, 6, 8,  13, 6, 12, 5, 7,  5};

// One line of three rounds; the two lines differ only in their constants.
void line(uint32_t v[4], const uint32_t x[16], const uint32_t k[3])
{
    for (int j = 0; j < 48; ++j) {
        const int p = (4 - (j & 3)) & 3;
        const uint32_t b = v[(p + 1) & 3], c = v[(p + 2) & 3], d = v[(p + 3) & 3];
        uint32_t f;
        if (j < 16)
            f = ((c ^ d) & b) ^ d;
        else if (j < 32)
            f = (b & c) | ((b | c) & d);
        else
            f = b ^ c ^ d;
        v[p] = std::rotl(v[p] + f + x[kWord[j]] + k[j / 16], kShift[j]);
    }
}

} // namespace

void ripemd_compress(Words4& s, const uint8_t* data, size_t count)
{
    static constexpr uint32_t kLeft[3] = {0, 0x5A827999u, 0x6ED9EBA1u};
    static constexpr uint32_t kRight[3] = {0x50A28BE6u, 0, 0x5C4DD124u};
    for (; count > 0; --count, data += 64) {
        uint32_t x[16];
        for (int i = 0; i < 16; ++i)
            x[i] = load_le32(data + 4 * i);
        uint32_t l[4] = {s.h[0], s.h[1], s.h[2], s.h[3]};
        uint32_t r[4] = {s.h[0], s.h[1], s.h[2], s.h[3]};
        line(l, x, kLeft);
        line(r, x, kRight);
        const uint32_t t = s.h[1] + l[2] + r[3];
        s.h[1] = s.h[2] + l[3] + r[0];
        s.h[2] = s.h[3] + l[0] + r[1];
        s.h[3] = s.h[0] + l[1] + r[2];
        s.h[0] = t;
    }
}

} // namespace mox::hash
