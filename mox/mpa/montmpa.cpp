// Montgomery multiplication over 64-bit limbs, and the windowed modular power built on it.
// An odd modulus (every RSA modulus and prime) avoids a long division after each product.
#include "mpa/mpa.h"

#include "mox/ut.h"

#include <cstring>

using u128 = unsigned __int128;

struct mpa_mont {
    int n; // limbs
    int ndig; // digits of the modulus
    uint64_t minv; // -m^-1 mod 2^64
    uint64_t* m; // modulus
    uint64_t* rr; // R^2 mod m, R = 2^(64 n)
    uint64_t* t; // 2n + 2 limbs of product scratch
    uint64_t* pool; // one allocation behind every array above
};

namespace {

void toLimbs(uint64_t* out, int n, const mpa_dig* a, int na)
{
    for (int i = 0; i < n; ++i) {
        uint64_t lo = 2 * i < na ? a[2 * i] : 0;
        uint64_t hi = 2 * i + 1 < na ? a[2 * i + 1] : 0;
        out[i] = lo | (hi << 32);
    }
}

// r = t mod m for t < 2m of n + 1 limbs (t[n] the possible extra bit): m subtracted at most once.
inline void reduceOnce(const mpa_mont& c, uint64_t* r, const uint64_t* t)
{
    const int n = c.n;
    bool geq = t[n] != 0;
    if (!geq) {
        geq = true;
        for (int j = n; j-- > 0;) {
            if (t[j] != c.m[j]) {
                geq = t[j] > c.m[j];
                break;
            }
        }
    }
    if (geq) {
        uint64_t borrow = 0;
        for (int j = 0; j < n; ++j) {
            u128 d = u128(t[j]) - c.m[j] - borrow;
            r[j] = static_cast<uint64_t>(d);
            borrow = static_cast<uint64_t>(d >> 64) & 1;
        }
    } else {
        std::memmove(r, t, sizeof(uint64_t) * n);
    }
}

// r = a * b / R mod m (CIOS); a, b < m; r may alias a or b.
void montMul(const mpa_mont& c, uint64_t* r, const uint64_t* a, const uint64_t* b)
{
    const int n = c.n;
    uint64_t* t = c.t;
    std::memset(t, 0, sizeof(uint64_t) * (n + 2));
    for (int i = 0; i < n; ++i) {
        uint64_t carry = 0;
        const uint64_t bi = b[i];
        for (int j = 0; j < n; ++j) {
            u128 s = u128(a[j]) * bi + t[j] + carry;
            t[j] = static_cast<uint64_t>(s);
            carry = static_cast<uint64_t>(s >> 64);
        }
        u128 s = u128(t[n]) + carry;
        t[n] = static_cast<uint64_t>(s);
        t[n + 1] = static_cast<uint64_t>(s >> 64);

        const uint64_t q = t[0] * c.minv;
        s = u128(q) * c.m[0] + t[0];
        carry = static_cast<uint64_t>(s >> 64);
        for (int j = 1; j < n; ++j) {
            s = u128(q) * c.m[j] + t[j] + carry;
            t[j - 1] = static_cast<uint64_t>(s);
            carry = static_cast<uint64_t>(s >> 64);
        }
        s = u128(t[n]) + carry;
        t[n - 1] = static_cast<uint64_t>(s);
        t[n] = t[n + 1] + static_cast<uint64_t>(s >> 64);
    }
    reduceOnce(c, r, t);
}

// r = a^2 / R mod m: the square needs about half the products of a general multiplication,
// and squarings are most of a modular power's work.
void montSqr(const mpa_mont& c, uint64_t* r, const uint64_t* a)
{
    const int n = c.n;
    uint64_t* t = c.t;
    std::memset(t, 0, sizeof(uint64_t) * (2 * n + 2));
    for (int i = 0; i < n; ++i) {
        uint64_t carry = 0;
        for (int j = i + 1; j < n; ++j) {
            u128 s = u128(a[i]) * a[j] + t[i + j] + carry;
            t[i + j] = static_cast<uint64_t>(s);
            carry = static_cast<uint64_t>(s >> 64);
        }
        t[i + n] = carry;
    }
    uint64_t top = 0;
    for (int i = 0; i < 2 * n; ++i) { // double the cross products
        uint64_t v = t[i];
        t[i] = (v << 1) | top;
        top = v >> 63;
    }
    uint64_t carry = 0;
    for (int i = 0; i < n; ++i) { // add the squares on the diagonal
        u128 s = u128(a[i]) * a[i] + t[2 * i] + carry;
        t[2 * i] = static_cast<uint64_t>(s);
        u128 s2 = u128(t[2 * i + 1]) + static_cast<uint64_t>(s >> 64);
        t[2 * i + 1] = static_cast<uint64_t>(s2);
        carry = static_cast<uint64_t>(s2 >> 64);
    }
    // Montgomery reduction of the 2n-limb square.
    for (int i = 0; i < n; ++i) {
        const uint64_t q = t[i] * c.minv;
        uint64_t cy = 0;
        for (int j = 0; j < n; ++j) {
            u128 s = u128(q) * c.m[j] + t[i + j] + cy;
            t[i + j] = static_cast<uint64_t>(s);
            cy = static_cast<uint64_t>(s >> 64);
        }
        for (int k = i + n; cy != 0 && k < 2 * n + 2; ++k) {
            u128 s = u128(t[k]) + cy;
            t[k] = static_cast<uint64_t>(s);
            cy = static_cast<uint64_t>(s >> 64);
        }
    }
    reduceOnce(c, r, t + n);
}

} // namespace

