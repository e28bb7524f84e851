// Velmarine-RSA padding: the data, random filler, then the padding length
// written backwards from the last byte in 7-bit groups.

#include "mox/bsapi.h"
#include "pad/unpad_check.h"

int brsa_pad(uint8_t* block, uint32_t datalen, uint32_t blocklen, prng* g, int no_length)
{
    if (block == nullptr) {
        ut_diag(UT_HERE, 0, UT_SEV_FATAL, "called with null data pointer");
        return -1;
    }
    if (datalen >= blocklen) {
        ut_diag(UT_HERE, PAD_ERR_NO_SPACE, UT_SEV_RECOVER, "no space in which to perform padding");
        return -1;
    }
    if (g == nullptr) {
        ut_diag(UT_HERE, 0, UT_SEV_FATAL, "called with null prng");
        return -1;
    }
    const uint32_t p = blocklen - datalen;
    uint32_t end = blocklen;
    if (!no_length) {
        // Least significant group last; every group but the most significant carries 0x80.
        uint32_t v = p;
        do {
            block[--end] = uint8_t((v & 0x7F) | ((v >> 7) != 0 ? 0x80 : 0));
            v >>= 7;
        } while (v != 0);
    }
    if (end > datalen && prng_get(g, block + datalen, end - datalen) != 0) {
        ut_diag(UT_HERE, PAD_ERR_PRNG, UT_SEV_RECOVER, "prng failed");
        return -1;
    }
    return 0;
}

int brsa_unpad(const uint8_t* block, uint32_t* outlen, uint32_t blocklen, int no_length)
{
    if (!unpad_arguments_usable(block, outlen, blocklen))
        return -1;
    if (no_length) {
        *outlen = blocklen;
        return 0;
    }
    uint64_t p = 0;
    uint32_t groups = 0;
    bool more = true;
    while (more && groups < blocklen && groups < 5) {
        const uint8_t b = block[blocklen - 1 - groups];
        p |= uint64_t(b & 0x7F) << (7 * groups);
        more = (b & 0x80) != 0;
        ++groups;
    }
    // The padding always covers its own length bytes, so a length shorter than
    // the groups that encode it can only come from a damaged block.
    if (more || p > blocklen || p < groups) {
        ut_diag(UT_HERE, PAD_ERR_CORRUPT, UT_SEV_RECOVER, "padding is corrupt");
        return -1;
    }
    *outlen = blocklen - uint32_t(p);
    return 0;
}

namespace {

int pad_op(uint8_t* block, uint32_t datalen, uint32_t blocklen, prng* g, int)
{
    return brsa_pad(block, datalen, blocklen, g, 0);
}

int unpad_op(uint8_t* block, uint32_t* outlen, uint32_t blocklen, int)
{
    return brsa_unpad(block, outlen, blocklen, 0);
}

uint32_t overhead_op(int) { return 1; }

} // namespace

const pad_scheme pad_velmarine_rsa = {"Velmarine-RSA", PAD_ID_VELMARINE_RSA, pad_op, unpad_op,
                                      overhead_op};
