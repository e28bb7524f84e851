// Signing and verifying finish of the RSA session: the digest in the PKCS #1
// DigestInfo form, enciphered with the private key into one BER BIT STRING,
// and the reverse check with the public key.

#include "bsapi/rsa_session.h"

#include <cstring>
#include <vector>

namespace mox::bsapi {
namespace {

// AlgorithmIdentifier { OID, NULL } of the two digests that carry one.
constexpr uint8_t kMd5AlgId[] = {0x30, 0x0c, 0x06, 0x08, 0x2a, 0x86, 0x48, 0x86, 0xf7, 0x0d, 0x02, 0x05, 0x05, 0x00};
constexpr uint8_t kSha1AlgId[] = {0x30, 0x09, 0x06, 0x05, 0x2b, 0x0e, 0x03, 0x02, 0x1a, 0x05, 0x00};

using Bytes = std::vector<uint8_t>;

// The digest of the session: from its digest session, or the one handed over.
bool take_digest(rsa_session* s, Bytes& out)
{
    if (s->hctx != nullptr) {
        uint32_t bits = 0;
        uint8_t* d = s->hash->finish(s->hctx, &bits);
        s->hctx = nullptr;
        if (d != nullptr) {
            out.assign(d, d + bits / 8);
            ut_free(UT_HERE, d);
            return true;
        }
    } else if (s->digest.data != nullptr) {
        out.assign(s->digest.data, s->digest.data + s->digest.used);
        return true;
    }
    ut_diag(UT_HERE, BSAPI_ERR_CODEC, UT_SEV_RECOVER, "unable to finish hash session");
    return false;
}

bool encode_digest(const rsa_session* s, const Bytes& digest, Bytes& out)
{
    const uint32_t used = uint32_t(digest.size());
    const uint8_t* data = digest.empty() ? reinterpret_cast<const uint8_t*>("") : digest.data();
    const uint32_t size = used == 0 ? 1 : used;
    const uint32_t olen = ut_sizeof_mblk2beroctetstring(data, size, used);
    Bytes octets(olen);
    if (olen == 0 || ut_mblk2beroctetstring(data, size, used, octets.data()) == octets.data()) {
        ut_diag(UT_HERE, BSAPI_ERR_CODEC, UT_SEV_RECOVER, "%s() failed", "ut_mblk2beroctetstring");
        return false;
    }
    const uint8_t* algid = nullptr;
    size_t alen = 0;
    if (s->hash == &hash_md5) {
        algid = kMd5AlgId;
        alen = sizeof kMd5AlgId;
    } else if (s->hash == &hash_sha) {
        algid = kSha1AlgId;
        alen = sizeof kSha1AlgId;
    }
    if (algid == nullptr) {
        out = octets;
        return true;
    }
    const uint32_t inner = uint32_t(alen + octets.size());
    out.assign(1 + ut_sizeof_size2len(inner), 0);
    out[0] = 0x30;
    ut_size2len(inner, out.data() + 1);
    out.insert(out.end(), algid, algid + alen);
    out.insert(out.end(), octets.begin(), octets.end());
    return true;
}

// Reads the digest out of recovered signature data: a DigestInfo or a bare OCTET STRING.
bool decode_digest(const Bytes& data, Bytes& digest)
{
    const uint8_t* p = data.data();
    const uint8_t* end = p + data.size();
    int type = 0;
    uint32_t len = 0;
    if (!data.empty() && data[0] == 0x30) {
        const uint8_t* seq = ut_ber_header(p, end, &type, &len);
        const uint8_t* alg = seq ? ut_ber_header(seq, end, &type, &len) : nullptr;
        if (alg == nullptr || type != UT_SEQUENCE) {
            ut_diag(UT_HERE, BSAPI_ERR_SIGNATURE, UT_SEV_RECOVER, "Decrypted hash is corrupt");
            return false;
        }
        p = alg + len;
    }
    mblk b{nullptr, 0, 0};
    if (ut_beroctetstring2mblk(p, size_t(end - p), &b) == nullptr) {
        ut_diag(UT_HERE, BSAPI_ERR_SIGNATURE, UT_SEV_RECOVER, "couldn't decode message digest (octetstring)");
        ut_free_mblk(UT_HERE, &b);
        return false;
    }
    digest.assign(b.data, b.data + b.used);
    ut_free_mblk(UT_HERE, &b);
    return true;
}

} // namespace

int rsa_finish_sign(rsa_session* s, ut_chain** out)
{
    Bytes digest, enc;
    if (!take_digest(s, digest) || !encode_digest(s, digest, enc))
        return -1;
    Bytes blocks;
    Bytes block(s->k - 1), cipher(s->k);
    for (size_t off = 0; off < enc.size() || off == 0; off += s->data_block) {
        const uint32_t n = uint32_t(std::min<size_t>(enc.size() - off, s->data_block));
        std::memcpy(block.data(), enc.data() + off, n);
        if (rsa_pad_encrypt(s, block.data(), n, cipher.data(), 1) != 0) {
            ut_diag(UT_HERE, BSAPI_ERR_CODEC, UT_SEV_RECOVER, "encrypt failure");
            return -1;
        }
        blocks.insert(blocks.end(), cipher.begin(), cipher.end());
    }
    const uint32_t used = uint32_t(blocks.size());
    const uint32_t size = ut_sizeof_mblk2berbitstring(blocks.data(), used, used);
    uint8_t* dst = size ? chain_reserve(s, size) : nullptr;
    if (dst == nullptr || ut_mblk2berbitstring(blocks.data(), used, used, dst) == dst) {
        ut_diag(UT_HERE, BSAPI_ERR_CODEC, UT_SEV_RECOVER, "couldn't encode digest");
        return -1;
    }
    s->tail->len += size;
    if (out != nullptr)
        *out = take_chain(s);
    return 0;
}

int rsa_finish_verify(rsa_session* s)
{
    if (s->signature.data == nullptr) {
        ut_diag(UT_HERE, BSAPI_ERR_SIGNATURE, UT_SEV_RECOVER, "bsapi_finish_rsa() called with null signature (verifying)");
        return -1;
    }
    Bytes digest;
    if (!take_digest(s, digest))
        return -1;
    mblk sig{nullptr, 0, 0};
    const uint8_t* sp = s->signature.data;
    if (ut_berbitstring2mblk(sp, sp + s->signature.used, &sig) == nullptr) {
        ut_free_mblk(UT_HERE, &sig);
        ut_diag(UT_HERE, BSAPI_ERR_SIGNATURE, UT_SEV_RECOVER, "couldn't decode signature");
        return -1;
    }
    if (sig.used == 0 || sig.used % s->k != 0) {
        ut_free_mblk(UT_HERE, &sig);
        ut_diag(UT_HERE, BSAPI_ERR_SIGNATURE, UT_SEV_RECOVER, "signature incompatible with key");
        return -1;
    }
    Bytes data, block(s->k - 1);
    for (uint32_t off = 0; off < sig.used; off += s->k) {
        uint32_t keep = s->k - 1;
        if (rsa_block(s, sig.data + off, s->k, block.data(), s->k - 1, true) != 0) {
            ut_free_mblk(UT_HERE, &sig);
            ut_diag(UT_HERE, BSAPI_ERR_SIGNATURE, UT_SEV_RECOVER, "couldn't decrypt signature");
            return -1;
        }
        if (s->pad != nullptr && (s->pad->unpad(block.data(), &keep, s->k - 1, 0) != 0 || keep > s->k - 1)) {
            ut_free_mblk(UT_HERE, &sig);
            ut_diag(UT_HERE, BSAPI_ERR_PADDING, UT_SEV_RECOVER, "unpadding failed");
            return -1;
        }
        data.insert(data.end(), block.begin(), block.begin() + keep);
    }
    ut_free_mblk(UT_HERE, &sig);
    Bytes recovered;
    if (!decode_digest(data, recovered))
        return -1;
    if (recovered != digest) {
        ut_diag(UT_HERE, BSAPI_ERR_SIGNATURE, UT_SEV_RECOVER, "digests don't match");
        return 1;
    }
    return 0;
}

} // namespace mox::bsapi

