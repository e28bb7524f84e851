// The algorithm table and its parameter operations.
#include "mox/algid.h"

#include <cstring>

namespace {

constexpr uint32_t kErrNoMemory = 0x1040013;

// NULL parameters: written as 05 00; on reading, whatever element stands there is skipped.
void nullFree(mblk*) { }
uint32_t nullSize(const mblk*)
{
    return 2;
}
uint8_t* nullEncode(const mblk*, uint8_t* out)
{
    out[0] = 0x05;
    out[1] = 0x00;
    return out + 2;
}
const uint8_t* nullDecode(const uint8_t* in, const uint8_t* end, mblk** params)
{
    *params = nullptr;
    if (in == end)
        return in; // no parameters at all
    int type = 0;
    uint32_t len = 0;
    const uint8_t* p = ut_ber_header(in, end, &type, &len);
    return p ? p + len : nullptr;
}
int nullCompare(const mblk*, const mblk*)
{
    return 0;
}
mblk* nullCopy(const mblk*, int* ok)
{
    *ok = 1;
    return nullptr;
}

// OCTET STRING parameters: the initialisation vector of a block cipher.
void ivFree(mblk* params)
{
    if (!params)
        return;
    ut_free_mblk(UT_HERE, params);
    ut_free(UT_HERE, params);
}
uint32_t ivSize(const mblk* params)
{
    return params ? ut_sizeof_mblk2beroctetstring(params->data, params->size, params->used) : 0;
}
uint8_t* ivEncode(const mblk* params, uint8_t* out)
{
    if (!params)
        return nullptr;
    uint8_t* end = ut_mblk2beroctetstring(params->data, params->size, params->used, out);
    return end == out ? nullptr : end;
}
mblk* newBlock()
{
    auto* b = static_cast<mblk*>(ut_alloc(UT_HERE, sizeof(mblk)));
    if (b)
        *b = mblk { nullptr, 0, 0 };
    return b;
}
const uint8_t* ivDecode(const uint8_t* in, const uint8_t* end, mblk** params)
{
    *params = nullptr;
    mblk* b = newBlock();
    if (!b)
        return nullptr;
    const uint8_t* p = ut_beroctetstring2mblk(in, static_cast<size_t>(end - in), b);
    if (!p) {
        ivFree(b);
        return nullptr;
    }
    *params = b;
    return p;
}
int ivCompare(const mblk* a, const mblk* b)
{
    if (!a || !b)
        return a == b ? 0 : 1;
    if (a->used != b->used)
        return 1;
    return a->used && std::memcmp(a->data, b->data, a->used) != 0 ? 1 : 0;
}
mblk* ivCopy(const mblk* params, int* ok)
{
    *ok = 1;
    if (!params)
        return nullptr;
    mblk* b = newBlock();
    if (!b || ut_new_mblk(UT_HERE, b, params->used ? params->used : 1) != 0) {
        ut_free(UT_HERE, b);
        ut_diag(UT_HERE, kErrNoMemory, UT_SEV_RECOVER, "out of memory");
        *ok = 0;
        return nullptr;
    }
    if (params->used)
        std::memcpy(b->data, params->data, params->used);
    b->used = params->used;
    return b;
}

constexpr algid_params_ops kNull { nullFree, nullSize, nullEncode, nullDecode, nullCompare, nullCopy };
constexpr algid_params_ops kIv { ivFree, ivSize, ivEncode, ivDecode, ivCompare, ivCopy };

#define OID(name, ...)                                                                                       \
    constexpr uint32_t name##_arcs[] = { __VA_ARGS__ };                                                      \
    constexpr objid name { sizeof(name##_arcs) / sizeof(uint32_t), 0, name##_arcs };

OID(kX509Rsa, 2, 5, 8, 1, 1)
OID(kRipemd, 2, 5, 8, 2, 50)
OID(kSmdc2, 2, 5, 8, 2, 90)
OID(kDmdc2, 2, 5, 8, 2, 100)
OID(kRsaRipemd, 2, 5, 8, 3, 50)
OID(kRsaSmdc2, 2, 5, 8, 3, 90)
OID(kRsaDmdc2, 2, 5, 8, 3, 100)
OID(kMd5, 1, 2, 840, 113549, 2, 5)
OID(kDesEde3Cbc, 1, 2, 840, 113549, 3, 7)
OID(kDesCbc, 1, 3, 14, 3, 2, 7)
OID(kSha1, 1, 3, 14, 3, 2, 26)
OID(kRsaEncryption, 1, 2, 840, 113549, 1, 1, 1)
OID(kMd5Rsa, 1, 2, 840, 113549, 1, 1, 4)
OID(kSha1Rsa, 1, 2, 840, 113549, 1, 1, 5)
#undef OID

// Entry order is lookup order: arc count first, then arc by arc.
const algid_entry kTable[ALGID_TABLE_SIZE + 1] = {
    { ALGID_MOD_RSA, &kX509Rsa, ALGID_MOD_NONE, nullptr, kNull, "rsa (X.509)" },
    { ALGID_MOD_NONE, nullptr, ALGID_MOD_RIPEMD, &kRipemd, kNull, "ripemd" },
    { ALGID_MOD_NONE, nullptr, ALGID_MOD_MDC2_SINGLE, &kSmdc2, kNull, "smdc2" },
    { ALGID_MOD_NONE, nullptr, ALGID_MOD_MDC2_DOUBLE, &kDmdc2, kNull, "dmdc2" },
    { ALGID_MOD_RSA, &kX509Rsa, ALGID_MOD_RIPEMD, &kRipemd, kNull, "rsa with ripemd" },
    { ALGID_MOD_RSA, &kX509Rsa, ALGID_MOD_MDC2_SINGLE, &kSmdc2, kNull, "rsa with smdc2" },
    { ALGID_MOD_RSA, &kX509Rsa, ALGID_MOD_MDC2_DOUBLE, &kDmdc2, kNull, "rsa with dmdc2" },
    { ALGID_MOD_NONE, nullptr, ALGID_MOD_MD5, &kMd5, kNull, "md5" },
    { ALGID_MOD_DES_EDE3, &kDesEde3Cbc, ALGID_MOD_NONE, nullptr, kIv, "DES-EDE3-CBC" },
    { ALGID_MOD_DES, &kDesCbc, ALGID_MOD_NONE, nullptr, kIv, "DES-CBC" },
    { ALGID_MOD_NONE, nullptr, ALGID_MOD_SHA1, &kSha1, kNull, "sha-1 (ANSI-style)" },
    { ALGID_MOD_RSA, &kRsaEncryption, ALGID_MOD_NONE, nullptr, kNull, "rsaEncryption" },
    { ALGID_MOD_RSA, &kRsaEncryption, ALGID_MOD_MD5, &kMd5, kNull, "md5withRSAEncryption" },
    { ALGID_MOD_RSA, &kRsaEncryption, ALGID_MOD_SHA1, &kSha1, kNull, "sha-1withRSAEncryption" },
    { ALGID_MOD_RSA, &kRsaEncryption, ALGID_MOD_MD5, &kMd5, kNull, "default (md5withRSAEncryption)" },
};

// The identifier of each entry, in the same order.
const objid* const kKeys[ALGID_TABLE_SIZE] = { &kX509Rsa, &kRipemd, &kSmdc2, &kDmdc2, &kRsaRipemd, &kRsaSmdc2,
    &kRsaDmdc2, &kMd5, &kDesEde3Cbc, &kDesCbc, &kSha1, &kRsaEncryption, &kMd5Rsa, &kSha1Rsa };

} // namespace

const algid_entry* algid_table()
{
    return kTable;
}

const algid_entry* algid_default_entry()
{
    return &kTable[ALGID_TABLE_SIZE];
}

const objid* algid_entry_oid(int index)
{
    return index >= 0 && index < ALGID_TABLE_SIZE ? kKeys[index] : nullptr;
}

const algid_entry* algid_lookup(const objid* oid)
{
    if (!oid)
        return algid_default_entry();
    int lo = 0, hi = ALGID_TABLE_SIZE - 1;
    while (lo <= hi) {
        int mid = (lo + hi) / 2;
        int c = objid_cmp(oid, kKeys[mid]);
        if (c == 0)
            return &kTable[mid];
        if (c < 0)
            hi = mid - 1;
        else
            lo = mid + 1;
    }
    return algid_default_entry();
}
