// Digest algorithms: published vectors whole and byte by byte, agreement with
// OpenSSL on random inputs, and the MDC-2 digest lengths.

#include "hash/digest_core.h"
#include "mox/bsapi.h"
#include "test_util.h"

#include <gtest/gtest.h>
#include <openssl/md5.h>
#include <openssl/sha.h>

using namespace moxtest;
namespace hash = mox::hash;

namespace {

template <typename H>
std::string digest_whole(const Bytes& in)
{
    H h;
    h.update(in.data(), in.size());
    uint8_t out[H::kSize];
    h.finish(out);
    return tohex(out, H::kSize);
}

template <typename H>
std::string digest_bytewise(const Bytes& in)
{
    H h;
    for (uint8_t b : in)
        h.update(&b, 1);
    uint8_t out[H::kSize];
    h.finish(out);
    return tohex(out, H::kSize);
}

struct Vector {
    std::string input;
    const char* digest;
};

template <typename H>
void check_vectors(const std::vector<Vector>& vs)
{
    for (const auto& v : vs) {
        const Bytes in = ascii(v.input);
        EXPECT_EQ(digest_whole<H>(in), v.digest) << v.input.substr(0, 40);
        EXPECT_EQ(digest_bytewise<H>(in), v.digest) << v.input.substr(0, 40);
    }
}

const std::string kAlnum = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
const std::string kDigits80 =
    "12345678901234567890123456789012345678901234567890123456789012345678901234567890";

std::string mdc2(const Bytes& in, bool dbl, unsigned bits = 0)
{
    hash::Mdc2 m(dbl, bits);
    m.update(in.data(), in.size());
    Bytes out(m.size());
    m.finish(out.data());
    return tohex(out);
}

} // namespace

TEST(Digests, Sha1PublishedVectors)
{
    // FIPS 180-1 appendices A and B, and the million-'a' message of appendix C.
    check_vectors<hash::Sha1>({
        {"abc", "a9993e364706816aba3e25717850c26c9cd0d89d"},
        {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
         "84983e441c3bd26ebaae4aa1f95129e5e54670f1"},
        {"", "da39a3ee5e6b4b0d3255bfef95601890afd80709"},
    });
    EXPECT_EQ(digest_whole<hash::Sha1>(Bytes(1000000, 'a')), "34aa973cd4c4daa4f61eeb2bdbad27316534016f");
}

TEST(Digests, Md5PublishedVectors)
{
    // RFC 1321 appendix A.5.
    check_vectors<hash::Md5>({
        {"", "d41d8cd98f00b204e9800998ecf8427e"},
        {"a", "0cc175b9c0f1b6a831c399e269772661"},
        {"abc", "900150983cd24fb0d6963f7d28e17f72"},
        {"message digest", "f96b697d7cb7938d525a2f31aaf161d0"},
        {"abcdefghijklmnopqrstuvwxyz", "c3fcd3d76192e4007dfb496cca67e13b"},
        {kAlnum, "d174ab98d277d9f5a5611c2c9f419d9f"},
        {kDigits80, "57edf4a22be3c955ac49da2e2107b67a"},
    });
}

TEST(Digests, OriginalRipemdPublishedVectors)
{
    // The original RIPEMD test values as listed with the RIPEMD-160 publication
    // (Dobbertin, Bosselaers, Preneel) and in the sphlib test suite.
    check_vectors<hash::Ripemd>({
        {"", "9f73aa9b372a9dacfb86a6108852e2d9"},
        {"a", "486f74f790bc95ef7963cd2382b4bbc9"},
        {"abc", "3f14bad4c2f9b0ea805e5485d3d6882d"},
        {"message digest", "5f5c7ebe1abbb3c7036482942d5f9d49"},
        {"abcdefghijklmnopqrstuvwxyz", "ff6e1547494251a1cca6f005a6eaa2b4"},
        {kAlnum, "ff418a5aed3763d8f2ddf88a29e62486"},
        {kDigits80, "dfd6b45f60fe79bbbde87c6bfc6580a5"},
    });
}

