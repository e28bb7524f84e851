#pragma once
// The DES block cipher proper: key schedules and the 16-round block function.
// Sessions, chaining and padding live above this in des.cpp and block.cpp.

#include <cstddef>
#include <cstdint>

namespace mox::des {

// One schedule is 16 round keys of eight 6-bit groups, one group per byte,
// stored in the order the round function consumes them (groups 1,3,5,7 then
// 2,4,6,8 of each round), so a round needs no unpacking.
struct Schedule {
    uint32_t k[32];
};

// Builds the schedule of an 8-byte key; a decryption schedule holds the same
// round keys in reverse order. Parity bits are ignored, as in the standard.
void make_schedule(const uint8_t key[8], bool decrypt, Schedule& out);

// Builds a schedule from the pre-expanded key form: 16 round keys of 48 bits,
// 6 bytes each, most significant group first.
void schedule_from_expanded(const uint8_t expanded[96], bool decrypt, Schedule& out);

// The inverse of schedule_from_expanded (for an encryption schedule).
void expand_schedule(const Schedule& s, uint8_t expanded[96]);

// Number of distinct round keys in a schedule (1 for weak keys, 2 for semi-weak).
int distinct_round_keys(const Schedule& s);

// One block as two big-endian halves. `permute` false leaves out the initial
// and final permutations.
void crypt_block(uint32_t& left, uint32_t& right, const Schedule& s, bool permute);

// Three single passes with the permutations only around the whole.
void crypt_block3(uint32_t& left, uint32_t& right, const Schedule& s0, const Schedule& s1,
                  const Schedule& s2, bool permute);

// Byte-level helpers for callers that hold blocks as bytes.
inline uint32_t load_be32(const uint8_t* p)
{
    return (uint32_t(p[0]) << 24) | (uint32_t(p[1]) << 16) | (uint32_t(p[2]) << 8) | uint32_t(p[3]);
}
inline void store_be32(uint8_t* p, uint32_t v)
{
    p[0] = uint8_t(v >> 24);
    p[1] = uint8_t(v >> 16);
    p[2] = uint8_t(v >> 8);
    p[3] = uint8_t(v);
}

// Single DES on 8 bytes in place, with the permutations.
void crypt_bytes(uint8_t block[8], const Schedule& s);

// Sets odd parity in the lowest bit of every byte.
void set_odd_parity(uint8_t key[8]);
bool has_odd_parity(const uint8_t key[8]);

} // namespace mox::des
