// Number-theoretic routines on the register machine: the modular inverse, the probable-prime
// test and the incremental prime search.
#pragma once

#include <cstdint>

#include "mox/mpm.h"

struct prng;

// d = s^-1 mod register 7 (in 0 .. modulus - 1). Returns 1, or 0 when no inverse exists or a
// step failed; d is untouched then. s must not be negative (a caller bug, fatal).
int utmpm_euclid(mpm_mach* m, int d, int s);

// Miller-Rabin with `rounds` random bases: 1 probably prime, 0 composite or failed (flag 1 set).
int utmpm_probable_prime(mpm_mach* m, int r, int rounds, prng* g);

// The sieve table: the 995 odd primes 3 .. 7879 with 2^16 mod p and 2^32 mod p.
inline constexpr int UTMPM_SIEVE_PRIMES = 995;
const mpm_sprime* utmpm_sieve_table();

// Incremental prime search over [low, high) for candidates k * 2 * mult + 1 (mode 2: k * 4 + 3),
// skipping those with gcd(candidate - 1, exp) != 1 (not in mode 2). Mode 1 accepts sieve survivors.
struct utmpm_ippg;
utmpm_ippg* utmpm_ipp_new(prng* g, mpm_mach* m, int low, int high, int mult, int exp, int mode);
// 1: a prime was written to register d; 0: the range is exhausted, or a step failed (flag 1 of m).
int utmpm_ipp_next(utmpm_ippg* s, mpm_mach* m, int d);
void utmpm_ipp_free(utmpm_ippg* s);
// One prime: 2 found, 1 exhausted, 0 could not start.
int utmpm_ipp(prng* g, mpm_mach* m, int d, int low, int high, int mult, int exp, int mode);
