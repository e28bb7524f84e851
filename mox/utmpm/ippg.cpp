// Incremental prime search: candidates k * step + 1 walked downward from a random multiplier,
// sieved by residues modulo the table primes kept up to date as k moves, then tested.
#include "mox/prng.h"
#include "mox/ut.h"
#include "mox/utmpm.h"

#include <memory>

namespace {

constexpr long kSieveBound = 62078641; // 7879^2: below it the sieve alone decides
constexpr int kRounds = 5;
enum Reg { K = 0, STEP = 1, KLOW = 2, KHIGH = 3, KSTART = 4, CAND = 5, EXP = 6, T = 7 };
enum Phase { kFirst = 0, kDown = 1, kWrapped = 2, kExhausted = 3 };

} // namespace

struct utmpm_ippg {
    mpm_mach* m;
    prng* g;
    int mode;
    int primes; // sieve primes in use
    bool small;
    int phase;
    bool pending; // the current k has not been tested yet
    mpm_arc* high;
    uint32_t cand[UTMPM_SIEVE_PRIMES];
    uint32_t step[UTMPM_SIEVE_PRIMES];
};

namespace {

bool failed(const utmpm_ippg& s)
{
    return mpm_flag_set(s.m, MPM_FAIL) || mpm_flag_set(s.m, MPM_DIVZERO);
}

// CAND = k * step + 1 (mode 2: k * 4 + 3).
void candidate(utmpm_ippg& s)
{
    mpm_mul(s.m, CAND, K, STEP);
    mpm_ltompm(s.m, T, s.mode == 2 ? 3 : 1);
    mpm_add(s.m, CAND, CAND, T);
}

void recomputeResidues(utmpm_ippg& s)
{
    candidate(s);
    const mpm_sprime* table = utmpm_sieve_table();
    for (int i = 0; i < UTMPM_SIEVE_PRIMES; ++i)
        s.cand[i] = mpm_smod(s.m, CAND, &table[i]);
}

// Moves to the next multiplier; false when every multiplier has been visited.
bool advance(utmpm_ippg& s)
{
    const mpm_sprime* table = utmpm_sieve_table();
    mpm_ltompm(s.m, T, 1);
    mpm_sub(s.m, K, K, T);
    if (s.phase == kDown) {
        mpm_cmp(s.m, K, KLOW);
        if (mpm_flag_set(s.m, MPM_NEGATIVE)) {
            // Wrap to the top, unless the start already was the top.
            mpm_sub(s.m, K, KHIGH, T);
            mpm_cmp(s.m, K, KSTART);
            if (mpm_flag_set(s.m, MPM_ZERO) || mpm_flag_set(s.m, MPM_NEGATIVE))
                return false;
            s.phase = kWrapped;
            recomputeResidues(s);
            return true;
        }
    } else {
        mpm_cmp(s.m, K, KSTART);
        if (mpm_flag_set(s.m, MPM_ZERO))
            return false;
    }
    for (int i = 0; i < UTMPM_SIEVE_PRIMES; ++i) {
        uint32_t p = table[i].p;
        s.cand[i] = s.cand[i] >= s.step[i] ? s.cand[i] - s.step[i] : s.cand[i] + p - s.step[i];
    }
    candidate(s);
    return true;
}

bool sievedOut(utmpm_ippg& s)
{
    int count = UTMPM_SIEVE_PRIMES;
    if (s.small) {
        // Only primes up to the root of the candidate, so a table prime is not sieved out by itself.
        long c = mpm_tolong(s.m, CAND);
        const mpm_sprime* table = utmpm_sieve_table();
        count = 0;
        while (count < UTMPM_SIEVE_PRIMES && long(table[count].p) * table[count].p <= c)
            ++count;
    }
    s.primes = count;
    for (int i = 0; i < count; ++i)
        if (s.cand[i] == 0)
            return true;
    return false;
}

bool accepted(utmpm_ippg& s)
{
    if (sievedOut(s))
        return false;
    if (s.mode == 2) {
        // 4k + 3 can pass the high bound by up to one.
        mpm_restore(s.m, T, s.high, 1);
        mpm_cmp(s.m, CAND, T);
        if (!mpm_flag_set(s.m, MPM_NEGATIVE))
            return false;
    } else {
        mpm_ltompm(s.m, T, 1);
        mpm_sub(s.m, T, CAND, T);
        mpm_gcd(s.m, T, T, EXP);
        if (mpm_tolong(s.m, T) != 1)
            return false;
    }
    if (s.mode == 1)
        return true;
    if (s.small && mpm_tolong(s.m, CAND) < kSieveBound)
        return true;
    return utmpm_probable_prime(s.m, CAND, kRounds, s.g) == 1;
}

} // namespace

