#include "plinth/syscrypt.h"

#include <crypt.h>
#include <string>

#include <gtest/gtest.h>

namespace {

// The system's crypt(3), or "" when it refuses.
std::string systemCrypt(const char* key, const char* salt)
{
    crypt_data data {};
    const char* hashed = crypt_r(key, salt, &data);
    if (hashed == nullptr || hashed[0] == '*')
        return {};
    return hashed;
}

TEST(SysCrypt, EqualsTheSystemCrypt)
{
    const struct {
        const char* key;
        const char* salt;
    } cases[] = {
        { "", ".." },
        { "a", "ab" },
        { "password", "ab" },
        { "password1", "ab" },
        { "passwor", "zz" },
        { "test", "./" },
        { "Test", "/." },
        { "12345678", "9Z" },
        { "ABCDEFGH", "AZ" },
        { "~!@#$%^&", "az" },
        { "longer than eight", "Q1" },
        { "longer than eigh", "Q1" },
        { " ", "00" },
        { "x", "99" },
        { "kv32", "Hu" },
        { "VEXA", "hU" },
        { "trader", "m3" },
        { "\x7f\x7e", "Kk" },
        { "pass word", "p." },
        { "zzzzzzzz", "//" },
        { "A", ".A" },
        { "0", "z/" },
    };
    for (const auto& c : cases) {
        const std::string expected = systemCrypt(c.key, c.salt);
        ASSERT_EQ(expected.size(), 13u) << "the system refuses " << c.salt;
        const char* mine = SysCrypt(c.key, c.salt);
        ASSERT_NE(mine, nullptr) << c.key;
        EXPECT_EQ(std::string(mine), expected) << c.key << " / " << c.salt;
    }
}

TEST(SysCrypt, OnlyEightCharactersAndTheirLowSevenBitsCount)
{
    const std::string eight = SysCrypt("abcdefgh", "xy");
    EXPECT_EQ(std::string(SysCrypt("abcdefghijk", "xy")), eight);
    EXPECT_EQ(std::string(SysCrypt("abcdefg\xe8", "xy")), eight); // 'h' | 0x80
}

TEST(SysCrypt, SaltsTheSystemRefuses)
{
    // A salt of one character: the system refuses it; here it counts twice, and the
    // result shows both.
    EXPECT_EQ(systemCrypt("secret", "a"), "");
    EXPECT_EQ(std::string(SysCrypt("secret", "a")), systemCrypt("secret", "aa"));
    EXPECT_EQ(std::string(SysCrypt("secret", "a")).substr(0, 2), "aa");
    // Only the first two salt characters are read.
    EXPECT_EQ(std::string(SysCrypt("secret", "abHASH")), systemCrypt("secret", "ab"));
    // Characters outside the alphabet and an empty salt give no hash at all.
    for (const char* salt : { "", "!a", "a!", " a", "a\n", "\xc3\xa1" }) {
        EXPECT_EQ(SysCrypt("secret", salt), nullptr) << '"' << salt << '"';
        EXPECT_EQ(systemCrypt("secret", salt), "") << '"' << salt << '"';
    }
    EXPECT_EQ(SysCrypt(nullptr, "ab"), nullptr);
    EXPECT_EQ(SysCrypt("x", nullptr), nullptr);
}

} // namespace
