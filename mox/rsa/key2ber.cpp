// RSA keys to BER: SEQUENCE { n, e } for form 0, the PKCS #1 RSAPrivateKey for form 1.
#include "mox/rsa.h"
#include "mox/ut.h"
#include "rsa/fermat.h"

#include <memory>

namespace {

constexpr uint32_t kErrMach = 0x240100;
constexpr uint32_t kErrStep = 0x240101;

struct ArcFree {
    void operator()(mpm_arc* a) const { mpm_arc_free(a); }
};
using Arc = std::unique_ptr<mpm_arc, ArcFree>;

// The exponent of a form-0 key as an arc: 2^(2^(f-1)) + 1 for a Fermat index f.
Arc exponentOf(const rsa_key* key)
{
    if (key->fermat == 0)
        return Arc(mpm_arc_copy(key->exp));
    if (key->fermat > 16)
        return Arc();
    mpm_mach* m = mpm_new_mach();
    if (!m) {
        ut_diag(UT_HERE, kErrMach, UT_SEV_RECOVER, "internal failure in mpm_new_mach()");
        return Arc();
    }
    Arc e(rsa_fermat_exponent(m, 0, 1, key->fermat) ? mpm_backup(m, 0, 0) : nullptr);
    mpm_free_mach(m);
    if (!e)
        ut_diag(UT_HERE, kErrStep, UT_SEV_RECOVER,
            "internal failure in mpm_2_power()/mpm_ltompm()/mpm_add()/mpm_backup()");
    return e;
}

// The integers of a key in encoding order; false when one is missing.
int integersOf(const rsa_key* key, Arc& exponent, const mpm_arc* out[8], bool& ok)
{
    ok = false;
    if (key->form == 0) {
        exponent = exponentOf(key);
        out[0] = key->n;
        out[1] = exponent.get();
        ok = out[0] && out[1];
        return 2;
    }
    if (key->form == 1) {
        if (!key->e)
            exponent = Arc(mpm_bload_arc(1, 0, nullptr)); // e = 0 when it was not carried
        const mpm_arc* e = key->e ? key->e : exponent.get();
        const mpm_arc* all[8] = { key->n, e, key->d, key->p, key->q, key->dp, key->dq, key->qinv };
        ok = true;
        for (int i = 0; i < 8; ++i) {
            out[i] = all[i];
            ok = ok && all[i];
        }
        return 8;
    }
    return 0;
}

uint32_t contentSize(const rsa_key* key, const mpm_arc* const* ints, int count)
{
    uint32_t size = key->form == 1 ? 3 : 0; // the version 02 01 00
    for (int i = 0; i < count; ++i)
        size += mpm_sizeof_arc2berinteger(ints[i]);
    return size;
}

} // namespace

uint32_t rsa_sizeof_key2berkey(const rsa_key* key)
{
    if (!key) {
        ut_diag(
            UT_HERE, RSA_ERR, UT_SEV_RECOVER, "rsa_sizeof_key2berkey() called with %s", "null key pointer");
        return 0;
    }
    Arc exponent;
    const mpm_arc* ints[8] = {};
    bool ok = false;
    int count = integersOf(key, exponent, ints, ok);
    if (!ok)
        return 0;
    uint32_t content = contentSize(key, ints, count);
    return 1 + ut_sizeof_size2len(content) + content;
}

uint8_t* rsa_key2berkey(const rsa_key* key, uint8_t* out)
{
    if (!key || !out) {
        ut_diag(UT_HERE, RSA_ERR, UT_SEV_RECOVER, "rsa_key2berkey() called with null %s pointer",
            key ? "output" : "key");
        return nullptr;
    }
    Arc exponent;
    const mpm_arc* ints[8] = {};
    bool ok = false;
    int count = integersOf(key, exponent, ints, ok);
    if (!ok)
        return nullptr;
    uint8_t* p = ut_type2tag(UT_SEQUENCE, out);
    p = ut_size2len(contentSize(key, ints, count), p);
    if (key->form == 1) {
        *p++ = 0x02;
        *p++ = 0x01;
        *p++ = 0x00;
    }
    for (int i = 0; i < count && p; ++i)
        p = mpm_arc2berinteger(ints[i], p);
    return p;
}
