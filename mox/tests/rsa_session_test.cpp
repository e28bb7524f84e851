// RSA sessions: key generation through the session layer, Velmarine-RSA and
// PKCS #1 encryption checked against OpenSSL's raw RSA, round trips at 512 and
// 1024 bits, refusal of bad ciphertext and unusable keys, sign and verify.

#include "mox/rsa.h"
#include "session_util.h"

#include <openssl/bn.h>
#include <openssl/objects.h>
#include <openssl/rsa.h>
#include <openssl/sha.h>
#include <openssl/md5.h>
#include <openssl/x509.h>

using namespace moxtest;

namespace {

struct KeyPair {
    mblk skey{nullptr, 0, 0}, pkey{nullptr, 0, 0};
    ~KeyPair()
    {
        ut_free_mblk(UT_HERE, &skey);
        ut_free_mblk(UT_HERE, &pkey);
    }
};

// Generated once per size: key generation is the slow part of these tests.
const KeyPair& pair_of(uint32_t bits)
{
    static KeyPair k512, k1024;
    KeyPair& kp = bits == 512 ? k512 : k1024;
    if (kp.skey.data == nullptr) {
        prng* g = prng_new_sys();
        const rsa_keygen_param p{bits, RSAKG_PLAIN | rsakg_fermat_flags(5), nullptr};
        EXPECT_EQ(bsapi_generate_key_rsa(g, &kp.skey, &kp.pkey, &p), 0);
        prng_free(g);
    }
    return kp;
}

RSA* ossl_private(const KeyPair& kp)
{
    const uint8_t* p = kp.skey.data;
    return d2i_RSAPrivateKey(nullptr, &p, long(kp.skey.used));
}

struct Session {
    bsapi_key key{};
    mblk block{};
    Session(const mblk& k, const pad_scheme* pad)
    {
        block = k;
        key = {&block, 1, nullptr, 0, 0, pad};
    }
};

bool run_rsa(int direction, const mblk& k, const pad_scheme* pad, const Bytes& in, Bytes& out,
             prng* g, const hash_module* hash = nullptr, std::vector<size_t> pieces = {})
{
    Session s(k, pad);
    const rsa_param p{direction, 0, hash};
    rsa_session* rs = bsapi_start_rsa(&p, g, &s.key);
    if (rs == nullptr)
        return false;
    size_t off = 0;
    for (size_t n : pieces) {
        n = std::min(n, in.size() - off);
        if (bsapi_append_rsa(rs, in.data() + off, uint32_t(n)) != 0) {
            bsapi_kill_rsa(rs);
            return false;
        }
        off += n;
    }
    if (bsapi_append_rsa(rs, in.data() + off, uint32_t(in.size() - off)) != 0) {
        bsapi_kill_rsa(rs);
        return false;
    }
    ut_chain* c = nullptr;
    const int rc = bsapi_finish_rsa(rs, &c);
    out = take_chain(c);
    return rc == 0;
}

class RsaSession : public LeakCheck {
protected:
    void SetUp() override
    {
        pair_of(512);
        pair_of(1024);
        LeakCheck::SetUp();
        g = prng_new_sys();
    }
    void TearDown() override
    {
        prng_free(g);
        LeakCheck::TearDown();
    }
    prng* g = nullptr;
    std::mt19937 rng{77};
};

} // namespace

TEST_F(RsaSession, GeneratedKeysParseWithOpenSsl)
{
    const KeyPair& kp = pair_of(512);
    RSA* priv = ossl_private(kp);
    ASSERT_NE(priv, nullptr);
    EXPECT_EQ(RSA_check_key(priv), 1);
    EXPECT_EQ(RSA_bits(priv), 512);
    const uint8_t* p = kp.pkey.data;
    RSA* pub = d2i_RSAPublicKey(nullptr, &p, long(kp.pkey.used));
    ASSERT_NE(pub, nullptr);
    EXPECT_EQ(kp.pkey.used, 74u);
    EXPECT_EQ(BN_get_word(RSA_get0_e(pub)), 65537u);
    EXPECT_EQ(BN_cmp(RSA_get0_n(pub), RSA_get0_n(priv)), 0);
    RSA_free(pub);
    RSA_free(priv);
}

