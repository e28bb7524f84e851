// DES session start: parameter and key checks, key schedules in the right
// directions for the variant, chaining values; DES key generation.

#include "bsapi/des_session.h"

#include <cstring>
#include <utility>

using namespace mox;

namespace {

constexpr uint8_t kDefaultIv[8] = {0xA5, 0xA5, 0xA5, 0xA5, 0xA5, 0xA5, 0xA5, 0xA5};

bool schedule_from(const mblk& k, int index, int keyform, bool decrypt, des::Schedule& out)
{
    const uint32_t want = keyform > 0 ? 96 : 8;
    if (k.data == nullptr) {
        ut_diag(UT_HERE, BSAPI_ERR_KEY_SIZE, UT_SEV_RECOVER, "null key %d data", index);
        return false;
    }
    if (k.used != want || k.size < k.used) {
        ut_diag(UT_HERE, BSAPI_ERR_KEY_SIZE, UT_SEV_RECOVER, "bad size (%u), key %d", k.used, index);
        return false;
    }
    if (keyform > 0)
        des::schedule_from_expanded(k.data, decrypt, out);
    else
        des::make_schedule(k.data, decrypt, out);
    return true;
}

bool check_param(const des_param* p)
{
    if (p->direction == BSAPI_SIGN || p->direction == BSAPI_VERIFY) {
        ut_diag(UT_HERE, BSAPI_ERR_PARAM, UT_SEV_FATAL, "inappropriate mode (%s)",
                p->direction == BSAPI_SIGN ? "sign" : "verify");
        return false;
    }
    if (p->direction != BSAPI_ENCRYPT && p->direction != BSAPI_DECRYPT) {
        ut_diag(UT_HERE, BSAPI_ERR_PARAM, UT_SEV_RECOVER, "bad direction (%d)", p->direction);
        return false;
    }
    if (p->mode < DES_MODE_ECB || p->mode > DES_MODE_OFB) {
        ut_diag(UT_HERE, BSAPI_ERR_PARAM, UT_SEV_RECOVER, "bad chaining mode (%d)", p->mode);
        return false;
    }
    if (p->variant < 0 || p->variant > 2) {
        ut_diag(UT_HERE, BSAPI_ERR_PARAM, UT_SEV_RECOVER, "bad variant (%d)", p->variant);
        return false;
    }
    return true;
}

bool setup_keys(des_session* s, const des_param* p, const bsapi_key* key)
{
    const bool decrypt = s->direction == BSAPI_DECRYPT;
    const bool feedback = p->mode > DES_MODE_CBC;
    const bool key_decrypt = feedback ? false : decrypt;
    if (!schedule_from(key->keys[0], 0, p->keyform, key_decrypt, s->sched[0])) {
        ut_diag(UT_HERE, BSAPI_ERR_KEY_SIZE, UT_SEV_RECOVER, "failed to generate key0 schedule");
        return false;
    }
    s->s[0] = s->s[2] = &s->sched[0];
    s->s[1] = nullptr;
    if (p->variant == 0)
        return true;
    if (key->nkeys < 2) {
        ut_diag(UT_HERE, BSAPI_ERR_KEY_SIZE, UT_SEV_RECOVER, "null key 1 data");
        return false;
    }
    // The middle stage runs the other way for ECB and CBC (E-D-E on encryption).
    const bool other = feedback ? key_decrypt : !key_decrypt;
    if (!schedule_from(key->keys[1], 1, p->keyform, other, s->sched[1]))
        return false;
    s->s[1] = &s->sched[1];
    if (key->nkeys >= 3) {
        if (!schedule_from(key->keys[2], 2, p->keyform, other, s->sched[2])) {
            ut_diag(UT_HERE, BSAPI_ERR_KEY_SIZE, UT_SEV_RECOVER, "failed to generate key2 schedule");
            return false;
        }
        s->s[2] = &s->sched[2];
        // Decryption undoes the stages in reverse order. The one-pass feedback
        // modes use the same keystream both ways, so they keep the order.
        const bool three_pass = feedback && p->variant == 2;
        if (decrypt && (!feedback || three_pass))
            std::swap(s->s[0], s->s[2]);
    }
    return true;
}

bool setup_chaining(des_session* s, const des_param* p, const bsapi_key* key)
{
    if (p->mode == DES_MODE_ECB) {
        s->passes = 1;
        return true;
    }
    s->passes = p->variant == 2 ? 3 : 1;
    uint8_t iv[3][8];
    for (int i = 0; i < s->passes; ++i) {
        if (key->ivs != nullptr && uint32_t(i) < key->nivs && key->ivs[i].data != nullptr) {
            if (key->ivs[i].used != 8) {
                ut_diag(UT_HERE, BSAPI_ERR_IV_SIZE, UT_SEV_RECOVER, "bad size, IV %d (%u octets)", i,
                        key->ivs[i].used);
                return false;
            }
            std::memcpy(iv[i], key->ivs[i].data, 8);
        } else {
            std::memcpy(iv[i], i == 0 ? kDefaultIv : iv[0], 8);
        }
    }
    if (s->passes == 3 && s->direction == BSAPI_DECRYPT)
        std::swap(iv[0], iv[2]);
    for (int i = 0; i < s->passes; ++i) {
        s->cv[i][0] = des::load_be32(iv[i]);
        s->cv[i][1] = des::load_be32(iv[i] + 4);
        std::memcpy(s->reg[i], iv[i], 8);
        s->pos[i] = 0;
    }
    if (p->mode > DES_MODE_CBC) {
        const uint32_t fb = key->feedback_bits == 0 ? 64 : key->feedback_bits;
        if (fb % 8 != 0 || fb > 64) {
            ut_diag(UT_HERE, BSAPI_ERR_PARAM, UT_SEV_RECOVER, "bad feedback length (%u)", fb);
            return false;
        }
        s->seg_bytes = fb / 8;
    }
    return true;
}

} // namespace

