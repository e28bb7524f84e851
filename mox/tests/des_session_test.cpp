// DES sessions: agreement with OpenSSL in ECB and CBC for single DES and
// two-key EDE, the toolkit's own three-key composition, the chained triple
// passes, the feedback modes, PKCS#5 edges, key generation and misuse.

#include "bsapi/des_core.h"
#include "session_util.h"

#include <openssl/des.h>

#include <optional>
#include <string>

using namespace moxtest;

namespace {

DES_key_schedule oks(const Bytes& k)
{
    DES_cblock cb;
    std::memcpy(cb, k.data(), 8);
    DES_key_schedule ks;
    DES_set_key_unchecked(&cb, &ks);
    return ks;
}

Bytes ossl_ecb(const Bytes& k, const Bytes& in, int enc)
{
    DES_key_schedule ks = oks(k);
    Bytes out(in.size());
    for (size_t i = 0; i < in.size(); i += 8)
        DES_ecb_encrypt(reinterpret_cast<const_DES_cblock*>(const_cast<uint8_t*>(in.data() + i)),
                        reinterpret_cast<DES_cblock*>(out.data() + i), &ks, enc);
    return out;
}

Bytes ossl_cbc(const Bytes& k, const Bytes& in, Bytes iv, int enc)
{
    DES_key_schedule ks = oks(k);
    Bytes out(in.size());
    DES_ncbc_encrypt(in.data(), out.data(), long(in.size()), &ks, reinterpret_cast<DES_cblock*>(iv.data()), enc);
    return out;
}

const Bytes kA5 = hex("a5a5a5a5a5a5a5a5");

class DesSession : public LeakCheck {
protected:
    std::mt19937 rng{1234};
    Bytes rnd(size_t n) { return random_bytes(rng, n); }
    std::vector<size_t> random_pieces(size_t total)
    {
        std::vector<size_t> p;
        for (size_t off = 0; off < total;) {
            const size_t n = rng() % 20;
            p.push_back(n);
            off += n;
        }
        return p;
    }
    // Enciphers data in the mode and variant, fed in random pieces, and expects the reference
    // when there is one; then deciphers the result, in other pieces, back to data.
    void expectCipherAndBack(int mode, int variant, const bsapi_key& key, const Bytes& data,
                             const std::optional<Bytes>& expected)
    {
        SCOPED_TRACE("mode " + std::to_string(mode) + ", variant " + std::to_string(variant));
        Bytes out, back;
        ASSERT_TRUE(run_des({0, mode, variant, 0, 0}, key, data, out, random_pieces(data.size())));
        if (expected) {
            EXPECT_EQ(out, *expected);
        }
        ASSERT_TRUE(run_des({1, mode, variant, 0, 0}, key, out, back, random_pieces(data.size())));
        EXPECT_EQ(back, data);
    }
};

} // namespace

TEST_F(DesSession, SingleDesAgreesWithOpenSslInEcbAndCbc)
{
    for (int i = 0; i < 20; ++i) {
        const Bytes k = rnd(8), iv = rnd(8), data = rnd(8 * (1 + rng() % 40));
        DesKeys keys({k}, nullptr, {iv});
        expectCipherAndBack(DES_MODE_ECB, 0, keys.k, data, ossl_ecb(k, data, DES_ENCRYPT));
        expectCipherAndBack(DES_MODE_CBC, 0, keys.k, data, ossl_cbc(k, data, iv, DES_ENCRYPT));
    }
}

TEST_F(DesSession, CbcWithoutInitialValueStartsFromA5)
{
    const Bytes k = rnd(8), data = rnd(64);
    DesKeys keys({k}, nullptr);
    Bytes out;
    ASSERT_TRUE(run_des({0, DES_MODE_CBC, 0, 0, 0}, keys.k, data, out));
    EXPECT_EQ(out, ossl_cbc(k, data, kA5, DES_ENCRYPT));
}