TEST_F(RsaSession, VelmarineBlockDecryptsWithOpenSslRawRsa)
{
    const KeyPair& kp = pair_of(512);
    const Bytes data = random_bytes(rng, 16);
    Bytes ct;
    ASSERT_TRUE(run_rsa(BSAPI_ENCRYPT, kp.pkey, &pad_velmarine_rsa, data, ct, g));
    ASSERT_EQ(ct.size(), 64u);
    RSA* priv = ossl_private(kp);
    Bytes pt(64);
    ASSERT_EQ(RSA_private_decrypt(64, ct.data(), pt.data(), priv, RSA_NO_PADDING), 64);
    EXPECT_EQ(pt[0], 0);
    EXPECT_EQ(Bytes(pt.begin() + 1, pt.begin() + 17), data);
    EXPECT_EQ(pt[63], 0x2F);
    RSA_free(priv);
    Bytes back;
    ASSERT_TRUE(run_rsa(BSAPI_DECRYPT, kp.skey, &pad_velmarine_rsa, ct, back, g));
    EXPECT_EQ(back, data);
}

TEST_F(RsaSession, RoundTripsAt512And1024Bits)
{
    for (uint32_t bits : {512u, 1024u}) {
        const KeyPair& kp = pair_of(bits);
        const size_t k = bits / 8;
        for (size_t len : {size_t(0), size_t(1), size_t(16), k - 3, k - 2, k - 1, 3 * k + 5}) {
            const Bytes data = random_bytes(rng, len);
            Bytes ct, back;
            ASSERT_TRUE(run_rsa(BSAPI_ENCRYPT, kp.pkey, &pad_velmarine_rsa, data, ct, g, nullptr, {7, 50}));
            EXPECT_EQ(ct.size() % k, 0u);
            ASSERT_TRUE(run_rsa(BSAPI_DECRYPT, kp.skey, &pad_velmarine_rsa, ct, back, g, nullptr, {k / 2}));
            EXPECT_EQ(back, data) << bits << " " << len;
        }
    }
}

TEST_F(RsaSession, BadCiphertextIsRefused)
{
    const KeyPair& kp = pair_of(512);
    Bytes ct, back;
    ASSERT_TRUE(run_rsa(BSAPI_ENCRYPT, kp.pkey, &pad_velmarine_rsa, random_bytes(rng, 16), ct, g));
    testing::internal::CaptureStderr();
    EXPECT_FALSE(run_rsa(BSAPI_DECRYPT, kp.skey, &pad_velmarine_rsa, Bytes(ct.begin(), ct.end() - 1), back, g));
    EXPECT_FALSE(run_rsa(BSAPI_DECRYPT, kp.skey, &pad_velmarine_rsa, Bytes(64, 0xFF), back, g));
    EXPECT_FALSE(run_rsa(BSAPI_DECRYPT, kp.skey, &pad_velmarine_rsa, {}, back, g));
    // A block whose padding length byte claims more than the block.
    RSA* priv = ossl_private(kp);
    Bytes forged(64, 0x11), fct(64);
    forged[0] = 0;
    forged[63] = 0x7F;
    ASSERT_EQ(RSA_public_encrypt(64, forged.data(), fct.data(), priv, RSA_NO_PADDING), 64);
    EXPECT_FALSE(run_rsa(BSAPI_DECRYPT, kp.skey, &pad_velmarine_rsa, fct, back, g));
    RSA_free(priv);
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find("63 trailing ciphertext octets"), std::string::npos);
    EXPECT_NE(err.find("ciphertext incompatible with key"), std::string::npos);
    EXPECT_NE(err.find("padding is corrupt"), std::string::npos);
}

