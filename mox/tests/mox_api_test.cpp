// The MOX interface: result codes and their lines, the key object's stored
// form, the DES composition the link encryption relies on, RSA round trips,
// and calls from several threads at once.

#include "bsapi/des_core.h"
#include "mox/mox.h"
#include "session_util.h"

#include <openssl/des.h>

#include <cstdlib>
#include <filesystem>
#include <thread>
#include <sys/wait.h>
#include <unistd.h>

using namespace moxtest;

namespace {

uint32_t u32_at(const MOXKEY& k, size_t off)
{
    uint32_t v;
    std::memcpy(&v, k.raw + off, 4);
    return v;
}

Bytes ossl_ecb(const Bytes& k, const Bytes& in, int enc)
{
    DES_cblock cb;
    std::memcpy(cb, k.data(), 8);
    DES_key_schedule ks;
    DES_set_key_unchecked(&cb, &ks);
    Bytes out(in.size());
    for (size_t i = 0; i < in.size(); i += 8) {
        DES_cblock a, b;
        std::memcpy(a, in.data() + i, 8);
        DES_ecb_encrypt(&a, &b, &ks, enc);
        std::memcpy(out.data() + i, b, 8);
    }
    return out;
}

// Each test runs in a folder of its own: MOXCleanup may write its report of
// blocks still held into the current folder.
class MoxApi : public ::testing::Test {
protected:
    void SetUp() override
    {
        char tmpl[] = "/tmp/moxapi_XXXXXX";
        ASSERT_NE(mkdtemp(tmpl), nullptr);
        dir_ = tmpl;
        old_ = std::filesystem::current_path();
        std::filesystem::current_path(dir_);
        ASSERT_EQ(MOXInit(), 0);
        held_ = ut_mem_held();
    }
    void TearDown() override
    {
        EXPECT_EQ(ut_mem_held(), held_) << "toolkit blocks leaked";
        EXPECT_EQ(MOXCleanup(), 0);
        std::filesystem::current_path(old_);
        std::filesystem::remove_all(dir_);
    }
    std::string dir_;
    std::filesystem::path old_;
    int held_ = 0;
    std::mt19937 rng{31};
};

} // namespace

TEST(MoxApiLifecycle, ClassIsCheckedBeforeInitialisation)
{
    uint8_t out[16];
    uint32_t len = 0;
    MOXKEY key{};
    testing::internal::CaptureStderr();
    EXPECT_EQ(MOXCrypt(2, 0, &key, out, 8, out, 16, &len), MOX_ERR_CLASS);
    EXPECT_EQ(MOXCrypt(0, 0, &key, out, 8, out, 16, &len), MOX_ERR_NOT_INITIALISED);
    EXPECT_EQ(MOXRSAEncrypt(&key, out, 8, out, 16, &len), MOX_ERR_NOT_INITIALISED);
    uint8_t k[8];
    EXPECT_EQ(MOXKeyGenerateDES(k), MOX_ERR_DESKEYGEN);
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find("MOXCrypt: Invalid algorithm\n"), std::string::npos);
    EXPECT_NE(err.find("MOXCrypt: MOXInitialise has not been called\n"), std::string::npos);
    EXPECT_NE(err.find("MOXKeyGenerateDES: bsapi_generate_key_des failed\n"), std::string::npos);
}

TEST_F(MoxApi, DesKeyObjectLayout)
{
    const Bytes k1 = hex("0123456789abcdef"), k2 = hex("fedcba9876543210");
    MOXKEY key;
    std::memset(&key, 0xEE, sizeof key);
    ASSERT_EQ(MOXKeyInitDES(k1.data(), k2.data(), &key), 0);
    EXPECT_EQ(u32_at(key, 0), 0u);
    EXPECT_EQ(u32_at(key, 4), 64u);
    EXPECT_EQ(u32_at(key, 8), 0u);
    EXPECT_EQ(u32_at(key, 20), 4u);
    EXPECT_EQ(Bytes(key.raw + 48, key.raw + 56), k1);
    EXPECT_EQ(Bytes(key.raw + 56, key.raw + 64), k2);
    const uint32_t list[9] = {48, 8, 8, 56, 8, 8, 48, 8, 8};
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(u32_at(key, 64 + 4 * i), list[i]) << i;
    EXPECT_EQ(MOXKeyCleanup(&key), 0);
}