TEST_F(DesSession, TwoKeyEdeAgreesWithOpenSsl)
{
    for (int i = 0; i < 10; ++i) {
        const Bytes k1 = rnd(8), k2 = rnd(8), iv = rnd(8), data = rnd(8 * (1 + rng() % 40));
        DesKeys keys({k1, k2}, nullptr, {iv});
        DES_key_schedule s1 = oks(k1), s2 = oks(k2);
        Bytes ecb(data.size()), cbc(data.size());
        for (size_t j = 0; j < data.size(); j += 8)
            DES_ecb3_encrypt(reinterpret_cast<const_DES_cblock*>(const_cast<uint8_t*>(data.data() + j)),
                             reinterpret_cast<DES_cblock*>(ecb.data() + j), &s1, &s2, &s1, DES_ENCRYPT);
        DES_cblock ivb;
        std::memcpy(ivb, iv.data(), 8);
        DES_ede3_cbc_encrypt(data.data(), cbc.data(), long(data.size()), &s1, &s2, &s1, &ivb, DES_ENCRYPT);
        expectCipherAndBack(DES_MODE_ECB, 1, keys.k, data, ecb);
        expectCipherAndBack(DES_MODE_CBC, 1, keys.k, data, cbc);
    }
}

TEST_F(DesSession, ThreeKeyListIsEncryptDecryptDecrypt)
{
    // A list K1, K2, K3 enciphers as E(K1), then D(K2), then D(K3); the
    // interface's list K1, K2, K1 therefore gives E-D-D.
    for (int i = 0; i < 10; ++i) {
        const Bytes k1 = rnd(8), k2 = rnd(8), k3 = rnd(8), data = rnd(80);
        for (const Bytes* last : {&k1, &k3}) {
            DesKeys keys({k1, k2, *last}, nullptr);
            const Bytes ref = ossl_ecb(*last, ossl_ecb(k2, ossl_ecb(k1, data, DES_ENCRYPT), DES_DECRYPT), DES_DECRYPT);
            expectCipherAndBack(DES_MODE_ECB, 1, keys.k, data, ref);
            expectCipherAndBack(DES_MODE_CBC, 1, keys.k, data, std::nullopt);
        }
    }
}

TEST_F(DesSession, EqualKeysCollapseToSingleDes)
{
    const Bytes k = rnd(8), data = rnd(48);
    Bytes out;
    DesKeys edd({k, k, k}, nullptr);
    ASSERT_TRUE(run_des({0, DES_MODE_ECB, 1, 0, 0}, edd.k, data, out));
    EXPECT_EQ(out, ossl_ecb(k, data, DES_DECRYPT));
    DesKeys ede({k, k}, nullptr);
    ASSERT_TRUE(run_des({0, DES_MODE_ECB, 1, 0, 0}, ede.k, data, out));
    EXPECT_EQ(out, ossl_ecb(k, data, DES_ENCRYPT));
}

TEST_F(DesSession, ChainedTriplePassesAreThreeCbcPasses)
{
    const Bytes k1 = rnd(8), k2 = rnd(8), iv1 = rnd(8), iv2 = rnd(8), iv3 = rnd(8), data = rnd(96);
    DesKeys keys({k1, k2}, nullptr, {iv1, iv2, iv3});
    const Bytes ref = ossl_cbc(k1, ossl_cbc(k2, ossl_cbc(k1, data, iv1, DES_ENCRYPT), iv2, DES_DECRYPT), iv3, DES_ENCRYPT);
    expectCipherAndBack(DES_MODE_CBC, 2, keys.k, data, ref);
    // ECB has no chaining, so variant 2 is the one-pass triple function there.
    Bytes e1, e2;
    ASSERT_TRUE(run_des({0, DES_MODE_ECB, 2, 0, 0}, keys.k, data, e1));
    ASSERT_TRUE(run_des({0, DES_MODE_ECB, 1, 0, 0}, keys.k, data, e2));
    EXPECT_EQ(e1, e2);
}

