// Prime search, probable-prime test, key generation and the RSA operation, checked with GMP and
// OpenSSL; the fingerprint stamp.
#include "mox/fprnt.h"
#include "mox/prng.h"
#include "mox/rsa.h"
#include "mox/ut.h"
#include "mox/utmpm.h"

#include <gmp.h>
#include <gtest/gtest.h>
#include <openssl/rsa.h>

#include <cstdio>
#include <memory>
#include <set>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

struct MachFree {
    void operator()(mpm_mach* m) const { mpm_free_mach(m); }
};
using Mach = std::unique_ptr<mpm_mach, MachFree>;
using Prng = std::unique_ptr<prng, void (*)(prng*)>;

Prng sysPrng()
{
    return Prng(prng_new_sys(), prng_free);
}

// Miller-Rabin with random bases lets a composite through with a small chance per run; a fixed
// seed makes the verdicts of a test repeatable.
Prng seededPrng()
{
    Prng g(prng_new_r48(nullptr), prng_free);
    const uint8_t seed[7] = { 0x4b, 0x56, 0x33, 0x32, 0x6d, 0x6f, 0x78 };
    prng_seed(g.get(), seed, sizeof seed);
    return g;
}

struct Z {
    mpz_t v;
    Z() { mpz_init(v); }
    ~Z() { mpz_clear(v); }
    Z(const Z&) = delete;
    Z& operator=(const Z&) = delete;
};

void arcToZ(const mpm_arc* a, mpz_t z)
{
    std::vector<uint8_t> buf((mpm_arc_bitlen(a) + 7) / 8);
    ASSERT_GE(mpm_bstore_arc(a, buf.data(), buf.size()), 0);
    mpz_import(z, buf.size(), 1, 1, 0, 0, buf.data());
}

mpm_arc* zToArc(const mpz_t z)
{
    std::vector<uint8_t> buf((mpz_sizeinbase(z, 2) + 7) / 8);
    size_t n = 0;
    mpz_export(buf.data(), &n, 1, 1, 0, 0, z);
    return mpm_bload_arc(1, n, buf.data());
}

// A generated key pair, disposed at the end of the test.
struct KeyPair {
    rsa_key pub {};
    rsa_key priv {};
    ~KeyPair()
    {
        rsa_dispose_key(&pub);
        rsa_dispose_key(&priv);
    }
};

bool generate(KeyPair& k, uint32_t bits, uint32_t form, int plain)
{
    auto g = sysPrng();
    k.pub.form = 0;
    k.pub.bits = bits;
    k.pub.fermat = 5;
    k.priv.form = form;
    return rsakg_gen_key(g.get(), &k.pub, &k.priv, plain, 1) == 1;
}

void checkPrivate(const KeyPair& k, uint32_t bits)
{
    Z p, q, n, d, e, t, phi;
    arcToZ(k.priv.p, p.v);
    arcToZ(k.priv.q, q.v);
    arcToZ(k.pub.n, n.v);
    arcToZ(k.priv.d, d.v);
    arcToZ(k.priv.e, e.v);
    EXPECT_EQ(mpz_cmp_ui(e.v, 65537), 0);
    EXPECT_EQ(mpz_sizeinbase(n.v, 2), bits);
    mpz_mul(t.v, p.v, q.v);
    EXPECT_EQ(mpz_cmp(t.v, n.v), 0);
    EXPECT_NE(mpz_probab_prime_p(p.v, 30), 0);
    EXPECT_NE(mpz_probab_prime_p(q.v, 30), 0);
    // Top two bits set: p in [3 * 2^(k-2), 2^k) for its own bit length k.
    for (mpz_t* f : { &p.v, &q.v }) {
        size_t fb = mpz_sizeinbase(*f, 2);
        EXPECT_NE(mpz_tstbit(*f, fb - 2), 0);
        mpz_sub_ui(t.v, *f, 1);
        mpz_gcd(t.v, t.v, e.v);
        EXPECT_EQ(mpz_cmp_ui(t.v, 1), 0);
    }
    mpz_sub_ui(t.v, p.v, 1);
    mpz_sub_ui(phi.v, q.v, 1);
    mpz_mul(phi.v, phi.v, t.v);
    mpz_mul(t.v, e.v, d.v);
    mpz_mod(t.v, t.v, phi.v);
    EXPECT_EQ(mpz_cmp_ui(t.v, 1), 0);
}

} // namespace

