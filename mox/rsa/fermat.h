// The exponent of a Fermat index, shared by key generation, the RSA operation and the BER form.
#pragma once

#include "mox/mpm.h"

#include <cstdint>

// Register d = 2^(2^(f-1)) + 1 for a Fermat index f of 1 .. 16, with register tmp as scratch.
// Returns 0 (flag 1 set) on failure.
inline int rsa_fermat_exponent(mpm_mach* m, int d, int tmp, uint32_t f)
{
    if (f < 1 || f > 16) {
        mpm_set_flag(m, MPM_FAIL, 1);
        return 0;
    }
    return mpm_2_power(m, d, 1u << (f - 1)) && mpm_ltompm(m, tmp, 1) && mpm_add(m, d, d, tmp);
}
