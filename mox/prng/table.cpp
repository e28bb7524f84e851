// The mixing table: r48's self-seeding source, combining a 1,024-byte table with the clock, and
// the stirring of caller material into that table.
#include "mox/prng.h"
#include "mox/ut.h"

#include <array>
#include <ctime>

namespace {

constexpr size_t kTableSize = 1024;

// Any fixed content serves; a simple xorshift run keeps it free of obvious structure.
constexpr std::array<uint8_t, kTableSize> initialTable()
{
    std::array<uint8_t, kTableSize> t {};
    uint32_t v = 0x9E3779B9u;
    for (size_t i = 0; i < kTableSize; ++i) {
        v ^= v << 13;
        v ^= v >> 17;
        v ^= v << 5;
        t[i] = static_cast<uint8_t>(v >> 24);
    }
    return t;
}

struct Mixer {
    std::array<uint8_t, kTableSize> table = initialTable();
    uint8_t state[8] = {};
};

Mixer& mixer()
{
    static Mixer m;
    return m;
}

// The 8 clock bytes (second word 0, then the seconds, least significant first), each XORed
// with the low byte of s + s / 256 where s is their sum.
void clockBytes(uint32_t seconds, uint8_t out[8])
{
    const uint32_t second = 0;
    for (int k = 0; k < 4; ++k) {
        out[k] = static_cast<uint8_t>(second >> (8 * k));
        out[4 + k] = static_cast<uint8_t>(seconds >> (8 * k));
    }
    uint32_t s = 0;
    for (int k = 0; k < 8; ++k)
        s += out[k];
    uint8_t mix = static_cast<uint8_t>(s + s / 256);
    for (int k = 0; k < 8; ++k)
        out[k] ^= mix;
}

void rotateLeft1(uint8_t st[8])
{
    uint64_t v = 0;
    for (int k = 7; k >= 0; --k)
        v = (v << 8) | st[k];
    v = (v << 1) | (v >> 63);
    for (int k = 0; k < 8; ++k)
        st[k] = static_cast<uint8_t>(v >> (8 * k));
}

// Adds byte `from` into byte `to`, the carry rippling up to byte `last`.
void addWithCarry(uint8_t st[8], int to, int from, int last)
{
    unsigned carry = st[from];
    for (int k = to; k <= last && carry; ++k) {
        unsigned sum = st[k] + carry;
        st[k] = static_cast<uint8_t>(sum);
        carry = sum >> 8;
    }
}

// Digit d (1..48) of 24 material bytes: the high nibble for odd d, the low nibble for even d.
unsigned digit(const uint8_t m[24], unsigned d)
{
    uint8_t b = m[(d - 1) / 2];
    return (d & 1) ? b >> 4 : b & 0x0F;
}

unsigned nibble(const uint8_t m[24], unsigned index, bool high)
{
    return high ? m[index] >> 4 : m[index] & 0x0F;
}

uint32_t nowSeconds()
{
    return static_cast<uint32_t>(std::time(nullptr));
}

} // namespace

int prng_table_fetch_at(uint32_t seconds, uint8_t* out, size_t count)
{
    Mixer& m = mixer();
    unsigned i = (seconds * 11u + 0u * 19u) & 1023u;
    clockBytes(seconds, m.state);
    for (size_t done = 0; done < count;) {
        if (done > 0) {
            uint8_t b1 = out[done - 3], b2 = out[done - 2], b3 = out[done - 1];
            i ^= ((b1 & 7u) * 128u) | ((b2 & 7u) * 16u) | (b3 & 15u);
            if (b3 & 7)
                rotateLeft1(m.state);
            else
                clockBytes(seconds, m.state);
        }
        for (unsigned j = 0; j < 8 && done < count; ++j, ++done)
            out[done] = m.table[(i + j) & 1023u] ^ m.state[j];
    }
    return 0;
}

int prng_table_fetch(uint8_t* out, size_t count)
{
    return prng_table_fetch_at(nowSeconds(), out, count);
}

int prng_table_stir_at(uint32_t seconds, const uint8_t material[24])
{
    Mixer& m = mixer();
    uint8_t clock[8];
    clockBytes(seconds, clock);
    for (int k = 0; k < 8; ++k)
        m.state[k] ^= clock[k];
    addWithCarry(m.state, 2, 7, 6);
    addWithCarry(m.state, 3, 6, 5);

    prng* g = prng_new_r48(nullptr);
    if (!g) {
        ut_diag(UT_HERE, PRNG_ERR_R48, UT_SEV_RECOVER, "couldn't create r48 generator");
        return -1;
    }
    uint8_t fresh[kTableSize];
    prng_seed(g, m.state, 6);
    int rc = prng_get(g, fresh, sizeof fresh);
    prng_free(g);
    if (rc != 0)
        return -1;
    for (size_t k = 0; k < kTableSize; ++k)
        m.table[k] ^= fresh[k];

    static constexpr unsigned kStarts[6][3]
        = { { 3, 2, 1 }, { 2, 3, 1 }, { 1, 3, 2 }, { 3, 1, 2 }, { 2, 1, 3 }, { 1, 2, 3 } };
    for (unsigned q = 0; q < 6; ++q) {
        unsigned p1 = kStarts[q][0], p2 = kStarts[q][1], p3 = kStarts[q][2];
        for (unsigned r = 0; r < 48; ++r) {
            unsigned index
                = ((digit(material, p3) * 256 + digit(material, p2) * 16 + digit(material, p1)) / 2) & 1023u;
            bool high = (r % 2) == 0;
            unsigned hiSource = (r < 25 ? 24 - r : 72 - r) / 2;
            unsigned loSource = ((r + 8 * q) % 48) / 2;
            uint8_t v = static_cast<uint8_t>(
                (nibble(material, hiSource, high) << 4) | nibble(material, loSource, high));
            m.table[index] ^= v;
            p1 = p1 % 48 + 1;
            p2 = p2 % 48 + 1;
            p3 = p3 % 48 + 1;
        }
    }
    return 0;
}

int prng_table_stir(const uint8_t material[24])
{
    return prng_table_stir_at(nowSeconds(), material);
}

const uint8_t* prng_table_bytes()
{
    return mixer().table.data();
}
