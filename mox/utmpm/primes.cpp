// The sieve table of small primes and the Miller-Rabin probable-prime test.
#include "mox/prng.h"
#include "mox/ut.h"
#include "mox/utmpm.h"

#include <array>
#include <memory>

namespace {

constexpr uint32_t kLargest = 7879;

constexpr std::array<mpm_sprime, UTMPM_SIEVE_PRIMES> buildTable()
{
    std::array<mpm_sprime, UTMPM_SIEVE_PRIMES> t {};
    std::array<bool, kLargest + 1> composite {};
    int count = 0;
    for (uint32_t p = 3; p <= kLargest; p += 2) {
        if (composite[p])
            continue;
        for (uint32_t q = p * p; q <= kLargest; q += 2 * p)
            composite[q] = true;
        t[count++] = mpm_sprime { p, 65536u % p, static_cast<uint32_t>((uint64_t(1) << 32) % p) };
    }
    return t;
}

constexpr auto kTable = buildTable();
static_assert(kTable[0].p == 3 && kTable[UTMPM_SIEVE_PRIMES - 1].p == kLargest);

struct MachFree {
    void operator()(mpm_mach* m) const { mpm_free_mach(m); }
};

} // namespace

const mpm_sprime* utmpm_sieve_table()
{
    return kTable.data();
}

int utmpm_probable_prime(mpm_mach* m, int r, int rounds, prng* g)
{
    std::unique_ptr<mpm_mach, MachFree> w(mpm_new_mach());
    if (!w) {
        mpm_set_flag(m, MPM_FAIL, 1);
        return 0;
    }
    enum { N1 = 0, D = 1, A = 2, X = 3, LOW = 4, ONE = 5 };
    mpm_mach* e = w.get();
    mpm_xcopy(e, MPM_MOD, m, r, 0);
    mpm_test(e, MPM_MOD);
    if (mpm_flag_set(e, MPM_ZERO) || mpm_flag_set(e, MPM_NEGATIVE) || !mpm_odd(e, MPM_MOD))
        return 0;
    mpm_ltompm(e, ONE, 1);
    mpm_cmp(e, MPM_MOD, ONE);
    if (mpm_flag_set(e, MPM_ZERO))
        return 0; // 1 is not prime
    mpm_ltompm(e, X, 3);
    mpm_cmp(e, MPM_MOD, X);
    if (mpm_flag_set(e, MPM_ZERO))
        return 1; // [2, 3) holds no base to draw
    // n - 1 = 2^s d with d odd.
    mpm_sub(e, N1, MPM_MOD, ONE);
    uint32_t s = 0;
    mpm_copy(e, D, N1);
    while (!mpm_odd(e, D) && !mpm_flag_set(e, MPM_FAIL)) {
        mpm_shr(e, D, D, 1);
        ++s;
    }
    mpm_ltompm(e, LOW, 2);
    for (int round = 0; round < rounds; ++round) {
        if (prng_mpm_range(e, A, LOW, MPM_MOD, g) != 0) {
            mpm_set_flag(m, MPM_FAIL, 1);
            return 0;
        }
        mpm_expmod(e, X, A, D);
        if (mpm_flag_set(e, MPM_FAIL))
            break;
        mpm_cmp(e, X, ONE);
        if (mpm_flag_set(e, MPM_ZERO))
            continue;
        bool passed = false;
        for (uint32_t k = 0; k < s; ++k) {
            mpm_cmp(e, X, N1);
            if (mpm_flag_set(e, MPM_ZERO)) {
                passed = true;
                break;
            }
            if (k + 1 == s)
                break;
            mpm_modmul(e, X, X, X);
            mpm_cmp(e, X, ONE);
            if (mpm_flag_set(e, MPM_ZERO))
                break; // 1 before n - 1: a nontrivial square root of 1
        }
        if (!passed)
            return mpm_flag_set(e, MPM_FAIL) ? (mpm_set_flag(m, MPM_FAIL, 1), 0) : 0;
    }
    if (mpm_flag_set(e, MPM_FAIL)) {
        mpm_set_flag(m, MPM_FAIL, 1);
        return 0;
    }
    return 1;
}
