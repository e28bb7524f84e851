#pragma once
// State of a DES session, shared by the session start (des.cpp), the block
// framework (block.cpp) and the chaining drivers (modes.cpp).

#include "bsapi/des_core.h"
#include "bsapi/out_chain.h"
#include "mox/bsapi.h"

struct des_session {
    mox::des::Schedule sched[3];
    const mox::des::Schedule* s[3]; // s[2] may be &sched[0]
    int direction;
    prng* rng;
    const pad_scheme* pad;
    int mode;
    int variant;
    bool permute;
    int passes;             // 1, or 3 for triple DES with chained stages
    uint32_t cv[3][2];      // chaining values, one per pass
    // Feedback modes: shift register, keystream block, feedback bytes and position per pass.
    uint8_t reg[3][8];
    uint8_t ks[3][8];
    uint8_t seg[3][8];
    uint32_t pos[3];
    uint32_t seg_bytes;     // feedback length in bytes
    uint8_t held[8];        // partial block waiting for more input
    uint32_t nheld;
    ut_chain* head;
    ut_chain* tail;
    uint32_t tail_cap;
};

namespace mox::bsapi {

// Runs the session's chaining driver over len bytes (whole blocks for ECB and CBC).
void des_run(des_session* s, const uint8_t* in, uint8_t* out, size_t len);

// Frees the session (and any chain it still holds), wiping the key schedules.
void des_free(des_session* s);

} // namespace mox::bsapi
