// The triple-DES module: a 24-byte key presented to the DES session as a key
// list of three 8-byte keys.

#include "bsapi/des_session.h"

#include <cstring>

int bsapi_generate_key_3des(prng* g, mblk* key, const des_param* param)
{
    if (g == nullptr || key == nullptr || param == nullptr) {
        ut_diag(UT_HERE, 0, UT_SEV_FATAL, "null %s", g == nullptr ? "prng" : key == nullptr ? "skey" : "param");
        return -1;
    }
    uint8_t all[24];
    for (int i = 0; i < 3; ++i) {
        mblk one = {nullptr, 0, 0};
        const int rc = bsapi_generate_key_des(g, &one, 4);
        if (rc == 0)
            std::memcpy(all + 8 * i, one.data, 8);
        ut_free_mblk(UT_HERE, &one);
        if (rc != 0)
            return -1;
    }
    if (ut_ensure_mblk(UT_HERE, key, 24) != 0)
        return -1;
    std::memcpy(key->data, all, 24);
    key->used = 24;
    return 0;
}

des_session* bsapi_start_3des(const des_param* param, prng* g, const bsapi_key* key)
{
    if (param == nullptr || key == nullptr || key->keys == nullptr || key->nkeys == 0 ||
        key->keys[0].data == nullptr) {
        ut_diag(UT_HERE, 0, UT_SEV_FATAL, "null %s", param == nullptr ? "param" : "key");
        return nullptr;
    }
    if (key->keys[0].used != 24) {
        ut_diag(UT_HERE, BSAPI_ERR_KEY_SIZE, UT_SEV_RECOVER, "bad size (%u), key 0", key->keys[0].used);
        return nullptr;
    }
    des_param p = *param;
    p.variant = 1;
    p.keyform = 0;
    uint8_t copy[24];
    std::memcpy(copy, key->keys[0].data, 24);
    const mblk list[3] = {{copy, 8, 8}, {copy + 8, 8, 8}, {copy + 16, 8, 8}};
    bsapi_key k = *key;
    k.keys = list;
    k.nkeys = 3;
    des_session* s = bsapi_start_des(&p, g, &k);
    std::memset(copy, 0, sizeof copy);
    return s;
}

namespace {

int generate_des(prng* g, mblk* key, const des_param*)
{
    return bsapi_generate_key_des(g, key, 4);
}

} // namespace

const bsapi_module bsapi_des = {"DES", 0xF, 56, generate_des, bsapi_start_des, bsapi_append_des,
                                bsapi_finish_des, bsapi_read_des, bsapi_kill_des};
const bsapi_module bsapi_3des = {"DES", 0xF, 56, bsapi_generate_key_3des, bsapi_start_3des,
                                 bsapi_append_des, bsapi_finish_des, bsapi_read_des, bsapi_kill_des};
