// RSA sessions: key checks, block sizes, padded and plain encryption and
// decryption block by block into an output chain.

#include "bsapi/rsa_session.h"
#include "mox/mpm.h"

#include <algorithm>
#include <cstring>

namespace mox::bsapi {

int rsa_block(rsa_session* s, const uint8_t* in, uint32_t len, uint8_t* out, uint32_t outlen,
              bool decrypting)
{
    mpm_arc* x = mpm_bload_arc(1, len, in);
    if (x == nullptr) {
        ut_diag(UT_HERE, BSAPI_ERR_CODEC, UT_SEV_RECOVER, "couldn't load %s",
                decrypting ? "ciphertext for decryption" : "plaintext for encryption");
        return -1;
    }
    if (mpm_arc_cmp(x, s->key->n) >= 0) {
        mpm_arc_free(x);
        ut_diag(UT_HERE, BSAPI_ERR_CODEC, UT_SEV_RECOVER, "ciphertext incompatible with key");
        return -1;
    }
    mpm_arc* y = rsa_crypt(s->key, x);
    mpm_arc_free(x);
    if (y == nullptr) {
        ut_diag(UT_HERE, BSAPI_ERR_CODEC, UT_SEV_RECOVER, "RSA %s failed", decrypting ? "decrypt" : "encrypt");
        return -1;
    }
    const int rc = mpm_bstore_arc(y, out, outlen);
    mpm_arc_free(y);
    if (rc < 0) {
        ut_diag(UT_HERE, BSAPI_ERR_CODEC, UT_SEV_RECOVER,
                decrypting ? "ciphertext is incompatible with key" : "couldn't store ciphertext output");
        return -1;
    }
    return 0;
}

int rsa_pad_encrypt(rsa_session* s, uint8_t* block, uint32_t datalen, uint8_t* out, int private_op)
{
    const uint32_t L = s->k - 1;
    if (s->pad != nullptr) {
        if (s->pad->pad(block, datalen, L, s->rng, private_op) != 0) {
            ut_diag(UT_HERE, BSAPI_ERR_PADDING, UT_SEV_RECOVER, "padding failed");
            return -1;
        }
    } else {
        std::memset(block + datalen, 0, L - datalen);
    }
    return rsa_block(s, block, L, out, s->k, false);
}

void rsa_free(rsa_session* s)
{
    if (s == nullptr)
        return;
    ut_free_chain(UT_HERE, s->head);
    if (s->key != nullptr)
        rsa_free_key(s->key);
    if (s->hctx != nullptr)
        s->hash->kill(s->hctx);
    if (s->buf != nullptr) {
        std::memset(s->buf, 0, s->in_block);
        ut_free(UT_HERE, s->buf);
    }
    ut_free_mblk(UT_HERE, &s->digest);
    ut_free_mblk(UT_HERE, &s->signature);
    std::memset(s, 0, sizeof *s);
    ut_free(UT_HERE, s);
}

} // namespace mox::bsapi

using namespace mox::bsapi;

