// Random numbers in a range for the register machine.
#include "mox/mpm.h"
#include "mox/prng.h"
#include "mox/ut.h"

#include <memory>
#include <vector>

namespace {

struct MachFree {
    void operator()(mpm_mach* m) const { mpm_free_mach(m); }
};

int failWith(uint32_t code, const char* text)
{
    ut_diag(UT_HERE, code, UT_SEV_RECOVER, "%s", text);
    return -1;
}

} // namespace

// d = low + (random mod (high - low)); low and high are left as they were.
int prng_mpm_range(mpm_mach* m, int d, int low, int high, prng* g)
{
    std::unique_ptr<mpm_mach, MachFree> w(mpm_new_mach());
    if (!w)
        return failWith(PRNG_ERR, "failed to create new MPM machine");
    enum { kLow = 0, kRange = 1, kDraw = 2 };
    mpm_xcopy(w.get(), kLow, m, low, 0);
    mpm_xcopy(w.get(), MPM_MOD, m, high, 0);
    if (!mpm_sub(w.get(), kRange, MPM_MOD, kLow))
        return failWith(PRNG_ERR, "subtract operation failed");
    if (mpm_flag_set(w.get(), MPM_ZERO) || mpm_flag_set(w.get(), MPM_NEGATIVE))
        return failWith(PRNG_ERR_RANGE, "called with negative range");
    // Four extra bytes keep the bias of the reduction small.
    size_t n = static_cast<size_t>(mpm_bytelen(w.get(), kRange)) + 4;
    std::vector<uint8_t> bytes;
    try {
        bytes.resize(n);
    } catch (const std::bad_alloc&) {
        return failWith(PRNG_ERR, "out of memory");
    }
    if (prng_get(g, bytes.data(), n) != 0)
        return failWith(PRNG_ERR_GET, "PRNG get operation failed");
    if (!mpm_load(w.get(), kDraw, 1, n, bytes.data()))
        return failWith(PRNG_ERR, "load operation failed");
    if (!mpm_copy(w.get(), MPM_MOD, kRange) || !mpm_mod(w.get(), kDraw, kDraw))
        return failWith(PRNG_ERR, "modulo operation failed");
    if (!mpm_add(w.get(), kDraw, kDraw, kLow))
        return failWith(PRNG_ERR, "add operation failed");
    if (!mpm_xcopy(m, d, w.get(), kDraw, 1))
        return failWith(PRNG_ERR, "out of memory");
    return 0;
}