TEST_F(DesSession, FeedbackModes)
{
    const Bytes k = rnd(8), iv = rnd(8), data = rnd(77);
    DES_key_schedule ks = oks(k);
    DES_cblock ivb;
    int num = 0;
    // 64-bit CFB and OFB, then CFB with a feedback of 8 bits.
    Bytes cfb64(data.size()), ofb64(data.size()), cfb8(data.size());
    std::memcpy(ivb, iv.data(), 8);
    DES_cfb64_encrypt(data.data(), cfb64.data(), long(data.size()), &ks, &ivb, &num, DES_ENCRYPT);
    std::memcpy(ivb, iv.data(), 8);
    num = 0;
    DES_ofb64_encrypt(data.data(), ofb64.data(), long(data.size()), &ks, &ivb, &num);
    std::memcpy(ivb, iv.data(), 8);
    DES_cfb_encrypt(data.data(), cfb8.data(), 8, long(data.size()), &ks, &ivb, DES_ENCRYPT);
    DesKeys keys({k}, nullptr, {iv});
    expectCipherAndBack(DES_MODE_CFB, 0, keys.k, data, cfb64);
    expectCipherAndBack(DES_MODE_OFB, 0, keys.k, data, ofb64);
    DesKeys bits8({k}, nullptr, {iv}, 8);
    expectCipherAndBack(DES_MODE_CFB, 0, bits8.k, data, cfb8);
    for (int mode : {DES_MODE_CFB, DES_MODE_OFB}) {
        for (int variant : {1, 2}) {
            DesKeys triple({k, rnd(8), rnd(8)}, nullptr, {iv, rnd(8), rnd(8)}, 24);
            expectCipherAndBack(mode, variant, triple.k, data, std::nullopt);
        }
    }
    DesKeys bad({k}, nullptr, {iv}, 12);
    Bytes out;
    EXPECT_FALSE(run_des({0, DES_MODE_CFB, 0, 0, 0}, bad.k, data, out));
}

TEST_F(DesSession, Pkcs5Edges)
{
    const Bytes k = rnd(8);
    DesKeys padded({k}, &pad_pkcs5);
    DesKeys plain({k}, nullptr);
    const des_param enc{0, DES_MODE_ECB, 0, 0, 0}, dec{1, DES_MODE_ECB, 0, 0, 0};
    Bytes out, back;
    // Nothing in: one whole block of padding.
    ASSERT_TRUE(run_des(enc, padded.k, {}, out));
    ASSERT_EQ(out.size(), 8u);
    ASSERT_TRUE(run_des(dec, plain.k, out, back));
    EXPECT_EQ(back, Bytes(8, 8));
    ASSERT_TRUE(run_des(dec, padded.k, out, back));
    EXPECT_TRUE(back.empty());
    // 13 bytes give 16, however they are appended.
    const Bytes data = rnd(13);
    Bytes split;
    ASSERT_TRUE(run_des(enc, padded.k, data, out));
    ASSERT_TRUE(run_des(enc, padded.k, data, split, {5, 8}));
    EXPECT_EQ(out.size(), 16u);
    EXPECT_EQ(out, split);
    ASSERT_TRUE(run_des(dec, padded.k, out, back, {3, 3}));
    EXPECT_EQ(back, data);
    // A whole final block gains a block of eights.
    ASSERT_TRUE(run_des(enc, padded.k, rnd(16), out));
    EXPECT_EQ(out.size(), 24u);
    // Ciphertext that is not whole blocks names the bytes left over.
    testing::internal::CaptureStderr();
    EXPECT_FALSE(run_des(dec, padded.k, rnd(12), back));
    EXPECT_NE(testing::internal::GetCapturedStderr().find("4 trailing cyphertext octets"), std::string::npos);
    // A final block ending 03 03 02 is corrupt; one ending in 0 loses nothing.
    Bytes bad = rnd(8);
    bad[5] = 3, bad[6] = 3, bad[7] = 2;
    ASSERT_TRUE(run_des(enc, plain.k, bad, out));
    testing::internal::CaptureStderr();
    EXPECT_FALSE(run_des(dec, padded.k, out, back));
    EXPECT_NE(testing::internal::GetCapturedStderr().find("padding is corrupt"), std::string::npos);
    Bytes zero = rnd(8);
    zero[7] = 0;
    ASSERT_TRUE(run_des(enc, plain.k, zero, out));
    ASSERT_TRUE(run_des(dec, padded.k, out, back));
    EXPECT_EQ(back, zero);
    // Decrypting nothing leaves no padding to identify.
    testing::internal::CaptureStderr();
    EXPECT_FALSE(run_des(dec, padded.k, {}, back));
    EXPECT_NE(testing::internal::GetCapturedStderr().find("unable to identify padding"), std::string::npos);
}

