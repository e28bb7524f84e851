// RSA key generation: two primes with their top two bits set, so that the modulus has exactly
// the asked number of bits, from plain or constructed prime searches.
#include "mox/prng.h"
#include "mox/rsa.h"
#include "mox/ut.h"
#include "mox/utmpm.h"
#include "mpa/mpa.h"
#include "rsa/fermat.h"

#include <memory>

namespace {

struct MachFree {
    void operator()(mpm_mach* m) const { mpm_free_mach(m); }
};
using Mach = std::unique_ptr<mpm_mach, MachFree>;
struct IppFree {
    void operator()(utmpm_ippg* s) const { utmpm_ipp_free(s); }
};
using Ipp = std::unique_ptr<utmpm_ippg, IppFree>;
struct ArcFree {
    void operator()(mpm_arc* a) const { mpm_arc_free(a); }
};
using Arc = std::unique_ptr<mpm_arc, ArcFree>;

constexpr uint32_t kMinBits = 16;
constexpr uint32_t kMaxBits = 16384;
constexpr int kPrimeTries = 8;

// Registers of the generator's machine.
enum { E = 0, ONE = 1, LO = 2, HI = 3, X = 4, MULT = 5, T1 = 6 };

bool failed(const mpm_mach* m)
{
    return mpm_flag_set(m, MPM_FAIL) || mpm_flag_set(m, MPM_DIVZERO);
}

// [3 * 2^k, 2^(k+2)): numbers with their top two bits set.
void bounds(mpm_mach* m, uint32_t k)
{
    mpm_2_power(m, LO, k);
    mpm_ltompm(m, T1, 3);
    mpm_mul(m, LO, LO, T1);
    mpm_2_power(m, HI, k + 2);
}

// A constructed prime in [LO, HI) into X: p - 1 has the large factor p0 built from two further
// primes r and t, p0 = 1 mod r and p0 = -1 mod t.
bool constructedPrime(prng* g, mpm_mach* m)
{
    Mach w(mpm_new_mach());
    if (!w)
        return false;
    mpm_mach* x = w.get();
    enum { L = 0, H = 1, R = 2, S = 3, RL = 4, RH = 5, XONE = 6 };
    mpm_xcopy(x, L, m, LO, 0);
    mpm_xcopy(x, H, m, HI, 0);
    mpm_sqrt(x, L, L, L);
    mpm_sqrt(x, H, H, H);
    long small = 4 * static_cast<long>(mpa_sqrt_word(static_cast<uint32_t>(mpm_bitlen(m, LO))));
    if (small < 64)
        small = 64;
    long big = small * 4096 < 262144 ? 262144 : small * 4096;
    mpm_ltompm(x, XONE, 1);
    mpm_ltompm(x, S, big);
    mpm_div(x, RL, R, L, S);
    mpm_div(x, RH, R, H, S);
    Ipp a(utmpm_ipp_new(g, x, RL, RH, XONE, XONE, 0));
    mpm_ltompm(x, S, small);
    mpm_div(x, RL, R, L, S);
    mpm_div(x, RH, R, H, S);
    Ipp b(utmpm_ipp_new(g, x, RL, RH, XONE, XONE, 0));
    if (!a || !b || failed(x))
        return false;
    for (;;) {
        if (!utmpm_ipp_next(a.get(), x, S))
            return false; // s
        int found = utmpm_ipp(g, x, R, RL, RH, S, XONE, 0);
        if (found == 0 || failed(x))
            return false;
        if (found == 1)
            continue;
        if (!utmpm_ipp_next(b.get(), x, L))
            return false; // t
        // p0 = (t^(r-1) - r^(t-1)) mod rt, made positive and odd.
        mpm_mul(x, MPM_MOD, R, L);
        mpm_sub(x, H, R, XONE);
        mpm_expmod(x, H, L, H);
        mpm_sub(x, S, L, XONE);
        mpm_expmod(x, S, R, S);
        mpm_sub(x, H, H, S);
        mpm_mod(x, H, H);
        if (!mpm_odd(x, H))
            mpm_add(x, H, H, MPM_MOD);
        if (failed(x))
            return false;
        mpm_xcopy(m, MULT, x, H, 0);
        int res = utmpm_ipp(g, m, X, LO, HI, MULT, E, 0);
        if (res == 0 || failed(m))
            return false;
        if (res == 2)
            return true;
    }
}

bool findPrime(prng* g, mpm_mach* m, bool plain)
{
    if (!plain)
        return constructedPrime(g, m);
    return utmpm_ipp(g, m, X, LO, HI, ONE, E, 0) == 2 && !failed(m);
}

void clearNumbers(rsa_key* k)
{
    mpm_arc** all[] = { &k->n, &k->exp, &k->p, &k->q, &k->dp, &k->dq, &k->qinv, &k->d, &k->e };
    for (mpm_arc** a : all) {
        mpm_arc_free(*a);
        *a = nullptr;
    }
    k->fermat = 0;
}

} // namespace

