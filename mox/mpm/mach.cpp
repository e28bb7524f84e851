// The register machine: creation, registers, flags, simple loads and queries.
#include "mpm/mpm_internal.h"

#include <climits>
#include <cstring>

using namespace mpmi;

namespace mpmi {

bool ensure(mpm_num& x, int n, bool keep)
{
    if (n < 1 || n > (1 << 27))
        return false;
    if (x.dig && x.cap >= n)
        return true;
    int cap = capacityFor(n);
    if (keep) {
        void* p = ut_realloc(UT_HERE, x.dig, sizeof(mpa_dig) * cap);
        if (!p)
            return false;
        x.dig = static_cast<mpa_dig*>(p);
    } else {
        void* p = ut_alloc(UT_HERE, sizeof(mpa_dig) * cap);
        if (!p)
            return false;
        ut_free(UT_HERE, x.dig);
        x.dig = static_cast<mpa_dig*>(p);
    }
    x.cap = cap;
    return true;
}

void normalise(mpm_num& x)
{
    x.prec = mpa_norm(x.dig, x.prec);
    if (x.prec == 1 && x.dig[0] == 0)
        x.sign = 1;
}

void setFlags(mpm_mach* m, const mpm_num& x)
{
    View v = view(x);
    m->flag[MPM_ZERO] = isZero(v) ? 1 : 0;
    m->flag[MPM_NEGATIVE] = v.neg ? 1 : 0;
}

int commit(mpm_mach* m, int d)
{
    std::swap(m->reg[d], m->scratch);
    normalise(m->reg[d]);
    setFlags(m, m->reg[d]);
    return 1;
}

bool toScratch(mpm_mach* m, const mpa_dig* d, int n, bool neg)
{
    if (!ensure(m->scratch, n, false))
        return false;
    std::memmove(m->scratch.dig, d, sizeof(mpa_dig) * n);
    m->scratch.prec = n;
    m->scratch.sign = neg ? 0 : 1;
    return true;
}

void freeNum(mpm_num& x)
{
    ut_free(UT_HERE, x.dig);
    x = mpm_num { 1, 0, nullptr, 0 };
}

bool divRaw(const mpa_dig* a, int na, const mpa_dig* b, int nb, mpa_dig* q, int* nq, mpa_dig* r, int* nr)
{
    na = mpa_norm(a, na);
    nb = mpa_norm(b, nb);
    int qn = 1, rn = 1;
    if (mpa_cmp(a, na, b, nb) < 0) {
        if (q)
            q[0] = 0;
        if (r)
            std::memmove(r, a, sizeof(mpa_dig) * na);
        rn = na;
    } else if (nb == 1) {
        DigBuf tq(na);
        if (!tq)
            return false;
        mpa_dig rem = mpa_div1(tq.get(), &qn, a, na, b[0]);
        if (q)
            std::memcpy(q, tq.get(), sizeof(mpa_dig) * qn);
        if (r)
            r[0] = rem;
    } else {
        DigBuf tmp(size_t(na - nb + 1) + nb + mpa_divmod_work(na, nb));
        if (!tmp)
            return false;
        mpa_dig* tq = tmp.get();
        mpa_dig* tr = tq + (na - nb + 1);
        mpa_divmod(tq, &qn, tr, &rn, a, na, b, nb, tr + nb);
        if (q)
            std::memcpy(q, tq, sizeof(mpa_dig) * qn);
        if (r)
            std::memcpy(r, tr, sizeof(mpa_dig) * rn);
    }
    if (nq)
        *nq = qn;
    if (nr)
        *nr = rn;
    return true;
}

} // namespace mpmi

mpm_mach* mpm_new_mach()
{
    auto* m = static_cast<mpm_mach*>(ut_alloc(UT_HERE, sizeof(mpm_mach)));
    if (!m)
        return nullptr;
    for (mpm_num& r : m->reg)
        r = mpm_num { 1, 0, nullptr, 0 };
    m->scratch = mpm_num { 1, 0, nullptr, 0 };
    for (int32_t& f : m->flag)
        f = 0;
    return m;
}

void mpm_free_mach(mpm_mach* m)
{
    if (!m)
        return;
    for (mpm_num& r : m->reg)
        freeNum(r);
    freeNum(m->scratch);
    ut_free(UT_HERE, m);
}

int mpm_flag_set(const mpm_mach* m, int flag)
{
    return flag >= 0 && flag < 4 ? m->flag[flag] : 0;
}

void mpm_set_flag(mpm_mach* m, int flag, int value)
{
    if (flag >= 0 && flag < 4)
        m->flag[flag] = value ? 1 : 0;
}

int mpm_ltompm(mpm_mach* m, int d, long value)
{
    if (!validReg(d))
        return fail(m);
    unsigned long mag
        = value < 0 ? 0ul - static_cast<unsigned long>(value) : static_cast<unsigned long>(value);
    mpa_dig digits[2] = { static_cast<mpa_dig>(mag), static_cast<mpa_dig>(static_cast<uint64_t>(mag) >> 32) };
    if (!toScratch(m, digits, 2, value < 0))
        return fail(m);
    return commit(m, d);
}

