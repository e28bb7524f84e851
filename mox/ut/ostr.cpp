// OCTET STRING and BIT STRING conversions between BER and memory blocks.
#include "mox/ut.h"

#include <cstring>

namespace {

// A block the writers cannot trust; reported and refused instead of ending the program, since
// a caller's empty key object is enough to produce one.
bool suspicious(const uint8_t* data, uint32_t size, uint32_t used)
{
    if (data && size != 0 && used <= size)
        return false;
    ut_diag(UT_HERE, UT_ERR_BAD_MBLK, UT_SEV_RECOVER, "suspicious-looking mblk (S:%u U:%u D:%p)", size, used,
        static_cast<const void*>(data));
    return true;
}

uint32_t encodedSize(uint32_t content)
{
    uint64_t total = 1ull + ut_sizeof_size2len(content) + content;
    return total > UINT32_MAX ? 0 : static_cast<uint32_t>(total);
}

} // namespace

const uint8_t* ut_beroctetstring2mblk(const uint8_t* in, size_t inlen, mblk* b)
{
    if (!in || !b)
        return nullptr;
    const uint8_t* end = in + inlen;
    int type = 0;
    const uint8_t* p = ut_tag2type(in, end, &type);
    if (!p)
        return nullptr;
    if (type != UT_OCTET_STRING) {
        ut_diag(UT_HERE, UT_ERR_NOT_OCTETSTRING, UT_SEV_RECOVER, "expected octet string, got type #%d", type);
        return nullptr;
    }
    uint32_t len = 0;
    p = ut_len2size(p, end, &len);
    if (!p) {
        ut_diag(UT_HERE, UT_ERR_TOO_LARGE, UT_SEV_RECOVER, "octet string is too large");
        return nullptr;
    }
    if (static_cast<size_t>(end - p) < len) {
        ut_diag(UT_HERE, UT_ERR_TRUNCATED, UT_SEV_RECOVER, "octet string runs past the end of the input");
        return nullptr;
    }
    if (ut_ensure_mblk(UT_HERE, b, len ? len : 1) != 0)
        return nullptr;
    if (len)
        std::memcpy(b->data, p, len);
    b->used = len;
    return p + len;
}

uint32_t ut_sizeof_mblk2beroctetstring(const uint8_t* data, uint32_t size, uint32_t used)
{
    if (suspicious(data, size, used))
        return 0;
    return encodedSize(used);
}

uint8_t* ut_mblk2beroctetstring(const uint8_t* data, uint32_t size, uint32_t used, uint8_t* out)
{
    if (!out || suspicious(data, size, used))
        return out;
    uint8_t* p = ut_type2tag(UT_OCTET_STRING, out);
    p = ut_size2len(used, p);
    std::memcpy(p, data, used);
    return p + used;
}

const uint8_t* ut_berbitstring2mblk(const uint8_t* in, const uint8_t* end, mblk* b)
{
    int type = 0;
    uint32_t len = 0;
    const uint8_t* p = ut_tag2type(in, end, &type);
    if (!p)
        return nullptr;
    if (type != UT_BIT_STRING) {
        ut_diag(UT_HERE, UT_ERR_NOT_BITSTRING, UT_SEV_RECOVER, "expected bit string, got type #%d", type);
        return nullptr;
    }
    p = ut_len2size(p, end, &len);
    if (!p)
        return nullptr;
    if (len == 0 || static_cast<size_t>(end - p) < len) {
        ut_diag(UT_HERE, UT_ERR_TRUNCATED, UT_SEV_RECOVER, "bit string runs past the end of the input");
        return nullptr;
    }
    if (*p != 0) {
        ut_diag(UT_HERE, UT_ERR_BITSTRING_UNUSED, UT_SEV_RECOVER,
            "bit string with non-full (%u bytes) last byte", static_cast<unsigned>(*p));
        return nullptr;
    }
    uint32_t content = len - 1;
    if (ut_new_mblk(UT_HERE, b, content > 1 ? content : 1) != 0)
        return nullptr;
    if (content)
        std::memcpy(b->data, p + 1, content);
    b->used = content;
    return p + len;
}

uint32_t ut_sizeof_mblk2berbitstring(const uint8_t* data, uint32_t size, uint32_t used)
{
    if (suspicious(data, size, used) || used == UINT32_MAX)
        return 0;
    return encodedSize(used + 1);
}

uint8_t* ut_mblk2berbitstring(const uint8_t* data, uint32_t size, uint32_t used, uint8_t* out)
{
    if (!out || suspicious(data, size, used) || used == UINT32_MAX)
        return out;
    uint8_t* p = ut_type2tag(UT_BIT_STRING, out);
    p = ut_size2len(used + 1, p);
    *p++ = 0;
    std::memcpy(p, data, used);
    return p + used;
}