TEST_F(RsaSession, UnusableKeysAreRefused)
{
    auto der_public = [](int bits, unsigned long e) {
        BIGNUM* bn = BN_new();
        BN_set_word(bn, 65537);
        // Only the size of the modulus matters to the check, so any odd number serves.
        BIGNUM* n = BN_new();
        BN_rand(n, bits, BN_RAND_TOP_ONE, BN_RAND_BOTTOM_ODD);
        BIGNUM* ee = BN_new();
        BN_set_word(ee, e);
        RSA* pub = RSA_new();
        RSA_set0_key(pub, n, ee, nullptr);
        uint8_t* der = nullptr;
        const int len = i2d_RSAPublicKey(pub, &der);
        Bytes out(der, der + len);
        OPENSSL_free(der);
        RSA_free(pub);
        BN_free(bn);
        return out;
    };
    struct {
        Bytes der;
        const char* why;
    } cases[] = {
        {der_public(256, 65537), "modulus below 512 bits"},
        {der_public(511, 65537), "modulus of 511 bits"},
        {der_public(4097, 65537), "modulus of 4097 bits"},
        {der_public(512, 4), "even exponent"},
        {der_public(512, 1), "exponent 1"},
        {hex("30 06 02 01 00 02 01 03"), "zero modulus"},
        {hex("30 48 02 41"), "truncated"},
    };
    testing::internal::CaptureStderr();
    for (auto& c : cases) {
        mblk k{c.der.data(), uint32_t(c.der.size()), uint32_t(c.der.size())};
        Bytes out;
        EXPECT_FALSE(run_rsa(BSAPI_ENCRYPT, k, &pad_velmarine_rsa, random_bytes(rng, 16), out, g)) << c.why;
    }
    testing::internal::GetCapturedStderr();
    // Both ends of the accepted sizes work.
    for (int bits : {512, 4096}) {
        Bytes ok = der_public(bits, 3);
        mblk k{ok.data(), uint32_t(ok.size()), uint32_t(ok.size())};
        Bytes out;
        EXPECT_TRUE(run_rsa(BSAPI_ENCRYPT, k, &pad_velmarine_rsa, random_bytes(rng, 16), out, g)) << bits;
        EXPECT_EQ(out.size(), size_t(bits / 8)) << bits;
    }
}

TEST_F(RsaSession, Pkcs1EncryptionDecryptsWithOpenSsl)
{
    const KeyPair& kp = pair_of(512);
    const Bytes data = random_bytes(rng, 53);
    Bytes ct, back;
    ASSERT_TRUE(run_rsa(BSAPI_ENCRYPT, kp.pkey, &pad_pkcs1, data, ct, g));
    ASSERT_EQ(ct.size(), 64u);
    RSA* priv = ossl_private(kp);
    Bytes pt(64);
    ASSERT_EQ(RSA_private_decrypt(64, ct.data(), pt.data(), priv, RSA_PKCS1_PADDING), 53);
    EXPECT_EQ(Bytes(pt.begin(), pt.begin() + 53), data);
    RSA_free(priv);
    ASSERT_TRUE(run_rsa(BSAPI_DECRYPT, kp.skey, &pad_pkcs1, ct, back, g));
    EXPECT_EQ(back, data);
    // More than one block still works, with a warning.
    testing::internal::CaptureStderr();
    ASSERT_TRUE(run_rsa(BSAPI_ENCRYPT, kp.pkey, &pad_pkcs1, random_bytes(rng, 54), ct, g));
    EXPECT_NE(testing::internal::GetCapturedStderr().find("shouldn't use pkcs-1"), std::string::npos);
    EXPECT_EQ(ct.size(), 128u);
}