namespace {

// A key the session can work with: a modulus of 512 to 4096 bits and, for a
// public key, an odd exponent of at least 3. Anything smaller makes the block
// size zero or negative.
bool key_usable(const rsa_key* key)
{
    if (key->n == nullptr || mpm_arc_is_neg(key->n))
        return false;
    const int nbits = mpm_arc_bitlen(key->n);
    if (nbits < 512 || nbits > 4096)
        return false;
    if (key->form == 0 && key->fermat == 0) {
        const mpm_arc* e = key->exp;
        if (e == nullptr || mpm_arc_is_neg(e) || mpm_arc_bitlen(e) < 2 || e->prec < 1 || (e->dig[0] & 1) == 0)
            return false;
    }
    return key->form == 0 || key->form == 1;
}

// Transforms one collected input block into the output chain.
int transform(rsa_session* s, uint8_t* in, uint32_t len)
{
    if (s->direction == BSAPI_ENCRYPT) {
        if (s->blocks_done == 1 && s->pad != nullptr &&
            (s->pad->id == PAD_ID_PKCS1 || s->pad->id == PAD_ID_PKCS1_NULL))
            ut_diag(UT_HERE, BSAPI_ERR_PKCS1_WARNING, UT_SEV_RECOVER,
                    "warning: shouldn't use pkcs-1 padding to encrypt more than one block");
        uint8_t* out = chain_reserve(s, s->k);
        if (out == nullptr)
            return -1;
        if (rsa_pad_encrypt(s, in, len, out, 0) != 0)
            return -1;
        s->tail->len += s->k;
    } else {
        if (len != s->k) {
            ut_diag(UT_HERE, BSAPI_ERR_CODEC, UT_SEV_RECOVER, "ciphertext is incompatible with key");
            return -1;
        }
        uint8_t* out = chain_reserve(s, s->k - 1);
        if (out == nullptr)
            return -1;
        if (rsa_block(s, in, s->k, out, s->k - 1, true) != 0) {
            ut_diag(UT_HERE, BSAPI_ERR_CODEC, UT_SEV_RECOVER, "decryption failure");
            return -1;
        }
        uint32_t keep = s->k - 1;
        if (s->pad != nullptr) {
            if (s->pad->unpad(out, &keep, s->k - 1, 1) != 0) {
                ut_diag(UT_HERE, BSAPI_ERR_PADDING, UT_SEV_RECOVER, "unpadding (decrypt?) failed)");
                return -1;
            }
            if (keep > s->data_block) {
                ut_diag(UT_HERE, BSAPI_ERR_PADDING, UT_SEV_RECOVER, "unpadded block is wrong length");
                return -1;
            }
        }
        s->tail->len += keep;
    }
    ++s->blocks_done;
    return 0;
}

int flush(rsa_session* s)
{
    if (transform(s, s->buf, s->nbuf) != 0) {
        ut_diag(UT_HERE, BSAPI_ERR_CODEC, UT_SEV_RECOVER, "RSA encrypt/decrypt failed");
        return -1;
    }
    s->nbuf = 0;
    return 0;
}

} // namespace

rsa_session* bsapi_start_rsa(const rsa_param* param, prng* g, const bsapi_key* key)
{
    if (param == nullptr || key == nullptr || key->keys == nullptr || key->nkeys == 0 ||
        key->keys[0].data == nullptr) {
        ut_diag(UT_HERE, BSAPI_ERR_PARAM, UT_SEV_RECOVER, "null %s",
                param == nullptr ? "parameter block" : key == nullptr ? "key set" : key->keys == nullptr ? "key list" : "key.data");
        return nullptr;
    }
    if (param->direction < BSAPI_ENCRYPT || param->direction > BSAPI_VERIFY) {
        ut_diag(UT_HERE, BSAPI_ERR_PARAM, UT_SEV_RECOVER, "bad direction (%d)", param->direction);
        return nullptr;
    }
    auto* s = static_cast<rsa_session*>(ut_alloc(UT_HERE, sizeof(rsa_session)));
    if (s == nullptr) {
        ut_diag(UT_HERE, BSAPI_ERR_NO_MEMORY, UT_SEV_RECOVER, "out of memory");
        return nullptr;
    }
    std::memset(s, 0, sizeof *s);
    s->direction = param->direction;
    s->rng = g;
    s->pad = key->padding;
    const uint8_t* end = rsa_ber_key2key(key->keys[0].data, key->keys[0].used, &s->key);
    if (end == nullptr || s->key == nullptr) {
        s->key = nullptr;
        ut_diag(UT_HERE, BSAPI_ERR_CODEC, UT_SEV_RECOVER, "ASN.1 decoding problem");
        rsa_free(s);
        return nullptr;
    }
    if (!key_usable(s->key)) {
        ut_diag(UT_HERE, BSAPI_ERR_CODEC, UT_SEV_RECOVER, "unusable key (modulus of %d bits)",
                s->key->n ? mpm_arc_bitlen(s->key->n) : 0);
        rsa_free(s);
        return nullptr;
    }
    // Decryption is bounded by what the encrypting side could put in a block,
    // verification by what the signing side could.
    const bool sign_side = s->direction == BSAPI_SIGN || s->direction == BSAPI_VERIFY;
    s->overhead = s->pad != nullptr ? s->pad->overhead(sign_side ? 1 : 0) : 0;
    s->k = s->key->bits / 8 + 1;
    s->data_block = s->k - 1 - s->overhead;
    if (s->direction == BSAPI_ENCRYPT || s->direction == BSAPI_DECRYPT) {
        s->in_block = s->direction == BSAPI_ENCRYPT ? s->data_block : s->k;
        // Encryption pads in place, so the buffer holds a whole padded block.
        s->buf = static_cast<uint8_t*>(ut_alloc(UT_HERE, s->k));
        if (s->buf == nullptr) {
            ut_diag(UT_HERE, BSAPI_ERR_NO_MEMORY, UT_SEV_RECOVER, "out of memory");
            rsa_free(s);
            return nullptr;
        }
        return s;
    }
    s->hash = param->hash != nullptr ? param->hash : &hash_md5;
    if (s->pad == nullptr || s->pad->id != PAD_ID_VELMARINE_RSA) {
        s->hctx = s->hash->new_ctx(0);
        if (s->hctx == nullptr) {
            ut_diag(UT_HERE, BSAPI_ERR_CODEC, UT_SEV_RECOVER, "couldn't start hash session");
            rsa_free(s);
            return nullptr;
        }
    }
    return s;
}

