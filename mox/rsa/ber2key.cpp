// RSA keys from BER: a SEQUENCE (public key, or private key when it starts with version 0), or
// a BIT STRING holding one such SEQUENCE. Every length is checked against the input's end.
#include "mox/rsa.h"
#include "mox/ut.h"

#include <cstring>

namespace {

constexpr uint32_t kErrBitString = 0x240000;
constexpr uint32_t kErrNotBitString = 0x240200;
constexpr uint32_t kErrNotSequence = 0x240201;
constexpr uint32_t kErrEnds = 0x240300;
constexpr uint32_t kErrTrailing = 0x240301;

// Reads `count` INTEGERs into the arcs; false on any failure.
bool readIntegers(const uint8_t*& p, const uint8_t* end, mpm_arc** targets[], int count)
{
    for (int i = 0; i < count; ++i) {
        p = mpm_berinteger2arc(p, end, targets[i]);
        if (!p)
            return false;
    }
    return true;
}

bool trailing(const uint8_t* p, const uint8_t* end)
{
    if (p == end)
        return false;
    ut_diag(UT_HERE, kErrTrailing, UT_SEV_RECOVER, "unexpected trailing data in key");
    return true;
}

// Private key integers after the version: n, e, d, p, q, dP, dQ, qInv.
bool readPrivate(rsa_key* k, const uint8_t* p, const uint8_t* end)
{
    mpm_arc** t[] = { &k->n, &k->e, &k->d, &k->p, &k->q, &k->dp, &k->dq, &k->qinv };
    k->form = 1;
    return readIntegers(p, end, t, 8) && !trailing(p, end);
}

bool readPublic(rsa_key* k, const uint8_t* p, const uint8_t* end)
{
    mpm_arc** t[] = { &k->n, &k->exp };
    k->form = 0;
    return readIntegers(p, end, t, 2) && !trailing(p, end);
}

// A BIT STRING's sequence: n and x, then either the end (public, exponent x) or the private
// factors (d = x, e = 0).
bool readWrapped(rsa_key* k, const uint8_t* p, const uint8_t* end)
{
    if (p >= end || *p != 0) {
        ut_diag(UT_HERE, kErrBitString, UT_SEV_RECOVER, "bit string with non-full (%d bits) last byte",
            p < end ? *p : -1);
        return false;
    }
    ++p;
    int type = 0;
    uint32_t len = 0;
    const uint8_t* seq = ut_ber_header(p, end, &type, &len);
    if (!seq)
        return false;
    if (type != UT_SEQUENCE) {
        ut_diag(UT_HERE, kErrNotSequence, UT_SEV_RECOVER, "expected sequence, got type #%d", type);
        return false;
    }
    if (seq + len != end) {
        ut_diag(UT_HERE, kErrEnds, UT_SEV_RECOVER, "bitstring end and sequence end do not coincide");
        return false;
    }
    mpm_arc* x = nullptr;
    mpm_arc** first[] = { &k->n, &x };
    if (!readIntegers(seq, end, first, 2)) {
        mpm_arc_free(x);
        return false;
    }
    if (seq == end) {
        k->form = 0;
        k->exp = x;
        return true;
    }
    k->form = 1;
    k->d = x;
    k->e = mpm_bload_arc(1, 0, nullptr);
    mpm_arc** rest[] = { &k->p, &k->q, &k->dp, &k->dq, &k->qinv };
    return k->e && readIntegers(seq, end, rest, 5) && !trailing(seq, end);
}

// k = bit length of e - 1; e = 2^k + 1 with k a power of two gives f = log2(k) + 1.
uint32_t fermatIndex(const mpm_arc* e)
{
    int bits = mpm_arc_bitlen(e);
    if (mpm_arc_is_neg(e) || bits < 2)
        return 0;
    uint32_t k = static_cast<uint32_t>(bits - 1);
    if ((k & (k - 1)) != 0 || k > (1u << 15))
        return 0;
    size_t n = (static_cast<size_t>(bits) + 7) / 8;
    uint8_t buf[4097];
    if (n > sizeof buf || mpm_bstore_arc(e, buf, n) < 0)
        return 0;
    // 2^k + 1: only the lowest bit and bit k are set.
    for (size_t i = 0; i < n; ++i) {
        size_t bitBase = 8 * (n - 1 - i);
        uint8_t want = 0;
        if (bitBase == 0)
            want |= 1;
        if (k >= bitBase && k < bitBase + 8)
            want |= static_cast<uint8_t>(1u << (k - bitBase));
        if (buf[i] != want)
            return 0;
    }
    uint32_t f = 1;
    while ((1u << (f - 1)) < k)
        ++f;
    return f;
}

} // namespace

const uint8_t* rsa_ber_key2key(const uint8_t* in, size_t inlen, rsa_key** key)
{
    if (!in || !key) {
        ut_diag(UT_HERE, RSA_ERR, UT_SEV_RECOVER, "rsa_ber_key2key() called with null %s pointer",
            in ? "key" : "source");
        return nullptr;
    }
    *key = nullptr;
    const uint8_t* end = in + inlen;
    int type = 0;
    uint32_t len = 0;
    const uint8_t* p = ut_ber_header(in, end, &type, &len);
    if (!p)
        return nullptr;
    auto* k = static_cast<rsa_key*>(ut_alloc(UT_HERE, sizeof(rsa_key)));
    if (!k) {
        ut_diag(UT_HERE, UT_ERR_NO_MEMORY, UT_SEV_RECOVER, "out of memory");
        return nullptr;
    }
    std::memset(k, 0, sizeof *k);
    const uint8_t* content = p;
    const uint8_t* contentEnd = p + len;
    bool ok;
    if (type == UT_SEQUENCE) {
        static constexpr uint8_t kVersion[3] = { 0x02, 0x01, 0x00 };
        if (len >= 3 && std::memcmp(content, kVersion, 3) == 0)
            ok = readPrivate(k, content + 3, contentEnd);
        else
            ok = readPublic(k, content, contentEnd);
    } else if (type == UT_BIT_STRING) {
        ok = readWrapped(k, content, contentEnd);
    } else {
        ut_diag(UT_HERE, kErrNotBitString, UT_SEV_RECOVER, "expected bit string, got type #%d", type);
        ok = false;
    }
    if (!ok) {
        rsa_free_key(k);
        return nullptr;
    }
    int nbits = mpm_arc_bitlen(k->n);
    k->bits = static_cast<uint32_t>((nbits - 1) / 8 * 8);
    if (k->form == 0)
        k->fermat = fermatIndex(k->exp);
    *key = k;
    return contentEnd;
}