TEST_F(RsaSession, SignAndVerifyWithDigestInfo)
{
    const KeyPair& kp = pair_of(512);
    RSA* priv = ossl_private(kp);
    const Bytes msg = random_bytes(rng, 300);
    struct {
        const hash_module* h;
        int nid;
    } cases[] = {{&hash_sha, NID_sha1}, {&hash_md5, NID_md5}};
    for (const auto& c : cases) {
        Bytes sig;
        ASSERT_TRUE(run_rsa(BSAPI_SIGN, kp.skey, &pad_pkcs1, msg, sig, g, c.h, {100}));
        // One BIT STRING around one block.
        ASSERT_EQ(sig.size(), 67u);
        EXPECT_EQ(tohex(sig.data(), 3), "034100");
        uint8_t d[20];
        const unsigned dlen = c.nid == NID_sha1 ? 20 : 16;
        if (c.nid == NID_sha1)
            SHA1(msg.data(), msg.size(), d);
        else
            MD5(msg.data(), msg.size(), d);
        EXPECT_EQ(RSA_verify(c.nid, d, dlen, sig.data() + 3, 64, priv), 1);

        for (int tamper = 0; tamper < 2; ++tamper) {
            Bytes m = msg;
            m[5] ^= uint8_t(tamper);
            Session s(kp.pkey, &pad_pkcs1);
            const rsa_param p{BSAPI_VERIFY, 0, c.h};
            rsa_session* rs = bsapi_start_rsa(&p, g, &s.key);
            ASSERT_NE(rs, nullptr);
            ASSERT_EQ(bsapi_rsa_set_signature(rs, sig.data(), uint32_t(sig.size())), 0);
            ASSERT_EQ(bsapi_append_rsa(rs, m.data(), uint32_t(m.size())), 0);
            testing::internal::CaptureStderr();
            EXPECT_EQ(bsapi_finish_rsa(rs, nullptr), tamper);
            testing::internal::GetCapturedStderr();
        }
    }
    RSA_free(priv);
}

TEST_F(RsaSession, VelmarineSignsAGivenDigest)
{
    const KeyPair& kp = pair_of(512);
    const Bytes digest = random_bytes(rng, 20);
    Session s(kp.skey, &pad_velmarine_rsa);
    const rsa_param p{BSAPI_SIGN, 0, &hash_sha};
    rsa_session* rs = bsapi_start_rsa(&p, g, &s.key);
    ASSERT_NE(rs, nullptr);
    ASSERT_EQ(bsapi_rsa_set_digest(rs, digest.data(), 20), 0);
    testing::internal::CaptureStderr();
    EXPECT_EQ(bsapi_append_rsa(rs, digest.data(), 20), -1);
    EXPECT_NE(testing::internal::GetCapturedStderr().find("Hash data already read"), std::string::npos);
    ut_chain* c = nullptr;
    ASSERT_EQ(bsapi_finish_rsa(rs, &c), 0);
    const Bytes sig = take_chain(c);
    Session v(kp.pkey, &pad_velmarine_rsa);
    const rsa_param vp{BSAPI_VERIFY, 0, &hash_sha};
    rs = bsapi_start_rsa(&vp, g, &v.key);
    ASSERT_EQ(bsapi_rsa_set_digest(rs, digest.data(), 20), 0);
    ASSERT_EQ(bsapi_rsa_set_signature(rs, sig.data(), uint32_t(sig.size())), 0);
    EXPECT_EQ(bsapi_finish_rsa(rs, nullptr), 0);
}

TEST_F(RsaSession, KeyGenerationArgumentsAndRandomExponent)
{
    mblk s{nullptr, 0, 0}, p{nullptr, 0, 0};
    const rsa_keygen_param param{512, RSAKG_PLAIN, nullptr};
    testing::internal::CaptureStderr();
    EXPECT_EQ(bsapi_generate_key_rsa(nullptr, &s, &p, &param), -1);
    EXPECT_EQ(bsapi_generate_key_rsa(g, &s, &p, nullptr), -1);
    EXPECT_NE(testing::internal::GetCapturedStderr().find("called with null parameter pointer"), std::string::npos);
    ASSERT_EQ(bsapi_generate_key_rsa(g, &s, &p, &param), 0);
    const uint8_t* q = p.data;
    RSA* pub = d2i_RSAPublicKey(nullptr, &q, long(p.used));
    ASSERT_NE(pub, nullptr);
    EXPECT_TRUE(BN_is_odd(RSA_get0_e(pub)));
    EXPECT_GT(BN_num_bits(RSA_get0_e(pub)), 16);
    RSA_free(pub);
    ut_free_mblk(UT_HERE, &s);
    ut_free_mblk(UT_HERE, &p);
}
