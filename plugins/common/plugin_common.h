#pragma once
// Small helpers shared by the router plug-ins: 32-bit codecs for blocks and
// plug-in messages, and the reading of a "shmkey" value. Header-only, so a
// plug-in that links nothing else can still use it.
#include <cctype>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace plugins {

inline uint32_t getBE32(const uint8_t* p)
{
    return (uint32_t { p[0] } << 24) | (uint32_t { p[1] } << 16) | (uint32_t { p[2] } << 8)
        | uint32_t { p[3] };
}
inline void putBE32(uint8_t* p, uint32_t v)
{
    p[0] = static_cast<uint8_t>(v >> 24);
    p[1] = static_cast<uint8_t>(v >> 16);
    p[2] = static_cast<uint8_t>(v >> 8);
    p[3] = static_cast<uint8_t>(v);
}
// Words of shared blocks are in the machine's order; the blocks are mapped at
// any alignment the creator chose, so they are copied rather than cast.
inline int32_t getWord(const uint8_t* p)
{
    int32_t v;
    std::memcpy(&v, p, sizeof v);
    return v;
}
inline void putWord(uint8_t* p, int32_t v)
{
    std::memcpy(p, &v, sizeof v);
}

enum class ShmkeyResult { Ok, Empty, Invalid };

// A "shmkey" value: a leading letter gives the first (up to four) characters
// as the key's bytes, the first in the lowest byte; "0x" starts a hexadecimal
// number; anything else is a decimal number. Numbers must fit 32 bits and be
// followed by nothing but blanks, so that a typing error is reported rather
// than turned into some other key.
inline ShmkeyResult ParseShmkey(const char* text, int* key)
{
    if (text == nullptr || key == nullptr)
        return ShmkeyResult::Invalid;
    while (*text == ' ' || *text == '\t')
        ++text;
    if (*text == '\0')
        return ShmkeyResult::Empty;
    if (std::isalpha(static_cast<unsigned char>(*text))) {
        uint32_t v = 0;
        for (int i = 0; i < 4 && text[i] != '\0'; ++i) {
            v |= uint32_t { static_cast<unsigned char>(text[i]) } << (8 * i);
        }
        *key = static_cast<int32_t>(v);
        return ShmkeyResult::Ok;
    }
    const bool hex = text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
    const char* digits = hex ? text + 2 : text;
    const char* first = hex || (*digits != '-' && *digits != '+') ? digits : digits + 1;
    if (!(hex ? std::isxdigit(static_cast<unsigned char>(*first))
              : std::isdigit(static_cast<unsigned char>(*first)))) {
        return ShmkeyResult::Invalid;
    }
    errno = 0;
    char* end = nullptr;
    long long v
        = hex ? static_cast<long long>(std::strtoull(digits, &end, 16)) : std::strtoll(digits, &end, 10);
    if (errno != 0 || end == digits)
        return ShmkeyResult::Invalid;
    while (*end == ' ' || *end == '\t')
        ++end;
    if (*end != '\0')
        return ShmkeyResult::Invalid;
    if (hex ? (v < 0 || v > 0xFFFFFFFFLL) : (v < INT32_MIN || v > INT32_MAX))
        return ShmkeyResult::Invalid;
    *key = static_cast<int32_t>(static_cast<uint32_t>(v));
    return ShmkeyResult::Ok;
}

} // namespace plugins
