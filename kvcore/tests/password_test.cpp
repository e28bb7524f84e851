#include <gtest/gtest.h>

#include <string>

#include "fw/core/codepage.h"
#include "kvcore/security/password.h"
#include "kvcore/security/sha256.h"

namespace {

std::string Hex(const KvSha256::Digest& d)
{
    static const char* kHex = "0123456789abcdef";
    std::string s;
    for (const uint8_t b : d) {
        s += kHex[b >> 4];
        s += kHex[b & 15];
    }
    return s;
}

TEST(Sha256, Fips180Vectors)
{
    struct Case {
        std::string input;
        const char* digest;
    } const cases[] = {
        { "abc", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad" },
        { "", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855" },
        { "abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
            "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1" },
        { "abcdefghbcdefghicdefghijdefghijkefghijklfghijklmghijklmnhijklmnoijklmnopjklmnopqklmnopqrlmnopqrsmn"
          "opqrst"
          "nopqrstu",
            "cf5b16a778af8380036ce59e7b0492370b249b11e8f07a51afac45037afee9d1" },
        { std::string(1000000, 'a'), "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0" },
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Hex(KvSha256::Hash(c.input)), c.digest) << c.input.size();
    }
    // Block boundaries: feeding byte by byte gives the one-shot digest.
    for (size_t n : { 55u, 56u, 63u, 64u, 65u, 119u, 120u }) {
        const std::string input(n, 'q');
        KvSha256 h;
        for (const char ch : input)
            h.Update(&ch, 1);
        EXPECT_EQ(h.Final(), KvSha256::Hash(input)) << n;
    }
}

TEST(PasswordDigestTest, MatchesThePaddedDigestOfWindows1250Bytes)
{
    // Expected: printf 'QDRX4%-12s%-64s' user pass | sha256sum, upper-cased, over
    // the Windows-1250 bytes (user cut to 12).
    struct Case {
        const char* user; // UTF-8
        const char* password; // UTF-8
        const char* digest;
    } const cases[] = {
        { "trader01", "Secret#123", "28921627D8652E1383C88396EA7B23036D4E348F24E0C684BD181A05EB9EAB0A" },
        { "ANNA", "pw", "2DE2EEA8BF6AFCCC8A51074830876723EA2D3503452B4A6D6EBABD817E2FBFC3" },
        { "averyveryverylonguser", "Passw0rd!",
            "5D852819F1F1FE876842284A46CAF5DED2C793A094268575A937B465B6E567DB" },
        { "", "", "582ED8013C64633E8D569A7D911DFBC757925CE1D9E30E6C64A13122C50F9AA8" },
        { "kovacs", "ÁrvíztűrőTükörfúrógép1",
            "08D4ECA9B71B9BD3BFB23CE5B9C99CF064720C012773A75AE97A7776648B5313" },
        { "józsef", "Őszibarack9!", "E8E45F93C0AC0DD4119E63D01D2C2CD9F669F73CB76DABCDD8D81B6EA6661983" },
        { "u", "xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx",
            "45233D0CDD0883C3707FFA551CD92E939E1AC08FAD4F12D7C0C6BD967FBBDB7A" },
    };
    for (const auto& c : cases) {
        const auto user = fw::utf8ToCp1250(c.user);
        const auto password = fw::utf8ToCp1250(c.password);
        ASSERT_TRUE(user.ok() && password.ok()) << c.user;
        EXPECT_EQ(PasswordDigest(password.text, user.text), c.digest) << c.user;
    }
    EXPECT_EQ(PasswordDigest("pw", "averyveryverylonguser"), PasswordDigest("pw", "averyveryver"));
}

TEST(PasswordRules, ValidPasswordsNeedLengthAndThreeKinds)
{
    struct Case {
        const char* password;
        bool valid;
    } const cases[] = {
        { "aB3$xyz", false }, // all four kinds, but 7 characters
        { "abcDEF12", true },
        { "abcdefgh", false },
        { "abcd1234", false },
        { "abcd123!", true },
        { "ABCD!!!!1", true },
        { "", false },
        { "\xe1rv\xedz12", false },
        { "\xc1rv\xedzT12", true },
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsValidPassword(c.password), c.valid) << c.password;
}

TEST(PasswordRules, NewPasswordMustDifferInTwoPlaces)
{
    struct Case {
        const char* next;
        const char* previous;
        bool different;
    } const cases[] = {
        { "abcdefgX", "abcdefgh", false },
        { "abcdefXY", "abcdefgh", true },
        { "abcdefghij", "abcdefgh", true },
        { "abcdefghi", "abcdefgh", false },
        { "abcXefg", "abcdefgh", false },
        { "aXcYef", "abcdefgh", true },
        { "abcdefgh", "abcdefgh", false },
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsDifferent(c.next, c.previous), c.different) << c.next;
}

TEST(PasswordRules, BreachNamesTheMessage)
{
    struct Case {
        const char* next;
        const char* previous;
        bool userGiven;
        unsigned breach;
    } const cases[] = {
        { "abcdefgX", "abcdefgh", false, 30118 },
        { "abcdefgX", "abcdefgh", true, 30117 }, // no similarity check for a given user
        { "Abcdef1X", "Abcdef1Y", true, 0 },
        { "Abcdef1X", "Abcdef1Y", false, 30118 },
        { "Ab1", "", false, 30117 },
        { "Secret#2126", "Secret#2025x", false, 0 },
    };
    for (const auto& c : cases)
        EXPECT_EQ(PasswordRuleBreach(c.next, c.previous, c.userGiven), c.breach) << c.next;
}

} // namespace
