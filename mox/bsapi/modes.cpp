// Chaining drivers of the DES session: ECB, CBC (one pass or three chained
// passes) and the byte-wise cipher and output feedback modes.

#include "bsapi/des_session.h"

#include <cstring>

namespace mox::bsapi {
namespace {

using des::load_be32;
using des::store_be32;

inline void block_fn(const des_session* s, uint32_t& l, uint32_t& r)
{
    if (s->variant == 0)
        des::crypt_block(l, r, *s->s[0], s->permute);
    else
        des::crypt_block3(l, r, *s->s[0], *s->s[1], *s->s[2], s->permute);
}

void run_ecb(des_session* s, const uint8_t* in, uint8_t* out, size_t len)
{
    for (size_t i = 0; i < len; i += 8) {
        uint32_t l = load_be32(in + i), r = load_be32(in + i + 4);
        block_fn(s, l, r);
        store_be32(out + i, l);
        store_be32(out + i + 4, r);
    }
}

// One CBC step with chaining value cv; `decrypt` picks the chaining direction,
// the schedule(s) already carry the cipher direction.
template <typename F>
inline void cbc_step(uint32_t& l, uint32_t& r, uint32_t* cv, bool decrypt, F&& cipher)
{
    if (!decrypt) {
        l ^= cv[0];
        r ^= cv[1];
        cipher(l, r);
        cv[0] = l;
        cv[1] = r;
    } else {
        const uint32_t cl = l, cr = r;
        cipher(l, r);
        l ^= cv[0];
        r ^= cv[1];
        cv[0] = cl;
        cv[1] = cr;
    }
}

void run_cbc(des_session* s, const uint8_t* in, uint8_t* out, size_t len)
{
    const bool decrypt = s->direction == BSAPI_DECRYPT;
    for (size_t i = 0; i < len; i += 8) {
        uint32_t l = load_be32(in + i), r = load_be32(in + i + 4);
        if (s->passes == 1) {
            cbc_step(l, r, s->cv[0], decrypt, [s](uint32_t& a, uint32_t& b) { block_fn(s, a, b); });
        } else {
            // Each pass runs over the output of the one before, in alternating direction.
            for (int p = 0; p < 3; ++p) {
                const des::Schedule& k = *s->s[p];
                const bool permute = s->permute;
                cbc_step(l, r, s->cv[p], p == 1 ? !decrypt : decrypt,
                         [&k, permute](uint32_t& a, uint32_t& b) { des::crypt_block(a, b, k, permute); });
            }
        }
        store_be32(out + i, l);
        store_be32(out + i + 4, r);
    }
}

uint8_t feedback_byte(des_session* s, int p, uint8_t in)
{
    if (s->pos[p] == 0) {
        uint32_t l = load_be32(s->reg[p]), r = load_be32(s->reg[p] + 4);
        if (s->passes == 1)
            block_fn(s, l, r);
        else
            des::crypt_block(l, r, *s->s[p], s->permute);
        store_be32(s->ks[p], l);
        store_be32(s->ks[p] + 4, r);
    }
    const uint32_t pos = s->pos[p];
    const uint8_t k = s->ks[p][pos];
    const uint8_t out = in ^ k;
    uint8_t fb;
    if (s->mode == DES_MODE_OFB)
        fb = k;
    else
        fb = s->direction == BSAPI_DECRYPT ? in : out;
    s->seg[p][pos] = fb;
    if (++s->pos[p] == s->seg_bytes) {
        const uint32_t n = s->seg_bytes;
        std::memmove(s->reg[p], s->reg[p] + n, 8 - n);
        std::memcpy(s->reg[p] + 8 - n, s->seg[p], n);
        s->pos[p] = 0;
    }
    return out;
}

void run_feedback(des_session* s, const uint8_t* in, uint8_t* out, size_t len)
{
    for (size_t i = 0; i < len; ++i) {
        uint8_t b = in[i];
        for (int p = 0; p < s->passes; ++p)
            b = feedback_byte(s, p, b);
        out[i] = b;
    }
}

} // namespace

void des_run(des_session* s, const uint8_t* in, uint8_t* out, size_t len)
{
    switch (s->mode) {
    case DES_MODE_ECB:
        run_ecb(s, in, out, len);
        break;
    case DES_MODE_CBC:
        run_cbc(s, in, out, len);
        break;
    default:
        run_feedback(s, in, out, len);
        break;
    }
}

} // namespace mox::bsapi

int bsapi_transform_des(des_session* s, const uint8_t* in, uint8_t* out, uint32_t len)
{
    if (s == nullptr || in == nullptr || out == nullptr) {
        ut_diag(UT_HERE, 0, UT_SEV_FATAL, "null %s",
                s == nullptr ? "session" : in == nullptr ? "input pointer" : "output pointer");
        return -1;
    }
    if (s->mode <= DES_MODE_CBC && (len % 8) != 0) {
        // A caller's length, not a broken invariant: refuse it and let the caller go on.
        ut_diag(UT_HERE, BSAPI_ERR_TRAILING, UT_SEV_RECOVER, "input is not a whole number of blocks");
        return -1;
    }
    mox::bsapi::des_run(s, in, out, len);
    return 0;
}
