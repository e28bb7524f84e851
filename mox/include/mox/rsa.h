// RSA key objects, key generation, the RSA operation, and the keys' BER forms.
#pragma once

#include <cstddef>
#include <cstdint>

#include "mox/mpm.h"

struct prng;

// form 0: n and exp (e of a public key, d of a private key of form 0) and the Fermat index:
//   0 for an ordinary exponent, else exp = 2^(2^(fermat-1)) + 1 (5 for 65537).
// form 1: p, q, dp = d mod (p-1), dq = d mod (q-1), qinv = q^-1 mod p, n, d, e.
// The key owns its arcs; rsa_dispose_key frees them (not the key object).
struct rsa_key {
    uint32_t bits; // asked modulus size; for a key read from BER (bitlen(n) - 1) rounded down to 8
    uint32_t form;
    mpm_arc* n;
    mpm_arc* exp;
    uint32_t fermat;
    mpm_arc* p;
    mpm_arc* q;
    mpm_arc* dp;
    mpm_arc* dq;
    mpm_arc* qinv;
    mpm_arc* d;
    mpm_arc* e;
};

inline constexpr uint32_t RSA_ERR = 0x240000;

// Generates a key pair of pub->bits bits. pub must be form 0 with bits and exp or fermat set;
// priv->form (0 or 1) chooses what is produced. Plain primes when `plain` is set (or below 128
// bits), constructed primes otherwise. Returns 1, or 0 (priv->bits is then the asked size after a
// failed self-test, else 0).
int rsakg_gen_key(prng* g, rsa_key* pub, rsa_key* priv, int plain, int selftest);

// input ^ exponent mod n (form 1: by the Chinese remainder theorem). The input must be
// non-negative and smaller than the modulus. Returns a new arc, or null.
mpm_arc* rsa_crypt(const rsa_key* key, const mpm_arc* input);

// Frees the numbers of the key (null key: reported). The key object itself stays.
void rsa_dispose_key(rsa_key* key);

// BER: form 0 as SEQUENCE { n, e }, form 1 as the PKCS #1 RSAPrivateKey.
uint32_t rsa_sizeof_key2berkey(const rsa_key* key);
uint8_t* rsa_key2berkey(const rsa_key* key, uint8_t* out);
// Reads a key (SEQUENCE form, or BIT STRING wrapped) into a new key object allocated through the
// checked allocator; release with rsa_free_key. Returns the position past the key, or null.
const uint8_t* rsa_ber_key2key(const uint8_t* in, size_t inlen, rsa_key** key);
void rsa_free_key(rsa_key* key); // disposes the numbers and frees the object