TEST(PrimeSearch, SmallRangeFindsTheTablePrimesThemselves)
{
    auto g = sysPrng();
    Mach m(mpm_new_mach());
    mpm_ltompm(m.get(), 0, 3);
    mpm_ltompm(m.get(), 1, 8);
    mpm_ltompm(m.get(), 2, 1);
    utmpm_ippg* s = utmpm_ipp_new(g.get(), m.get(), 0, 1, 2, 2, 0);
    ASSERT_NE(s, nullptr);
    std::set<long> found;
    for (int i = 0; i < 10 && utmpm_ipp_next(s, m.get(), 3); ++i)
        found.insert(mpm_tolong(m.get(), 3));
    utmpm_ipp_free(s);
    EXPECT_EQ(found, (std::set<long> { 3, 5, 7 }));
}

TEST(PrimeSearch, RangeWithoutPrimesIsExhaustedAfterOneVisit)
{
    auto g = sysPrng();
    Mach m(mpm_new_mach());
    struct Case {
        long low, high, mult, exp;
    } cases[] = { { 24, 29, 1, 1 }, { 8, 11, 1, 3 }, { 90, 97, 1, 1 }, { 3, 4, 2, 1 } };
    for (const Case& c : cases) {
        mpm_ltompm(m.get(), 0, c.low);
        mpm_ltompm(m.get(), 1, c.high);
        mpm_ltompm(m.get(), 2, c.mult);
        mpm_ltompm(m.get(), 3, c.exp);
        EXPECT_EQ(utmpm_ipp(g.get(), m.get(), 4, 0, 1, 2, 3, 0), 1) << c.low;
        EXPECT_FALSE(mpm_flag_set(m.get(), MPM_FAIL));
    }
}

TEST(PrimeSearch, EveryPrimeInARangeIsFoundOnce)
{
    auto g = sysPrng();
    Mach m(mpm_new_mach());
    mpm_ltompm(m.get(), 0, 1000);
    mpm_ltompm(m.get(), 1, 1200);
    mpm_ltompm(m.get(), 2, 1);
    utmpm_ippg* s = utmpm_ipp_new(g.get(), m.get(), 0, 1, 2, 2, 0);
    ASSERT_NE(s, nullptr);
    std::vector<long> found;
    for (int i = 0; i < 100 && utmpm_ipp_next(s, m.get(), 3); ++i)
        found.push_back(mpm_tolong(m.get(), 3));
    utmpm_ipp_free(s);
    std::set<long> unique(found.begin(), found.end());
    EXPECT_EQ(unique.size(), found.size());
    EXPECT_EQ(found.size(), 28u); // primes between 1000 and 1200
}

TEST(ProbablePrime, RejectsCarmichaelNumbersAndStrongPseudoprimes)
{
    auto g = seededPrng();
    Mach m(mpm_new_mach());
    const char* composites[]
        = { "561", "41041", "825265", "2047", "1373653", "25326001", "3215031751", "2152302898747",
              "3474749660383", "341550071728321", "3825123056546413051", "318665857834031151167461" };
    Z z;
    for (const char* c : composites) {
        mpz_set_str(z.v, c, 10);
        mpm_arc* a = zToArc(z.v);
        mpm_restore(m.get(), 0, a, 0);
        EXPECT_EQ(utmpm_probable_prime(m.get(), 0, 5, g.get()), 0) << c;
    }
    const char* primes[] = { "3", "5", "7", "7879", "2147483647", "170141183460469231731687303715884105727" };
    for (const char* c : primes) {
        mpz_set_str(z.v, c, 10);
        mpm_restore(m.get(), 0, zToArc(z.v), 0);
        EXPECT_EQ(utmpm_probable_prime(m.get(), 0, 5, g.get()), 1) << c;
    }
    for (long v : { 0L, 1L, 4L, 100L }) {
        mpm_ltompm(m.get(), 0, v);
        EXPECT_EQ(utmpm_probable_prime(m.get(), 0, 5, g.get()), 0) << v;
    }
    EXPECT_FALSE(mpm_flag_set(m.get(), MPM_FAIL));
}