int mpm_2_power(mpm_mach* m, int d, uint32_t n)
{
    if (!validReg(d))
        return fail(m);
    int digits = static_cast<int>(n / 32) + 1;
    if (n / 32 >= (1u << 27) || !ensure(m->scratch, digits, false))
        return fail(m);
    std::memset(m->scratch.dig, 0, sizeof(mpa_dig) * digits);
    m->scratch.dig[digits - 1] = mpa_dig(1) << (n % 32);
    m->scratch.prec = digits;
    m->scratch.sign = 1;
    return commit(m, d);
}

int mpm_zero(mpm_mach* m, int d)
{
    const mpa_dig zero = 0;
    if (!validReg(d) || !toScratch(m, &zero, 1, false))
        return fail(m);
    return commit(m, d);
}

int mpm_copy(mpm_mach* m, int d, int s)
{
    if (!validReg(d) || !validReg(s))
        return fail(m);
    if (d == s) {
        setFlags(m, m->reg[d]);
        return 1;
    }
    View v = view(m->reg[s]);
    if (!toScratch(m, v.d, v.n, v.neg))
        return fail(m);
    return commit(m, d);
}

int mpm_xcopy(mpm_mach* dm, int d, mpm_mach* sm, int s, int move)
{
    if (dm == sm)
        return mpm_copy(dm, d, s);
    if (!validReg(d) || !validReg(s))
        return fail(dm);
    if (move) {
        freeNum(dm->reg[d]);
        dm->reg[d] = sm->reg[s];
        sm->reg[s] = mpm_num { 1, 0, nullptr, 0 };
        if (dm->reg[d].dig)
            normalise(dm->reg[d]);
        setFlags(dm, dm->reg[d]);
        return 1;
    }
    View v = view(sm->reg[s]);
    if (!toScratch(dm, v.d, v.n, v.neg))
        return fail(dm);
    return commit(dm, d);
}

int mpm_abs(mpm_mach* m, int d)
{
    if (!validReg(d))
        return fail(m);
    m->reg[d].sign = 1;
    setFlags(m, m->reg[d]);
    return 1;
}

int mpm_test(mpm_mach* m, int r)
{
    if (!validReg(r))
        return fail(m);
    setFlags(m, m->reg[r]);
    return 1;
}

int mpm_odd(const mpm_mach* m, int r)
{
    return validReg(r) ? static_cast<int>(view(m->reg[r]).d[0] & 1) : 0;
}

int mpm_bitlen(const mpm_mach* m, int r)
{
    if (!validReg(r))
        return 0;
    View v = view(m->reg[r]);
    return mpa_bitlen(v.d, v.n);
}

int mpm_bytelen(const mpm_mach* m, int r)
{
    return (mpm_bitlen(m, r) + 7) / 8;
}

long mpm_tolong(const mpm_mach* m, int r)
{
    if (!validReg(r))
        return 0;
    View v = view(m->reg[r]);
    if (v.n > 1 || v.d[0] > static_cast<mpa_dig>(INT32_MAX))
        return v.neg ? INT32_MIN : INT32_MAX;
    long mag = static_cast<long>(v.d[0]);
    return v.neg ? -mag : mag;
}

int mpm_load(mpm_mach* m, int d, int sign, size_t n, const uint8_t* bytes)
{
    if (!validReg(d) || n > (size_t(1) << 29))
        return fail(m);
    int digits = n ? static_cast<int>((n + 3) / 4) : 1;
    if (!ensure(m->scratch, digits, false))
        return fail(m);
    std::memset(m->scratch.dig, 0, sizeof(mpa_dig) * digits);
    for (size_t i = 0; i < n; ++i)
        m->scratch.dig[i / 4] |= mpa_dig(bytes[i]) << (8 * (i % 4));
    m->scratch.prec = digits;
    m->scratch.sign = sign ? 1 : 0;
    return commit(m, d);
}

long mpm_store(const mpm_mach* m, int r, uint8_t* buf, size_t capacity)
{
    if (!validReg(r))
        return -1;
    View v = view(m->reg[r]);
    size_t n = static_cast<size_t>(mpm_bytelen(m, r));
    if (n > capacity)
        return -1;
    for (size_t i = 0; i < n; ++i)
        buf[i] = static_cast<uint8_t>(v.d[i / 4] >> (8 * (i % 4)));
    return static_cast<long>(n);
}

int mpm_shr(mpm_mach* m, int d, int s, uint32_t bits)
{
    if (!validReg(d) || !validReg(s))
        return fail(m);
    View v = view(m->reg[s]);
    int whole = static_cast<int>(bits / 32), part = static_cast<int>(bits % 32);
    if (whole >= v.n) {
        const mpa_dig zero = 0;
        if (!toScratch(m, &zero, 1, false))
            return fail(m);
        return commit(m, d);
    }
    int n = v.n - whole;
    DigBuf t(n);
    if (!t)
        return fail(m);
    for (int i = 0; i < n; ++i) {
        mpa_dig lo = v.d[i + whole];
        mpa_dig hi = i + whole + 1 < v.n ? v.d[i + whole + 1] : 0;
        t.get()[i] = part ? (lo >> part) | (hi << (32 - part)) : lo;
    }
    if (!toScratch(m, t.get(), n, v.neg))
        return fail(m);
    return commit(m, d);
}
