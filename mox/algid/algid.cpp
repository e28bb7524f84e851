// Algorithm identifiers: SEQUENCE { OBJECT IDENTIFIER, parameters }.
#include "mox/algid.h"

namespace {

constexpr uint32_t kErrSeq = 0x1040408;
constexpr uint32_t kErrAlg = 0x1040409;
constexpr uint32_t kErrEncodeOid = 0x1040429;
constexpr uint32_t kErrParams = 0x1040445;

const algid_entry* entryOf(const algid* a)
{
    return a->entry ? a->entry : algid_lookup(a->oid);
}

} // namespace

uint32_t algid_sizeof_ber(const algid* a)
{
    if (!a)
        return 0;
    uint32_t params = entryOf(a)->params.size(a->params);
    if (params == 0)
        return 0;
    uint32_t content = objid_sizeof_ber(a->oid) + params;
    return 1 + ut_sizeof_size2len(content) + content;
}

uint8_t* algid_to_ber(const algid* a, uint8_t* out)
{
    if (!a || !out)
        return nullptr;
    const algid_entry* e = entryOf(a);
    uint32_t params = e->params.size(a->params);
    if (params == 0) {
        ut_diag(UT_HERE, kErrParams, UT_SEV_RECOVER,
            "unable to encode parameters for algorithm identifier `%s'", e->name);
        return nullptr;
    }
    uint8_t* p = ut_type2tag(UT_SEQUENCE, out);
    p = ut_size2len(objid_sizeof_ber(a->oid) + params, p);
    p = objid_to_ber(a->oid, p);
    if (!p) {
        ut_diag(UT_HERE, kErrEncodeOid, UT_SEV_RECOVER, "unable to encode objid");
        return nullptr;
    }
    p = e->params.encode(a->params, p);
    if (!p)
        ut_diag(UT_HERE, kErrParams, UT_SEV_RECOVER,
            "unable to encode parameters for algorithm identifier `%s'", e->name);
    return p;
}

const uint8_t* algid_from_ber(const uint8_t* in, const uint8_t* end, algid* a)
{
    if (!a)
        return nullptr;
    *a = algid { nullptr, nullptr, nullptr };
    uint32_t len = 0;
    const uint8_t* p = algid_ber_expect(in, end, UT_SEQUENCE, &len);
    if (!p) {
        ut_diag(UT_HERE, kErrSeq, UT_SEV_RECOVER, "bad tag or len for algorithm seq");
        return nullptr;
    }
    const uint8_t* stop = p + len;
    objid* oid = nullptr;
    p = objid_from_ber(p, stop, &oid);
    if (!p) {
        ut_diag(UT_HERE, kErrAlg, UT_SEV_RECOVER, "bad algorithm identifier");
        return nullptr;
    }
    const algid_entry* e = algid_lookup(oid);
    mblk* params = nullptr;
    p = e->params.decode(p, stop, &params);
    if (!p) {
        objid_free(oid);
        return nullptr;
    }
    *a = algid { oid, params, e };
    return stop;
}

int algid_copy(algid* dst, const algid* src)
{
    if (!dst || !src)
        return 0;
    const algid_entry* e = entryOf(src);
    int ok = 0;
    const objid* oid = objid_copy(src->oid, &ok);
    if (!ok)
        return 0;
    mblk* params = e->params.copy(src->params, &ok);
    if (!ok) {
        objid_free(oid);
        return 0;
    }
    *dst = algid { oid, params, e };
    return 1;
}

void algid_free(algid* a)
{
    if (!a)
        return;
    entryOf(a)->params.free(a->params);
    objid_free(a->oid);
    *a = algid { nullptr, nullptr, nullptr };
}
