// The MOX interface: the top level of the toolkit that the link-encryption
// plug-in calls. Every function answers 0 on success or a negative code, and
// writes one line to stderr ("<function>: <message>") for each failure.
//
// Threads: all functions are serialised by one process-wide mutex, so they
// may be called from several router threads; each call runs to completion
// before the next one starts. Nothing carries from one MOXCrypt to the next.
#pragma once

#include <cstddef>
#include <cstdint>

// The key object: 100 bytes that hold no addresses, so it may live in shared
// memory mapped at different addresses in several processes. Byte offsets
// (integers in the machine's byte order):
//   0  unused (0)
//   4  reference to the key list: its offset within the object (64)
//   8  reference to an initial-value list: none (0)
//  12  feedback length for the feedback modes (0), then 4 unused bytes
//  20  padding scheme: its number (4 "PKCS5" for DES keys, 2 "Velmarine-RSA" for RSA keys)
//  24  unused (24 bytes)
//  48  K1 (8 bytes), 56 K2 (8 bytes)
//  64  key list: three entries of (reference, size, length), 12 bytes each.
//      DES keys: (48, 8, 8), (56, 8, 8), (48, 8, 8) - the list K1, K2, K1.
//      RSA keys: one entry whose reference is a token (top bit set) naming the key's BER
//      encoding, which the toolkit holds for this process until MOXKeyCleanup or MOXCleanup.
struct MOXKEY {
    uint8_t raw[100];
};
static_assert(sizeof(MOXKEY) == 100);

inline constexpr int MOX_OK = 0;
inline constexpr int MOX_ERR_DESKEYGEN = -1;
inline constexpr int MOX_ERR_NOT_OCTETSTRING = -2;
inline constexpr int MOX_ERR_CLASS = -3;
inline constexpr int MOX_ERR_NOT_INITIALISED = -4;
inline constexpr int MOX_ERR_START = -5;
inline constexpr int MOX_ERR_APPEND = -6;
inline constexpr int MOX_ERR_FINISH = -7;
inline constexpr int MOX_ERR_OUTPUT_SIZE = -8;
inline constexpr int MOX_ERR_ENCODE = -9;
inline constexpr int MOX_ERR_ENCODED_SIZE = -10;
inline constexpr int MOX_ERR_RSAKEYGEN = -11;

inline constexpr int MOX_CLASS_DES = 0; // triple DES E(K1) D(K2) D(K1), ECB, PKCS#5
inline constexpr int MOX_CLASS_RSA = 1; // RSA with Velmarine-RSA padding

int MOXInit();
int MOXCleanup();
int MOXKeyInitDES(const uint8_t k1[8], const uint8_t k2[8], MOXKEY* key);
// 8 random bytes with odd parity, never a weak or semi-weak key.
int MOXKeyGenerateDES(uint8_t out[8]);
// A 512-bit key pair with public exponent 65537.
int MOXKeyGenerateRSA(MOXKEY* pub, MOXKEY* priv);
// A public key from a BER OCTET STRING holding its encoding; `len` bounds the reading.
int MOXKeyInitRSABuffer(const uint8_t* buf, size_t len, MOXKEY* key);
// Releases what the toolkit holds for an RSA key object; a DES key object holds nothing.
int MOXKeyCleanup(MOXKEY* key);
// The key's encoding as a BER OCTET STRING in a buffer that MOXDisposeMem releases.
int MOXRSAKeyToBuffer(const MOXKEY* key, uint8_t** out, uint32_t* outlen);
int MOXDisposeMem(uint8_t* buf);

int MOXEncrypt(const MOXKEY* key, const uint8_t* in, uint32_t inlen, uint8_t* out, uint32_t outsize, uint32_t* outlen);
int MOXDecrypt(const MOXKEY* key, const uint8_t* in, uint32_t inlen, uint8_t* out, uint32_t outsize, uint32_t* outlen);
int MOXRSAEncrypt(const MOXKEY* key, const uint8_t* in, uint32_t inlen, uint8_t* out, uint32_t outsize, uint32_t* outlen);
int MOXRSADecrypt(const MOXKEY* key, const uint8_t* in, uint32_t inlen, uint8_t* out, uint32_t outsize, uint32_t* outlen);
// cls 0 or 1 as above; direction 0 encrypts, 1 decrypts.
int MOXCrypt(int cls, int direction, const MOXKEY* key, const uint8_t* in, uint32_t inlen, uint8_t* out,
             uint32_t outsize, uint32_t* outlen);