int bsapi_append_rsa(rsa_session* s, const uint8_t* data, uint32_t len)
{
    if (s == nullptr || (data == nullptr && len > 0)) {
        ut_diag(UT_HERE, BSAPI_ERR_PARAM, UT_SEV_RECOVER, "bsapi_append_rsa() called with null %s",
                s == nullptr ? "session" : "input pointer");
        return -1;
    }
    if (s->direction == BSAPI_SIGN || s->direction == BSAPI_VERIFY) {
        if (s->hctx == nullptr) {
            ut_diag(UT_HERE, BSAPI_ERR_PARAM, UT_SEV_RECOVER, "Hash data already read into RSA session");
            return -1;
        }
        for (uint32_t off = 0; off < len;) {
            const uint32_t n = std::min<uint32_t>(len - off, 1u << 24);
            s->hash->append(data + off, n * 8, s->hctx);
            off += n;
        }
        return 0;
    }
    // Encryption keeps a full block until more data arrives, so that the last
    // block is always padded at finish and a message that fills its block
    // exactly needs no extra block of padding alone.
    const bool keep_last = s->direction == BSAPI_ENCRYPT;
    while (len > 0) {
        if (s->nbuf == s->in_block && flush(s) != 0)
            return -1;
        const uint32_t take = std::min(len, s->in_block - s->nbuf);
        std::memcpy(s->buf + s->nbuf, data, take);
        s->nbuf += take;
        data += take;
        len -= take;
    }
    if (!keep_last && s->nbuf == s->in_block && flush(s) != 0)
        return -1;
    return 0;
}

int bsapi_finish_rsa(rsa_session* s, ut_chain** out)
{
    if (s == nullptr) {
        ut_diag(UT_HERE, BSAPI_ERR_PARAM, UT_SEV_RECOVER, "bsapi_finish_rsa() called with null session");
        return -1;
    }
    if (out != nullptr)
        *out = nullptr;
    int rc = 0;
    if (s->direction == BSAPI_SIGN) {
        rc = rsa_finish_sign(s, out);
    } else if (s->direction == BSAPI_VERIFY) {
        rc = rsa_finish_verify(s);
    } else if (s->direction == BSAPI_ENCRYPT) {
        if ((s->nbuf > 0 || (s->pad != nullptr && s->blocks_done == 0)) && transform(s, s->buf, s->nbuf) != 0)
            rc = -1;
    } else {
        if (s->nbuf > 0) {
            ut_diag(UT_HERE, BSAPI_ERR_TRAILING, UT_SEV_RECOVER, "%d trailing ciphertext octets", int(s->nbuf));
            rc = -1;
        } else if (s->pad != nullptr && s->blocks_done == 0) {
            ut_diag(UT_HERE, BSAPI_ERR_PADDING, UT_SEV_RECOVER, "unable to identify padding");
            rc = -1;
        }
    }
    if (rc != -1 && out != nullptr && (s->direction == BSAPI_ENCRYPT || s->direction == BSAPI_DECRYPT)) {
        *out = take_chain(s);
    }
    rsa_free(s);
    return rc;
}

ut_chain* bsapi_read_rsa(rsa_session* s)
{
    if (s == nullptr) {
        ut_diag(UT_HERE, BSAPI_ERR_PARAM, UT_SEV_RECOVER, "bsapi_read_rsa() called with null session");
        return nullptr;
    }
    if (s->direction != BSAPI_ENCRYPT && s->direction != BSAPI_DECRYPT)
        return nullptr;
    return take_chain(s);
}

void bsapi_kill_rsa(rsa_session* s)
{
    if (s == nullptr) {
        ut_diag(UT_HERE, BSAPI_ERR_PARAM, UT_SEV_RECOVER, "bsapi_kill_rsa() called with null session");
        return;
    }
    rsa_free(s);
}