int rsakg_gen_key(prng* g, rsa_key* pub, rsa_key* priv, int plain, int selftest)
{
    if (!pub || !priv || pub->form != 0 || (priv->form != 0 && priv->form != 1))
        return 0;
    mpm_arc_free(pub->n);
    pub->n = nullptr;
    clearNumbers(priv);
    priv->bits = 0;
    const uint32_t b = pub->bits;
    if (b < kMinBits || b > kMaxBits || (!pub->exp && (pub->fermat == 0 || pub->fermat > 16))) {
        ut_diag(UT_HERE, RSA_ERR, UT_SEV_RECOVER, "impossible key parameters (%u bits)", b);
        return 0;
    }
    Mach w(mpm_new_mach());
    if (!w)
        return 0;
    mpm_mach* m = w.get();
    mpm_ltompm(m, ONE, 1);
    if (pub->exp) {
        mpm_restore(m, E, pub->exp, 1);
    } else {
        rsa_fermat_exponent(m, E, ONE, pub->fermat);
    }
    mpm_test(m, E);
    if (mpm_flag_set(m, MPM_NEGATIVE) || mpm_flag_set(m, MPM_ZERO) || !mpm_odd(m, E)) {
        ut_diag(UT_HERE, RSA_ERR, UT_SEV_RECOVER, "public exponent must be odd and positive");
        return 0;
    }
    const bool usePlain = plain || b < 128;
    bounds(m, b % 2 == 0 ? b / 2 - 2 : (b - 3) / 2);
    if (!findPrime(g, m, usePlain))
        return 0;
    Arc p(mpm_backup(m, X, 1));
    Arc q;
    if (b % 2 != 0)
        bounds(m, (b - 5) / 2);
    // p = q would make the modulus a square; it is drawn again.
    for (int i = 0; i < kPrimeTries && !q; ++i) {
        if (!findPrime(g, m, usePlain))
            return 0;
        mpm_restore(m, T1, p.get(), 1);
        mpm_cmp(m, X, T1);
        if (!mpm_flag_set(m, MPM_ZERO))
            q.reset(mpm_backup(m, X, 1));
    }
    if (!p || !q || failed(m))
        return 0;

    // n = pq, phi = n - p - q + 1, d = e^-1 mod phi.
    enum { P = LO, Q = HI, N = X, D = MULT };
    mpm_restore(m, P, p.get(), 1);
    mpm_restore(m, Q, q.get(), 1);
    mpm_mul(m, N, P, Q);
    mpm_sub(m, MPM_MOD, N, P);
    mpm_sub(m, MPM_MOD, MPM_MOD, Q);
    mpm_add(m, MPM_MOD, MPM_MOD, ONE);
    if (failed(m) || !utmpm_euclid(m, D, E))
        return 0;

    mpm_copy(m, MPM_MOD, N);
    if (selftest) {
        mpm_ltompm(m, T1, 3);
        mpm_expmod(m, T1, T1, E);
        mpm_expmod(m, T1, T1, D);
        if (failed(m) || mpm_tolong(m, T1) != 3) {
            priv->bits = b;
            return 0;
        }
    }
    Arc n(mpm_backup(m, N, 1));
    if (priv->form == 1) {
        Arc dp, dq, qinv, d, e, pc, qc, nc;
        mpm_sub(m, MPM_MOD, P, ONE);
        mpm_mod(m, T1, D);
        dp.reset(mpm_backup(m, T1, 1));
        mpm_sub(m, MPM_MOD, Q, ONE);
        mpm_mod(m, T1, D);
        dq.reset(mpm_backup(m, T1, 1));
        mpm_copy(m, MPM_MOD, P);
        if (!utmpm_euclid(m, T1, Q)) {
            if (!failed(m))
                ut_diag(UT_HERE, RSA_ERR, UT_SEV_FATAL, "q has no inverse modulo p");
            return 0;
        }
        qinv.reset(mpm_backup(m, T1, 1));
        d.reset(mpm_backup(m, D, 1));
        e.reset(mpm_backup(m, E, 1));
        pc.reset(mpm_arc_copy(p.get()));
        qc.reset(mpm_arc_copy(q.get()));
        nc.reset(mpm_arc_copy(n.get()));
        if (failed(m) || !dp || !dq || !qinv || !d || !e || !pc || !qc || !nc)
            return 0;
        priv->p = pc.release();
        priv->q = qc.release();
        priv->dp = dp.release();
        priv->dq = dq.release();
        priv->qinv = qinv.release();
        priv->n = nc.release();
        priv->d = d.release();
        priv->e = e.release();
    } else {
        Arc nc(mpm_arc_copy(n.get()));
        Arc d(mpm_backup(m, D, 1));
        if (!nc || !d)
            return 0;
        priv->n = nc.release();
        priv->exp = d.release();
        priv->fermat = 0;
    }
    pub->n = n.release();
    priv->bits = b;
    return 1;
}
