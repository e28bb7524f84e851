// ASN.1 tags and definite lengths, always written in their minimal (DER) form.
#include "mox/ut.h"

namespace {

constexpr uint8_t kTags[22] = {
    0x01,
    0x02,
    0x03,
    0x04,
    0x05,
    0x06,
    0x09,
    0x0A,
    0x12,
    0x13,
    0x14,
    0x15,
    0x16,
    0x17,
    0x18,
    0x19,
    0x1A,
    0x1B,
    0x1C,
    0x24,
    0x30,
    0x31,
};
constexpr int kTypeCount = sizeof kTags;

bool truncated(const char* what)
{
    ut_diag(UT_HERE, UT_ERR_TRUNCATED, UT_SEV_RECOVER, "ASN.1 %s runs past the end of the input", what);
    return false;
}

} // namespace

uint8_t ut_type_tag(int type)
{
    if (type < 0 || type >= kTypeCount) {
        ut_diag(UT_HERE, 0, UT_SEV_FATAL, "bad ASN.1 type argument `%d'", type);
        return 0;
    }
    return kTags[type];
}

uint32_t ut_sizeof_type2tag(int type)
{
    ut_type_tag(type);
    return 1;
}

uint8_t* ut_type2tag(int type, uint8_t* out)
{
    *out = ut_type_tag(type);
    return out + 1;
}

const uint8_t* ut_tag2type(const uint8_t* in, const uint8_t* end, int* type)
{
    if (!in || in >= end) {
        truncated("tag");
        return nullptr;
    }
    uint8_t tag = *in;
    // Context-specific, single-byte form only: the multi-byte tag form is never produced here.
    if ((tag & 0xC0) == 0x80 && (tag & 0x1F) != 0x1F) {
        *type = UT_CONTEXT;
        return in + 1;
    }
    for (int i = 0; i < kTypeCount; ++i) {
        if (kTags[i] == tag) {
            *type = i;
            return in + 1;
        }
    }
    ut_diag(UT_HERE, UT_ERR_UNKNOWN_TAG, UT_SEV_RECOVER, "unknown ASN.1 type %02x ..", tag);
    return nullptr;
}

uint32_t ut_sizeof_size2len(uint32_t size)
{
    if (size < 0x80)
        return 1;
    if (size <= 0xFF)
        return 2;
    if (size <= 0xFFFF)
        return 3;
    if (size <= 0xFFFFFF)
        return 4;
    return 5;
}

uint8_t* ut_size2len(uint32_t size, uint8_t* out)
{
    return ut_size2len_n(size, ut_sizeof_size2len(size), out);
}

uint8_t* ut_size2len_n(uint32_t size, uint32_t noctets, uint8_t* out)
{
    if (noctets == 0 || noctets > 5) {
        ut_diag(UT_HERE, 0, UT_SEV_FATAL, "ASN.1 noctets argument (%u) too large", noctets);
        return nullptr;
    }
    bool fits = noctets == 1 ? size < 0x80 : noctets == 5 || size < (1u << (8 * (noctets - 1)));
    if (!fits) {
        ut_diag(UT_HERE, 0, UT_SEV_FATAL, "ASN.1 size argument (%u) too large for noctets argument (%u)",
            size, noctets);
        return nullptr;
    }
    if (noctets == 1) {
        *out++ = static_cast<uint8_t>(size);
        return out;
    }
    *out++ = static_cast<uint8_t>(0x80 + noctets - 1);
    for (uint32_t i = noctets - 1; i-- > 0;)
        *out++ = static_cast<uint8_t>(size >> (8 * i));
    return out;
}

const uint8_t* ut_len2size(const uint8_t* in, const uint8_t* end, uint32_t* size)
{
    if (!in || in >= end) {
        truncated("length");
        return nullptr;
    }
    uint8_t first = *in++;
    if (first < 0x80 || first == 0x80) {
        *size = first == 0x80 ? 0 : first;
        return in;
    }
    uint32_t n = first & 0x7F;
    if (n > 4) {
        ut_diag(UT_HERE, UT_ERR_TOO_LARGE, UT_SEV_RECOVER, "ASN.1 object too large - cannot decode size");
        return nullptr;
    }
    if (static_cast<size_t>(end - in) < n) {
        truncated("length");
        return nullptr;
    }
    uint32_t v = 0;
    for (uint32_t i = 0; i < n; ++i)
        v = (v << 8) | *in++;
    *size = v;
    return in;
}

const uint8_t* ut_ber_header(const uint8_t* in, const uint8_t* end, int* type, uint32_t* len)
{
    const uint8_t* p = ut_tag2type(in, end, type);
    if (p)
        p = ut_len2size(p, end, len);
    if (!p)
        return nullptr;
    if (static_cast<size_t>(end - p) < *len) {
        truncated("element");
        return nullptr;
    }
    return p;
}