TEST_F(DesSession, WithoutPaddingHeldBytesAreZeroFilled)
{
    const Bytes k = rnd(8), data = rnd(11);
    DesKeys keys({k}, nullptr);
    Bytes out;
    ASSERT_TRUE(run_des({0, DES_MODE_ECB, 0, 0, 0}, keys.k, data, out));
    Bytes filled = data;
    filled.resize(16, 0);
    EXPECT_EQ(out, ossl_ecb(k, filled, DES_ENCRYPT));
}

TEST_F(DesSession, WithoutPermutationsRoundTrips)
{
    const Bytes k = rnd(8), data = rnd(40);
    DesKeys keys({k, rnd(8)}, &pad_pkcs5);
    Bytes out, back, with;
    ASSERT_TRUE(run_des({0, DES_MODE_CBC, 1, 0, 1}, keys.k, data, out));
    ASSERT_TRUE(run_des({0, DES_MODE_CBC, 1, 0, 0}, keys.k, data, with));
    EXPECT_NE(out, with);
    ASSERT_TRUE(run_des({1, DES_MODE_CBC, 1, 0, 1}, keys.k, out, back));
    EXPECT_EQ(back, data);
}

TEST_F(DesSession, ExpandedKeyForm)
{
    const Bytes k = rnd(8), data = rnd(32);
    mox::des::Schedule s;
    mox::des::make_schedule(k.data(), false, s);
    Bytes exp(96);
    mox::des::expand_schedule(s, exp.data());
    DesKeys keys({exp}, nullptr);
    Bytes out;
    ASSERT_TRUE(run_des({0, DES_MODE_ECB, 0, 1, 0}, keys.k, data, out));
    EXPECT_EQ(out, ossl_ecb(k, data, DES_ENCRYPT));
}

TEST_F(DesSession, BadKeysAndInitialValuesAreRefused)
{
    Bytes out;
    testing::internal::CaptureStderr();
    DesKeys shortkey({rnd(7)}, nullptr);
    EXPECT_FALSE(run_des({0, DES_MODE_ECB, 0, 0, 0}, shortkey.k, rnd(8), out));
    DesKeys onekey({rnd(8)}, nullptr);
    EXPECT_FALSE(run_des({0, DES_MODE_ECB, 1, 0, 0}, onekey.k, rnd(8), out));
    DesKeys badiv({rnd(8)}, nullptr, {rnd(5)});
    EXPECT_FALSE(run_des({0, DES_MODE_CBC, 0, 0, 0}, badiv.k, rnd(8), out));
    EXPECT_FALSE(run_des({0, 9, 0, 0, 0}, onekey.k, rnd(8), out));
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find("bad size (7), key 0"), std::string::npos);
    EXPECT_NE(err.find("bad size, IV 0 (5 octets)"), std::string::npos);
}

TEST_F(DesSession, DirectTransformAndRead)
{
    const Bytes k = rnd(8), data = rnd(64);
    DesKeys keys({k}, &pad_pkcs5);
    const des_param enc{0, DES_MODE_CBC, 0, 0, 0};
    des_session* s = bsapi_start_des(&enc, nullptr, &keys.k);
    ASSERT_NE(s, nullptr);
    Bytes out(64);
    ASSERT_EQ(bsapi_transform_des(s, data.data(), out.data(), 64), 0);
    EXPECT_EQ(out, ossl_cbc(k, data, kA5, DES_ENCRYPT));
    testing::internal::CaptureStderr();
    EXPECT_EQ(bsapi_transform_des(s, data.data(), out.data(), 12), -1);
    EXPECT_NE(testing::internal::GetCapturedStderr().find("not a whole number of blocks"), std::string::npos);
    bsapi_kill_des(s);

    s = bsapi_start_des(&enc, nullptr, &keys.k);
    ASSERT_EQ(bsapi_append_des(data.data(), 20, s), 0);
    Bytes first = take_chain(bsapi_read_des(s));
    EXPECT_EQ(first.size(), 16u);
    ASSERT_EQ(bsapi_append_des(data.data() + 20, 44, s), 0);
    ut_chain* rest = nullptr;
    ASSERT_EQ(bsapi_finish_des(s, &rest), 0);
    Bytes all = first;
    const Bytes tail = take_chain(rest);
    all.insert(all.end(), tail.begin(), tail.end());
    EXPECT_EQ(all.size(), 72u);
}

