// Big-number figures of the toolkit against OpenSSL in the same run: modular exponentiation with
// full-size exponents at 512 and 1024 bits, and 512-bit RSA key generation. The *_Ratio
// benchmarks time both sides alternately and report speed_vs_openssl = openssl time / mox time.
#include "mox/mpm.h"
#include "mox/prng.h"
#include "mox/rsa.h"

#include <benchmark/benchmark.h>
#include <openssl/bn.h>
#include <openssl/rsa.h>

#include <chrono>
#include <random>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// Random operands of `bits` bits: an odd modulus with its top bit set, a base below it and a
// full-length exponent, as bytes most significant first.
struct Operands {
    std::vector<uint8_t> mod, base, exp;
    explicit Operands(int bits)
    {
        std::mt19937_64 rng(static_cast<uint64_t>(bits) * 7919);
        size_t n = static_cast<size_t>(bits) / 8;
        for (auto* v : { &mod, &base, &exp }) {
            v->resize(n);
            for (auto& b : *v)
                b = static_cast<uint8_t>(rng());
        }
        mod[0] |= 0x80;
        mod[n - 1] |= 1;
        base[0] &= 0x7F;
        exp[0] |= 0x80;
    }
};

struct MoxSide {
    mpm_mach* m = mpm_new_mach();
    explicit MoxSide(const Operands& o)
    {
        auto load = [&](int reg, const std::vector<uint8_t>& be) {
            mpm_restore(m, reg, mpm_bload_arc(1, be.size(), be.data()), 0);
        };
        load(0, o.base);
        load(1, o.exp);
        load(MPM_MOD, o.mod);
    }
    ~MoxSide() { mpm_free_mach(m); }
    void run() { mpm_expmod(m, 2, 0, 1); }
};

struct SslSide {
    BN_CTX* ctx = BN_CTX_new();
    BIGNUM *mod, *base, *exp, *out = BN_new();
    explicit SslSide(const Operands& o)
        : mod(BN_bin2bn(o.mod.data(), static_cast<int>(o.mod.size()), nullptr))
        , base(BN_bin2bn(o.base.data(), static_cast<int>(o.base.size()), nullptr))
        , exp(BN_bin2bn(o.exp.data(), static_cast<int>(o.exp.size()), nullptr))
    {
    }
    ~SslSide()
    {
        BN_free(mod);
        BN_free(base);
        BN_free(exp);
        BN_free(out);
        BN_CTX_free(ctx);
    }
    void run() { BN_mod_exp(out, base, exp, mod, ctx); }
};

void BM_Modexp_Mox(benchmark::State& state)
{
    Operands o(static_cast<int>(state.range(0)));
    MoxSide mox(o);
    for (auto _ : state)
        mox.run();
}

void BM_Modexp_OpenSSL(benchmark::State& state)
{
    Operands o(static_cast<int>(state.range(0)));
    SslSide ssl(o);
    for (auto _ : state)
        ssl.run();
}

void BM_Modexp_Ratio(benchmark::State& state)
{
    Operands o(static_cast<int>(state.range(0)));
    MoxSide mox(o);
    SslSide ssl(o);
    Clock::duration moxTime {}, sslTime {};
    for (auto _ : state) {
        auto t0 = Clock::now();
        mox.run();
        auto t1 = Clock::now();
        ssl.run();
        auto t2 = Clock::now();
        moxTime += t1 - t0;
        sslTime += t2 - t1;
    }
    state.counters["speed_vs_openssl"]
        = static_cast<double>(sslTime.count()) / static_cast<double>(moxTime.count());
}

bool moxKeygen(prng* g)
{
    rsa_key pub {}, priv {};
    pub.bits = 512;
    pub.fermat = 5;
    priv.form = 1;
    int ok = rsakg_gen_key(g, &pub, &priv, 1, 0);
    rsa_dispose_key(&pub);
    rsa_dispose_key(&priv);
    return ok == 1;
}

bool sslKeygen(BIGNUM* e)
{
    RSA* rsa = RSA_new();
    int ok = RSA_generate_key_ex(rsa, 512, e, nullptr);
    RSA_free(rsa);
    return ok == 1;
}

void BM_Keygen512_Ratio(benchmark::State& state)
{
    prng* g = prng_new_sys();
    BIGNUM* e = BN_new();
    BN_set_word(e, 65537);
    Clock::duration moxTime {}, sslTime {};
    for (auto _ : state) {
        auto t0 = Clock::now();
        if (!moxKeygen(g))
            state.SkipWithError("mox key generation failed");
        auto t1 = Clock::now();
        if (!sslKeygen(e))
            state.SkipWithError("OpenSSL key generation failed");
        auto t2 = Clock::now();
        moxTime += t1 - t0;
        sslTime += t2 - t1;
    }
    state.counters["mox_ms"] = benchmark::Counter(
        std::chrono::duration<double, std::milli>(moxTime).count(), benchmark::Counter::kAvgIterations);
    state.counters["openssl_ms"] = benchmark::Counter(
        std::chrono::duration<double, std::milli>(sslTime).count(), benchmark::Counter::kAvgIterations);
    state.counters["speed_vs_openssl"]
        = static_cast<double>(sslTime.count()) / static_cast<double>(moxTime.count());
    BN_free(e);
    prng_free(g);
}

} // namespace

BENCHMARK(BM_Modexp_Mox)->Arg(512)->Arg(1024);
BENCHMARK(BM_Modexp_OpenSSL)->Arg(512)->Arg(1024);
BENCHMARK(BM_Modexp_Ratio)->Arg(512)->Arg(1024);
BENCHMARK(BM_Keygen512_Ratio)->Iterations(200);
