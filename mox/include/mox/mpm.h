// The big-number register machine: eight registers of signed integers (register 7 doubles as
// the modulus of every modular operation), a scratch register, and four flags:
//   0 division by zero (sticky), 1 failure (sticky), 2 zero or equal, 3 negative or less.
// Register operations return 1 on success and 0 on failure (flag 1 set); callers may also run a
// sequence and test flag 1 once. Arcs are numbers detached from any machine, owned by their holder.
#pragma once

#include <cstddef>
#include <cstdint>

using mpa_dig = uint32_t;

struct mpm_num {
    int32_t sign; // 1 zero or positive, 0 negative
    int32_t prec; // digits in use (0 only for an empty register, which reads as 0)
    mpa_dig* dig; // least significant digit first
    int32_t cap; // digits allocated, 0 when none is owned
};
using mpm_arc = mpm_num;

inline constexpr int MPM_REGS = 8;
inline constexpr int MPM_MOD = 7;
enum mpm_flag : int { MPM_DIVZERO = 0, MPM_FAIL = 1, MPM_ZERO = 2, MPM_NEGATIVE = 3 };

struct mpm_mach {
    mpm_num reg[MPM_REGS];
    mpm_num scratch;
    int32_t flag[4];
};

// Small-prime table entry for mpm_smod: p < 40504 with 2^16 mod p and 2^32 mod p.
struct mpm_sprime {
    uint32_t p;
    uint32_t r16;
    uint32_t r32;
};

mpm_mach* mpm_new_mach();
void mpm_free_mach(mpm_mach* m);
int mpm_flag_set(const mpm_mach* m, int flag);
void mpm_set_flag(mpm_mach* m, int flag, int value);

int mpm_ltompm(mpm_mach* m, int d, long value); // value clamped to 32 bits signed
int mpm_2_power(mpm_mach* m, int d, uint32_t n);
int mpm_zero(mpm_mach* m, int d);
int mpm_add(mpm_mach* m, int d, int a, int b);
int mpm_sub(mpm_mach* m, int d, int a, int b);
int mpm_mul(mpm_mach* m, int d, int a, int b);
int mpm_div(mpm_mach* m, int q, int r, int n, int dv); // truncating; q == r keeps the remainder
int mpm_mod(mpm_mach* m, int d, int a); // a mod reg 7, in 0 .. modulus - 1
int mpm_modmul(mpm_mach* m, int d, int a, int b);
int mpm_expmod(mpm_mach* m, int d, int base, int exp); // exp >= 0
int mpm_sqrt(mpm_mach* m, int root, int rem, int src); // rem == root: no remainder
int mpm_gcd(mpm_mach* m, int d, int a, int b);
int mpm_cmp(mpm_mach* m, int a, int b);
int mpm_copy(mpm_mach* m, int d, int s);
int mpm_xcopy(mpm_mach* dm, int d, mpm_mach* sm, int s, int move);
int mpm_abs(mpm_mach* m, int d);
int mpm_test(mpm_mach* m, int r);
int mpm_odd(const mpm_mach* m, int r);
int mpm_bitlen(const mpm_mach* m, int r);
int mpm_bytelen(const mpm_mach* m, int r);
long mpm_tolong(const mpm_mach* m, int r);
uint32_t mpm_smod(mpm_mach* m, int r, const mpm_sprime* entry);
int mpm_shr(mpm_mach* m, int d, int s, uint32_t bits); // magnitude shift, keeps the sign

// Bytes, least significant first.
int mpm_load(mpm_mach* m, int d, int sign, size_t n, const uint8_t* bytes);
// Writes the magnitude into buf; returns the byte count, or -1 when it does not fit.
long mpm_store(const mpm_mach* m, int r, uint8_t* buf, size_t capacity);

// Arcs.
mpm_arc* mpm_backup(mpm_mach* m, int r, int copy);
int mpm_restore(mpm_mach* m, int d, mpm_arc* arc, int copy); // copy 0 frees the arc
mpm_arc* mpm_bload_arc(int sign, size_t n, const uint8_t* bytes); // most significant byte first
// Writes the magnitude right-aligned into buf (zero-filled on the left). Returns the sign, or -1
// when it does not fit.
int mpm_bstore_arc(const mpm_arc* arc, uint8_t* buf, size_t capacity);
int mpm_arc_bitlen(const mpm_arc* arc);
mpm_arc* mpm_arc_copy(const mpm_arc* arc);
void mpm_arc_free(mpm_arc* arc);
int mpm_arc_cmp(const mpm_arc* a, const mpm_arc* b); // 0 equal, -1 / 1 by signed value
int mpm_arc_is_neg(const mpm_arc* arc);

// BER INTEGER codecs.
inline constexpr uint32_t MPM_ERR_NOT_INTEGER = 0x340000;
inline constexpr uint32_t MPM_ERR_BLOAD = 0x340101;
uint32_t mpm_sizeof_arc2berinteger(const mpm_arc* arc);
uint8_t* mpm_arc2berinteger(const mpm_arc* arc, uint8_t* out);
// Reads an INTEGER into a new arc; returns the position past it, or null.
const uint8_t* mpm_berinteger2arc(const uint8_t* in, const uint8_t* end, mpm_arc** arc);