TEST(RsaKeyGen, Plain512BitFormOneKey)
{
    int held = ut_mem_held();
    {
        KeyPair k;
        ASSERT_TRUE(generate(k, 512, 1, 1));
        EXPECT_EQ(k.priv.bits, 512u);
        checkPrivate(k, 512);
        Z p;
        arcToZ(k.priv.p, p.v);
        EXPECT_EQ(mpz_sizeinbase(p.v, 2), 256u);
    }
    EXPECT_EQ(ut_mem_held(), held);
}

TEST(RsaKeyGen, OddSizeAndConstructedPrimes)
{
    KeyPair odd;
    ASSERT_TRUE(generate(odd, 513, 1, 1));
    checkPrivate(odd, 513);
    Z p, q;
    arcToZ(odd.priv.p, p.v);
    arcToZ(odd.priv.q, q.v);
    EXPECT_EQ(mpz_sizeinbase(p.v, 2), 257u);
    EXPECT_EQ(mpz_sizeinbase(q.v, 2), 256u);

    KeyPair built;
    ASSERT_TRUE(generate(built, 512, 1, 0));
    checkPrivate(built, 512);
}

TEST(RsaKeyGen, RefusesImpossibleParameters)
{
    auto g = sysPrng();
    rsa_key pub {}, priv {};
    pub.bits = 8;
    pub.fermat = 5;
    EXPECT_EQ(rsakg_gen_key(g.get(), &pub, &priv, 1, 0), 0);
    pub.bits = 512;
    pub.form = 1;
    EXPECT_EQ(rsakg_gen_key(g.get(), &pub, &priv, 1, 0), 0);
    pub.form = 0;
    pub.fermat = 0; // neither a number nor a Fermat index
    EXPECT_EQ(rsakg_gen_key(g.get(), &pub, &priv, 1, 0), 0);
    const uint8_t even[] = { 0x04 };
    pub.exp = mpm_bload_arc(1, 1, even);
    EXPECT_EQ(rsakg_gen_key(g.get(), &pub, &priv, 1, 0), 0);
    EXPECT_EQ(priv.bits, 0u);
    rsa_dispose_key(&pub);
}

TEST(RsaOperation, CrtAndFermatPathsAgreeWithPlainExponentiation)
{
    KeyPair k1, k0;
    ASSERT_TRUE(generate(k1, 512, 1, 1));
    ASSERT_TRUE(generate(k0, 512, 0, 1));
    Z n, d, e, x, want;
    for (KeyPair* k : { &k1, &k0 }) {
        arcToZ(k->pub.n, n.v);
        arcToZ(k == &k1 ? k->priv.d : k->priv.exp, d.v);
        mpz_set_ui(e.v, 65537);
        gmp_randstate_t rs;
        gmp_randinit_default(rs);
        for (int i = 0; i < 20; ++i) {
            mpz_urandomm(x.v, rs, n.v);
            mpm_arc* in = zToArc(x.v);
            mpm_arc* c = rsa_crypt(&k->pub, in); // Fermat index 5
            ASSERT_NE(c, nullptr);
            Z got;
            arcToZ(c, got.v);
            mpz_powm(want.v, x.v, e.v, n.v);
            EXPECT_EQ(mpz_cmp(got.v, want.v), 0);
            mpm_arc* back = rsa_crypt(&k->priv, c);
            ASSERT_NE(back, nullptr);
            EXPECT_EQ(mpm_arc_cmp(back, in), 0);
            mpm_arc_free(in);
            mpm_arc_free(c);
            mpm_arc_free(back);
        }
        gmp_randclear(rs);
        // An input not below the modulus is refused.
        EXPECT_EQ(rsa_crypt(&k->pub, k->pub.n), nullptr);
    }
    ut_errlist_clear();
    rsa_dispose_key(nullptr);
    EXPECT_EQ(ut_errlist(nullptr, 0), 1);
}