mpa_mont* mpa_mont_new(const mpa_dig* m, int ndig)
{
    const int n = (ndig + 1) / 2;
    auto* c = static_cast<mpa_mont*>(ut_alloc(UT_HERE, sizeof(mpa_mont)));
    // R^2 needs 4n + 1 digits of dividend; the division needs its quotient, remainder and work.
    const int big = 4 * n + 1;
    const size_t digits = size_t(big) + big + ndig + mpa_divmod_work(big, ndig);
    auto* pool = static_cast<uint64_t*>(
        ut_alloc(UT_HERE, sizeof(uint64_t) * (4 * n + 2) + sizeof(mpa_dig) * digits));
    if (!c || !pool) {
        ut_free(UT_HERE, c);
        ut_free(UT_HERE, pool);
        return nullptr;
    }
    c->n = n;
    c->ndig = ndig;
    c->pool = pool;
    c->m = pool;
    c->rr = pool + n;
    c->t = pool + 2 * n;
    toLimbs(c->m, n, m, ndig);

    uint64_t inv = c->m[0]; // Newton's iteration doubles the correct low bits each round
    for (int i = 0; i < 6; ++i)
        inv *= 2 - c->m[0] * inv;
    c->minv = ~inv + 1;

    auto* d = reinterpret_cast<mpa_dig*>(pool + 4 * n + 2);
    mpa_dig* dividend = d;
    mpa_dig* q = d + big;
    mpa_dig* rem = q + big;
    mpa_dig* work = rem + ndig;
    std::memset(dividend, 0, sizeof(mpa_dig) * big);
    dividend[big - 1] = 1;
    int nq = 0, nr = 0;
    if (ndig == 1) {
        rem[0] = mpa_div1(q, &nq, dividend, big, m[0]);
        nr = 1;
    } else {
        mpa_divmod(q, &nq, rem, &nr, dividend, big, m, ndig, work);
    }
    toLimbs(c->rr, n, rem, nr);
    return c;
}

void mpa_mont_free(mpa_mont* ctx)
{
    if (!ctx)
        return;
    ut_free(UT_HERE, ctx->pool);
    ut_free(UT_HERE, ctx);
}

int mpa_mont_expmod(mpa_mont* ctx, mpa_dig* r, const mpa_dig* base, int nbase, const mpa_dig* exp, int nexp)
{
    const mpa_mont& c = *ctx;
    const int n = c.n;
    const int width = mpa_exp_window(exp, nexp);
    // Table slots 0 .. 15 (1 .. 15 used, only 1 for bit by bit), the accumulator and a one.
    const int entries = width == 1 ? 2 : 16;
    auto* mem = static_cast<uint64_t*>(ut_alloc(UT_HERE, sizeof(uint64_t) * n * (entries + 2)));
    if (!mem)
        return 0;
    uint64_t* table = mem;
    uint64_t* acc = mem + entries * n;
    uint64_t* one = acc + n;

    std::memset(one, 0, sizeof(uint64_t) * n);
    one[0] = 1;
    toLimbs(table + n, n, base, nbase);
    montMul(c, table + n, table + n, c.rr); // base * R
    for (int i = 2; i < entries; ++i)
        montMul(c, table + i * n, table + (i - 1) * n, table + n);
    bool nonzero = false;
    mpa_exp_walk(
        exp, nexp, width,
        [&](unsigned v) {
            std::memcpy(acc, table + v * n, sizeof(uint64_t) * n);
            return nonzero = true;
        },
        [&] {
            montSqr(c, acc, acc);
            return true;
        },
        [&](unsigned v) {
            montMul(c, acc, acc, table + v * n);
            return true;
        });
    if (!nonzero)
        montMul(c, acc, one, c.rr); // R mod m, the Montgomery form of 1
    montMul(c, acc, acc, one); // out of Montgomery form
    for (int i = 0; i < c.ndig; ++i)
        r[i] = static_cast<mpa_dig>(acc[i / 2] >> (32 * (i % 2)));
    ut_free(UT_HERE, mem);
    return mpa_norm(r, c.ndig);
}
