// The traditional crypt(3) hash: 25 DES encryptions of a zero block under the
// password as key, with the expansion table perturbed by the 12-bit salt. Written
// over arrays of single bits, the way the algorithm is defined; speed is no concern.
#include "plinth/syscrypt.h"

#include <array>
#include <cstdint>

namespace {

using Bits64 = std::array<uint8_t, 64>;

// clang-format off
constexpr uint8_t kInitialPermutation[64] = {
    58, 50, 42, 34, 26, 18, 10,  2, 60, 52, 44, 36, 28, 20, 12,  4,
    62, 54, 46, 38, 30, 22, 14,  6, 64, 56, 48, 40, 32, 24, 16,  8,
    57, 49, 41, 33, 25, 17,  9,  1, 59, 51, 43, 35, 27, 19, 11,  3,
    61, 53, 45, 37, 29, 21, 13,  5, 63, 55, 47, 39, 31, 23, 15,  7};

constexpr uint8_t kFinalPermutation[64] = {
    40,  8, 48, 16, 56, 24, 64, 32, 39,  7, 47, 15, 55, 23, 63, 31,
    38,  6, 46, 14, 54, 22, 62, 30, 37,  5, 45, 13, 53, 21, 61, 29,
    36,  4, 44, 12, 52, 20, 60, 28, 35,  3, 43, 11, 51, 19, 59, 27,
    34,  2, 42, 10, 50, 18, 58, 26, 33,  1, 41,  9, 49, 17, 57, 25};

constexpr uint8_t kKeyChoice1C[28] = {
    57, 49, 41, 33, 25, 17,  9,  1, 58, 50, 42, 34, 26, 18, 10,  2,
    59, 51, 43, 35, 27, 19, 11,  3, 60, 52, 44, 36};

constexpr uint8_t kKeyChoice1D[28] = {
    63, 55, 47, 39, 31, 23, 15,  7, 62, 54, 46, 38, 30, 22, 14,  6,
    61, 53, 45, 37, 29, 21, 13,  5, 28, 20, 12,  4};

constexpr uint8_t kKeyShifts[16] = { 1,  1,  2,  2,  2,  2,  2,  2,  1,  2,  2,  2,  2,  2,  2,  1};

constexpr uint8_t kKeyChoice2C[24] = {
    14, 17, 11, 24,  1,  5,  3, 28, 15,  6, 21, 10, 23, 19, 12,  4,
    26,  8, 16,  7, 27, 20, 13,  2};

constexpr uint8_t kKeyChoice2D[24] = {
    41, 52, 31, 37, 47, 55, 30, 40, 51, 45, 33, 48, 44, 49, 39, 56,
    34, 53, 46, 42, 50, 36, 29, 32};

constexpr uint8_t kExpansion[48] = {
    32,  1,  2,  3,  4,  5,  4,  5,  6,  7,  8,  9,  8,  9, 10, 11,
    12, 13, 12, 13, 14, 15, 16, 17, 16, 17, 18, 19, 20, 21, 20, 21,
    22, 23, 24, 25, 24, 25, 26, 27, 28, 29, 28, 29, 30, 31, 32,  1};

constexpr uint8_t kSBoxes[8][64] = {
    {14,  4, 13,  1,  2, 15, 11,  8,  3, 10,  6, 12,  5,  9,  0,  7,
      0, 15,  7,  4, 14,  2, 13,  1, 10,  6, 12, 11,  9,  5,  3,  8,
      4,  1, 14,  8, 13,  6,  2, 11, 15, 12,  9,  7,  3, 10,  5,  0,
     15, 12,  8,  2,  4,  9,  1,  7,  5, 11,  3, 14, 10,  0,  6, 13},
    {15,  1,  8, 14,  6, 11,  3,  4,  9,  7,  2, 13, 12,  0,  5, 10,
      3, 13,  4,  7, 15,  2,  8, 14, 12,  0,  1, 10,  6,  9, 11,  5,
      0, 14,  7, 11, 10,  4, 13,  1,  5,  8, 12,  6,  9,  3,  2, 15,
     13,  8, 10,  1,  3, 15,  4,  2, 11,  6,  7, 12,  0,  5, 14,  9},
    {10,  0,  9, 14,  6,  3, 15,  5,  1, 13, 12,  7, 11,  4,  2,  8,
     13,  7,  0,  9,  3,  4,  6, 10,  2,  8,  5, 14, 12, 11, 15,  1,
     13,  6,  4,  9,  8, 15,  3,  0, 11,  1,  2, 12,  5, 10, 14,  7,
      1, 10, 13,  0,  6,  9,  8,  7,  4, 15, 14,  3, 11,  5,  2, 12},
    { 7, 13, 14,  3,  0,  6,  9, 10,  1,  2,  8,  5, 11, 12,  4, 15,
     13,  8, 11,  5,  6, 15,  0,  3,  4,  7,  2, 12,  1, 10, 14,  9,
     10,  6,  9,  0, 12, 11,  7, 13, 15,  1,  3, 14,  5,  2,  8,  4,
      3, 15,  0,  6, 10,  1, 13,  8,  9,  4,  5, 11, 12,  7,  2, 14},
    { 2, 12,  4,  1,  7, 10, 11,  6,  8,  5,  3, 15, 13,  0, 14,  9,
     14, 11,  2, 12,  4,  7, 13,  1,  5,  0, 15, 10,  3,  9,  8,  6,
      4,  2,  1, 11, 10, 13,  7,  8, 15,  9, 12,  5,  6,  3,  0, 14,
     11,  8, 12,  7,  1, 14,  2, 13,  6, 15,  0,  9, 10,  4,  5,  3},
    {12,  1, 10, 15,  9,  2,  6,  8,  0, 13,  3,  4, 14,  7,  5, 11,
     10, 15,  4,  2,  7, 12,  9,  5,  6,  1, 13, 14,  0, 11,  3,  8,
      9, 14, 15,  5,  2,  8, 12,  3,  7,  0,  4, 10,  1, 13, 11,  6,
      4,  3,  2, 12,  9,  5, 15, 10, 11, 14,  1,  7,  6,  0,  8, 13},
    { 4, 11,  2, 14, 15,  0,  8, 13,  3, 12,  9,  7,  5, 10,  6,  1,
     13,  0, 11,  7,  4,  9,  1, 10, 14,  3,  5, 12,  2, 15,  8,  6,
      1,  4, 11, 13, 12,  3,  7, 14, 10, 15,  6,  8,  0,  5,  9,  2,
      6, 11, 13,  8,  1,  4, 10,  7,  9,  5,  0, 15, 14,  2,  3, 12},
    {13,  2,  8,  4,  6, 15, 11,  1, 10,  9,  3, 14,  5,  0, 12,  7,
      1, 15, 13,  8, 10,  3,  7,  4, 12,  5,  6, 11,  0, 14,  9,  2,
      7, 11,  4,  1,  9, 12, 14,  2,  0,  6, 10, 13, 15,  3,  5,  8,
      2,  1, 14,  7,  4, 10,  8, 13, 15, 12,  9,  0,  3,  5,  6, 11},
};

constexpr uint8_t kPermutation[32] = {
    16,  7, 20, 21, 29, 12, 28, 17,  1, 15, 23, 26,  5, 18, 31, 10,
     2,  8, 24, 14, 32, 27,  3,  9, 19, 13, 30,  6, 22, 11,  4, 25};

// clang-format on

// 0..63 for a character of the salt and hash alphabet, -1 for any other.
int alphabetValue(char c)
{
    if (c == '.' || c == '/')
        return c - '.';
    if (c >= '0' && c <= '9')
        return c - '0' + 2;
    if (c >= 'A' && c <= 'Z')
        return c - 'A' + 12;
    if (c >= 'a' && c <= 'z')
        return c - 'a' + 38;
    return -1;
}

char alphabetChar(int value)
{
    static constexpr char kAlphabet[] = "./0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    return kAlphabet[value & 63];
}

using KeySchedule = std::array<std::array<uint8_t, 48>, 16>;

KeySchedule keySchedule(const Bits64& key)
{
    uint8_t c[28], d[28];
    for (int i = 0; i < 28; ++i) {
        c[i] = key[kKeyChoice1C[i] - 1];
        d[i] = key[kKeyChoice1D[i] - 1];
    }
    KeySchedule schedule {};
    for (int round = 0; round < 16; ++round) {
        for (int shift = 0; shift < kKeyShifts[round]; ++shift) {
            const uint8_t c0 = c[0], d0 = d[0];
            for (int i = 0; i < 27; ++i) {
                c[i] = c[i + 1];
                d[i] = d[i + 1];
            }
            c[27] = c0;
            d[27] = d0;
        }
        for (int i = 0; i < 24; ++i) {
            schedule[round][i] = c[kKeyChoice2C[i] - 1];
            schedule[round][i + 24] = d[kKeyChoice2D[i] - 28 - 1];
        }
    }
    return schedule;
}

void encrypt(Bits64& block, const KeySchedule& schedule, const uint8_t (&expansion)[48])
{
    uint8_t left[32], right[32];
    for (int i = 0; i < 32; ++i) {
        left[i] = block[kInitialPermutation[i] - 1];
        right[i] = block[kInitialPermutation[i + 32] - 1];
    }
    for (int round = 0; round < 16; ++round) {
        uint8_t mixed[48];
        for (int i = 0; i < 48; ++i)
            mixed[i] = right[expansion[i] - 1] ^ schedule[round][i];
        uint8_t f[32];
        for (int box = 0; box < 8; ++box) {
            const uint8_t* six = mixed + 6 * box;
            const int row = (six[0] << 1) | six[5];
            const int column = (six[1] << 3) | (six[2] << 2) | (six[3] << 1) | six[4];
            const int value = kSBoxes[box][row * 16 + column];
            for (int bit = 0; bit < 4; ++bit)
                f[4 * box + bit] = static_cast<uint8_t>((value >> (3 - bit)) & 1);
        }
        uint8_t next[32];
        for (int i = 0; i < 32; ++i)
            next[i] = left[i] ^ f[kPermutation[i] - 1];
        for (int i = 0; i < 32; ++i) {
            left[i] = right[i];
            right[i] = next[i];
        }
    }
    // The halves leave the last round swapped.
    uint8_t joined[64];
    for (int i = 0; i < 32; ++i) {
        joined[i] = right[i];
        joined[i + 32] = left[i];
    }
    for (int i = 0; i < 64; ++i)
        block[i] = joined[kFinalPermutation[i] - 1];
}

char result[14];

} // namespace

