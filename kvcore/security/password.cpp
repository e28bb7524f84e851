#include "kvcore/security/password.h"

#include "kvcore/res/ids.h"
#include "kvcore/security/sha256.h"
#include "kvcore/values/field_writer.h"

std::string PasswordDigest(std::string_view password, std::string_view user)
{
    KvFieldWriter input;
    input.Raw("QDRX4").TextCut(user, 12);
    if (password.size() > 64) {
        input.Raw(password);
    } else {
        input.Text(password, 64);
    }
    const KvSha256::Digest digest = KvSha256::Hash(input.Str());
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string hex;
    hex.reserve(64);
    for (const uint8_t b : digest) {
        hex += kHex[b >> 4];
        hex += kHex[b & 0x0F];
    }
    return hex;
}

bool IsValidPassword(std::string_view password)
{
    if (password.size() < 8)
        return false;
    bool upper = false, lower = false, digit = false, other = false;
    for (const char c : password) {
        if (c >= 'A' && c <= 'Z') {
            upper = true;
        } else if (c >= 'a' && c <= 'z') {
            lower = true;
        } else if (c >= '0' && c <= '9') {
            digit = true;
        } else {
            other = true;
        }
    }
    return upper + lower + digit + other >= 3;
}

bool IsDifferent(std::string_view newText, std::string_view previous)
{
    if (newText.size() >= previous.size() + 2)
        return true;
    const size_t common = newText.size() < previous.size() ? newText.size() : previous.size();
    int differing = 0;
    for (size_t i = 0; i < common; ++i)
        differing += newText[i] != previous[i];
    return differing >= 2;
}

unsigned PasswordRuleBreach(std::string_view newText, std::string_view previous, bool userGiven)
{
    if (!userGiven && newText.size() >= 8 && !IsDifferent(newText, previous))
        return IDS_PASSWORD_TOO_SIMILAR;
    if (!IsValidPassword(newText))
        return IDS_PASSWORD_RULES;
    return 0;
}
