// PKCS#5 padding of 8-byte blocks: n bytes of value n complete the last block.

#include "mox/bsapi.h"
#include "pad/unpad_check.h"

int pkcs5_pad(uint8_t* block, uint32_t held, uint32_t blocklen)
{
    if (block == nullptr) {
        ut_diag(UT_HERE, 0, UT_SEV_FATAL, "called with null data pointer");
        return -1;
    }
    if (held >= blocklen) {
        ut_diag(UT_HERE, 0, UT_SEV_FATAL, "no space in which to perform padding");
        return -1;
    }
    const uint32_t n = blocklen - held;
    if (n > 8) {
        ut_diag(UT_HERE, 0, UT_SEV_FATAL, "can only perform 1-8 bytes' padding");
        return -1;
    }
    for (uint32_t i = held; i < blocklen; ++i)
        block[i] = uint8_t(n);
    return 0;
}

int pkcs5_unpad(const uint8_t* block, uint32_t* outlen, uint32_t blocklen)
{
    if (!unpad_arguments_usable(block, outlen, blocklen))
        return -1;
    // A last byte of 0 removes nothing: peers have always accepted such blocks.
    const uint32_t n = block[blocklen - 1];
    bool ok = n <= 8 && n <= blocklen;
    for (uint32_t i = 0; ok && i < n; ++i)
        ok = block[blocklen - 1 - i] == n;
    if (!ok) {
        ut_diag(UT_HERE, PAD_ERR_CORRUPT, UT_SEV_RECOVER, "padding is corrupt");
        return -1;
    }
    *outlen = blocklen - n;
    return 0;
}

namespace {

int pad_op(uint8_t* block, uint32_t datalen, uint32_t blocklen, prng*, int)
{
    return pkcs5_pad(block, datalen, blocklen);
}

int unpad_op(uint8_t* block, uint32_t* outlen, uint32_t blocklen, int)
{
    return pkcs5_unpad(block, outlen, blocklen);
}

uint32_t overhead_op(int) { return 1; }

} // namespace

const pad_scheme pad_pkcs5 = {"PKCS5", PAD_ID_PKCS5, pad_op, unpad_op, overhead_op};