TEST_F(MoxApi, DesIsEncryptDecryptDecryptWithPkcs5)
{
    const Bytes k1 = random_bytes(rng, 8), k2 = random_bytes(rng, 8);
    MOXKEY key;
    ASSERT_EQ(MOXKeyInitDES(k1.data(), k2.data(), &key), 0);
    // A copy at another address (as another process maps the shared slot) works the same.
    auto moved = std::make_unique<MOXKEY>(key);
    for (size_t len : {0, 1, 8, 13, 100}) {
        const Bytes data = random_bytes(rng, len);
        Bytes out(len + 8);
        uint32_t n = 0;
        ASSERT_EQ(MOXEncrypt(moved.get(), data.data(), uint32_t(len), out.data(), uint32_t(out.size()), &n), 0);
        ASSERT_EQ(n, (len / 8 + 1) * 8);
        out.resize(n);
        Bytes padded = data;
        padded.resize(n, uint8_t(n - len));
        EXPECT_EQ(out, ossl_ecb(k1, ossl_ecb(k2, ossl_ecb(k1, padded, DES_ENCRYPT), DES_DECRYPT), DES_DECRYPT));
        Bytes back(n);
        uint32_t m = 0;
        ASSERT_EQ(MOXDecrypt(&key, out.data(), n, back.data(), n, &m), 0);
        back.resize(m);
        EXPECT_EQ(back, data);
    }
}

TEST_F(MoxApi, OutputThatDoesNotFitAndBadCiphertext)
{
    const Bytes k1 = random_bytes(rng, 8), k2 = random_bytes(rng, 8), data = random_bytes(rng, 8);
    MOXKEY key;
    MOXKeyInitDES(k1.data(), k2.data(), &key);
    Bytes out(16);
    uint32_t n = 99;
    EXPECT_EQ(MOXEncrypt(&key, data.data(), 8, out.data(), 8, &n), MOX_ERR_OUTPUT_SIZE);
    EXPECT_EQ(n, 99u);
    ASSERT_EQ(MOXEncrypt(&key, data.data(), 8, out.data(), 16, &n), 0);
    EXPECT_EQ(n, 16u);

    // Plaintext blocks ending in 9 (corrupt) and in 0 (kept whole).
    auto encrypt_raw = [&](Bytes plain) {
        return ossl_ecb(k1, ossl_ecb(k2, ossl_ecb(k1, plain, DES_ENCRYPT), DES_DECRYPT), DES_DECRYPT);
    };
    Bytes nine = random_bytes(rng, 8), zero = random_bytes(rng, 8);
    nine[7] = 9;
    zero[7] = 0;
    Bytes back(8);
    testing::internal::CaptureStderr();
    Bytes c9 = encrypt_raw(nine);
    EXPECT_EQ(MOXDecrypt(&key, c9.data(), 8, back.data(), 8, &n), MOX_ERR_FINISH);
    EXPECT_EQ(MOXDecrypt(&key, c9.data(), 7, back.data(), 8, &n), MOX_ERR_FINISH);
    EXPECT_NE(testing::internal::GetCapturedStderr().find("MOXCrypt: internal failure in bsapi_finish_\n"),
              std::string::npos);
    Bytes c0 = encrypt_raw(zero);
    ASSERT_EQ(MOXDecrypt(&key, c0.data(), 8, back.data(), 8, &n), 0);
    EXPECT_EQ(n, 8u);
    EXPECT_EQ(back, zero);
}

TEST_F(MoxApi, GeneratedDesKeysHaveOddParityAndAreNeverWeak)
{
    for (int i = 0; i < 100; ++i) {
        uint8_t k[8];
        ASSERT_EQ(MOXKeyGenerateDES(k), 0);
        for (uint8_t b : k)
            EXPECT_EQ(__builtin_popcount(b) % 2, 1);
        mox::des::Schedule s;
        mox::des::make_schedule(k, false, s);
        EXPECT_GT(mox::des::distinct_round_keys(s), 8);
    }
}

// Key material comes from the operating system on every draw: a process forked
// after MOXInit (as a server forks per connection) draws other keys than its
// parent, in the same second. A generator kept in process memory would repeat.
TEST_F(MoxApi, ForkedProcessesDrawDifferentKeys)
{
    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        uint8_t k[8] = {};
        const int rc = MOXKeyGenerateDES(k);
        const bool sent = write(fds[1], k, sizeof k) == static_cast<ssize_t>(sizeof k);
        _exit(rc == 0 && sent ? 0 : 1);
    }
    close(fds[1]);
    uint8_t mine[8], theirs[8] = {};
    ASSERT_EQ(MOXKeyGenerateDES(mine), 0);
    ASSERT_EQ(read(fds[0], theirs, sizeof theirs), static_cast<ssize_t>(sizeof theirs));
    close(fds[0]);
    int status = -1;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_NE(std::memcmp(mine, theirs, sizeof mine), 0);
}

