// Padding schemes: PKCS#5, Velmarine-RSA and the two PKCS #1 modules.

#include "session_util.h"

#include <openssl/bn.h>
#include <openssl/rsa.h>

using namespace moxtest;

namespace {

class Padding : public LeakCheck {
protected:
    std::mt19937 rng{99};
};

} // namespace

TEST_F(Padding, Pkcs5)
{
    uint8_t b[8] = {1, 2, 3, 4, 5, 0, 0, 0};
    ASSERT_EQ(pkcs5_pad(b, 5, 8), 0);
    EXPECT_EQ(tohex(b, 8), "0102030405030303");
    uint32_t n = 99;
    ASSERT_EQ(pkcs5_unpad(b, &n, 8), 0);
    EXPECT_EQ(n, 5u);
    ASSERT_EQ(pkcs5_pad(b, 0, 8), 0);
    EXPECT_EQ(tohex(b, 8), "0808080808080808");
    ASSERT_EQ(pkcs5_unpad(b, &n, 8), 0);
    EXPECT_EQ(n, 0u);
    struct {
        const char* block;
        int rc;
        uint32_t len;
    } cases[] = {
        {"0102030405030302", -1, 0}, {"0102030405060709", -1, 0}, {"0102030405060700", 0, 8},
        {"0102030405060701", 0, 7},  {"0102030405020202", 0, 6}, {"0909090909090909", -1, 0},
    };
    testing::internal::CaptureStderr();
    for (const auto& c : cases) {
        const Bytes blk = hex(c.block);
        uint32_t len = 0;
        EXPECT_EQ(pkcs5_unpad(blk.data(), &len, 8), c.rc) << c.block;
        if (c.rc == 0) {
            EXPECT_EQ(len, c.len) << c.block;
        }
    }
    EXPECT_NE(testing::internal::GetCapturedStderr().find("padding is corrupt"), std::string::npos);
    EXPECT_EQ(pad_scheme_by_id(4), &pad_pkcs5);
    EXPECT_STREQ(pad_pkcs5.name, "PKCS5");
}

TEST_F(Padding, VelmarineLengthFitsOneByte)
{
    ScriptedPrng g(Bytes(46, 0xAB));
    Bytes block(63, 0);
    for (int i = 0; i < 16; ++i)
        block[i] = uint8_t(i + 1);
    ASSERT_EQ(brsa_pad(block.data(), 16, 63, &g.g, 0), 0);
    EXPECT_EQ(g.at, 46u);
    EXPECT_EQ(block[62], 0x2F);
    for (int i = 16; i < 62; ++i)
        EXPECT_EQ(block[i], 0xAB);
    uint32_t n = 0;
    ASSERT_EQ(brsa_unpad(block.data(), &n, 63, 0), 0);
    EXPECT_EQ(n, 16u);
}

TEST_F(Padding, VelmarineLongLengthTakesTwoGroups)
{
    ScriptedPrng g({}, 0x11);
    Bytes block(250, 0);
    ASSERT_EQ(brsa_pad(block.data(), 50, 250, &g.g, 0), 0);
    EXPECT_EQ(block[248], 0x01);
    EXPECT_EQ(block[249], 0xC8);
    uint32_t n = 0;
    ASSERT_EQ(brsa_unpad(block.data(), &n, 250, 0), 0);
    EXPECT_EQ(n, 50u);
    // Through the scheme record, every data length of a 63-byte block round-trips.
    for (uint32_t d = 0; d < 63; ++d) {
        Bytes b = random_bytes(rng, 63);
        const Bytes data(b.begin(), b.begin() + d);
        ASSERT_EQ(pad_velmarine_rsa.pad(b.data(), d, 63, &g.g, 0), 0);
        ASSERT_EQ(pad_velmarine_rsa.unpad(b.data(), &n, 63, 1), 0);
        EXPECT_EQ(n, d);
        EXPECT_EQ(Bytes(b.begin(), b.begin() + n), data);
    }
}

TEST_F(Padding, VelmarineRefusesDamagedLengths)
{
    testing::internal::CaptureStderr();
    uint32_t n = 0;
    struct {
        Bytes block;
        const char* why;
    } bad[] = {
        {hex("0000000080"), "continuation with no further group"},
        {hex("8080808080"), "continuation through the whole block"},
        {hex("0000000006"), "longer than the block"},
        {hex("00000000 0181"), "two groups claiming one byte"},
        {hex("0000000000"), "zero length"},
    };
    for (const auto& c : bad)
        EXPECT_EQ(brsa_unpad(c.block.data(), &n, uint32_t(c.block.size()), 0), -1) << c.why;
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find("padding is corrupt"), std::string::npos);
    Bytes b(8);
    EXPECT_EQ(brsa_pad(b.data(), 8, 8, nullptr, 0), -1);
    ScriptedPrng empty({});
    EXPECT_EQ(brsa_pad(b.data(), 2, 8, &empty.g, 0), -1);
    EXPECT_EQ(brsa_unpad(b.data(), &n, 8, 1), 0);
    EXPECT_EQ(n, 8u);
}

