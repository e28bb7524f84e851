#include "hash/digest_core.h"

#include <bit>
#include <cpuid.h>
#include <immintrin.h>
#include <utility>

namespace mox::hash {
namespace {

inline uint32_t be32(const uint8_t* p)
{
    return (uint32_t(p[0]) << 24) | (uint32_t(p[1]) << 16) | (uint32_t(p[2]) << 8) | uint32_t(p[3]);
}

// One four-round step of the SHA extension path. G is the step number 0..19;
// the message words live in four registers used round-robin, and each step
// also advances the schedule of the words needed three steps later.
template <int G>
__attribute__((target("sha,sse4.1"), always_inline)) inline void
ni_step(__m128i& abcd, __m128i& e0, __m128i& e1, __m128i (&m)[4])
{
    constexpr int a = G % 4, b = (G + 1) % 4, c = (G + 2) % 4, d = (G + 3) % 4;
    __m128i& en = (G % 2 == 0) ? e0 : e1;
    __m128i& eo = (G % 2 == 0) ? e1 : e0;
    if constexpr (G == 0)
        en = _mm_add_epi32(en, m[0]);
    else
        en = _mm_sha1nexte_epu32(en, m[a]);
    eo = abcd;
    if constexpr (G >= 3 && G <= 18)
        m[b] = _mm_sha1msg2_epu32(m[b], m[a]);
    abcd = _mm_sha1rnds4_epu32(abcd, en, G / 5);
    if constexpr (G >= 1 && G <= 16)
        m[d] = _mm_sha1msg1_epu32(m[d], m[a]);
    if constexpr (G >= 2 && G <= 17)
        m[c] = _mm_xor_si128(m[c], m[a]);
}

template <int... G>
__attribute__((target("sha,sse4.1"), always_inline)) inline void
ni_steps(__m128i& abcd, __m128i& e0, __m128i& e1, __m128i (&m)[4], std::integer_sequence<int, G...>)
{
    (ni_step<G>(abcd, e0, e1, m), ...);
}

__attribute__((target("sha,sse4.1"))) void sha1_compress_ni(Words5& s, const uint8_t* data,
                                                             size_t count)
{
    const __m128i mask = _mm_set_epi64x(0x0001020304050607LL, 0x08090a0b0c0d0e0fLL);
    __m128i abcd = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s.h));
    abcd = _mm_shuffle_epi32(abcd, 0x1B);
    __m128i e0 = _mm_set_epi32(int(s.h[4]), 0, 0, 0);
    for (; count > 0; --count, data += 64) {
        const __m128i abcd_save = abcd;
        const __m128i e_save = e0;
        __m128i m[4];
        for (int i = 0; i < 4; ++i)
            m[i] = _mm_shuffle_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(data + 16 * i)),
                                    mask);
        __m128i e1;
        ni_steps(abcd, e0, e1, m, std::make_integer_sequence<int, 20>{});
        e0 = _mm_sha1nexte_epu32(e0, e_save);
        abcd = _mm_add_epi32(abcd, abcd_save);
    }
    abcd = _mm_shuffle_epi32(abcd, 0x1B);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(s.h), abcd);
    s.h[4] = uint32_t(_mm_extract_epi32(e0, 3));
}

bool cpu_has_sha()
{
    unsigned a, b, c, d;
    if (!__get_cpuid(1, &a, &b, &c, &d) || !(c & bit_SSE4_1) || !(c & bit_SSSE3))
        return false;
    if (!__get_cpuid_count(7, 0, &a, &b, &c, &d))
        return false;
    return (b & (1u << 29)) != 0;
}


} // namespace

void sha1_compress_portable(Words5& s, const uint8_t* data, size_t count)
{
    for (; count > 0; --count, data += 64) {
        uint32_t w[16];
        for (int i = 0; i < 16; ++i)
            w[i] = be32(data + 4 * i);
        uint32_t a = s.h[0], b = s.h[1], c = s.h[2], d = s.h[3], e = s.h[4];
        auto round = [&](int i, uint32_t f, uint32_t k) {
            uint32_t wi;
            if (i < 16) {
                wi = w[i];
            } else {
                wi = std::rotl(w[(i + 13) & 15] ^ w[(i + 8) & 15] ^ w[(i + 2) & 15] ^ w[i & 15], 1);
                w[i & 15] = wi;
            }
            const uint32_t t = std::rotl(a, 5) + f + e + k + wi;
            e = d;
            d = c;
            c = std::rotl(b, 30);
            b = a;
            a = t;
        };
        for (int i = 0; i < 20; ++i)
            round(i, d ^ (b & (c ^ d)), 0x5A827999u);
        for (int i = 20; i < 40; ++i)
            round(i, b ^ c ^ d, 0x6ED9EBA1u);
        for (int i = 40; i < 60; ++i)
            round(i, (b & c) | (d & (b | c)), 0x8F1BBCDCu);
        for (int i = 60; i < 80; ++i)
            round(i, b ^ c ^ d, 0xCA62C1D6u);
        s.h[0] += a;
        s.h[1] += b;
        s.h[2] += c;
        s.h[3] += d;
        s.h[4] += e;
    }
}

void sha1_compress(Words5& s, const uint8_t* data, size_t count)
{
    using CompressFn = void (*)(Words5&, const uint8_t*, size_t);
    static const CompressFn fn = cpu_has_sha() ? sha1_compress_ni : sha1_compress_portable;
    fn(s, data, count);
}

Sha1::Sha1() : frame_(Words5{{0x67452301u, 0xEFCDAB89u, 0x98BADCFEu, 0x10325476u, 0xC3D2E1F0u}}) {}

void Sha1::finish(uint8_t out[kSize])
{
    const Words5& s = frame_.finish();
    for (int i = 0; i < 5; ++i)
        des::store_be32(out + 4 * i, s.h[i]);
}

} // namespace mox::hash
