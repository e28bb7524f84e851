// The toolkit's ciphers and digests against OpenSSL in the same run: SHA-1,
// MD5, DES-CBC and two-key triple DES over 1 KB messages, and 512-bit RSA
// private and public operations. Each *_Ratio benchmark runs both sides in
// turn and reports speed_vs_openssl (above 1: the toolkit is faster).

#include "hash/digest_core.h"
#include "mox/bsapi.h"
#include "mox/rsa.h"

#include <benchmark/benchmark.h>
#include <openssl/des.h>
#include <openssl/md5.h>
#include <openssl/rsa.h>
#include <openssl/sha.h>
#include <openssl/x509.h>

#include <chrono>
#include <cstring>
#include <functional>
#include <random>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
using Bytes = std::vector<uint8_t>;

Bytes random_bytes(size_t n, unsigned seed)
{
    std::mt19937 r(seed);
    Bytes b(n);
    for (auto& x : b)
        x = uint8_t(r());
    return b;
}

const Bytes kMsg = random_bytes(1024, 1);
const Bytes kK1 = random_bytes(8, 2), kK2 = random_bytes(8, 3), kIv = random_bytes(8, 4);

// Runs mox and OpenSSL alternately and reports their speed ratio.
void ratio(benchmark::State& state, const std::function<void()>& mox, const std::function<void()>& ssl)
{
    Clock::duration mt{}, st{};
    for (auto _ : state) {
        auto t0 = Clock::now();
        mox();
        auto t1 = Clock::now();
        ssl();
        auto t2 = Clock::now();
        mt += t1 - t0;
        st += t2 - t1;
    }
    state.counters["speed_vs_openssl"] = double(st.count()) / double(mt.count());
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(kMsg.size()));
}

void mox_sha1()
{
    mox::hash::Sha1 h;
    h.update(kMsg.data(), kMsg.size());
    uint8_t out[20];
    h.finish(out);
    benchmark::DoNotOptimize(out);
}
void ssl_sha1()
{
    uint8_t out[20];
    SHA1(kMsg.data(), kMsg.size(), out);
    benchmark::DoNotOptimize(out);
}
void mox_md5()
{
    mox::hash::Md5 h;
    h.update(kMsg.data(), kMsg.size());
    uint8_t out[16];
    h.finish(out);
    benchmark::DoNotOptimize(out);
}
void ssl_md5()
{
    uint8_t out[16];
    MD5(kMsg.data(), kMsg.size(), out);
    benchmark::DoNotOptimize(out);
}

// A whole session per message, as the link encryption runs it: start (key
// schedules), append, finish; the OpenSSL side sets its keys per message too.
void mox_des(int variant)
{
    Bytes k1 = kK1, k2 = kK2, iv = kIv;
    const mblk keys[2] = {{k1.data(), 8, 8}, {k2.data(), 8, 8}};
    const mblk ivs[1] = {{iv.data(), 8, 8}};
    const bsapi_key key{keys, variant == 0 ? 1u : 2u, ivs, 1, 0, nullptr};
    const des_param p{BSAPI_ENCRYPT, DES_MODE_CBC, variant, 0, 0};
    des_session* s = bsapi_start_des(&p, nullptr, &key);
    bsapi_append_des(kMsg.data(), uint32_t(kMsg.size()), s);
    ut_chain* out = nullptr;
    bsapi_finish_des(s, &out);
    benchmark::DoNotOptimize(out->data[0]);
    ut_free_chain(UT_HERE, out);
}
void ssl_des(int variant)
{
    DES_cblock c1, c2, iv;
    std::memcpy(c1, kK1.data(), 8);
    std::memcpy(c2, kK2.data(), 8);
    std::memcpy(iv, kIv.data(), 8);
    DES_key_schedule s1, s2;
    DES_set_key_unchecked(&c1, &s1);
    Bytes out(kMsg.size());
    if (variant == 0) {
        DES_ncbc_encrypt(kMsg.data(), out.data(), long(kMsg.size()), &s1, &iv, DES_ENCRYPT);
    } else {
        DES_set_key_unchecked(&c2, &s2);
        DES_ede3_cbc_encrypt(kMsg.data(), out.data(), long(kMsg.size()), &s1, &s2, &s1, &iv, DES_ENCRYPT);
    }
    benchmark::DoNotOptimize(out[0]);
}

