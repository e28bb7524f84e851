// Pseudo-random sources of the toolkit behind one generator interface.
//
// r48 is the toolkit's 48-bit linear congruential generator; its output is reproducible from
// its seed and its state is only 48 bits, so it must never be the sole source of key material.
// prng_new_sys() draws from the operating system (getrandom) through the same interface and is
// the generator to hand to key generation, padding and DES key drawing.
#pragma once

#include <cstddef>
#include <cstdint>

struct prng {
    int (*seed)(const uint8_t* material, size_t length, prng* g); // 0 on success
    int (*generate)(uint8_t* out, size_t count, prng* g); // 0 on success
    void (*destroy)(prng* g);
    void* state;
};

inline constexpr uint32_t PRNG_ERR = 0x540000;
inline constexpr uint32_t PRNG_ERR_R48 = 0x540100;
inline constexpr uint32_t PRNG_ERR_GET = 0x540500;
inline constexpr uint32_t PRNG_ERR_RANGE = 0x540600;

// r48 with 8 creation bytes (null: 00 05 DE EC E6 6D 00 0B, i.e. a = 0x5DEECE66D, c = 0xB).
// Unseeded, it seeds itself from the mixing table and the clock on first use.
prng* prng_new_r48(const uint8_t params[8]);
// The operating system's random source; seeding is accepted and ignored.
prng* prng_new_sys();

int prng_seed(prng* g, const uint8_t* material, size_t length);
int prng_get(prng* g, uint8_t* out, size_t count);
void prng_free(prng* g); // null is ignored

// The mixing table: bytes drawn from the table and the clock (r48's self-seeding source), and
// stirring of 24 bytes of caller material into it. `seconds` stands for the clock in tests.
int prng_table_fetch(uint8_t* out, size_t count);
int prng_table_fetch_at(uint32_t seconds, uint8_t* out, size_t count);
int prng_table_stir(const uint8_t material[24]);
int prng_table_stir_at(uint32_t seconds, const uint8_t material[24]);
// Test view of the 1,024-byte table.
const uint8_t* prng_table_bytes();

// d = low + (random mod (high - low)) in machine m (registers low and high untouched).
// Returns 0, or -1 with a diagnostic (an empty or negative range included).
struct mpm_mach;
int prng_mpm_range(mpm_mach* m, int d, int low, int high, prng* g);
