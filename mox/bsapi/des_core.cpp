#include "bsapi/des_core.h"

#include <array>
#include <bit>

namespace mox::des {
namespace {

constexpr uint8_t kSBox[8][64] = {
    {14, 4,  13, 1, 2,  15, 11, 8,  3,  10, 6,  12, 5,  9,  0, 7,  0,  15, 7,  4,  14, 2,
     13, 1,  10, 6, 12, 11, 9,  5,  3,  8,  4,  1,  14, 8,  13, 6, 2,  11, 15, 12, 9,  7,
     3,  10, 5,  0, 15, 12, 8,  2,  4,  9,  1,  7,  5,  11, 3,  14, 10, 0, 6,  13},
    {15, 1,  8,  14, 6,  11, 3,  4,  9,  7, 2,  13, 12, 0, 5,  10, 3,  13, 4,  7,  15, 2,
     8,  14, 12, 0,  1,  10, 6,  9,  11, 5, 0,  14, 7,  11, 10, 4, 13, 1,  5,  8,  12, 6,
     9,  3,  2,  15, 13, 8,  10, 1,  3,  15, 4,  2,  11, 6,  7,  12, 0,  5, 14, 9},
    {10, 0,  9,  14, 6,  3,  15, 5,  1,  13, 12, 7,  11, 4,  2,  8,  13, 7,  0,  9,  3,  4,
     6,  10, 2,  8,  5,  14, 12, 11, 15, 1,  13, 6,  4,  9,  8,  15, 3,  0,  11, 1,  2,  12,
     5,  10, 14, 7,  1,  10, 13, 0,  6,  9,  8,  7,  4,  15, 14, 3,  11, 5,  2,  12},
    {7,  13, 14, 3,  0,  6,  9,  10, 1, 2,  8,  5,  11, 12, 4,  15, 13, 8, 11, 5,  6,  15,
     0,  3,  4,  7,  2,  12, 1,  10, 14, 9, 10, 6,  9,  0,  12, 11, 7,  13, 15, 1, 3,  14,
     5,  2,  8,  4,  3,  15, 0,  6,  10, 1, 13, 8,  9,  4,  5,  11, 12, 7,  2,  14},
    {2,  12, 4,  1,  7,  10, 11, 6,  8, 5,  3,  15, 13, 0,  14, 9,  14, 11, 2,  12, 4,  7,
     13, 1,  5,  0,  15, 10, 3,  9,  8, 6,  4,  2,  1,  11, 10, 13, 7,  8,  15, 9,  12, 5,
     6,  3,  0,  14, 11, 8,  12, 7,  1, 14, 2,  13, 6,  15, 0,  9,  10, 4,  5,  3},
    {12, 1,  10, 15, 9,  2,  6,  8,  0, 13, 3, 4,  14, 7,  5,  11, 10, 15, 4,  2,  7,  12,
     9,  5,  6,  1,  13, 14, 0,  11, 3, 8,  9, 14, 15, 5,  2,  8,  12, 3,  7,  0,  4,  10,
     1,  13, 11, 6,  4,  3,  2,  12, 9, 5,  15, 10, 11, 14, 1,  7,  6,  0,  8,  13},
    {4,  11, 2,  14, 15, 0,  8,  13, 3, 12, 9,  7,  5,  10, 6, 1,  13, 0,  11, 7, 4,  9,
     1,  10, 14, 3,  5,  12, 2,  15, 8, 6,  1,  4,  11, 13, 12, 3, 7,  14, 10, 15, 6, 8,
     0,  5,  9,  2,  6,  11, 13, 8,  1, 4,  10, 7,  9,  5,  0,  15, 14, 2,  3,  12},
    {13, 2,  8, 4,  6,  15, 11, 1,  10, 9,  3,  14, 5,  0,  12, 7,  1,  15, 13, 8,  10, 3,
     7,  4,  12, 5, 6,  11, 0,  14, 9,  2,  7,  11, 4,  1,  9,  12, 14, 2,  0,  6,  10, 13,
     15, 3,  5,  8,  2,  1,  14, 7,  4,  10, 8,  13, 15, 12, 9,  0,  3,  5,  6,  11},
};

constexpr uint8_t kP[32] = {16, 7, 20, 21, 29, 12, 28, 17, 1,  15, 23, 26, 5,  18, 31, 10,
                            2,  8, 24, 14, 32, 27, 3,  9,  19, 13, 30, 6,  22, 11, 4,  25};

constexpr uint8_t kPC1[56] = {57, 49, 41, 33, 25, 17, 9,  1,  58, 50, 42, 34, 26, 18,
                              10, 2,  59, 51, 43, 35, 27, 19, 11, 3,  60, 52, 44, 36,
                              63, 55, 47, 39, 31, 23, 15, 7,  62, 54, 46, 38, 30, 22,
                              14, 6,  61, 53, 45, 37, 29, 21, 13, 5,  28, 20, 12, 4};

constexpr uint8_t kPC2[48] = {14, 17, 11, 24, 1,  5,  3,  28, 15, 6,  21, 10, 23, 19, 12, 4,
                              26, 8,  16, 7,  27, 20, 13, 2,  41, 52, 31, 37, 47, 55, 30, 40,
                              51, 45, 33, 48, 44, 49, 39, 56, 34, 53, 46, 42, 50, 36, 29, 32};

constexpr uint8_t kShifts[16] = {1, 1, 2, 2, 2, 2, 2, 2, 1, 2, 2, 2, 2, 2, 2, 1};

// S-box n combined with the P permutation, indexed directly by the 6-bit
// expansion group. Values are rotated left by one bit because the round
// function works on halves kept rotated (which lines the expansion groups up
// on byte boundaries).
constexpr std::array<std::array<uint32_t, 64>, 8> make_sp()
{
    std::array<std::array<uint32_t, 64>, 8> sp{};
    for (int n = 0; n < 8; ++n) {
        for (int v = 0; v < 64; ++v) {
            const int row = ((v >> 4) & 2) | (v & 1);
            const int col = (v >> 1) & 0xF;
            const uint32_t s = uint32_t(kSBox[n][row * 16 + col]) << (28 - 4 * n);
            uint32_t p = 0;
            for (int i = 0; i < 32; ++i) {
                if (s & (0x80000000u >> (kP[i] - 1)))
                    p |= 0x80000000u >> i;
            }
            sp[n][v] = (p << 1) | (p >> 31);
        }
    }
    return sp;
}

constexpr auto kSP = make_sp();

inline void perm_op(uint32_t& a, uint32_t& b, int n, uint32_t m)
{
    const uint32_t t = ((a >> n) ^ b) & m;
    b ^= t;
    a ^= t << n;
}

// Initial permutation; leaves both halves rotated left by one.
inline void initial_perm(uint32_t& l, uint32_t& r)
{
    perm_op(l, r, 4, 0x0f0f0f0fu);
    perm_op(l, r, 16, 0x0000ffffu);
    perm_op(r, l, 2, 0x33333333u);
    perm_op(r, l, 8, 0x00ff00ffu);
    r = std::rotl(r, 1);
    const uint32_t w = (l ^ r) & 0xaaaaaaaau;
    l ^= w;
    r ^= w;
    l = std::rotl(l, 1);
}

// Final permutation of the rotated pre-output halves (first, second).
inline void final_perm(uint32_t& first, uint32_t& second)
{
    first = std::rotr(first, 1);
    const uint32_t w = (second ^ first) & 0xaaaaaaaau;
    second ^= w;
    first ^= w;
    second = std::rotr(second, 1);
    perm_op(second, first, 8, 0x00ff00ffu);
    perm_op(second, first, 2, 0x33333333u);
    perm_op(first, second, 16, 0x0000ffffu);
    perm_op(first, second, 4, 0x0f0f0f0fu);
}

inline uint32_t feistel(uint32_t r, const uint32_t* k)
{
    uint32_t w = std::rotr(r, 4) ^ k[0];
    uint32_t f = kSP[6][w & 0x3f] | kSP[4][(w >> 8) & 0x3f] | kSP[2][(w >> 16) & 0x3f] |
                 kSP[0][(w >> 24) & 0x3f];
    w = r ^ k[1];
    f |= kSP[7][w & 0x3f] | kSP[5][(w >> 8) & 0x3f] | kSP[3][(w >> 16) & 0x3f] |
         kSP[1][(w >> 24) & 0x3f];
    return f;
}

// Sixteen rounds on rotated halves, without the closing exchange.
inline void rounds(uint32_t& l, uint32_t& r, const Schedule& s)
{
    const uint32_t* k = s.k;
    for (int i = 0; i < 8; ++i) {
        l ^= feistel(r, k);
        r ^= feistel(l, k + 2);
        k += 4;
    }
}

void groups_to_round(const uint8_t g[8], uint32_t* out)
{
    out[0] = (uint32_t(g[0]) << 24) | (uint32_t(g[2]) << 16) | (uint32_t(g[4]) << 8) | g[6];
    out[1] = (uint32_t(g[1]) << 24) | (uint32_t(g[3]) << 16) | (uint32_t(g[5]) << 8) | g[7];
}

void reverse_rounds(Schedule& s)
{
    for (int i = 0; i < 8; ++i) {
        std::swap(s.k[2 * i], s.k[30 - 2 * i]);
        std::swap(s.k[2 * i + 1], s.k[31 - 2 * i]);
    }
}

} // namespace

void make_schedule(const uint8_t key[8], bool decrypt, Schedule& out)
{
    uint64_t k = 0;
    for (int i = 0; i < 8; ++i)
        k = (k << 8) | key[i];
    uint32_t c = 0, d = 0;
    for (int i = 0; i < 28; ++i) {
        c = (c << 1) | uint32_t((k >> (64 - kPC1[i])) & 1);
        d = (d << 1) | uint32_t((k >> (64 - kPC1[28 + i])) & 1);
    }
    for (int round = 0; round < 16; ++round) {
        const int sh = kShifts[round];
        c = ((c << sh) | (c >> (28 - sh))) & 0x0fffffffu;
        d = ((d << sh) | (d >> (28 - sh))) & 0x0fffffffu;
        const uint64_t cd = (uint64_t(c) << 28) | d;
        uint8_t g[8] = {};
        for (int i = 0; i < 48; ++i) {
            const uint8_t bit = uint8_t((cd >> (56 - kPC2[i])) & 1);
            g[i / 6] = uint8_t((g[i / 6] << 1) | bit);
        }
        groups_to_round(g, &out.k[2 * round]);
    }
    if (decrypt)
        reverse_rounds(out);
}

void schedule_from_expanded(const uint8_t expanded[96], bool decrypt, Schedule& out)
{
    for (int round = 0; round < 16; ++round) {
        uint64_t v = 0;
        for (int i = 0; i < 6; ++i)
            v = (v << 8) | expanded[round * 6 + i];
        uint8_t g[8];
        for (int i = 0; i < 8; ++i)
            g[i] = uint8_t((v >> (42 - 6 * i)) & 0x3f);
        groups_to_round(g, &out.k[2 * round]);
    }
    if (decrypt)
        reverse_rounds(out);
}

void expand_schedule(const Schedule& s, uint8_t expanded[96])
{
    for (int round = 0; round < 16; ++round) {
        const uint32_t k0 = s.k[2 * round], k1 = s.k[2 * round + 1];
        const uint8_t g[8] = {uint8_t(k0 >> 24), uint8_t(k1 >> 24), uint8_t(k0 >> 16),
                              uint8_t(k1 >> 16), uint8_t(k0 >> 8),  uint8_t(k1 >> 8),
                              uint8_t(k0),       uint8_t(k1)};
        uint64_t v = 0;
        for (int i = 0; i < 8; ++i)
            v = (v << 6) | (g[i] & 0x3f);
        for (int i = 0; i < 6; ++i)
            expanded[round * 6 + i] = uint8_t(v >> (40 - 8 * i));
    }
}

int distinct_round_keys(const Schedule& s)
{
    int distinct = 0;
    for (int i = 0; i < 16; ++i) {
        bool seen = false;
        for (int j = 0; j < i && !seen; ++j)
            seen = s.k[2 * j] == s.k[2 * i] && s.k[2 * j + 1] == s.k[2 * i + 1];
        if (!seen)
            ++distinct;
    }
    return distinct;
}

void crypt_block(uint32_t& left, uint32_t& right, const Schedule& s, bool permute)
{
    uint32_t l = left, r = right;
    if (permute) {
        initial_perm(l, r);
    } else {
        l = std::rotl(l, 1);
        r = std::rotl(r, 1);
    }
    rounds(l, r, s);
    if (permute) {
        final_perm(r, l);
        left = r;
        right = l;
    } else {
        left = std::rotr(r, 1);
        right = std::rotr(l, 1);
    }
}

void crypt_block3(uint32_t& left, uint32_t& right, const Schedule& s0, const Schedule& s1,
                  const Schedule& s2, bool permute)
{
    uint32_t l = left, r = right;
    if (permute) {
        initial_perm(l, r);
    } else {
        l = std::rotl(l, 1);
        r = std::rotl(r, 1);
    }
    // Each pass ends with the halves exchanged, so the next pass starts from (r, l).
    rounds(l, r, s0);
    rounds(r, l, s1);
    rounds(l, r, s2);
    if (permute) {
        final_perm(r, l);
        left = r;
        right = l;
    } else {
        left = std::rotr(r, 1);
        right = std::rotr(l, 1);
    }
}

void crypt_bytes(uint8_t block[8], const Schedule& s)
{
    uint32_t l = load_be32(block), r = load_be32(block + 4);
    crypt_block(l, r, s, true);
    store_be32(block, l);
    store_be32(block + 4, r);
}

void set_odd_parity(uint8_t key[8])
{
    for (int i = 0; i < 8; ++i) {
        const uint8_t high = key[i] & 0xFE;
        key[i] = uint8_t(high | ((std::popcount(unsigned(high)) & 1) ? 0 : 1));
    }
}

bool has_odd_parity(const uint8_t key[8])
{
    for (int i = 0; i < 8; ++i) {
        if ((std::popcount(unsigned(key[i])) & 1) == 0)
            return false;
    }
    return true;
}

} // namespace mox::des
