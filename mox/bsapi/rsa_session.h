#pragma once
// State of an RSA session, shared by the session core (rsa.cpp) and the
// signing and verifying finish (rsa_sign.cpp).

#include "bsapi/out_chain.h"
#include "mox/bsapi.h"
#include "mox/rsa.h"

struct rsa_session {
    int direction;
    prng* rng;
    const pad_scheme* pad;
    uint32_t overhead;
    rsa_key* key;
    uint32_t k;          // modulus length in bytes
    uint32_t in_block;   // bytes collected before a block is transformed
    uint32_t data_block; // the most data one block carries
    uint8_t* buf;        // held input, in_block bytes
    uint32_t nbuf;
    uint32_t blocks_done;
    ut_chain* head;
    ut_chain* tail;
    uint32_t tail_cap;
    // Signing and verifying.
    const hash_module* hash;
    void* hctx;
    mblk digest;    // a digest handed over directly
    mblk signature; // the signature to check
};

namespace mox::bsapi {

// One RSA operation on `len` bytes read as a big-endian number, written right-aligned
// into `outlen` bytes. `decrypting` selects the diagnostics. 0 or -1.
int rsa_block(rsa_session* s, const uint8_t* in, uint32_t len, uint8_t* out, uint32_t outlen,
              bool decrypting);
// Pads `datalen` bytes at the start of block (k - 1 bytes) and enciphers it into k bytes.
int rsa_pad_encrypt(rsa_session* s, uint8_t* block, uint32_t datalen, uint8_t* out, int private_op);
void rsa_free(rsa_session* s);

// Signing and verifying finish.
int rsa_finish_sign(rsa_session* s, ut_chain** out);
int rsa_finish_verify(rsa_session* s);

} // namespace mox::bsapi
