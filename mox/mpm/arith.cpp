// Signed arithmetic of the register machine: add, subtract, multiply, divide, reduce, compare,
// gcd, square root and small moduli.
#include "mpm/mpm_internal.h"

#include <cstring>

using namespace mpmi;

namespace {

// d = a + (negate b ? -b : b), signs handled on magnitudes.
int addSigned(mpm_mach* m, int d, int a, int b, bool negateB)
{
    if (!validReg(d) || !validReg(a) || !validReg(b))
        return fail(m);
    View x = view(m->reg[a]);
    View y = view(m->reg[b]);
    bool yneg = negateB ? (!isZero(y) && !y.neg) : y.neg;
    int n = (x.n > y.n ? x.n : y.n) + 1;
    if (!ensure(m->scratch, n, false))
        return fail(m);
    mpm_num& s = m->scratch;
    if (x.neg == yneg) {
        s.prec = mpa_add(s.dig, x.d, x.n, y.d, y.n);
        s.sign = x.neg ? 0 : 1;
    } else if (mpa_cmp(x.d, x.n, y.d, y.n) >= 0) {
        s.prec = mpa_sub(s.dig, x.d, x.n, y.d, y.n);
        s.sign = x.neg ? 0 : 1;
    } else {
        s.prec = mpa_sub(s.dig, y.d, y.n, x.d, x.n);
        s.sign = yneg ? 0 : 1;
    }
    return commit(m, d);
}

bool modulusZero(mpm_mach* m)
{
    if (!isZero(view(m->reg[MPM_MOD])))
        return false;
    m->flag[MPM_DIVZERO] = 1;
    return true;
}

// scratch = (x mod |modulus|) in 0 .. modulus - 1, for a magnitude x with a sign.
bool reduceToScratch(mpm_mach* m, const mpa_dig* xd, int xn, bool xneg)
{
    View md = view(m->reg[MPM_MOD]);
    DigBuf r(md.n);
    if (!r)
        return false;
    int nr = 1;
    if (!divRaw(xd, xn, md.d, md.n, nullptr, nullptr, r.get(), &nr))
        return false;
    bool zero = nr == 1 && r.get()[0] == 0;
    if (xneg && !zero) {
        if (!ensure(m->scratch, md.n, false))
            return false;
        m->scratch.prec = mpa_sub(m->scratch.dig, md.d, md.n, r.get(), nr);
        m->scratch.sign = 1;
        return true;
    }
    return toScratch(m, r.get(), nr, false);
}

} // namespace

int mpm_add(mpm_mach* m, int d, int a, int b)
{
    return addSigned(m, d, a, b, false);
}

int mpm_sub(mpm_mach* m, int d, int a, int b)
{
    return addSigned(m, d, a, b, true);
}

int mpm_mul(mpm_mach* m, int d, int a, int b)
{
    if (!validReg(d) || !validReg(a) || !validReg(b))
        return fail(m);
    View x = view(m->reg[a]);
    View y = view(m->reg[b]);
    if (!ensure(m->scratch, x.n + y.n, false))
        return fail(m);
    m->scratch.prec = mpa_mul(m->scratch.dig, x.d, x.n, y.d, y.n);
    m->scratch.sign = x.neg == y.neg ? 1 : 0;
    return commit(m, d);
}

int mpm_div(mpm_mach* m, int q, int r, int n, int dv)
{
    if (!validReg(q) || !validReg(r) || !validReg(n) || !validReg(dv))
        return fail(m);
    View x = view(m->reg[n]);
    View y = view(m->reg[dv]);
    if (isZero(y)) {
        m->flag[MPM_DIVZERO] = 1;
        return 0;
    }
    DigBuf qb(x.n), rb(y.n);
    int nq = 1, nr = 1;
    if (!qb || !rb || !divRaw(x.d, x.n, y.d, y.n, qb.get(), &nq, rb.get(), &nr))
        return fail(m);
    if (q != r) {
        if (!toScratch(m, qb.get(), nq, x.neg != y.neg))
            return fail(m);
        commit(m, q);
    }
    if (!toScratch(m, rb.get(), nr, x.neg))
        return fail(m);
    return commit(m, r);
}

int mpm_mod(mpm_mach* m, int d, int a)
{
    if (!validReg(d) || !validReg(a))
        return fail(m);
    if (modulusZero(m))
        return 0;
    View x = view(m->reg[a]);
    if (!reduceToScratch(m, x.d, x.n, x.neg))
        return fail(m);
    return commit(m, d);
}

int mpm_modmul(mpm_mach* m, int d, int a, int b)
{
    if (!validReg(d) || !validReg(a) || !validReg(b))
        return fail(m);
    if (modulusZero(m))
        return 0;
    View x = view(m->reg[a]);
    View y = view(m->reg[b]);
    DigBuf p(x.n + y.n);
    if (!p)
        return fail(m);
    int np = mpa_mul(p.get(), x.d, x.n, y.d, y.n);
    if (!reduceToScratch(m, p.get(), np, x.neg != y.neg))
        return fail(m);
    return commit(m, d);
}

