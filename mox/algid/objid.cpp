// Object identifiers: BER codecs, comparison, copy and release; and the expected-type read.
#include "mox/algid.h"

#include <cstring>

namespace {

constexpr uint32_t kErrBadTag = 0x1040400;
constexpr uint32_t kErrBadSize = 0x1040401;
constexpr uint32_t kErrOidTag = 0x1040402;
constexpr uint32_t kErrOidHeader = 0x1040428;
constexpr uint32_t kErrCopy = 0x104042f;
constexpr uint32_t kErrTemp = 0x1040446;
constexpr uint32_t kErrAlloc = 0x1040449;
constexpr uint32_t kMaxArcs = 1024;

uint32_t base128Size(uint32_t v)
{
    uint32_t n = 1;
    while (v >= 0x80) {
        v >>= 7;
        ++n;
    }
    return n;
}

uint8_t* base128(uint32_t v, uint8_t* out)
{
    uint32_t n = base128Size(v);
    for (uint32_t i = n; i-- > 0;)
        *out++ = static_cast<uint8_t>(((v >> (7 * i)) & 0x7F) | (i ? 0x80 : 0));
    return out;
}

// The first subidentifier joins the first two arcs; it may itself take several bytes.
uint32_t firstSub(const objid* oid)
{
    return oid->count >= 2 ? 40 * oid->arcs[0] + oid->arcs[1] : 40 * oid->arcs[0];
}

uint32_t contentSize(const objid* oid)
{
    if (!oid || oid->count == 0)
        return 0;
    uint32_t size = base128Size(firstSub(oid));
    for (uint32_t i = 2; i < oid->count; ++i)
        size += base128Size(oid->arcs[i]);
    return size;
}

// An owned identifier: the record and its arcs in one block.
objid* allocOwned(uint32_t count, uint32_t code, const char* fmt)
{
    size_t bytes = sizeof(objid) + sizeof(uint32_t) * (count ? count : 1);
    auto* raw = static_cast<uint8_t*>(ut_alloc(UT_HERE, bytes));
    if (!raw) {
        ut_diag(UT_HERE, code, UT_SEV_RECOVER, fmt, static_cast<int>(count));
        return nullptr;
    }
    auto* oid = reinterpret_cast<objid*>(raw);
    oid->count = count;
    oid->owned = 1;
    oid->arcs = reinterpret_cast<const uint32_t*>(raw + sizeof(objid));
    return oid;
}

} // namespace

const uint8_t* algid_ber_expect(const uint8_t* in, const uint8_t* end, int type, uint32_t* len)
{
    int got = 0;
    const uint8_t* p = ut_tag2type(in, end, &got);
    if (!p || (got != type && got != UT_CONTEXT)) {
        ut_diag(UT_HERE, kErrBadTag, UT_SEV_RECOVER, "bad ASN.1 tag");
        return nullptr;
    }
    p = ut_len2size(p, end, len);
    if (!p || static_cast<size_t>(end - p) < *len) {
        ut_diag(UT_HERE, kErrBadSize, UT_SEV_RECOVER, "invalid ASN.1 size");
        return nullptr;
    }
    return p;
}

uint32_t objid_sizeof_ber(const objid* oid)
{
    uint32_t c = contentSize(oid);
    return 1 + ut_sizeof_size2len(c) + c;
}

uint8_t* objid_to_ber(const objid* oid, uint8_t* out)
{
    if (!out) {
        ut_diag(UT_HERE, kErrOidHeader, UT_SEV_RECOVER, "unable to encode objid tag/size");
        return nullptr;
    }
    uint8_t* p = ut_type2tag(UT_OBJECT_ID, out);
    p = ut_size2len(contentSize(oid), p);
    if (!oid || oid->count == 0)
        return p;
    p = base128(firstSub(oid), p);
    for (uint32_t i = 2; i < oid->count; ++i)
        p = base128(oid->arcs[i], p);
    return p;
}

const uint8_t* objid_from_ber(const uint8_t* in, const uint8_t* end, objid** out)
{
    *out = nullptr;
    uint32_t len = 0;
    int type = 0;
    const uint8_t* p = ut_ber_header(in, end, &type, &len);
    if (!p || type != UT_OBJECT_ID) {
        ut_diag(UT_HERE, kErrOidTag, UT_SEV_RECOVER, "bad tag or len for Object ID");
        return nullptr;
    }
    const uint8_t* stop = p + len;
    // Count the subidentifiers first; each ends with a byte without the continuation bit.
    uint32_t subs = 0;
    for (const uint8_t* q = p; q < stop; ++q)
        if (!(*q & 0x80))
            ++subs;
    if ((len > 0 && (stop[-1] & 0x80)) || subs + 1 > kMaxArcs) {
        ut_diag(UT_HERE, kErrTemp, UT_SEV_RECOVER, "couldn't allocate temporary space for decoding of objid");
        return nullptr;
    }
    uint32_t count = subs ? subs + 1 : 0;
    objid* oid = allocOwned(count, kErrAlloc, "couldn't allocate %d u32's for object id");
    if (!oid)
        return nullptr;
    auto* arcs = const_cast<uint32_t*>(oid->arcs);
    uint32_t index = 0;
    uint32_t v = 0;
    for (const uint8_t* q = p; q < stop; ++q) {
        if (v > (UINT32_MAX >> 7)) {
            ut_diag(UT_HERE, kErrOidTag, UT_SEV_RECOVER, "object identifier arc too large");
            objid_free(oid);
            return nullptr;
        }
        v = (v << 7) | (*q & 0x7F);
        if (*q & 0x80)
            continue;
        if (index == 0) {
            arcs[0] = v < 40 ? 0 : v < 80 ? 1 : 2;
            arcs[1] = v - 40 * arcs[0];
            index = 2;
        } else {
            arcs[index++] = v;
        }
        v = 0;
    }
    *out = oid;
    return stop;
}

int objid_cmp(const objid* a, const objid* b)
{
    if (a == b)
        return 0;
    uint32_t na = a ? a->count : 0, nb = b ? b->count : 0;
    if (na != nb)
        return na < nb ? -1 : 1;
    for (uint32_t i = 0; i < na; ++i)
        if (a->arcs[i] != b->arcs[i])
            return a->arcs[i] < b->arcs[i] ? -1 : 1;
    return 0;
}

const objid* objid_copy(const objid* oid, int* ok)
{
    *ok = 1;
    if (!oid || !oid->owned)
        return oid;
    objid* copy = allocOwned(oid->count, kErrCopy, "couldn't allocate %d bytes for object id");
    if (!copy) {
        *ok = 0;
        return nullptr;
    }
    std::memcpy(const_cast<uint32_t*>(copy->arcs), oid->arcs, sizeof(uint32_t) * oid->count);
    return copy;
}

void objid_free(const objid* oid)
{
    if (oid && oid->owned)
        ut_free(UT_HERE, const_cast<objid*>(oid));
}
