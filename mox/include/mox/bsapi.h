// The toolkit's session layer: padding schemes, digest modules, and the DES,
// triple-DES and RSA sessions (start, any number of appends, finish or kill).
//
// Sessions hand their output back as a ut_chain of nodes allocated through the
// checked allocator; the caller releases it with ut_free_chain. None of these
// functions is thread-safe on its own: the MOX interface (mox.h) serialises
// every call into the toolkit behind one process-wide mutex.
#pragma once

#include "mox/prng.h"
#include "mox/ut.h"

#include <cstddef>
#include <cstdint>

// ---- error codes of this layer (module 0x44: sessions, 0x64: padding) ----
inline constexpr uint32_t BSAPI_ERR_NO_MEMORY = 0x440000;
inline constexpr uint32_t BSAPI_ERR_TRAILING = 0x440100;
inline constexpr uint32_t BSAPI_ERR_PADDING = 0x440200;
inline constexpr uint32_t BSAPI_ERR_CODEC = 0x440300;
inline constexpr uint32_t BSAPI_ERR_SIGNATURE = 0x440400;
inline constexpr uint32_t BSAPI_ERR_KEY_SIZE = 0x440500;
inline constexpr uint32_t BSAPI_ERR_IV_SIZE = 0x440600;
inline constexpr uint32_t BSAPI_ERR_PARAM = 0x440700;
inline constexpr uint32_t BSAPI_ERR_PKCS1_WARNING = 0x440800;
inline constexpr uint32_t PAD_ERR_NO_SPACE = 0x640000;
inline constexpr uint32_t PAD_ERR_PRNG = 0x640001;
inline constexpr uint32_t PAD_ERR_CORRUPT = 0x640002;

// ---- padding schemes ----
// pad: `datalen` bytes of data stand at the start of `block` (PKCS#5, Velmarine-RSA) and the
// scheme completes it to `blocklen` bytes; PKCS #1 moves the data to the end. unpad: stores the
// data length (PKCS #1 also moves the data to the start). Both answer 0 or -1.
// `private_op` is set when the operation uses the private key (decrypting, signing): it picks the
// PKCS #1 block type; PKCS#5 and Velmarine-RSA ignore it. overhead(private_op) is the least
// number of bytes the padding adds for a block padded on that side.
struct pad_scheme {
    const char* name;
    int id;
    int (*pad)(uint8_t* block, uint32_t datalen, uint32_t blocklen, prng* g, int private_op);
    int (*unpad)(uint8_t* block, uint32_t* outlen, uint32_t blocklen, int private_op);
    uint32_t (*overhead)(int private_op);
};

inline constexpr int PAD_ID_VELMARINE_RSA = 2;
inline constexpr int PAD_ID_PKCS1 = 3;
inline constexpr int PAD_ID_PKCS5 = 4;
inline constexpr int PAD_ID_PKCS1_NULL = 5;

extern const pad_scheme pad_pkcs5;          // "PKCS5", 4
extern const pad_scheme pad_velmarine_rsa;  // "Velmarine-RSA", 2
extern const pad_scheme pad_pkcs1;          // "PKCS-1", 3
extern const pad_scheme pad_pkcs1_null;     // "PKCS-1-null", 5
// The scheme with the given number, or null.
const pad_scheme* pad_scheme_by_id(int id);

// The schemes' own operations with their full argument lists.
int pkcs5_pad(uint8_t* block, uint32_t held, uint32_t blocklen);
int pkcs5_unpad(const uint8_t* block, uint32_t* outlen, uint32_t blocklen);
// Velmarine-RSA: data, then random bytes, then the padding length in 7-bit groups at the end.
int brsa_pad(uint8_t* block, uint32_t datalen, uint32_t blocklen, prng* g, int no_length);
int brsa_unpad(const uint8_t* block, uint32_t* outlen, uint32_t blocklen, int no_length);

// ---- digest modules ----
// new(bits): a context (bits: digest length of the MDC-2 modules, ignored by the others), or
// null when out of memory. append takes a number of BITS, which must be a multiple of 8.
// finish frees the context and returns a digest buffer from the checked allocator (ut_free it),
// storing the digest length in bits.
struct hash_module {
    const char* name;
    int id;
    int one;
    void* (*new_ctx)(uint32_t bits);
    uint32_t (*size)(const void* ctx);
    int (*append)(const uint8_t* data, uint32_t nbits, void* ctx);
    void (*kill)(void* ctx);
    uint8_t* (*finish)(void* ctx, uint32_t* nbits);
};

extern const hash_module hash_sha;    // "SHA", 9
extern const hash_module hash_md5;    // "MD5", 7
extern const hash_module hash_ripemd; // "RIPEMD", 1
extern const hash_module hash_dmdc2;  // "MDC2-DES-double-width", 4
extern const hash_module hash_smdc2;  // "MDC2-DES-single-width", 3

// ---- keys and parameters of a session ----
// Key material as the sessions see it: up to three key blocks, up to three initial values,
// the feedback length in bits for the feedback modes (0: 64), and the padding scheme (or null).
struct bsapi_key {
    const mblk* keys;
    uint32_t nkeys;
    const mblk* ivs;
    uint32_t nivs;
    uint32_t feedback_bits;
    const pad_scheme* padding;
};

inline constexpr int BSAPI_ENCRYPT = 0;
inline constexpr int BSAPI_DECRYPT = 1;
inline constexpr int BSAPI_SIGN = 2;
inline constexpr int BSAPI_VERIFY = 3;