TEST(RsaOperation, EveryFermatIndexAgreesWithGmp)
{
    gmp_randstate_t rs;
    gmp_randinit_default(rs);
    Z n, x, e, want, got;
    for (uint32_t f = 1; f <= 16; ++f) {
        for (bool odd : { true, false }) {
            mpz_urandomb(n.v, rs, 300);
            mpz_setbit(n.v, 299);
            if (odd)
                mpz_setbit(n.v, 0);
            else
                mpz_clrbit(n.v, 0);
            mpz_urandomm(x.v, rs, n.v);
            rsa_key key {};
            key.n = zToArc(n.v);
            key.fermat = f;
            mpm_arc* in = zToArc(x.v);
            mpm_arc* out = rsa_crypt(&key, in);
            ASSERT_NE(out, nullptr) << f;
            arcToZ(out, got.v);
            mpz_set_ui(e.v, 0);
            mpz_setbit(e.v, 1ul << (f - 1));
            mpz_add_ui(e.v, e.v, 1);
            mpz_powm(want.v, x.v, e.v, n.v);
            EXPECT_EQ(mpz_cmp(got.v, want.v), 0) << "index " << f << (odd ? " odd" : " even");
            mpm_arc_free(in);
            mpm_arc_free(out);
            rsa_dispose_key(&key);
        }
    }
    gmp_randclear(rs);
    rsa_key beyond {};
    beyond.fermat = 17;
    mpz_set_ui(n.v, 1000003);
    beyond.n = zToArc(n.v);
    mpz_set_ui(x.v, 2);
    mpm_arc* two = zToArc(x.v);
    EXPECT_EQ(rsa_crypt(&beyond, two), nullptr);
    mpm_arc_free(two);
    rsa_dispose_key(&beyond);
}

TEST(RsaKeyGen, DerFormsParseWithOpenSsl)
{
    KeyPair k;
    ASSERT_TRUE(generate(k, 512, 1, 1));
    std::vector<uint8_t> der(rsa_sizeof_key2berkey(&k.priv));
    ASSERT_EQ(rsa_key2berkey(&k.priv, der.data()), der.data() + der.size());
    const unsigned char* p = der.data();
    RSA* rsa = d2i_RSAPrivateKey(nullptr, &p, static_cast<long>(der.size()));
    ASSERT_NE(rsa, nullptr);
    EXPECT_EQ(RSA_check_key(rsa), 1);
    EXPECT_EQ(RSA_bits(rsa), 512);
    RSA_free(rsa);

    std::vector<uint8_t> pub(rsa_sizeof_key2berkey(&k.pub));
    ASSERT_EQ(pub.size(), 74u);
    ASSERT_EQ(rsa_key2berkey(&k.pub, pub.data()), pub.data() + pub.size());
    p = pub.data();
    rsa = d2i_RSAPublicKey(nullptr, &p, static_cast<long>(pub.size()));
    ASSERT_NE(rsa, nullptr);
    const BIGNUM* e = nullptr;
    RSA_get0_key(rsa, nullptr, &e, nullptr);
    EXPECT_EQ(BN_get_word(e), 65537u);
    RSA_free(rsa);
}

TEST(Fingerprint, SecondStampOfAValueFindsAllBitsSet)
{
    char path[] = "/tmp/mox_stamp_XXXXXX";
    int fd = mkstemp(path);
    ASSERT_GE(fd, 0);
    std::vector<uint8_t> zeros(FPRNT_FILE_SIZE);
    ASSERT_EQ(write(fd, zeros.data(), zeros.size()), static_cast<ssize_t>(zeros.size()));
    close(fd);
    Mach m(mpm_new_mach());
    mpm_2_power(m.get(), 0, 300);
    int first = fprnt_stamp(path, m.get(), 0);
    EXPECT_GE(first, 1);
    EXPECT_LE(first, 5);
    EXPECT_EQ(fprnt_stamp(path, m.get(), 0), 0);
    mpm_ltompm(m.get(), 0, -12345);
    EXPECT_GE(fprnt_stamp(path, m.get(), 0), 1);
    ASSERT_EQ(truncate(path, 100), 0);
    EXPECT_EQ(fprnt_stamp(path, m.get(), 0), -2);
    std::remove(path);
    EXPECT_EQ(fprnt_stamp(path, m.get(), 0), -2);
}