struct RsaKeys {
    rsa_key* mox_priv = nullptr;
    rsa_key* mox_pub = nullptr;
    RSA* ssl_priv = nullptr;
    RSA* ssl_pub = nullptr;
    Bytes block;
    RsaKeys()
    {
        prng* g = prng_new_sys();
        mblk s{nullptr, 0, 0}, p{nullptr, 0, 0};
        const rsa_keygen_param param{512, RSAKG_PLAIN | rsakg_fermat_flags(5), nullptr};
        bsapi_generate_key_rsa(g, &s, &p, &param);
        rsa_ber_key2key(s.data, s.used, &mox_priv);
        rsa_ber_key2key(p.data, p.used, &mox_pub);
        const uint8_t* q = s.data;
        ssl_priv = d2i_RSAPrivateKey(nullptr, &q, long(s.used));
        q = p.data;
        ssl_pub = d2i_RSAPublicKey(nullptr, &q, long(p.used));
        ut_free_mblk(UT_HERE, &s);
        ut_free_mblk(UT_HERE, &p);
        prng_free(g);
        block = random_bytes(64, 5);
        block[0] = 0;
    }
};
RsaKeys& rsa_keys()
{
    static RsaKeys k;
    return k;
}

void mox_rsa(bool priv)
{
    RsaKeys& k = rsa_keys();
    mpm_arc* x = mpm_bload_arc(1, k.block.size(), k.block.data());
    mpm_arc* y = rsa_crypt(priv ? k.mox_priv : k.mox_pub, x);
    uint8_t out[64];
    mpm_bstore_arc(y, out, sizeof out);
    benchmark::DoNotOptimize(out);
    mpm_arc_free(x);
    mpm_arc_free(y);
}
void ssl_rsa(bool priv)
{
    RsaKeys& k = rsa_keys();
    uint8_t out[64];
    if (priv)
        RSA_private_decrypt(64, k.block.data(), out, k.ssl_priv, RSA_NO_PADDING);
    else
        RSA_public_encrypt(64, k.block.data(), out, k.ssl_pub, RSA_NO_PADDING);
    benchmark::DoNotOptimize(out);
}

void BM_Sha1_1K_Ratio(benchmark::State& s) { ratio(s, mox_sha1, ssl_sha1); }
void BM_Md5_1K_Ratio(benchmark::State& s) { ratio(s, mox_md5, ssl_md5); }
void BM_DesCbc_1K_Ratio(benchmark::State& s) { ratio(s, [] { mox_des(0); }, [] { ssl_des(0); }); }
void BM_Des3Ede2Cbc_1K_Ratio(benchmark::State& s) { ratio(s, [] { mox_des(1); }, [] { ssl_des(1); }); }
void BM_Rsa512Private_Ratio(benchmark::State& s) { ratio(s, [] { mox_rsa(true); }, [] { ssl_rsa(true); }); }
void BM_Rsa512Public_Ratio(benchmark::State& s) { ratio(s, [] { mox_rsa(false); }, [] { ssl_rsa(false); }); }

void BM_Sha1_1K_Mox(benchmark::State& s)
{
    for (auto _ : s)
        mox_sha1();
    s.SetBytesProcessed(int64_t(s.iterations()) * 1024);
}
void BM_Sha1_1K_OpenSSL(benchmark::State& s)
{
    for (auto _ : s)
        ssl_sha1();
    s.SetBytesProcessed(int64_t(s.iterations()) * 1024);
}
void BM_DesCbc_1K_Mox(benchmark::State& s)
{
    for (auto _ : s)
        mox_des(0);
    s.SetBytesProcessed(int64_t(s.iterations()) * 1024);
}
void BM_DesCbc_1K_OpenSSL(benchmark::State& s)
{
    for (auto _ : s)
        ssl_des(0);
    s.SetBytesProcessed(int64_t(s.iterations()) * 1024);
}

} // namespace

BENCHMARK(BM_Sha1_1K_Mox);
BENCHMARK(BM_Sha1_1K_OpenSSL);
BENCHMARK(BM_DesCbc_1K_Mox);
BENCHMARK(BM_DesCbc_1K_OpenSSL);
BENCHMARK(BM_Sha1_1K_Ratio);
BENCHMARK(BM_Md5_1K_Ratio);
BENCHMARK(BM_DesCbc_1K_Ratio);
BENCHMARK(BM_Des3Ede2Cbc_1K_Ratio);
BENCHMARK(BM_Rsa512Private_Ratio);
BENCHMARK(BM_Rsa512Public_Ratio);