TEST_F(Padding, Pkcs1Limits)
{
    ScriptedPrng g(hex("00 01 02 03 04 05 06 07 08"), 0x33);
    Bytes block(63, 0);
    Bytes data = random_bytes(rng, 53);
    std::copy(data.begin(), data.end(), block.begin());
    ASSERT_EQ(pad_pkcs1.pad(block.data(), 53, 63, &g.g, 0), 0);
    EXPECT_EQ(block[0], 0x02);
    for (int i = 1; i <= 8; ++i)
        EXPECT_NE(block[i], 0) << i;
    EXPECT_EQ(block[9], 0x00);
    EXPECT_EQ(Bytes(block.begin() + 10, block.end()), data);
    uint32_t n = 0;
    Bytes copy = block;
    EXPECT_EQ(pad_pkcs1.unpad(copy.data(), &n, 63, 0), -1); // type 2 belongs to the private side
    ASSERT_EQ(pad_pkcs1.unpad(block.data(), &n, 63, 1), 0);
    EXPECT_EQ(n, 53u);
    EXPECT_EQ(Bytes(block.begin(), block.begin() + 53), data);

    testing::internal::CaptureStderr();
    EXPECT_EQ(pad_pkcs1.pad(block.data(), 54, 63, &g.g, 0), -1);
    EXPECT_NE(testing::internal::GetCapturedStderr().find("no space in which to perform padding"),
              std::string::npos);

    Bytes t1(63, 0x5A);
    ASSERT_EQ(pad_pkcs1.pad(t1.data(), 20, 63, nullptr, 1), 0);
    EXPECT_EQ(t1[0], 0x01);
    EXPECT_EQ(t1[41], 0xFF);
    EXPECT_EQ(t1[42], 0x00);
    copy = t1;
    EXPECT_EQ(pad_pkcs1.unpad(copy.data(), &n, 63, 1), -1); // type 1 belongs to the public side
    ASSERT_EQ(pad_pkcs1.unpad(t1.data(), &n, 63, 0), 0);
    EXPECT_EQ(n, 20u);
}

TEST_F(Padding, Pkcs1NullUsesBlockTypeZeroForPrivateOperations)
{
    Bytes b(63, 0x7E);
    ASSERT_EQ(pad_pkcs1_null.pad(b.data(), 60, 63, nullptr, 1), 0);
    EXPECT_EQ(tohex(b.data(), 4), "0000007e");
    uint32_t n = 0;
    ASSERT_EQ(pad_pkcs1_null.unpad(b.data(), &n, 63, 0), 0);
    EXPECT_EQ(n, 60u);
    testing::internal::CaptureStderr();
    EXPECT_EQ(pad_pkcs1_null.pad(b.data(), 61, 63, nullptr, 1), -1);
    ScriptedPrng g({}, 0x44);
    EXPECT_EQ(pad_pkcs1_null.pad(b.data(), 54, 63, &g.g, 0), -1);
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(pad_pkcs1_null.overhead(1), 3u);
    EXPECT_EQ(pad_pkcs1.overhead(0), 10u);
}

TEST_F(Padding, Pkcs1TypeTwoBlocksDecryptWithOpenSsl)
{
    // The block carries the implied leading zero once it is enciphered as a
    // whole modulus-sized number; OpenSSL's PKCS #1 v1.5 decryption must accept it.
    BIGNUM* e = BN_new();
    BN_set_word(e, 65537);
    RSA* rsa = RSA_new();
    ASSERT_EQ(RSA_generate_key_ex(rsa, 512, e, nullptr), 1);
    prng* sys = prng_new_sys();
    for (uint32_t len : {0u, 1u, 16u, 53u}) {
        Bytes block(63, 0);
        const Bytes data = random_bytes(rng, len);
        std::copy(data.begin(), data.end(), block.begin());
        ASSERT_EQ(pad_pkcs1.pad(block.data(), len, 63, sys, 0), 0);
        Bytes full(64, 0);
        std::copy(block.begin(), block.end(), full.begin() + 1);
        Bytes ct(64), pt(64);
        ASSERT_EQ(RSA_public_encrypt(64, full.data(), ct.data(), rsa, RSA_NO_PADDING), 64);
        const int n = RSA_private_decrypt(64, ct.data(), pt.data(), rsa, RSA_PKCS1_PADDING);
        ASSERT_EQ(n, int(len));
        EXPECT_EQ(Bytes(pt.begin(), pt.begin() + n), data);
    }
    prng_free(sys);
    RSA_free(rsa);
    BN_free(e);
}