utmpm_ippg* utmpm_ipp_new(prng* g, mpm_mach* m, int low, int high, int mult, int exp, int mode)
{
    auto* s = static_cast<utmpm_ippg*>(ut_alloc(UT_HERE, sizeof(utmpm_ippg)));
    mpm_mach* w = mpm_new_mach();
    if (!s || !w) {
        ut_free(UT_HERE, s);
        mpm_free_mach(w);
        return nullptr;
    }
    s->m = w;
    s->high = nullptr;
    s->g = g;
    s->mode = mode;
    s->primes = UTMPM_SIEVE_PRIMES;
    s->pending = true;
    s->phase = kFirst;
    // Step 2 * mult (mode 2: 4); multipliers in [(low - 2) / step + 1, (high - 2) / step + 1).
    if (mode == 2)
        mpm_ltompm(w, STEP, 4);
    else {
        mpm_xcopy(w, T, m, mult, 0);
        mpm_add(w, STEP, T, T);
    }
    mpm_xcopy(w, EXP, m, exp, 0);
    mpm_xcopy(w, KLOW, m, low, 0);
    mpm_ltompm(w, T, kSieveBound);
    mpm_cmp(w, KLOW, T);
    s->small = mpm_flag_set(w, MPM_NEGATIVE) != 0;
    mpm_ltompm(w, T, 2);
    mpm_sub(w, KLOW, KLOW, T);
    mpm_div(w, KLOW, K, KLOW, STEP);
    mpm_xcopy(w, KHIGH, m, high, 0);
    s->high = mpm_backup(w, KHIGH, 1);
    mpm_sub(w, KHIGH, KHIGH, T);
    mpm_div(w, KHIGH, K, KHIGH, STEP);
    mpm_ltompm(w, T, 1);
    mpm_add(w, KLOW, KLOW, T);
    mpm_add(w, KHIGH, KHIGH, T);
    if (failed(*s)) {
        utmpm_ipp_free(s);
        return nullptr;
    }
    mpm_cmp(w, KLOW, KHIGH);
    if (!mpm_flag_set(w, MPM_NEGATIVE)) {
        s->phase = kExhausted; // no multiplier at all
        return s;
    }
    if (prng_mpm_range(w, K, KLOW, KHIGH, g) != 0) {
        utmpm_ipp_free(s);
        return nullptr;
    }
    mpm_copy(w, KSTART, K);
    const mpm_sprime* table = utmpm_sieve_table();
    for (int i = 0; i < UTMPM_SIEVE_PRIMES; ++i)
        s->step[i] = mpm_smod(w, STEP, &table[i]);
    recomputeResidues(*s);
    s->phase = kDown;
    if (failed(*s)) {
        utmpm_ipp_free(s);
        return nullptr;
    }
    return s;
}

int utmpm_ipp_next(utmpm_ippg* s, mpm_mach* m, int d)
{
    if (!s || s->phase == kExhausted)
        return 0;
    for (;;) {
        if (!s->pending && !advance(*s)) {
            s->phase = kExhausted;
            return 0;
        }
        s->pending = false;
        bool ok = accepted(*s);
        if (failed(*s)) {
            s->phase = kExhausted;
            mpm_set_flag(m, MPM_FAIL, 1);
            return 0;
        }
        if (ok)
            return mpm_xcopy(m, d, s->m, CAND, 0);
    }
}

void utmpm_ipp_free(utmpm_ippg* s)
{
    if (!s)
        return;
    mpm_free_mach(s->m);
    mpm_arc_free(s->high);
    ut_free(UT_HERE, s);
}

int utmpm_ipp(prng* g, mpm_mach* m, int d, int low, int high, int mult, int exp, int mode)
{
    utmpm_ippg* s = utmpm_ipp_new(g, m, low, high, mult, exp, mode);
    if (!s)
        return 0;
    int found = utmpm_ipp_next(s, m, d);
    utmpm_ipp_free(s);
    return found ? 2 : 1;
}
