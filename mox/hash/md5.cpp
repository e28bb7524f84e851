#include "hash/digest_core.h"

#include <bit>

namespace mox::hash {
namespace {

constexpr uint32_t kT[64] = {
    0xd76aa478, 0xe8c7b756, 0x242070db, 0xc1bdceee, 0xf57c0faf, 0x4787c62a, 0xa8304613, 0xfd469501,
    0x698098d8, 0x8b44f7af, 0xffff5bb1, 0x895cd7be, 0x6b901122, 0xfd987193, 0xa679438e, 0x49b40821,
    0xf61e2562, 0xc040b340, 0x265e5a51, 0xe9b6c7aa, 0xd62f105d, 0x02441453, 0xd8a1e681, 0xe7d3fbc8,
    0x21e1cde6, 0xc33707d6, 0xf4d50d87, 0x455a14ed, 0xa9e3e905, 0xfcefa3f8, 0x676f02d9, 0x8d2a4c8a,
    0xfffa3942, 0x8771f681, 0x6d9d6122, 0xfde5380c, 0xa4beea44, 0x4bdecfa9, 0xf6bb4b60, 0xbebfbc70,
    0x289b7ec6, 0xeaa127fa, 0xd4ef3085, 0x04881d05, 0xd9d4d039, 0xe6db99e5, 0x1fa27cf8, 0xc4ac5665,
    0xf4292244, 0x432aff97, 0xab9423a7, 0xfc93a039, 0x655b59c3, 0x8f0ccc92, 0xffeff47d, 0x85845dd1,
    0x6fa87e4f, 0xfe2ce6e0, 0xa3014314, 0x4e0811a1, 0xf7537e82, 0xbd3af235, 0x2ad7d2bb, 0xeb86d391};

} // namespace

void md5_compress(Words4& s, const uint8_t* data, size_t count)
{
    for (; count > 0; --count, data += 64) {
        uint32_t x[16];
        for (int i = 0; i < 16; ++i)
            x[i] = load_le32(data + 4 * i);
        uint32_t a = s.h[0], b = s.h[1], c = s.h[2], d = s.h[3];
        // The four registers rotate roles every step; writing the step for a
        // generic (a, b, c, d) and rotating the names keeps it branch-free.
        auto step = [](uint32_t& a, uint32_t b, uint32_t f, uint32_t x, uint32_t t, int r) {
            a = b + std::rotl(a + f + x + t, r);
        };
        for (int i = 0; i < 16; i += 4) {
            step(a, b, d ^ (b & (c ^ d)), x[i], kT[i], 7);
            step(d, a, c ^ (a & (b ^ c)), x[i + 1], kT[i + 1], 12);
            step(c, d, b ^ (d & (a ^ b)), x[i + 2], kT[i + 2], 17);
            step(b, c, a ^ (c & (d ^ a)), x[i + 3], kT[i + 3], 22);
        }
        for (int i = 0; i < 16; i += 4) {
            step(a, b, c ^ (d & (b ^ c)), x[(1 + 5 * i) & 15], kT[16 + i], 5);
            step(d, a, b ^ (c & (a ^ b)), x[(6 + 5 * i) & 15], kT[17 + i], 9);
            step(c, d, a ^ (b & (d ^ a)), x[(11 + 5 * i) & 15], kT[18 + i], 14);
            step(b, c, d ^ (a & (c ^ d)), x[(16 + 5 * i) & 15], kT[19 + i], 20);
        }
        for (int i = 0; i < 16; i += 4) {
            step(a, b, b ^ c ^ d, x[(5 + 3 * i) & 15], kT[32 + i], 4);
            step(d, a, a ^ b ^ c, x[(8 + 3 * i) & 15], kT[33 + i], 11);
            step(c, d, d ^ a ^ b, x[(11 + 3 * i) & 15], kT[34 + i], 16);
            step(b, c, c ^ d ^ a, x[(14 + 3 * i) & 15], kT[35 + i], 23);
        }
        for (int i = 0; i < 16; i += 4) {
            step(a, b, c ^ (b | ~d), x[(7 * i) & 15], kT[48 + i], 6);
            step(d, a, b ^ (a | ~c), x[(7 + 7 * i) & 15], kT[49 + i], 10);
            step(c, d, a ^ (d | ~b), x[(14 + 7 * i) & 15], kT[50 + i], 15);
            step(b, c, d ^ (c | ~a), x[(21 + 7 * i) & 15], kT[51 + i], 21);
        }
        s.h[0] += a;
        s.h[1] += b;
        s.h[2] += c;
        s.h[3] += d;
    }
}

} // namespace mox::hash
