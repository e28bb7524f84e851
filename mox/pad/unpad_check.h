#pragma once
// The argument check every unpadding with a length to find shares.

#include "mox/bsapi.h"

// False (reported) for a missing pointer or an empty block.
inline bool unpad_arguments_usable(const uint8_t* block, const uint32_t* outlen, uint32_t blocklen)
{
    if (block == nullptr || outlen == nullptr) {
        ut_diag(UT_HERE, 0, UT_SEV_FATAL, "called with null %s", block ? "unpadded pointer" : "data pointer");
        return false;
    }
    if (blocklen == 0) {
        ut_diag(UT_HERE, PAD_ERR_CORRUPT, UT_SEV_RECOVER, "can't unpad 0 bytes");
        return false;
    }
    return true;
}
