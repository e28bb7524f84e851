// The RSA operation on one number: a modular power by the key's exponent (given or by its Fermat
// index), or the Chinese remainder theorem for keys that carry their factors.
#include "mox/rsa.h"
#include "mox/ut.h"
#include "rsa/fermat.h"

#include <memory>

namespace {

struct MachFree {
    void operator()(mpm_mach* m) const { mpm_free_mach(m); }
};

} // namespace

mpm_arc* rsa_crypt(const rsa_key* key, const mpm_arc* input)
{
    if (!key || !input || !key->n)
        return nullptr;
    std::unique_ptr<mpm_mach, MachFree> w(mpm_new_mach());
    if (!w)
        return nullptr;
    mpm_mach* m = w.get();
    enum { IN = 0, X = 1, T = 2, M1 = 3, M2 = 4, H = 5 };
    mpm_restore(m, IN, const_cast<mpm_arc*>(input), 1);
    mpm_restore(m, MPM_MOD, key->n, 1);
    mpm_test(m, IN);
    if (mpm_flag_set(m, MPM_NEGATIVE))
        return nullptr;
    mpm_cmp(m, IN, MPM_MOD);
    if (!mpm_flag_set(m, MPM_NEGATIVE))
        return nullptr; // the input must be smaller than the modulus

    if (key->form == 0) {
        // A Fermat exponent is sparse: the modular power squares its way through it in Montgomery
        // form instead of reducing each product by division.
        if (key->fermat != 0) {
            if (!rsa_fermat_exponent(m, T, H, key->fermat))
                return nullptr;
        } else if (key->exp) {
            mpm_restore(m, T, key->exp, 1);
        } else {
            return nullptr;
        }
        mpm_expmod(m, X, IN, T);
    } else if (key->form == 1) {
        if (!key->p || !key->q || !key->dp || !key->dq || !key->qinv)
            return nullptr;
        mpm_restore(m, MPM_MOD, key->q, 1); // m2 = (c mod q)^dQ mod q
        mpm_restore(m, T, key->dq, 1);
        mpm_mod(m, M2, IN);
        mpm_expmod(m, M2, M2, T);
        mpm_restore(m, MPM_MOD, key->p, 1); // m1 = (c mod p)^dP mod p
        mpm_restore(m, T, key->dp, 1);
        mpm_mod(m, M1, IN);
        mpm_expmod(m, M1, M1, T);
        mpm_sub(m, H, M1, M2); // h = qInv (m1 - m2) mod p
        mpm_restore(m, T, key->qinv, 1);
        mpm_modmul(m, H, H, T);
        mpm_restore(m, T, key->q, 1);
        mpm_mul(m, H, H, T);
        mpm_add(m, X, M2, H);
    } else {
        return nullptr;
    }
    if (mpm_flag_set(m, MPM_FAIL) || mpm_flag_set(m, MPM_DIVZERO))
        return nullptr;
    return mpm_backup(m, X, 0);
}
