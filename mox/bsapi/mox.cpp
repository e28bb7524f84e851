// The MOX interface over the session layer. One process-wide mutex serialises
// every call: the toolkit below keeps process-wide lists (allocations, errors,
// the RSA key table) that are not safe to touch from two threads at once.

#include "mox/mox.h"

#include "bsapi/mox_keyobj.h"
#include "mox/bsapi.h"

#include <cstdio>
#include <cstring>
#include <mutex>

using namespace mox::api;

namespace {

std::mutex g_lock;
bool g_initialised = false;
prng* g_prng = nullptr;

void say(const char* fn, const char* msg) { std::fprintf(stderr, "%s: %s\n", fn, msg); }

// The two algorithm classes behind one set of session operations.
struct ClassOps {
    void* (*start)(int direction, const bsapi_key* key);
    int (*append)(void* s, const uint8_t* data, uint32_t len);
    int (*finish)(void* s, ut_chain** out);
};

void* des_start(int direction, const bsapi_key* key)
{
    // The interface's one DES configuration: triple DES over the list K1, K2, K1 in ECB.
    const des_param p{direction, DES_MODE_ECB, 1, 0, 0};
    return bsapi_start_des(&p, g_prng, key);
}
int des_append(void* s, const uint8_t* d, uint32_t n) { return bsapi_append_des(d, n, static_cast<des_session*>(s)); }
int des_finish(void* s, ut_chain** out) { return bsapi_finish_des(static_cast<des_session*>(s), out); }

void* rsa_start(int direction, const bsapi_key* key)
{
    const rsa_param p{direction, 0, nullptr};
    return bsapi_start_rsa(&p, g_prng, key);
}
int rsa_append(void* s, const uint8_t* d, uint32_t n) { return bsapi_append_rsa(static_cast<rsa_session*>(s), d, n); }
int rsa_finish(void* s, ut_chain** out) { return bsapi_finish_rsa(static_cast<rsa_session*>(s), out); }

const ClassOps kClasses[2] = {{des_start, des_append, des_finish}, {rsa_start, rsa_append, rsa_finish}};

int crypt_locked(int cls, int direction, const MOXKEY* key, const uint8_t* in, uint32_t inlen, uint8_t* out,
                 uint32_t outsize, uint32_t* outlen)
{
    if (cls != MOX_CLASS_DES && cls != MOX_CLASS_RSA) {
        say("MOXCrypt", "Invalid algorithm");
        return MOX_ERR_CLASS;
    }
    if (!g_initialised) {
        say("MOXCrypt", "MOXInitialise has not been called");
        return MOX_ERR_NOT_INITIALISED;
    }
    const ClassOps& ops = kClasses[cls];
    mblk list[3];
    bsapi_key view{};
    void* s = nullptr;
    if (key != nullptr && (direction == 0 || direction == 1) && keyobj_view(key, list, &view))
        s = ops.start(direction, &view);
    if (s == nullptr) {
        say("MOXCrypt", "internal failure in bsapi_start_");
        return MOX_ERR_START;
    }
    if ((in == nullptr && inlen > 0) || ops.append(s, in, inlen) != 0) {
        ut_chain* dropped = nullptr;
        ops.finish(s, &dropped);
        ut_free_chain(UT_HERE, dropped);
        say("MOXCrypt", "internal failure in bsapi_append_");
        return MOX_ERR_APPEND;
    }
    ut_chain* chain = nullptr;
    if (ops.finish(s, &chain) != 0) {
        ut_free_chain(UT_HERE, chain);
        say("MOXCrypt", "internal failure in bsapi_finish_");
        return MOX_ERR_FINISH;
    }
    uint32_t total = 0;
    int rc = MOX_OK;
    for (ut_chain* n = chain; n != nullptr; n = n->next) {
        if (n->len > outsize - total || (n->len > 0 && out == nullptr)) {
            rc = MOX_ERR_OUTPUT_SIZE;
            break;
        }
        std::memcpy(out + total, n->data, n->len);
        total += n->len;
    }
    // The chain goes back on every path, the too-small output included.
    ut_free_chain(UT_HERE, chain);
    if (rc == MOX_OK && outlen != nullptr)
        *outlen = total;
    return rc;
}

} // namespace

int MOXInit()
{
    std::lock_guard<std::mutex> lock(g_lock);
    if (g_initialised)
        return MOX_OK;
    ut_start("VORL BSAPI", nullptr, nullptr, stderr);
    // Key material comes from the operating system's random source: a
    // generator seeded from the clock would make every key reproducible.
    g_prng = prng_new_sys();
    g_initialised = g_prng != nullptr;
    return MOX_OK;
}

int MOXCleanup()
{
    std::lock_guard<std::mutex> lock(g_lock);
    keyobj_release_all();
    prng_free(g_prng);
    g_prng = nullptr;
    if (g_initialised)
        ut_finish();
    g_initialised = false;
    return MOX_OK;
}

int MOXKeyInitDES(const uint8_t k1[8], const uint8_t k2[8], MOXKEY* key)
{
    if (k1 == nullptr || k2 == nullptr || key == nullptr) {
        say("MOXKeyInitDES", "null argument");
        return -1;
    }
    std::lock_guard<std::mutex> lock(g_lock);
    keyobj_init_des(key, k1, k2);
    return MOX_OK;
}

