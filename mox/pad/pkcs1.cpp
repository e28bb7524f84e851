// PKCS #1 v1.5 block formatting for the RSA session. Its blocks are one byte
// shorter than the modulus: the leading zero byte of PKCS #1 is implied.

#include "mox/bsapi.h"

#include <cstring>

namespace {

// Random non-zero filler: one request, then single draws for every zero.
int nonzero_random(uint8_t* out, uint32_t n, prng* g)
{
    if (prng_get(g, out, n) != 0)
        return -1;
    for (uint32_t i = 0; i < n; ++i) {
        // A generator that keeps answering zero is broken; give up rather than spin.
        for (int tries = 0; out[i] == 0; ++tries) {
            if (tries == 1000 || prng_get(g, out + i, 1) != 0)
                return -1;
        }
    }
    return 0;
}

int pad_common(uint8_t* block, uint32_t datalen, uint32_t blocklen, prng* g, int type)
{
    const uint32_t need = type == 0 ? 3 : 10;
    if (blocklen < need || datalen > blocklen - need) {
        ut_diag(UT_HERE, PAD_ERR_NO_SPACE, UT_SEV_RECOVER, "no space in which to perform padding");
        return -1;
    }
    if (type == 2 && g == nullptr) {
        ut_diag(UT_HERE, 0, UT_SEV_FATAL, "called with null prng");
        return -1;
    }
    const uint32_t front = blocklen - datalen;
    std::memmove(block + front, block, datalen);
    if (type == 0) {
        std::memset(block, 0, front);
        return 0;
    }
    block[0] = uint8_t(type);
    block[front - 1] = 0;
    if (type == 1) {
        std::memset(block + 1, 0xFF, front - 2);
        return 0;
    }
    if (nonzero_random(block + 1, front - 2, g) != 0) {
        ut_diag(UT_HERE, PAD_ERR_PRNG, UT_SEV_RECOVER, "prng failed");
        return -1;
    }
    return 0;
}

int pkcs1_pad(uint8_t* block, uint32_t datalen, uint32_t blocklen, prng* g, int private_op)
{
    if (block == nullptr) {
        ut_diag(UT_HERE, 0, UT_SEV_FATAL, "called with null data pointer");
        return -1;
    }
    return pad_common(block, datalen, blocklen, g, private_op ? 1 : 2);
}

int pkcs1_null_pad(uint8_t* block, uint32_t datalen, uint32_t blocklen, prng* g, int private_op)
{
    if (block == nullptr) {
        ut_diag(UT_HERE, 0, UT_SEV_FATAL, "called with null data pointer");
        return -1;
    }
    return pad_common(block, datalen, blocklen, g, private_op ? 0 : 2);
}

// Shared by both schemes. A block that does not unpad answers -1 without a report.
int pkcs1_unpad(uint8_t* block, uint32_t* outlen, uint32_t blocklen, int private_op)
{
    if (block == nullptr || outlen == nullptr) {
        ut_diag(UT_HERE, 0, UT_SEV_FATAL, "called with null %s", block ? "unpadded pointer" : "data pointer");
        return -1;
    }
    if (blocklen == 0) {
        ut_diag(UT_HERE, 0, UT_SEV_FATAL, "can't unpad 0 bytes");
        return -1;
    }
    uint32_t i = 1;
    if (block[0] == 0x00 && !private_op) {
        while (i < blocklen && block[i] == 0)
            ++i;
    } else if (block[0] == 0x01 && !private_op) {
        while (i < blocklen && block[i] == 0xFF)
            ++i;
        if (i == blocklen || block[i] != 0)
            return -1;
        ++i;
    } else if (block[0] == 0x02 && private_op) {
        while (i < blocklen && block[i] != 0)
            ++i;
        if (i == blocklen)
            return -1;
        ++i;
    } else {
        return -1;
    }
    *outlen = blocklen - i;
    std::memmove(block, block + i, *outlen);
    return 0;
}

uint32_t pkcs1_overhead(int) { return 10; }
uint32_t pkcs1_null_overhead(int private_op) { return private_op ? 3 : 10; }

} // namespace

const pad_scheme pad_pkcs1 = {"PKCS-1", PAD_ID_PKCS1, pkcs1_pad, pkcs1_unpad, pkcs1_overhead};
const pad_scheme pad_pkcs1_null = {"PKCS-1-null", PAD_ID_PKCS1_NULL, pkcs1_null_pad, pkcs1_unpad,
                                   pkcs1_null_overhead};

const pad_scheme* pad_scheme_by_id(int id)
{
    switch (id) {
    case PAD_ID_VELMARINE_RSA:
        return &pad_velmarine_rsa;
    case PAD_ID_PKCS1:
        return &pad_pkcs1;
    case PAD_ID_PKCS5:
        return &pad_pkcs5;
    case PAD_ID_PKCS1_NULL:
        return &pad_pkcs1_null;
    default:
        return nullptr;
    }
}
