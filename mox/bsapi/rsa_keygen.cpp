// RSA key pair generation through the session layer: the exponent from the
// parameters, the lower toolkit's generator, an optional fingerprint stamp,
// and both keys encoded as BER.

#include "mox/bsapi.h"
#include "mox/fprnt.h"
#include "mox/mpm.h"
#include "mox/rsa.h"
#include "mox/utmpm.h"

#include <cstring>

namespace {

// Either the Fermat index or, without one, a random prime exponent of 17 to 32 bits.
bool choose_exponent(prng* g, uint32_t flags, rsa_key& pub)
{
    const uint32_t f = (flags >> 1) & 7;
    if (f != 0) {
        pub.fermat = f;
        return true;
    }
    mpm_mach* m = mpm_new_mach();
    if (m == nullptr)
        return false;
    bool ok = mpm_2_power(m, 0, 16) && mpm_2_power(m, 1, 32) && mpm_ltompm(m, 2, 1) && mpm_ltompm(m, 3, 1) &&
              utmpm_ipp(g, m, 4, 0, 1, 2, 3, 1) == 2;
    if (ok) {
        pub.exp = mpm_backup(m, 4, 1);
        ok = pub.exp != nullptr;
    }
    mpm_free_mach(m);
    if (!ok)
        ut_diag(UT_HERE, BSAPI_ERR_NO_MEMORY, UT_SEV_RECOVER,
                "internal failure (out of memory?) in mpm_2_power()/mpm_ltompm()/utmpm_ipp()/mpm_backup()");
    return ok;
}

// 1 when the stamp file has not seen this private exponent, 0 when it has, -1 on failure.
int stamp_fresh(const char* file, const rsa_key& priv)
{
    mpm_mach* m = mpm_new_mach();
    if (m == nullptr)
        return -1;
    const int rc = mpm_restore(m, 0, priv.d ? priv.d : priv.exp, 1) ? fprnt_stamp(file, m, 0) : -1;
    mpm_free_mach(m);
    if (rc < 0) {
        ut_diag(UT_HERE, BSAPI_ERR_NO_MEMORY, UT_SEV_RECOVER, "internal failure (out of memory?) in fprnt_stamp()");
        return -1;
    }
    return rc > 0 ? 1 : 0;
}

bool encode(const rsa_key& key, mblk* out)
{
    const uint32_t size = rsa_sizeof_key2berkey(&key);
    if (size == 0 || ut_ensure_mblk(UT_HERE, out, size) != 0)
        return false;
    if (rsa_key2berkey(&key, out->data) != out->data + size)
        return false;
    out->used = size;
    return true;
}

} // namespace

int bsapi_generate_key_rsa(prng* g, mblk* skey, mblk* pkey, const rsa_keygen_param* param)
{
    const char* missing = g == nullptr ? "prng" : skey == nullptr ? "secret key pointer"
                        : pkey == nullptr ? "public key pointer" : param == nullptr ? "parameter pointer" : nullptr;
    if (missing != nullptr) {
        ut_diag(UT_HERE, BSAPI_ERR_PARAM, UT_SEV_RECOVER, "bsapi_generate_key_rsa() called with null %s", missing);
        return -1;
    }
    rsa_key pub{}, priv{};
    pub.bits = param->bits;
    if (!choose_exponent(g, param->flags, pub))
        return -1;
    const int plain = (param->flags & RSAKG_PLAIN) ? 1 : 0;
    const int selftest = (param->flags & RSAKG_SELFTEST) ? 1 : 0;
    int rc = -1;
    // A failed self-test or an already stamped key asks for a new pair; a few
    // attempts are plenty for a working generator.
    for (int attempt = 0; attempt < 8; ++attempt) {
        priv = rsa_key{};
        priv.form = (param->flags & RSAKG_PRIVATE_FORM0) ? 0 : 1;
        if (!rsakg_gen_key(g, &pub, &priv, plain, selftest)) {
            const bool retry = priv.bits == param->bits && selftest;
            rsa_dispose_key(&priv);
            if (retry)
                continue;
            ut_diag(UT_HERE, BSAPI_ERR_NO_MEMORY, UT_SEV_RECOVER, "internal failure (out of memory?) in rsakg_gen_key()");
            break;
        }
        if (param->stamp_file != nullptr) {
            const int fresh = stamp_fresh(param->stamp_file, priv);
            if (fresh <= 0) {
                rsa_dispose_key(&priv);
                if (fresh == 0)
                    continue;
                break;
            }
        }
        if (encode(priv, skey) && encode(pub, pkey)) {
            rc = 0;
        } else {
            ut_free_mblk(UT_HERE, skey);
            ut_free_mblk(UT_HERE, pkey);
            ut_diag(UT_HERE, BSAPI_ERR_CODEC, UT_SEV_RECOVER, "internal failure in rsa_key2berkey()");
        }
        rsa_dispose_key(&priv);
        break;
    }
    rsa_dispose_key(&pub);
    return rc;
}
