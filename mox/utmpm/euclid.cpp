// Modular inverse by the extended Euclidean algorithm, worked in a machine of its own.
#include "mox/ut.h"
#include "mox/utmpm.h"

#include <memory>

namespace {
struct MachFree {
    void operator()(mpm_mach* m) const { mpm_free_mach(m); }
};
} // namespace

int utmpm_euclid(mpm_mach* m, int d, int s)
{
    std::unique_ptr<mpm_mach, MachFree> w(mpm_new_mach());
    if (!w) {
        mpm_set_flag(m, MPM_FAIL, 1);
        return 0;
    }
    enum { A = 0, B = 1, X = 2, Y = 3, Q = 4, T = 5, U = 6 };
    mpm_mach* e = w.get();
    mpm_xcopy(e, A, m, s, 0);
    mpm_xcopy(e, B, m, MPM_MOD, 0);
    mpm_test(e, A);
    if (mpm_flag_set(e, MPM_NEGATIVE)) {
        ut_diag(UT_HERE, 0, UT_SEV_FATAL, "utmpm_euclid: MPM_NEGATIVE value");
        return 0;
    }
    mpm_abs(e, B);
    mpm_ltompm(e, X, 1);
    mpm_ltompm(e, Y, 0);
    while (!mpm_flag_set(e, MPM_FAIL)) {
        mpm_test(e, B);
        if (mpm_flag_set(e, MPM_ZERO))
            break;
        mpm_div(e, Q, T, A, B); // q = a / b, t = a - q b
        mpm_copy(e, A, B);
        mpm_copy(e, B, T);
        mpm_mul(e, U, Q, Y); // (x, y) = (y, x - q y)
        mpm_sub(e, U, X, U);
        mpm_copy(e, X, Y);
        mpm_copy(e, Y, U);
    }
    if (mpm_flag_set(e, MPM_FAIL) || mpm_flag_set(e, MPM_DIVZERO)) {
        mpm_set_flag(m, MPM_FAIL, 1);
        return 0;
    }
    mpm_ltompm(e, T, 1);
    mpm_cmp(e, A, T);
    if (!mpm_flag_set(e, MPM_ZERO))
        return 0; // no inverse
    mpm_xcopy(e, MPM_MOD, m, MPM_MOD, 0);
    mpm_abs(e, MPM_MOD);
    if (!mpm_mod(e, X, X) || mpm_flag_set(e, MPM_FAIL)) {
        mpm_set_flag(m, MPM_FAIL, 1);
        return 0;
    }
    if (!mpm_xcopy(m, d, e, X, 1))
        return 0;
    return 1;
}