int MOXKeyGenerateDES(uint8_t out[8])
{
    std::lock_guard<std::mutex> lock(g_lock);
    mblk key{nullptr, 0, 0};
    if (out == nullptr || !g_initialised || bsapi_generate_key_des(g_prng, &key, 4) != 0) {
        ut_free_mblk(UT_HERE, &key);
        say("MOXKeyGenerateDES", "bsapi_generate_key_des failed");
        return MOX_ERR_DESKEYGEN;
    }
    std::memcpy(out, key.data, 8);
    std::memset(key.data, 0, key.size);
    ut_free_mblk(UT_HERE, &key);
    return MOX_OK;
}

int MOXKeyGenerateRSA(MOXKEY* pub, MOXKEY* priv)
{
    std::lock_guard<std::mutex> lock(g_lock);
    mblk skey{nullptr, 0, 0}, pkey{nullptr, 0, 0};
    const rsa_keygen_param p{512, RSAKG_PLAIN | rsakg_fermat_flags(5), nullptr};
    if (pub == nullptr || priv == nullptr || !g_initialised || bsapi_generate_key_rsa(g_prng, &skey, &pkey, &p) != 0 ||
        !keyobj_init_rsa(pub, &pkey) || !keyobj_init_rsa(priv, &skey)) {
        ut_free_mblk(UT_HERE, &skey);
        ut_free_mblk(UT_HERE, &pkey);
        if (pub != nullptr)
            keyobj_release(pub);
        say("MOXKeyGenerateRSA", "bsapi_generate_key_rsa failed");
        return MOX_ERR_RSAKEYGEN;
    }
    return MOX_OK;
}

int MOXKeyInitRSABuffer(const uint8_t* buf, size_t len, MOXKEY* key)
{
    std::lock_guard<std::mutex> lock(g_lock);
    mblk enc{nullptr, 0, 0};
    if (buf == nullptr || key == nullptr || len == 0 || ut_beroctetstring2mblk(buf, len, &enc) == nullptr ||
        !keyobj_init_rsa(key, &enc)) {
        ut_free_mblk(UT_HERE, &enc);
        say("MOXKeyInitRSABuffer", "ut_beroctetstring2mblk failed");
        return MOX_ERR_NOT_OCTETSTRING;
    }
    return MOX_OK;
}

int MOXKeyCleanup(MOXKEY* key)
{
    if (key == nullptr)
        return MOX_OK;
    std::lock_guard<std::mutex> lock(g_lock);
    keyobj_release(key);
    return MOX_OK;
}

int MOXRSAKeyToBuffer(const MOXKEY* key, uint8_t** out, uint32_t* outlen)
{
    std::lock_guard<std::mutex> lock(g_lock);
    const mblk* enc = key != nullptr ? keyobj_rsa_encoding(key) : nullptr;
    const uint32_t size = enc != nullptr ? ut_sizeof_mblk2beroctetstring(enc->data, enc->size, enc->used) : 0;
    if (size == 0 || out == nullptr || outlen == nullptr) {
        say("MOXRSAKeyToBuffer", "ut_sizeof_mblk2beroctetstring failed");
        return MOX_ERR_ENCODED_SIZE;
    }
    auto* buf = static_cast<uint8_t*>(ut_alloc(UT_HERE, size));
    if (buf == nullptr || ut_mblk2beroctetstring(enc->data, enc->size, enc->used, buf) == buf) {
        ut_free(UT_HERE, buf);
        say("MOXRSAKeyToBuffer", "ut_mblk2beroctetstring failed");
        return MOX_ERR_ENCODE;
    }
    *out = buf;
    *outlen = size;
    return MOX_OK;
}

int MOXDisposeMem(uint8_t* buf)
{
    std::lock_guard<std::mutex> lock(g_lock);
    ut_free(UT_HERE, buf);
    return MOX_OK;
}

int MOXCrypt(int cls, int direction, const MOXKEY* key, const uint8_t* in, uint32_t inlen, uint8_t* out,
             uint32_t outsize, uint32_t* outlen)
{
    std::lock_guard<std::mutex> lock(g_lock);
    return crypt_locked(cls, direction, key, in, inlen, out, outsize, outlen);
}

int MOXEncrypt(const MOXKEY* key, const uint8_t* in, uint32_t inlen, uint8_t* out, uint32_t outsize, uint32_t* outlen)
{
    return MOXCrypt(MOX_CLASS_DES, 0, key, in, inlen, out, outsize, outlen);
}

int MOXDecrypt(const MOXKEY* key, const uint8_t* in, uint32_t inlen, uint8_t* out, uint32_t outsize, uint32_t* outlen)
{
    return MOXCrypt(MOX_CLASS_DES, 1, key, in, inlen, out, outsize, outlen);
}

int MOXRSAEncrypt(const MOXKEY* key, const uint8_t* in, uint32_t inlen, uint8_t* out, uint32_t outsize,
                  uint32_t* outlen)
{
    return MOXCrypt(MOX_CLASS_RSA, 0, key, in, inlen, out, outsize, outlen);
}

int MOXRSADecrypt(const MOXKEY* key, const uint8_t* in, uint32_t inlen, uint8_t* out, uint32_t outsize,
                  uint32_t* outlen)
{
    return MOXCrypt(MOX_CLASS_RSA, 1, key, in, inlen, out, outsize, outlen);
}
