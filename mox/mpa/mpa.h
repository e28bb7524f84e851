// Digit-array arithmetic on unsigned magnitudes: little-endian vectors of 32-bit digits.
// A magnitude (d, n) is normalised when n >= 1 and d[n-1] != 0 unless n == 1 (the value 0).
// Result buffers are sized by the caller as each function states.
#pragma once

#include <cstddef>
#include <cstdint>

using mpa_dig = uint32_t;
inline constexpr int MPA_BITS = 32;
inline constexpr int MPA_BIT_2 = 16;

int mpa_norm(const mpa_dig* a, int n);
int mpa_cmp(const mpa_dig* a, int na, const mpa_dig* b, int nb);
int mpa_bitlen(const mpa_dig* a, int n); // 0 counts as 1 bit
// r = a + b; r holds max(na, nb) + 1 digits and may be a or b. Returns the normalised length.
int mpa_add(mpa_dig* r, const mpa_dig* a, int na, const mpa_dig* b, int nb);
// r = a - b for a >= b; r holds na digits and may be a or b.
int mpa_sub(mpa_dig* r, const mpa_dig* a, int na, const mpa_dig* b, int nb);
// r = a * b; r holds na + nb digits and must not overlap a or b.
int mpa_mul(mpa_dig* r, const mpa_dig* a, int na, const mpa_dig* b, int nb);
// Short division: q = a / d (q holds na digits, may be a), returns a mod d. d != 0.
mpa_dig mpa_div1(mpa_dig* q, int* nq, const mpa_dig* a, int na, mpa_dig d);
// Long division, nb >= 2 and na >= nb, b normalised: q = a / b (na - nb + 1 digits),
// r = a mod b (nb digits). work holds na + nb + 1 digits. q, r, work must not overlap a or b.
void mpa_divmod(mpa_dig* q, int* nq, mpa_dig* r, int* nr, const mpa_dig* a, int na, const mpa_dig* b, int nb,
    mpa_dig* work);
// Digits needed by mpa_divmod's work area.
inline int mpa_divmod_work(int na, int nb)
{
    return na + nb + 1;
}
// Residue modulo a small prime p < 40504 with r16 = 2^16 mod p and r32 = 2^32 mod p.
uint32_t mpa_smod(const mpa_dig* a, int n, uint32_t p, uint32_t r16, uint32_t r32);
// floor(sqrt(v)) of a word, bit by bit.
uint32_t mpa_sqrt_word(uint32_t v);

// The window width a modular power over exp should read it with: 1 (square-and-multiply, base^1
// alone) when that needs fewer products than 4-bit windows, whose table of base^1 .. base^15
// alone costs 14 (a sparse exponent such as 65537, or zero); else 4.
int mpa_exp_window(const mpa_dig* exp, int nexp);

// Reads exp from its most significant bit in windows of up to `width` bits (1 .. 4) that begin
// with a set bit: first(v) for the leading window of value v, then for each bit square() and for
// each later window mul(v) after its squarings. A zero exponent calls nothing. Each step returns
// false to stop the walk, which then returns false.
template <typename First, typename Square, typename Mul>
bool mpa_exp_walk(const mpa_dig* exp, int nexp, int width, First first, Square square, Mul mul)
{
    auto bit = [&](int i) { return (exp[i / 32] >> (i % 32)) & 1; };
    bool started = false;
    for (int i = mpa_bitlen(exp, nexp) - 1; i >= 0;) {
        if (!bit(i)) {
            if (started && !square())
                return false;
            --i;
            continue;
        }
        const int w = i + 1 < width ? i + 1 : width;
        unsigned v = 0;
        for (int k = 0; k < w; ++k)
            v = (v << 1) | bit(i - k);
        if (started) {
            for (int k = 0; k < w; ++k)
                if (!square())
                    return false;
            if (!mul(v))
                return false;
        } else if (!first(v)) {
            return false;
        }
        started = true;
        i -= w;
    }
    return true;
}

// Montgomery arithmetic for odd moduli over 64-bit limbs, the kernel of the modular power.
struct mpa_mont;
// Prepares a modulus of n digits (odd, n >= 1); null when out of memory.
mpa_mont* mpa_mont_new(const mpa_dig* m, int n);
void mpa_mont_free(mpa_mont* ctx);
// r = base ^ exp mod m with a 4-bit window; base < m. r holds n digits. Returns the length, or 0
// when out of memory.
int mpa_mont_expmod(mpa_mont* ctx, mpa_dig* r, const mpa_dig* base, int nbase, const mpa_dig* exp, int nexp);
