// Feeds arbitrary bytes to every BER reader of the toolkit. Whatever decodes must encode again
// to exactly its computed size, and nothing may stay allocated afterwards.
#include "mox/algid.h"
#include "mox/mpm.h"
#include "mox/rsa.h"
#include "mox/ut.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

void quietDiagnostics()
{
    static FILE* sink = [] {
        FILE* f = std::fopen("/dev/null", "w");
        ut_start("mox_ber_fuzz", nullptr, nullptr, f);
        return f;
    }();
    (void)sink;
}

void check(bool ok)
{
    if (!ok)
        std::abort();
}

void tryKey(const uint8_t* data, size_t size)
{
    rsa_key* key = nullptr;
    const uint8_t* end = rsa_ber_key2key(data, size, &key);
    if (!end) {
        check(key == nullptr);
        return;
    }
    check(end > data && end <= data + size);
    uint32_t n = rsa_sizeof_key2berkey(key);
    if (n) {
        std::vector<uint8_t> out(n);
        check(rsa_key2berkey(key, out.data()) == out.data() + n);
    }
    rsa_free_key(key);
}

void tryInteger(const uint8_t* data, size_t size)
{
    mpm_arc* arc = nullptr;
    if (!mpm_berinteger2arc(data, data + size, &arc))
        return;
    std::vector<uint8_t> out(mpm_sizeof_arc2berinteger(arc));
    check(mpm_arc2berinteger(arc, out.data()) == out.data() + out.size());
    mpm_arc* back = nullptr;
    check(mpm_berinteger2arc(out.data(), out.data() + out.size(), &back) != nullptr);
    check(mpm_arc_cmp(arc, back) == 0);
    mpm_arc_free(back);
    mpm_arc_free(arc);
}

void tryStrings(const uint8_t* data, size_t size)
{
    mblk b {};
    if (ut_beroctetstring2mblk(data, size, &b))
        check(b.data != nullptr && b.used <= b.size);
    ut_free_mblk(UT_HERE, &b);
    if (ut_berbitstring2mblk(data, data + size, &b))
        check(b.data != nullptr && b.used <= b.size);
    ut_free_mblk(UT_HERE, &b);
}

void tryIdentifiers(const uint8_t* data, size_t size)
{
    objid* oid = nullptr;
    if (objid_from_ber(data, data + size, &oid)) {
        std::vector<uint8_t> out(objid_sizeof_ber(oid));
        check(objid_to_ber(oid, out.data()) == out.data() + out.size());
        objid_free(oid);
    }
    algid a {};
    if (algid_from_ber(data, data + size, &a)) {
        uint32_t n = algid_sizeof_ber(&a);
        if (n) {
            std::vector<uint8_t> out(n);
            check(algid_to_ber(&a, out.data()) == out.data() + n);
        }
        algid copy {};
        if (algid_copy(&copy, &a))
            algid_free(&copy);
        algid_free(&a);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    quietDiagnostics();
    int held = ut_mem_held();
    // A copy of exactly the input's size lets the sanitizer catch any read past its end.
    std::vector<uint8_t> exact(data, data + size);
    const uint8_t* p = exact.empty() ? reinterpret_cast<const uint8_t*>("") : exact.data();
    tryKey(p, size);
    tryInteger(p, size);
    tryStrings(p, size);
    tryIdentifiers(p, size);
    check(ut_mem_held() == held);
    return 0;
}