PLINTH_API const char* SysCrypt(const char* key, const char* salt)
{
    if (key == nullptr || salt == nullptr || salt[0] == '\0')
        return nullptr;
    const char saltChars[2] = { salt[0], salt[1] != '\0' ? salt[1] : salt[0] };
    int saltValues[2];
    for (int i = 0; i < 2; ++i) {
        saltValues[i] = alphabetValue(saltChars[i]);
        if (saltValues[i] < 0)
            return nullptr;
    }

    Bits64 keyBits {};
    for (int i = 0; i < 8 && key[i] != '\0'; ++i) {
        const unsigned char c = static_cast<unsigned char>(key[i]);
        for (int bit = 0; bit < 7; ++bit)
            keyBits[8 * i + bit] = static_cast<uint8_t>((c >> (6 - bit)) & 1);
    }
    const KeySchedule schedule = keySchedule(keyBits);

    // Each salt bit set swaps one pair of expansion entries between the halves.
    uint8_t expansion[48];
    for (int i = 0; i < 48; ++i)
        expansion[i] = kExpansion[i];
    for (int i = 0; i < 2; ++i) {
        for (int bit = 0; bit < 6; ++bit) {
            if ((saltValues[i] >> bit) & 1) {
                const int at = 6 * i + bit;
                const uint8_t t = expansion[at];
                expansion[at] = expansion[at + 24];
                expansion[at + 24] = t;
            }
        }
    }

    Bits64 block {};
    for (int round = 0; round < 25; ++round)
        encrypt(block, schedule, expansion);

    result[0] = saltChars[0];
    result[1] = saltChars[1];
    for (int i = 0; i < 11; ++i) {
        int value = 0;
        for (int bit = 0; bit < 6; ++bit) {
            const int at = 6 * i + bit;
            value = (value << 1) | (at < 64 ? block[at] : 0);
        }
        result[2 + i] = alphabetChar(value);
    }
    result[13] = '\0';
    return result;
}
