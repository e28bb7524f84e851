// The DES block cipher: published known answers, OpenSSL agreement, the
// variant without permutations, the expanded key form, weak keys and parity.

#include "bsapi/des_core.h"
#include "test_util.h"

#include <gtest/gtest.h>
#include <openssl/des.h>

#include <cstring>

using namespace moxtest;
namespace des = mox::des;

namespace {

Bytes ecb(const Bytes& key, Bytes data, bool decrypt)
{
    des::Schedule s;
    des::make_schedule(key.data(), decrypt, s);
    for (size_t i = 0; i + 8 <= data.size(); i += 8)
        des::crypt_bytes(data.data() + i, s);
    return data;
}

DES_key_schedule ossl_key(const uint8_t* k)
{
    DES_cblock cb;
    std::memcpy(cb, k, 8);
    DES_key_schedule ks;
    DES_set_key_unchecked(&cb, &ks);
    return ks;
}

} // namespace

TEST(DesCore, PublishedKnownAnswers)
{
    struct Case {
        const char* key;
        const char* plain;
        const char* cipher;
    };
    // FIPS 81 appendix B (ECB of "Now is the time for all "), the worked example
    // of the standard's textbook presentations, and the NIST variable-plaintext test.
    const Case cases[] = {
        {"0123456789abcdef", "4e6f772069732074 68652074696d6520 666f7220616c6c20",
         "3fa40e8a984d4815 6a271787ab8883f9 893d51ec4b563b53"},
        {"133457799bbcdff1", "0123456789abcdef", "85e813540f0ab405"},
        {"0101010101010101", "8000000000000000", "95f8a5e5dd31d900"},
        {"0101010101010101", "0000000000000001", "166b40b44aba4bd6"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(tohex(ecb(hex(c.key), hex(c.plain), false)), tohex(hex(c.cipher))) << c.key;
        EXPECT_EQ(tohex(ecb(hex(c.key), hex(c.cipher), true)), tohex(hex(c.plain))) << c.key;
    }
}

TEST(DesCore, AgreesWithOpenSslOnRandomBlocks)
{
    std::mt19937 rng(7);
    for (int i = 0; i < 200; ++i) {
        const Bytes key = random_bytes(rng, 8);
        const Bytes block = random_bytes(rng, 8);
        DES_key_schedule ks = ossl_key(key.data());
        DES_cblock in, out;
        std::memcpy(in, block.data(), 8);
        DES_ecb_encrypt(&in, &out, &ks, DES_ENCRYPT);
        EXPECT_EQ(tohex(ecb(key, block, false)), tohex(out, 8));
    }
}

TEST(DesCore, FirstAndLastRoundKeysOfTheWorkedExample)
{
    des::Schedule s;
    des::make_schedule(hex("133457799bbcdff1").data(), false, s);
    uint8_t exp[96];
    des::expand_schedule(s, exp);
    EXPECT_EQ(tohex(exp, 6), "1b02effc7072");
    EXPECT_EQ(tohex(exp + 90, 6), "cb3d8b0e17f5");
}

TEST(DesCore, ExpandedFormGivesTheSameCipher)
{
    std::mt19937 rng(11);
    for (int i = 0; i < 20; ++i) {
        const Bytes key = random_bytes(rng, 8);
        des::Schedule s, e, d, ed;
        des::make_schedule(key.data(), false, s);
        des::make_schedule(key.data(), true, d);
        uint8_t exp[96];
        des::expand_schedule(s, exp);
        des::schedule_from_expanded(exp, false, e);
        des::schedule_from_expanded(exp, true, ed);
        EXPECT_EQ(0, std::memcmp(&s, &e, sizeof s));
        EXPECT_EQ(0, std::memcmp(&d, &ed, sizeof d));
    }
}

TEST(DesCore, WithoutPermutationsIsTheRoundsBetweenThem)
{
    static const uint8_t kIP[64] = {58, 50, 42, 34, 26, 18, 10, 2, 60, 52, 44, 36, 28, 20, 12, 4,
                                    62, 54, 46, 38, 30, 22, 14, 6, 64, 56, 48, 40, 32, 24, 16, 8,
                                    57, 49, 41, 33, 25, 17, 9,  1, 59, 51, 43, 35, 27, 19, 11, 3,
                                    61, 53, 45, 37, 29, 21, 13, 5, 63, 55, 47, 39, 31, 23, 15, 7};
    auto ip = [&](uint64_t x) {
        uint64_t y = 0;
        for (int i = 0; i < 64; ++i)
            y = (y << 1) | ((x >> (64 - kIP[i])) & 1);
        return y;
    };
    std::mt19937_64 rng(3);
    for (int i = 0; i < 50; ++i) {
        uint8_t key[8];
        for (auto& k : key)
            k = uint8_t(rng());
        des::Schedule s;
        des::make_schedule(key, false, s);
        const uint64_t x = rng();
        uint32_t l = uint32_t(x >> 32), r = uint32_t(x);
        des::crypt_block(l, r, s, true);
        const uint64_t full = (uint64_t(l) << 32) | r;
        const uint64_t px = ip(x);
        uint32_t pl = uint32_t(px >> 32), pr = uint32_t(px);
        des::crypt_block(pl, pr, s, false);
        EXPECT_EQ((uint64_t(pl) << 32) | pr, ip(full));
    }
}

TEST(DesCore, TripleBlockIsThreeSinglePasses)
{
    std::mt19937 rng(5);
    for (int i = 0; i < 50; ++i) {
        const Bytes k1 = random_bytes(rng, 8), k2 = random_bytes(rng, 8), k3 = random_bytes(rng, 8);
        const Bytes block = random_bytes(rng, 8);
        for (bool permute : {true, false}) {
            des::Schedule s0, s1, s2;
            des::make_schedule(k1.data(), false, s0);
            des::make_schedule(k2.data(), true, s1);
            des::make_schedule(k3.data(), true, s2);
            uint32_t l = des::load_be32(block.data()), r = des::load_be32(block.data() + 4);
            uint32_t sl = l, sr = r;
            des::crypt_block3(l, r, s0, s1, s2, permute);
            des::crypt_block(sl, sr, s0, permute);
            des::crypt_block(sl, sr, s1, permute);
            des::crypt_block(sl, sr, s2, permute);
            EXPECT_EQ(l, sl);
            EXPECT_EQ(r, sr);
        }
    }
}

TEST(DesCore, WeakAndSemiWeakKeysHaveFewRoundKeys)
{
    const char* weak[] = {"0101010101010101", "fefefefefefefefe", "e0e0e0e0f1f1f1f1",
                          "1f1f1f1f0e0e0e0e"};
    const char* semi[] = {"01fe01fe01fe01fe", "fe01fe01fe01fe01", "1fe01fe00ef10ef1",
                          "e01fe01ff10ef10e", "01e001e001f101f1", "e001e001f101f101",
                          "1ffe1ffe0efe0efe", "fe1ffe1ffe0efe0e", "011f011f010e010e",
                          "1f011f010e010e01", "e0fee0fef1fef1fe", "fee0fee0fef1fef1"};
    des::Schedule s;
    for (const char* k : weak) {
        des::make_schedule(hex(k).data(), false, s);
        EXPECT_EQ(des::distinct_round_keys(s), 1) << k;
    }
    for (const char* k : semi) {
        des::make_schedule(hex(k).data(), false, s);
        EXPECT_EQ(des::distinct_round_keys(s), 2) << k;
    }
    des::make_schedule(hex("133457799bbcdff1").data(), false, s);
    EXPECT_EQ(des::distinct_round_keys(s), 16);
}

TEST(DesCore, OddParity)
{
    std::mt19937 rng(9);
    for (int i = 0; i < 100; ++i) {
        Bytes key = random_bytes(rng, 8);
        const Bytes before = key;
        des::set_odd_parity(key.data());
        EXPECT_TRUE(des::has_odd_parity(key.data()));
        for (int j = 0; j < 8; ++j)
            EXPECT_EQ(key[j] & 0xFE, before[j] & 0xFE);
    }
    EXPECT_FALSE(des::has_odd_parity(hex("0001010101010101").data()));
}