inline constexpr int DES_MODE_ECB = 0;
inline constexpr int DES_MODE_CBC = 1;
inline constexpr int DES_MODE_CFB = 2; // cipher feedback, feedback length a multiple of 8 bits
inline constexpr int DES_MODE_OFB = 3; // output feedback, same

// Parameter block of a DES session.
struct des_param {
    int direction; // BSAPI_ENCRYPT or BSAPI_DECRYPT
    int mode;      // DES_MODE_*
    int variant;   // 0 single, 1 triple (one block function), 2 triple with chained stages
    int keyform;   // 0: 8-byte keys; above 0: 96-byte expanded schedules
    int noperm;    // 1 leaves out the initial and final permutations
};

// Parameter block of an RSA session. `hash` is the digest of a signing or verifying session
// (null: MD5); it is not used when the digest is handed over directly.
struct rsa_param {
    int direction; // BSAPI_ENCRYPT .. BSAPI_VERIFY
    int flags;     // reserved, 0
    const struct hash_module* hash;
};

// RSA key generation parameters. Bits 1-3 of `flags` give the public exponent through its
// Fermat index f as 2^(2^(f-1))+1 (f = 5: 65537); 0 draws a random prime exponent. Bit 0 asks
// for plain primes, bit 4 for the generator's self-test, bit 5 for a private key of form 0
// (modulus and exponent only) instead of the factored form. `stamp_file` names a fingerprint
// stamp file, or is null.
inline constexpr uint32_t RSAKG_PLAIN = 0x01;
inline constexpr uint32_t RSAKG_SELFTEST = 0x10;
inline constexpr uint32_t RSAKG_PRIVATE_FORM0 = 0x20;
inline constexpr uint32_t rsakg_fermat_flags(uint32_t f) { return (f & 7) << 1; }
struct rsa_keygen_param {
    uint32_t bits;
    uint32_t flags;
    const char* stamp_file;
};

// ---- DES sessions ----
struct des_session;
// Null (with a diagnostic) when the parameters or the key are not usable.
des_session* bsapi_start_des(const des_param* param, prng* g, const bsapi_key* key);
int bsapi_append_des(const uint8_t* data, uint32_t len, des_session* s); // 0 or -1
// Hands out the output chain (null when empty) and frees the session in every case. 0 or -1.
int bsapi_finish_des(des_session* s, ut_chain** out);
ut_chain* bsapi_read_des(des_session* s); // the chain so far, which the session forgets
void bsapi_kill_des(des_session* s);
// Runs the chaining driver straight from `in` to `out` with no buffering or padding; for ECB
// and CBC `len` must be a whole number of blocks. 0 or -1.
int bsapi_transform_des(des_session* s, const uint8_t* in, uint8_t* out, uint32_t len);

// Draws 8 bytes until the key schedule has more distinct round keys than the threshold of
// `level` (0..4: 0, 1, 2, 4, 8), then sets odd parity. `key` is made to hold 8 bytes. 0 or -1.
int bsapi_generate_key_des(prng* g, mblk* key, int level);

// Triple DES with a 24-byte key (K1 K2 K3): key generation and session start; the other
// session operations are those of DES.
int bsapi_generate_key_3des(prng* g, mblk* key, const des_param* param);
des_session* bsapi_start_3des(const des_param* param, prng* g, const bsapi_key* key);

// ---- the block-cipher module records ----
struct bsapi_module {
    const char* name;
    uint32_t modes;   // bit n set: chaining mode n supported
    uint32_t keybits; // effective key size
    int (*generate_key)(prng*, mblk*, const des_param*);
    des_session* (*start)(const des_param*, prng*, const bsapi_key*);
    int (*append)(const uint8_t*, uint32_t, des_session*);
    int (*finish)(des_session*, ut_chain**);
    ut_chain* (*read)(des_session*);
    void (*kill)(des_session*);
};
extern const bsapi_module bsapi_des;
extern const bsapi_module bsapi_3des;

// ---- RSA sessions ----
// The key object holds one key block: the BER encoding of the key (public: SEQUENCE { n, e };
// private: the PKCS #1 RSAPrivateKey). Keys are accepted with a modulus of 512 to 4096 bits and,
// for public keys, an odd exponent of at least 3.
// Encryption cuts the data into pieces of k - n - 1 bytes (k: modulus bytes, n: the scheme's
// overhead), pads each to k - 1 bytes and writes k-byte blocks; decryption reverses it.
struct rsa_session;
// Generates a key pair into two blocks of BER: first the secret key, then the public key. 0 or -1.
int bsapi_generate_key_rsa(prng* g, mblk* skey, mblk* pkey, const rsa_keygen_param* param);
rsa_session* bsapi_start_rsa(const rsa_param* param, prng* g, const bsapi_key* key);
int bsapi_append_rsa(rsa_session* s, const uint8_t* data, uint32_t len); // 0 or -1
// Encryption, decryption and signing: 0 or -1, the output chain handed out. Verifying: 0 when
// the signature matches, 1 when it does not, -1 on failure (no output). Frees the session.
int bsapi_finish_rsa(rsa_session* s, ut_chain** out);
ut_chain* bsapi_read_rsa(rsa_session* s);
void bsapi_kill_rsa(rsa_session* s);
// The signature to check (a BER BIT STRING) for a verifying session. 0 or -1.
int bsapi_rsa_set_signature(rsa_session* s, const uint8_t* sig, uint32_t len);
// Hands a finished digest to a signing or verifying session instead of the data. 0 or -1.
int bsapi_rsa_set_digest(rsa_session* s, const uint8_t* digest, uint32_t len);