TEST_F(MoxApi, RsaKeyExchangeRoundTrip)
{
    MOXKEY pub, priv, peer;
    ASSERT_EQ(MOXKeyGenerateRSA(&pub, &priv), 0);
    EXPECT_EQ(u32_at(pub, 20), 2u);
    uint8_t* buf = nullptr;
    uint32_t blen = 0;
    ASSERT_EQ(MOXRSAKeyToBuffer(&pub, &buf, &blen), 0);
    ASSERT_EQ(blen, 76u);
    EXPECT_EQ(tohex(buf, 5), "044a304802");
    ASSERT_EQ(MOXKeyInitRSABuffer(buf, blen, &peer), 0);
    ASSERT_EQ(MOXDisposeMem(buf), 0);

    const Bytes keys = random_bytes(rng, 16);
    Bytes ct(1024), pt(16);
    uint32_t n = 0, m = 0;
    ASSERT_EQ(MOXRSAEncrypt(&peer, keys.data(), 16, ct.data(), uint32_t(ct.size()), &n), 0);
    EXPECT_EQ(n, 64u);
    ASSERT_EQ(MOXRSADecrypt(&priv, ct.data(), n, pt.data(), 16, &m), 0);
    EXPECT_EQ(m, 16u);
    EXPECT_EQ(pt, keys);
    EXPECT_EQ(MOXKeyCleanup(&peer), 0);
    EXPECT_EQ(MOXKeyCleanup(&pub), 0);
    EXPECT_EQ(MOXKeyCleanup(&priv), 0);
    // A released object no longer names a key.
    testing::internal::CaptureStderr();
    EXPECT_EQ(MOXRSADecrypt(&priv, ct.data(), n, pt.data(), 16, &m), MOX_ERR_START);
    testing::internal::GetCapturedStderr();
}

TEST_F(MoxApi, RsaBuffersThatAreNotUsableKeys)
{
    MOXKEY key;
    testing::internal::CaptureStderr();
    const Bytes seq = hex("3006020103020103");
    EXPECT_EQ(MOXKeyInitRSABuffer(seq.data(), seq.size(), &key), MOX_ERR_NOT_OCTETSTRING);
    const Bytes truncated = hex("044a3048");
    EXPECT_EQ(MOXKeyInitRSABuffer(truncated.data(), truncated.size(), &key), MOX_ERR_NOT_OCTETSTRING);
    // A well-formed wrapping of a key far too small to use: refused when used.
    const Bytes tiny = hex("0408 3006 020121 020103");
    ASSERT_EQ(MOXKeyInitRSABuffer(tiny.data(), tiny.size(), &key), 0);
    uint8_t out[1024];
    uint32_t n = 0;
    EXPECT_EQ(MOXRSAEncrypt(&key, out, 16, out, sizeof out, &n), MOX_ERR_START);
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find("MOXKeyInitRSABuffer: ut_beroctetstring2mblk failed\n"), std::string::npos);
    EXPECT_NE(err.find("MOXCrypt: internal failure in bsapi_start_\n"), std::string::npos);
    MOXKeyCleanup(&key);
}

TEST_F(MoxApi, CallsFromSeveralThreads)
{
    const Bytes k1 = random_bytes(rng, 8), k2 = random_bytes(rng, 8);
    MOXKEY key;
    MOXKeyInitDES(k1.data(), k2.data(), &key);
    std::atomic<int> bad{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&, t] {
            std::mt19937 r(t);
            for (int i = 0; i < 200; ++i) {
                const Bytes data = random_bytes(r, r() % 100);
                Bytes ct(data.size() + 8), back(data.size() + 8);
                uint32_t n = 0, m = 0;
                if (MOXEncrypt(&key, data.data(), uint32_t(data.size()), ct.data(), uint32_t(ct.size()), &n) != 0 ||
                    MOXDecrypt(&key, ct.data(), n, back.data(), uint32_t(back.size()), &m) != 0 || m != data.size() ||
                    !std::equal(data.begin(), data.end(), back.begin()))
                    ++bad;
                uint8_t k[8];
                if (i % 20 == 0 && MOXKeyGenerateDES(k) != 0)
                    ++bad;
            }
        });
    }
    for (auto& th : threads)
        th.join();
    EXPECT_EQ(bad.load(), 0);
}

TEST(MoxApiReport, BlocksHeldAtCleanupAreReported)
{
    char tmpl[] = "/tmp/moxrep_XXXXXX";
    ASSERT_NE(mkdtemp(tmpl), nullptr);
    const auto old = std::filesystem::current_path();
    std::filesystem::current_path(tmpl);
    ASSERT_EQ(MOXInit(), 0);
    MOXKEY pub, priv;
    ASSERT_EQ(MOXKeyGenerateRSA(&pub, &priv), 0);
    uint8_t* buf = nullptr;
    uint32_t len = 0;
    ASSERT_EQ(MOXRSAKeyToBuffer(&pub, &buf, &len), 0);
    // The key objects are released by the cleanup; the buffer is not.
    testing::internal::CaptureStderr();
    EXPECT_EQ(MOXCleanup(), 0);
    EXPECT_NE(testing::internal::GetCapturedStderr().find("memory still allocated on shutdown"), std::string::npos);
    EXPECT_TRUE(std::filesystem::exists("vorl bsapi.unf"));
    ut_free(UT_HERE, buf);
    std::filesystem::current_path(old);
    std::filesystem::remove_all(tmpl);
}
