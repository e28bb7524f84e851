// BER INTEGERs to and from arcs.
#include "mpm/mpm_internal.h"

#include <cstring>

using namespace mpmi;

namespace {

// Content bytes: (bit length + 8) / 8, so a non-negative value never shows its top bit set.
uint32_t contentSize(const mpm_arc* arc)
{
    return static_cast<uint32_t>((mpm_arc_bitlen(arc) + 8) / 8);
}

} // namespace

uint32_t mpm_sizeof_arc2berinteger(const mpm_arc* arc)
{
    uint32_t c = contentSize(arc);
    return 1 + ut_sizeof_size2len(c) + c;
}

uint8_t* mpm_arc2berinteger(const mpm_arc* arc, uint8_t* out)
{
    if (!arc || !out)
        return nullptr;
    uint32_t c = contentSize(arc);
    uint8_t* p = ut_type2tag(UT_INTEGER, out);
    p = ut_size2len(c, p);
    mpm_bstore_arc(arc, p, c);
    if (mpm_arc_is_neg(arc)) {
        // Two's complement over the content bytes: invert and add one from the least significant end.
        unsigned carry = 1;
        for (uint32_t i = c; i-- > 0;) {
            unsigned v = static_cast<uint8_t>(~p[i]) + carry;
            p[i] = static_cast<uint8_t>(v);
            carry = v >> 8;
        }
    }
    return p + c;
}

const uint8_t* mpm_berinteger2arc(const uint8_t* in, const uint8_t* end, mpm_arc** arc)
{
    if (!arc)
        return nullptr;
    *arc = nullptr;
    int type = 0;
    uint32_t len = 0;
    const uint8_t* p = ut_ber_header(in, end, &type, &len);
    if (!p)
        return nullptr;
    if (type != UT_INTEGER) {
        ut_diag(UT_HERE, MPM_ERR_NOT_INTEGER, UT_SEV_RECOVER, "expected integer, got type #%d", type);
        return nullptr;
    }
    if (len == 0) {
        ut_diag(UT_HERE, MPM_ERR_NOT_INTEGER, UT_SEV_RECOVER, "integer without content");
        return nullptr;
    }
    mpm_arc* a = nullptr;
    if (p[0] & 0x80) {
        DigBuf buf((len + 3) / 4);
        if (!buf) {
            ut_diag(UT_HERE, MPM_ERR_BLOAD, UT_SEV_RECOVER, "internal failure in mpm_bload_arc()");
            return nullptr;
        }
        auto* neg = reinterpret_cast<uint8_t*>(buf.get());
        unsigned carry = 1;
        for (uint32_t i = len; i-- > 0;) {
            unsigned v = static_cast<uint8_t>(~p[i]) + carry;
            neg[i] = static_cast<uint8_t>(v);
            carry = v >> 8;
        }
        a = mpm_bload_arc(0, len, neg);
    } else {
        a = mpm_bload_arc(1, len, p);
    }
    if (!a) {
        ut_diag(UT_HERE, MPM_ERR_BLOAD, UT_SEV_RECOVER, "internal failure in mpm_bload_arc()");
        return nullptr;
    }
    *arc = a;
    return p + len;
}
