// pimox's readers of foreign text and bytes: "shmkey" values and the public
// key of message 513.
#include <gtest/gtest.h>

#include "berkey.h"
#include "plugin_common.h"

namespace {

TEST(Shmkey, DecimalHexadecimalAndLetters)
{
    const struct {
        const char* text;
        plugins::ShmkeyResult result;
        uint32_t key;
    } cases[] = {
        { "1234", plugins::ShmkeyResult::Ok, 1234 },
        { "0x4d2", plugins::ShmkeyResult::Ok, 1234 },
        { "0X4D2", plugins::ShmkeyResult::Ok, 1234 },
        { "abcdef", plugins::ShmkeyResult::Ok, 0x64636261 },
        { "ab", plugins::ShmkeyResult::Ok, 0x00006261 },
        { "-5", plugins::ShmkeyResult::Ok, static_cast<uint32_t>(-5) },
        { "0xffffffff", plugins::ShmkeyResult::Ok, 0xFFFFFFFF },
        { "", plugins::ShmkeyResult::Empty, 0 },
        { "  ", plugins::ShmkeyResult::Empty, 0 },
        { "12ab", plugins::ShmkeyResult::Invalid, 0 },
        { "0x", plugins::ShmkeyResult::Invalid, 0 },
        { "0x-5", plugins::ShmkeyResult::Invalid, 0 },
        { "0x100000000", plugins::ShmkeyResult::Invalid, 0 },
        { "99999999999", plugins::ShmkeyResult::Invalid, 0 },
        { "!", plugins::ShmkeyResult::Invalid, 0 },
    };
    for (const auto& c : cases) {
        int key = 0;
        EXPECT_EQ(plugins::ParseShmkey(c.text, &key), c.result) << c.text;
        if (c.result == plugins::ShmkeyResult::Ok) {
            EXPECT_EQ(static_cast<uint32_t>(key), c.key) << c.text;
        }
    }
}

// OCTET STRING { SEQUENCE { INTEGER n, INTEGER e } } with n of `bits` bits.
std::vector<uint8_t> Key(int bits, std::vector<uint8_t> e, bool oddModulus = true)
{
    std::vector<uint8_t> n(static_cast<std::size_t>(bits / 8), 0x5A);
    n[0] = 0x80;
    n.back() = oddModulus ? 0x01 : 0x02;
    n.insert(n.begin(), 0); // keeps it positive
    auto tlv = [](uint8_t tag, const std::vector<uint8_t>& content) {
        std::vector<uint8_t> out { tag };
        const std::size_t len = content.size();
        if (len < 0x80) {
            out.push_back(static_cast<uint8_t>(len));
        } else if (len < 0x100) {
            out.insert(out.end(), { 0x81, static_cast<uint8_t>(len) });
        } else {
            out.insert(out.end(), { 0x82, static_cast<uint8_t>(len >> 8), static_cast<uint8_t>(len) });
        }
        out.insert(out.end(), content.begin(), content.end());
        return out;
    };
    std::vector<uint8_t> seq = tlv(0x02, n);
    const std::vector<uint8_t> ei = tlv(0x02, e);
    seq.insert(seq.end(), ei.begin(), ei.end());
    return tlv(0x04, tlv(0x30, seq));
}

TEST(PublicKeyCheck, AcceptsSaneKeysOnly)
{
    std::vector<uint8_t> good = Key(512, { 0x01, 0x00, 0x01 });
    std::vector<uint8_t> trailing = good;
    trailing.push_back(0);
    std::vector<uint8_t> truncated(good.begin(), good.end() - 1);
    std::vector<uint8_t> wrongTag = good;
    wrongTag[0] = 0x03;
    std::vector<uint8_t> hugeLength = { 0x04, 0x84, 0x7F, 0xFF, 0xFF, 0xFF, 0x30, 0x00 };
    const struct {
        const char* name;
        std::vector<uint8_t> body;
        bool ok;
    } cases[] = {
        { "512 bits, 65537", good, true },
        { "4096 bits, 3", Key(4096, { 0x03 }), true },
        { "256 bits", Key(256, { 0x01, 0x00, 0x01 }), false },
        { "4104 bits", Key(4104, { 0x01, 0x00, 0x01 }), false },
        { "e = 1", Key(512, { 0x01 }), false },
        { "even e", Key(512, { 0x01, 0x00, 0x00 }), false },
        { "negative e", Key(512, { 0x81 }), false },
        { "even modulus", Key(512, { 0x03 }, false), false },
        { "trailing byte", trailing, false },
        { "truncated", truncated, false },
        { "wrong tag", wrongTag, false },
        { "length beyond the message", hugeLength, false },
        { "empty", {}, false },
    };
    for (const auto& c : cases) {
        std::string why;
        EXPECT_EQ(pimox::CheckPublicKey(c.body.data(), c.body.size(), &why), c.ok) << c.name << ": " << why;
    }
}

} // namespace
