// Digit-array addition, subtraction, multiplication and comparison.
#include "mpa/mpa.h"

int mpa_norm(const mpa_dig* a, int n)
{
    while (n > 1 && a[n - 1] == 0)
        --n;
    return n < 1 ? 1 : n;
}

int mpa_cmp(const mpa_dig* a, int na, const mpa_dig* b, int nb)
{
    if (na != nb)
        return na < nb ? -1 : 1;
    for (int i = na; i-- > 0;)
        if (a[i] != b[i])
            return a[i] < b[i] ? -1 : 1;
    return 0;
}

int mpa_bitlen(const mpa_dig* a, int n)
{
    n = mpa_norm(a, n);
    mpa_dig top = a[n - 1];
    if (top == 0)
        return 1;
    return (n - 1) * MPA_BITS + (MPA_BITS - __builtin_clz(top));
}

int mpa_add(mpa_dig* r, const mpa_dig* a, int na, const mpa_dig* b, int nb)
{
    if (na < nb) {
        const mpa_dig* t = a;
        a = b;
        b = t;
        int tn = na;
        na = nb;
        nb = tn;
    }
    uint64_t carry = 0;
    int i = 0;
    for (; i < nb; ++i) {
        carry += uint64_t(a[i]) + b[i];
        r[i] = static_cast<mpa_dig>(carry);
        carry >>= 32;
    }
    for (; i < na; ++i) {
        carry += a[i];
        r[i] = static_cast<mpa_dig>(carry);
        carry >>= 32;
    }
    r[na] = static_cast<mpa_dig>(carry);
    return mpa_norm(r, na + 1);
}

int mpa_sub(mpa_dig* r, const mpa_dig* a, int na, const mpa_dig* b, int nb)
{
    uint64_t borrow = 0;
    int i = 0;
    for (; i < nb; ++i) {
        uint64_t d = uint64_t(a[i]) - b[i] - borrow;
        r[i] = static_cast<mpa_dig>(d);
        borrow = (d >> 32) & 1;
    }
    for (; i < na; ++i) {
        uint64_t d = uint64_t(a[i]) - borrow;
        r[i] = static_cast<mpa_dig>(d);
        borrow = (d >> 32) & 1;
    }
    return mpa_norm(r, na);
}

int mpa_mul(mpa_dig* r, const mpa_dig* a, int na, const mpa_dig* b, int nb)
{
    if ((na == 1 && a[0] == 0) || (nb == 1 && b[0] == 0)) {
        r[0] = 0;
        return 1;
    }
    for (int i = 0; i < na + nb; ++i)
        r[i] = 0;
    for (int i = 0; i < na; ++i) {
        uint64_t ai = a[i];
        uint64_t carry = 0;
        for (int j = 0; j < nb; ++j) {
            carry += ai * b[j] + r[i + j];
            r[i + j] = static_cast<mpa_dig>(carry);
            carry >>= 32;
        }
        r[i + nb] = static_cast<mpa_dig>(carry);
    }
    return mpa_norm(r, na + nb);
}

mpa_dig mpa_div1(mpa_dig* q, int* nq, const mpa_dig* a, int na, mpa_dig d)
{
    uint64_t rem = 0;
    for (int i = na; i-- > 0;) {
        uint64_t cur = (rem << 32) | a[i];
        q[i] = static_cast<mpa_dig>(cur / d);
        rem = cur % d;
    }
    *nq = mpa_norm(q, na);
    return static_cast<mpa_dig>(rem);
}

uint32_t mpa_smod(const mpa_dig* a, int n, uint32_t p, uint32_t r16, uint32_t r32)
{
    // Every intermediate stays below 2^32: p < 40504 keeps p * p + 65535 in range.
    uint32_t acc = 0;
    for (int i = n; i-- > 0;) {
        uint32_t d = ((a[i] >> MPA_BIT_2) % p * r16 + (a[i] & 0xFFFF)) % p;
        acc = (acc * r32 + d) % p;
    }
    return acc;
}

uint32_t mpa_sqrt_word(uint32_t v)
{
    uint32_t root = 0;
    uint32_t bit = 1u << 30;
    while (bit > v)
        bit >>= 2;
    while (bit != 0) {
        if (v >= root + bit) {
            v -= root + bit;
            root = (root >> 1) + bit;
        } else {
            root >>= 1;
        }
        bit >>= 2;
    }
    return root;
}

int mpa_exp_window(const mpa_dig* exp, int nexp)
{
    nexp = mpa_norm(exp, nexp);
    int ones = 0;
    for (int i = 0; i < nexp; ++i)
        ones += __builtin_popcount(exp[i]);
    int windows = 0;
    auto count = [&](unsigned) {
        ++windows;
        return true;
    };
    mpa_exp_walk(exp, nexp, 4, count, [] { return true; }, count);
    // Products after the leading bit or window: ones - 1 bit by bit, 14 + windows - 1 by window.
    return ones - 1 < 14 + windows - 1 ? 1 : 4;
}