int mpm_cmp(mpm_mach* m, int a, int b)
{
    if (!validReg(a) || !validReg(b))
        return fail(m);
    View x = view(m->reg[a]);
    View y = view(m->reg[b]);
    int c;
    if (x.neg != y.neg)
        c = x.neg ? -1 : 1;
    else
        c = x.neg ? -mpa_cmp(x.d, x.n, y.d, y.n) : mpa_cmp(x.d, x.n, y.d, y.n);
    m->flag[MPM_ZERO] = c == 0 ? 1 : 0;
    m->flag[MPM_NEGATIVE] = c < 0 ? 1 : 0;
    return 1;
}

int mpm_gcd(mpm_mach* m, int d, int a, int b)
{
    if (!validReg(d) || !validReg(a) || !validReg(b))
        return fail(m);
    View x = view(m->reg[a]);
    View y = view(m->reg[b]);
    int size = x.n > y.n ? x.n : y.n;
    DigBuf u(size), v(size), w(size);
    if (!u || !v || !w)
        return fail(m);
    std::memcpy(u.get(), x.d, sizeof(mpa_dig) * x.n);
    std::memcpy(v.get(), y.d, sizeof(mpa_dig) * y.n);
    int nu = x.n, nv = y.n;
    mpa_dig* pu = u.get();
    mpa_dig* pv = v.get();
    mpa_dig* pw = w.get();
    while (!(nv == 1 && pv[0] == 0)) {
        int nw = 1;
        if (!divRaw(pu, nu, pv, nv, nullptr, nullptr, pw, &nw))
            return fail(m);
        mpa_dig* t = pu; // (u, v) <- (v, u mod v)
        pu = pv;
        nu = nv;
        pv = pw;
        nv = nw;
        pw = t;
    }
    if (!toScratch(m, pu, nu, false))
        return fail(m);
    return commit(m, d);
}

int mpm_sqrt(mpm_mach* m, int root, int rem, int src)
{
    if (!validReg(root) || !validReg(rem) || !validReg(src))
        return fail(m);
    View x = view(m->reg[src]);
    if (x.neg) {
        m->flag[MPM_NEGATIVE] = 1;
        return 0;
    }
    if (isZero(x)) {
        const mpa_dig zero = 0;
        if (rem != root && (!toScratch(m, &zero, 1, false) || !commit(m, rem)))
            return fail(m);
        if (!toScratch(m, &zero, 1, false))
            return fail(m);
        commit(m, root);
        m->flag[MPM_NEGATIVE] = 0;
        return 1;
    }
    // Newton's iteration from a power of two above the root decreases monotonically to it.
    int bits = mpa_bitlen(x.d, x.n);
    int n = x.n + 1;
    DigBuf r(n), q(n), t(n + 1);
    if (!r || !q || !t)
        return fail(m);
    std::memset(r.get(), 0, sizeof(mpa_dig) * n);
    int half = (bits + 1) / 2;
    r.get()[half / 32] = mpa_dig(1) << (half % 32);
    int nr = half / 32 + 1;
    for (;;) {
        int nq = 1;
        if (!divRaw(x.d, x.n, r.get(), nr, q.get(), &nq, nullptr, nullptr))
            return fail(m);
        int nt = mpa_add(t.get(), r.get(), nr, q.get(), nq);
        for (int i = 0; i < nt; ++i) // halve
            t.get()[i] = (t.get()[i] >> 1) | (i + 1 < nt ? t.get()[i + 1] << 31 : 0);
        nt = mpa_norm(t.get(), nt);
        if (mpa_cmp(t.get(), nt, r.get(), nr) >= 0)
            break;
        std::memcpy(r.get(), t.get(), sizeof(mpa_dig) * nt);
        nr = nt;
    }
    // remainder = x - r^2
    DigBuf sq(2 * nr), re(x.n);
    if (!sq || !re)
        return fail(m);
    int nsq = mpa_mul(sq.get(), r.get(), nr, r.get(), nr);
    int nre = mpa_sub(re.get(), x.d, x.n, sq.get(), nsq);
    if (rem != root) {
        if (!toScratch(m, re.get(), nre, false))
            return fail(m);
        commit(m, rem);
    }
    if (!toScratch(m, r.get(), nr, false))
        return fail(m);
    commit(m, root);
    m->flag[MPM_ZERO] = nre == 1 && re.get()[0] == 0 ? 1 : 0;
    m->flag[MPM_NEGATIVE] = 0;
    return 1;
}

uint32_t mpm_smod(mpm_mach* m, int r, const mpm_sprime* e)
{
    if (!validReg(r) || !e || e->p < 2 || e->p >= 40504 || e->r16 != 65536u % e->p
        || e->r32 != static_cast<uint32_t>((uint64_t(1) << 32) % e->p)) {
        fail(m);
        return 0;
    }
    View x = view(m->reg[r]);
    uint32_t res = mpa_smod(x.d, x.n, e->p, e->r16, e->r32);
    return x.neg && res ? e->p - res : res;
}