namespace {

int store(rsa_session* s, mblk* dst, const uint8_t* p, uint32_t len, bool sign_or_verify_only)
{
    if (s == nullptr || p == nullptr || len == 0) {
        ut_diag(UT_HERE, BSAPI_ERR_PARAM, UT_SEV_RECOVER, "null %s", s == nullptr ? "session" : "input pointer");
        return -1;
    }
    if (sign_or_verify_only && s->direction != BSAPI_SIGN && s->direction != BSAPI_VERIFY)
        return -1;
    if (ut_ensure_mblk(UT_HERE, dst, len) != 0)
        return -1;
    std::memcpy(dst->data, p, len);
    dst->used = len;
    return 0;
}

} // namespace

int bsapi_rsa_set_signature(rsa_session* s, const uint8_t* sig, uint32_t len)
{
    if (s != nullptr && s->direction != BSAPI_VERIFY)
        return -1;
    return store(s, s ? &s->signature : nullptr, sig, len, true);
}

int bsapi_rsa_set_digest(rsa_session* s, const uint8_t* digest, uint32_t len)
{
    if (store(s, s ? &s->digest : nullptr, digest, len, true) != 0)
        return -1;
    if (s->hctx != nullptr) {
        s->hash->kill(s->hctx);
        s->hctx = nullptr;
    }
    return 0;
}