TEST_F(DesSession, LargeInputSpansChainNodes)
{
    const Bytes k = rnd(8), data = rnd(5000);
    DesKeys keys({k}, &pad_pkcs5);
    Bytes out, back;
    ASSERT_TRUE(run_des({0, DES_MODE_CBC, 0, 0, 0}, keys.k, data, out, {1000, 1000, 7, 993}));
    EXPECT_EQ(out.size(), 5008u);
    ASSERT_TRUE(run_des({1, DES_MODE_CBC, 0, 0, 0}, keys.k, out, back, {1001, 1500}));
    EXPECT_EQ(back, data);
}

TEST_F(DesSession, GeneratedKeysAreOddParityAndNeverWeak)
{
    // The scripted source offers a weak key, a semi-weak key, then a usable one.
    ScriptedPrng weak(hex("0101010101010101 01fe01fe01fe01fe 133457799bbcdff0"));
    mblk key{nullptr, 0, 0};
    ASSERT_EQ(bsapi_generate_key_des(&weak.g, &key, 4), 0);
    EXPECT_EQ(tohex(key.data, key.used), "133457799bbcdff1");
    // A source that only ever yields weak keys fails instead of spinning.
    ScriptedPrng stuck({}, 0x01);
    EXPECT_EQ(bsapi_generate_key_des(&stuck.g, &key, 4), -1);
    ScriptedPrng empty({});
    EXPECT_EQ(bsapi_generate_key_des(&empty.g, &key, 4), -1);
    prng* sys = prng_new_sys();
    for (int i = 0; i < 50; ++i) {
        ASSERT_EQ(bsapi_generate_key_des(sys, &key, 4), 0);
        EXPECT_TRUE(mox::des::has_odd_parity(key.data));
        mox::des::Schedule s;
        mox::des::make_schedule(key.data, false, s);
        EXPECT_GT(mox::des::distinct_round_keys(s), 8);
    }
    prng_free(sys);
    ut_free_mblk(UT_HERE, &key);
}

TEST_F(DesSession, TripleDesModule)
{
    prng* sys = prng_new_sys();
    const des_param p{0, DES_MODE_CBC, 0, 0, 0};
    mblk key{nullptr, 0, 0};
    ASSERT_EQ(bsapi_3des.generate_key(sys, &key, &p), 0);
    ASSERT_EQ(key.used, 24u);
    const Bytes k1(key.data, key.data + 8), k2(key.data + 8, key.data + 16), k3(key.data + 16, key.data + 24);
    const Bytes data = rnd(40);
    const mblk list[1] = {key};
    const bsapi_key bk{list, 1, nullptr, 0, 0, nullptr};
    const des_param ecb{0, DES_MODE_ECB, 0, 0, 0};
    des_session* s = bsapi_3des.start(&ecb, sys, &bk);
    ASSERT_NE(s, nullptr);
    ASSERT_EQ(bsapi_3des.append(data.data(), uint32_t(data.size()), s), 0);
    ut_chain* c = nullptr;
    ASSERT_EQ(bsapi_3des.finish(s, &c), 0);
    EXPECT_EQ(take_chain(c), ossl_ecb(k3, ossl_ecb(k2, ossl_ecb(k1, data, DES_ENCRYPT), DES_DECRYPT), DES_DECRYPT));
    ut_free_mblk(UT_HERE, &key);
    prng_free(sys);
}