TEST(Digests, OriginalRipemdKnownCollision)
{
    // The colliding pair published by Wang, Feng, Lai and Yu (2004): two
    // different messages must give the same digest in the original RIPEMD.
    const Bytes m1 = hex("8eaf9f5779f5ec09ba6a4a5711354178a410b4a29f6c2fad2c20560b1179754de7aade0bf291b"
                         "c787d6dbc47b1d1bd9a15205da4ff047181a8584726a54e0661");
    const Bytes m2 = hex("8eaf9f5779f5ec09ba6a4a5711355178a410b4a29f6c2fad2c20560b1179754de7aade0bf291b"
                         "c787d6dc0c7b1d1bd9a15205da4ff047181a8584726a54e06e1");
    ASSERT_NE(m1, m2);
    EXPECT_EQ(digest_whole<hash::Ripemd>(m1), digest_whole<hash::Ripemd>(m2));
}

TEST(Digests, AgreeWithOpenSslOnRandomInputs)
{
    std::mt19937 rng(21);
    for (size_t len : {0, 1, 55, 56, 63, 64, 65, 119, 120, 128, 1000, 4097}) {
        const Bytes in = random_bytes(rng, len);
        uint8_t ref[20];
        SHA1(in.data(), in.size(), ref);
        EXPECT_EQ(digest_whole<hash::Sha1>(in), tohex(ref, 20)) << len;
        MD5(in.data(), in.size(), ref);
        EXPECT_EQ(digest_whole<hash::Md5>(in), tohex(ref, 16)) << len;
        // Odd split points exercise the buffering between calls.
        hash::Sha1 s;
        hash::Md5 m;
        for (size_t off = 0; off < len;) {
            const size_t n = std::min<size_t>(len - off, 1 + rng() % 70);
            s.update(in.data() + off, n);
            m.update(in.data() + off, n);
            off += n;
        }
        uint8_t out[20];
        SHA1(in.data(), in.size(), ref);
        s.finish(out);
        EXPECT_EQ(tohex(out, 20), tohex(ref, 20));
        MD5(in.data(), in.size(), ref);
        m.finish(out);
        EXPECT_EQ(tohex(out, 16), tohex(ref, 16));
    }
}

TEST(Digests, Sha1PortableAndAcceleratedAgree)
{
    std::mt19937 rng(4);
    const Bytes in = random_bytes(rng, 64 * 9);
    hash::Words5 a{{1, 2, 3, 4, 5}}, b = a;
    hash::sha1_compress(a, in.data(), 9);
    hash::sha1_compress_portable(b, in.data(), 9);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(a.h[i], b.h[i]);
}

TEST(Digests, Mdc2PublishedVectors)
{
    // OpenSSL's MDC-2 self-test message ("Now is the time for all "), the empty
    // message (the initial chaining values), and the pangram of the MDC-2 literature.
    EXPECT_EQ(mdc2(ascii("Now is the time for all "), true), "42e50cd224baceba760bdd2bd409281a");
    EXPECT_EQ(mdc2({}, true), "52525252525252522525252525252525");
    EXPECT_EQ(mdc2(ascii("The quick brown fox jumps over the lazy dog"), true),
              "000ed54e093d61679aefbeae05bfe33a");
}