des_session* bsapi_start_des(const des_param* param, prng* g, const bsapi_key* key)
{
    if (param == nullptr) {
        ut_diag(UT_HERE, 0, UT_SEV_FATAL, "null %s", "parameter pointer");
        return nullptr;
    }
    if (!check_param(param))
        return nullptr;
    if (key == nullptr) {
        ut_diag(UT_HERE, 0, UT_SEV_FATAL, "null key set");
        return nullptr;
    }
    if (key->keys == nullptr || key->nkeys == 0) {
        ut_diag(UT_HERE, 0, UT_SEV_FATAL, "null key list");
        return nullptr;
    }
    if (key->keys[0].data == nullptr) {
        ut_diag(UT_HERE, 0, UT_SEV_FATAL, "null key 0 data");
        return nullptr;
    }
    void* mem = ut_alloc(UT_HERE, sizeof(des_session));
    if (mem == nullptr) {
        ut_diag(UT_HERE, BSAPI_ERR_NO_MEMORY, UT_SEV_RECOVER, "out of memory");
        return nullptr;
    }
    std::memset(mem, 0, sizeof(des_session));
    auto* s = static_cast<des_session*>(mem);
    s->direction = param->direction;
    s->rng = g;
    s->pad = key->padding;
    s->mode = param->mode;
    s->variant = param->variant;
    s->permute = param->noperm != 1;
    if (!setup_keys(s, param, key) || !setup_chaining(s, param, key)) {
        bsapi::des_free(s);
        return nullptr;
    }
    return s;
}

int bsapi_generate_key_des(prng* g, mblk* key, int level)
{
    static constexpr int kThreshold[5] = {0, 1, 2, 4, 8};
    if (g == nullptr || key == nullptr) {
        ut_diag(UT_HERE, 0, UT_SEV_FATAL, "null %s", g == nullptr ? "prng" : "skey");
        return -1;
    }
    if (level < 0 || level > 4) {
        ut_diag(UT_HERE, BSAPI_ERR_PARAM, UT_SEV_RECOVER, "bad strength level (%d)", level);
        return -1;
    }
    uint8_t k[8];
    des::Schedule sched;
    // A working generator yields a usable key at once; one that keeps producing
    // weak keys is broken, and the drawing stops rather than spinning.
    for (int tries = 0;; ++tries) {
        if (tries == 1000 || prng_get(g, k, 8) != 0) {
            ut_diag(UT_HERE, BSAPI_ERR_PARAM, UT_SEV_RECOVER, "random source failed");
            return -1;
        }
        des::make_schedule(k, false, sched);
        if (des::distinct_round_keys(sched) > kThreshold[level])
            break;
    }
    des::set_odd_parity(k);
    std::memset(&sched, 0, sizeof sched);
    if (ut_ensure_mblk(UT_HERE, key, 8) != 0)
        return -1;
    std::memcpy(key->data, k, 8);
    key->used = 8;
    return 0;
}