TEST(Digests, Mdc2Lengths)
{
    const Bytes msg = ascii("Now is the time for all ");
    const std::string full = mdc2(msg, true);
    EXPECT_EQ(mdc2(msg, true, 0).size(), 32u);
    EXPECT_EQ(mdc2(msg, true, 200), full);
    // L = 100: 50 bits of A then 50 bits of B in 13 bytes, the last holding 4 bits.
    const Bytes a = hex(full.substr(0, 16)), b = hex(full.substr(16));
    const std::string d100 = mdc2(msg, true, 100);
    ASSERT_EQ(d100.size(), 26u);
    const Bytes got = hex(d100);
    for (int i = 0; i < 100; ++i) {
        const int src = i < 50 ? (a[i / 8] >> (7 - i % 8)) & 1 : (b[(i - 50) / 8] >> (7 - (i - 50) % 8)) & 1;
        EXPECT_EQ((got[i / 8] >> (7 - i % 8)) & 1, src) << i;
    }
    EXPECT_EQ(got[12] & 0x0F, 0);
    // Single width is the A line alone, which differs from the double line's A
    // after the first block because the halves are exchanged; it keeps 8 bytes.
    EXPECT_EQ(mdc2(msg, false).size(), 16u);
    EXPECT_EQ(mdc2(msg, false, 12).size(), 4u);
}

TEST(DigestModules, RecordsFrameTheAlgorithms)
{
    const int held = ut_mem_held();
    struct {
        const hash_module* m;
        const char* name;
        int id;
        uint32_t bits;
        const char* abc;
    } cases[] = {
        {&hash_sha, "SHA", 9, 160, "a9993e364706816aba3e25717850c26c9cd0d89d"},
        {&hash_md5, "MD5", 7, 128, "900150983cd24fb0d6963f7d28e17f72"},
        {&hash_ripemd, "RIPEMD", 1, 128, "3f14bad4c2f9b0ea805e5485d3d6882d"},
    };
    for (const auto& c : cases) {
        EXPECT_STREQ(c.m->name, c.name);
        EXPECT_EQ(c.m->id, c.id);
        EXPECT_EQ(c.m->one, 1);
        void* ctx = c.m->new_ctx(0);
        ASSERT_NE(ctx, nullptr);
        EXPECT_EQ(c.m->size(ctx), c.bits / 8);
        EXPECT_EQ(c.m->append(reinterpret_cast<const uint8_t*>("ab"), 16, ctx), 1);
        EXPECT_EQ(c.m->append(reinterpret_cast<const uint8_t*>("c"), 8, ctx), 1);
        uint32_t bits = 0;
        uint8_t* d = c.m->finish(ctx, &bits);
        ASSERT_NE(d, nullptr);
        EXPECT_EQ(bits, c.bits);
        EXPECT_EQ(tohex(d, bits / 8), c.abc);
        ut_free(UT_HERE, d);
        c.m->kill(c.m->new_ctx(0));
    }
    const Bytes msg = ascii("Now is the time for all ");
    for (uint32_t L : {0u, 100u, 128u, 300u}) {
        void* ctx = hash_dmdc2.new_ctx(L);
        const uint32_t want = (L == 0 || L > 128) ? 16 : (L + 7) / 8;
        EXPECT_EQ(hash_dmdc2.size(ctx), want);
        hash_dmdc2.append(msg.data(), uint32_t(msg.size() * 8), ctx);
        uint32_t bits = 0;
        uint8_t* d = hash_dmdc2.finish(ctx, &bits);
        EXPECT_EQ(bits, (L == 0 || L > 128) ? 128u : L);
        if (want == 16) {
            EXPECT_EQ(tohex(d, 16), "42e50cd224baceba760bdd2bd409281a");
        }
        ut_free(UT_HERE, d);
    }
    void* s = hash_smdc2.new_ctx(0);
    EXPECT_EQ(hash_smdc2.size(s), 8u);
    hash_smdc2.kill(s);
    EXPECT_EQ(ut_mem_held(), held);
}

TEST(DigestModulesDeath, PartialBytesAreABrokenInvariant)
{
    EXPECT_EXIT(
        {
            void* ctx = hash_sha.new_ctx(0);
            hash_sha.append(reinterpret_cast<const uint8_t*>("a"), 7, ctx);
        },
        testing::ExitedWithCode(1), "nbits & 7");
}
