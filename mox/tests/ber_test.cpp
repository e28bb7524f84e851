// BER codecs of keys, integers, object and algorithm identifiers: fixed vectors, round trips,
// and refusal of damaged or truncated input.
#include "mox/algid.h"
#include "mox/mpm.h"
#include "mox/rsa.h"
#include "mox/ut.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

// The 74-byte public key: 512-bit modulus (top byte 0xC5), exponent 65537.
Bytes publicKeyBlob()
{
    Bytes b = { 0x30, 0x48, 0x02, 0x41, 0x00 };
    for (int i = 0; i < 64; ++i)
        b.push_back(static_cast<uint8_t>(i == 0 ? 0xC5 : i * 7 + 1));
    for (uint8_t x : { 0x02, 0x03, 0x01, 0x00, 0x01 })
        b.push_back(x);
    return b;
}

Bytes encodeKey(const rsa_key* k)
{
    Bytes out(rsa_sizeof_key2berkey(k));
    EXPECT_EQ(rsa_key2berkey(k, out.data()), out.data() + out.size());
    return out;
}

Bytes encodeInteger(long v)
{
    mpm_mach* m = mpm_new_mach();
    mpm_ltompm(m, 0, v);
    mpm_arc* a = mpm_backup(m, 0, 0);
    mpm_free_mach(m);
    Bytes out(mpm_sizeof_arc2berinteger(a));
    mpm_arc2berinteger(a, out.data());
    mpm_arc_free(a);
    return out;
}

rsa_key* readKey(const Bytes& b, const uint8_t** end = nullptr)
{
    rsa_key* k = nullptr;
    const uint8_t* e = rsa_ber_key2key(b.data(), b.size(), &k);
    if (end)
        *end = e;
    return k;
}

} // namespace

TEST(BerVectors, IntegersEncodeMinimally)
{
    EXPECT_EQ(encodeInteger(127), (Bytes { 0x02, 0x01, 0x7F }));
    EXPECT_EQ(encodeInteger(128), (Bytes { 0x02, 0x02, 0x00, 0x80 }));
    EXPECT_EQ(encodeInteger(0), (Bytes { 0x02, 0x01, 0x00 }));
    EXPECT_EQ(encodeInteger(256), (Bytes { 0x02, 0x02, 0x01, 0x00 }));
    EXPECT_EQ(encodeInteger(-1), (Bytes { 0x02, 0x01, 0xFF }));
    Bytes neg = { 0x02, 0x02, 0xFF, 0x7F }; // -129
    mpm_arc* a = nullptr;
    ASSERT_EQ(mpm_berinteger2arc(neg.data(), neg.data() + neg.size(), &a), neg.data() + neg.size());
    mpm_mach* m = mpm_new_mach();
    mpm_restore(m, 0, a, 0);
    EXPECT_EQ(mpm_tolong(m, 0), -129);
    mpm_free_mach(m);
}

TEST(BerVectors, PublicKeyBlobReadsAndWritesBack)
{
    Bytes blob = publicKeyBlob();
    ASSERT_EQ(blob.size(), 74u);
    const uint8_t* end = nullptr;
    rsa_key* k = readKey(blob, &end);
    ASSERT_NE(k, nullptr);
    EXPECT_EQ(end, blob.data() + blob.size());
    EXPECT_EQ(k->form, 0u);
    EXPECT_EQ(k->bits, 504u);
    EXPECT_EQ(k->fermat, 5u);
    EXPECT_EQ(encodeKey(k), blob);
    // Written from the Fermat index alone, the exponent is the same three bytes.
    mpm_arc_free(k->exp);
    k->exp = nullptr;
    EXPECT_EQ(encodeKey(k), blob);
    rsa_free_key(k);
}

TEST(BerVectors, FermatIndexOfReadExponents)
{
    struct Case {
        Bytes exp;
        uint32_t fermat;
    } cases[] = { { { 0x03 }, 1 }, { { 0x05 }, 2 }, { { 0x11 }, 3 }, { { 0x01, 0x01 }, 4 },
        { { 0x01, 0x00, 0x01 }, 5 }, { { 0x07 }, 0 }, { { 0x01, 0x00, 0x03 }, 0 }, { { 0x01 }, 0 },
        { { 0x00, 0x81 }, 0 } };
    for (const Case& c : cases) {
        Bytes blob = { 0x30, 0x00, 0x02, 0x01, 0x7F, 0x02, static_cast<uint8_t>(c.exp.size()) };
        blob.insert(blob.end(), c.exp.begin(), c.exp.end());
        blob[1] = static_cast<uint8_t>(blob.size() - 2);
        rsa_key* k = readKey(blob);
        ASSERT_NE(k, nullptr);
        EXPECT_EQ(k->fermat, c.fermat) << int(c.exp.back());
        rsa_free_key(k);
    }
}

TEST(BerVectors, ObjectIdentifierOfRsaEncryption)
{
    const objid* oid = algid_entry_oid(11);
    ASSERT_NE(oid, nullptr);
    Bytes out(objid_sizeof_ber(oid));
    ASSERT_EQ(objid_to_ber(oid, out.data()), out.data() + out.size());
    EXPECT_EQ(out, (Bytes { 0x06, 0x09, 0x2A, 0x86, 0x48, 0x86, 0xF7, 0x0D, 0x01, 0x01, 0x01 }));
    objid* back = nullptr;
    ASSERT_EQ(objid_from_ber(out.data(), out.data() + out.size(), &back), out.data() + out.size());
    EXPECT_EQ(objid_cmp(back, oid), 0);
    EXPECT_EQ(back->owned, 1u);
    EXPECT_STREQ(algid_lookup(back)->name, "rsaEncryption");
    objid_free(back);
}

TEST(BerVectors, LookupFindsEveryEntryAndDefaultsOtherwise)
{
    for (int i = 0; i < ALGID_TABLE_SIZE; ++i) {
        EXPECT_EQ(algid_lookup(algid_entry_oid(i)), &algid_table()[i]) << i;
        if (i > 0) {
            EXPECT_LT(objid_cmp(algid_entry_oid(i - 1), algid_entry_oid(i)), 0) << i;
        }
    }
    const uint32_t unknownArcs[] = { 1, 2, 3 };
    objid unknown { 3, 0, unknownArcs };
    EXPECT_STREQ(algid_lookup(&unknown)->name, "default (md5withRSAEncryption)");
    EXPECT_STREQ(algid_lookup(nullptr)->name, "default (md5withRSAEncryption)");
}

TEST(BerVectors, AlgorithmIdentifiersWithNullAndIvParameters)
{
    algid sha { algid_entry_oid(10), nullptr, nullptr };
    Bytes out(algid_sizeof_ber(&sha));
    ASSERT_EQ(algid_to_ber(&sha, out.data()), out.data() + out.size());
    EXPECT_EQ(out, (Bytes { 0x30, 0x09, 0x06, 0x05, 0x2B, 0x0E, 0x03, 0x02, 0x1A, 0x05, 0x00 }));
    algid back {};
    ASSERT_EQ(algid_from_ber(out.data(), out.data() + out.size(), &back), out.data() + out.size());
    EXPECT_STREQ(back.entry->name, "sha-1 (ANSI-style)");
    algid_free(&back);

    uint8_t ivBytes[8] = { 1, 2, 3, 4, 5, 6, 7, 8 };
    mblk iv { ivBytes, 8, 8 };
    algid des { algid_entry_oid(9), &iv, nullptr };
    Bytes enc(algid_sizeof_ber(&des));
    ASSERT_EQ(algid_to_ber(&des, enc.data()), enc.data() + enc.size());
    EXPECT_EQ(Bytes(enc.end() - 10, enc.end()), (Bytes { 0x04, 0x08, 1, 2, 3, 4, 5, 6, 7, 8 }));
    ASSERT_EQ(algid_from_ber(enc.data(), enc.data() + enc.size(), &back), enc.data() + enc.size());
    ASSERT_NE(back.params, nullptr);
    EXPECT_EQ(back.entry->params.compare(back.params, &iv), 0);
    algid copy {};
    ASSERT_EQ(algid_copy(&copy, &back), 1);
    EXPECT_NE(copy.oid, back.oid); // owned identifiers are deep-copied
    EXPECT_EQ(copy.entry->params.compare(copy.params, back.params), 0);
    algid_free(&copy);
    algid_free(&back);

    algid noIv { algid_entry_oid(9), nullptr, nullptr };
    uint8_t buf[32];
    EXPECT_EQ(algid_to_ber(&noIv, buf), nullptr);
}

TEST(BerVectors, KeyBlobsWithExtraOrMissingBytesAreRefused)
{
    Bytes blob = publicKeyBlob();
    Bytes extra = blob;
    extra[1] = 0x49;
    extra.push_back(0x00);
    ut_errlist_clear();
    EXPECT_EQ(readKey(extra), nullptr);
    EXPECT_EQ(ut_last_error(), 0x240301u);
    // Every truncation fails cleanly.
    for (size_t n = 0; n < blob.size(); ++n) {
        Bytes cut(blob.begin(), blob.begin() + n);
        EXPECT_EQ(readKey(cut), nullptr) << n;
    }
    Bytes wrongTag = blob;
    wrongTag[0] = 0x04;
    EXPECT_EQ(readKey(wrongTag), nullptr);
    EXPECT_EQ(ut_last_error(), 0x240200u);
}

TEST(BerVectors, BitStringWrappedKeys)
{
    Bytes blob = publicKeyBlob();
    Bytes wrapped = { 0x03, 0x4B, 0x00 };
    wrapped.insert(wrapped.end(), blob.begin(), blob.end());
    rsa_key* k = readKey(wrapped);
    ASSERT_NE(k, nullptr);
    EXPECT_EQ(k->form, 0u);
    EXPECT_EQ(k->fermat, 5u);
    EXPECT_EQ(encodeKey(k), blob);
    rsa_free_key(k);

    Bytes partial = wrapped;
    partial[2] = 0x03;
    EXPECT_EQ(readKey(partial), nullptr);
    Bytes longer = wrapped;
    longer[1] = 0x4C;
    longer.push_back(0x00); // the sequence ends before the bit string does
    EXPECT_EQ(readKey(longer), nullptr);
    EXPECT_EQ(ut_last_error(), 0x240300u);

    // A private key in the wrapped form: n, d, p, q, dP, dQ, qInv.
    Bytes priv = { 0x30, 0x00 };
    for (int v : { 77, 43, 7, 11, 1, 3, 8 })
        for (uint8_t x : encodeInteger(v))
            priv.push_back(x);
    priv[1] = static_cast<uint8_t>(priv.size() - 2);
    Bytes wrappedPriv = { 0x03, static_cast<uint8_t>(priv.size() + 1), 0x00 };
    wrappedPriv.insert(wrappedPriv.end(), priv.begin(), priv.end());
    k = readKey(wrappedPriv);
    ASSERT_NE(k, nullptr);
    EXPECT_EQ(k->form, 1u);
    EXPECT_EQ(mpm_arc_bitlen(k->e), 1); // e = 0
    rsa_free_key(k);
}

// Each reader is handed exactly the bytes it may read (a heap copy of that size, so a read past
// it is caught by the sanitizer): a whole encoding is read to its end, every shorter prefix and
// an outer length one byte longer than what follows are refused, and nothing stays allocated.
TEST(BerVectors, EveryReaderRefusesTruncationAndLengthsPastTheEnd)
{
    using Reader = const uint8_t* (*)(const uint8_t*, size_t);
    const Reader key = [](const uint8_t* p, size_t n) {
        rsa_key* k = nullptr;
        const uint8_t* e = rsa_ber_key2key(p, n, &k);
        rsa_free_key(k);
        return e;
    };
    const Reader integer = [](const uint8_t* p, size_t n) {
        mpm_arc* a = nullptr;
        const uint8_t* e = mpm_berinteger2arc(p, p + n, &a);
        mpm_arc_free(a);
        return e;
    };
    const Reader oid = [](const uint8_t* p, size_t n) {
        objid* o = nullptr;
        const uint8_t* e = objid_from_ber(p, p + n, &o);
        objid_free(o);
        return e;
    };
    const Reader alg = [](const uint8_t* p, size_t n) {
        algid a {};
        const uint8_t* e = algid_from_ber(p, p + n, &a);
        algid_free(&a);
        return e;
    };
    const Reader octets = [](const uint8_t* p, size_t n) {
        mblk b {};
        const uint8_t* e = ut_beroctetstring2mblk(p, n, &b);
        ut_free_mblk(UT_HERE, &b);
        return e;
    };
    const Reader bits = [](const uint8_t* p, size_t n) {
        mblk b {};
        const uint8_t* e = ut_berbitstring2mblk(p, p + n, &b);
        ut_free_mblk(UT_HERE, &b);
        return e;
    };

    // PKCS #1 private key: version, n, e, d, p, q, dP, dQ, qInv.
    Bytes priv = { 0x30, 0x00 };
    for (int v : { 0, 77, 7, 43, 7, 11, 1, 3, 8 })
        for (uint8_t x : encodeInteger(v))
            priv.push_back(x);
    priv[1] = static_cast<uint8_t>(priv.size() - 2);
    // The bit string wrapped private form: n, d, p, q, dP, dQ, qInv.
    Bytes shortPriv = { 0x30, 0x00 };
    for (int v : { 77, 43, 7, 11, 1, 3, 8 })
        for (uint8_t x : encodeInteger(v))
            shortPriv.push_back(x);
    shortPriv[1] = static_cast<uint8_t>(shortPriv.size() - 2);
    Bytes wrappedPriv = { 0x03, static_cast<uint8_t>(shortPriv.size() + 1), 0x00 };
    wrappedPriv.insert(wrappedPriv.end(), shortPriv.begin(), shortPriv.end());
    Bytes wrapped = { 0x03, 0x4B, 0x00 };
    const Bytes pub = publicKeyBlob();
    wrapped.insert(wrapped.end(), pub.begin(), pub.end());
    uint8_t ivBytes[8] = { 1, 2, 3, 4, 5, 6, 7, 8 };
    mblk iv { ivBytes, 8, 8 };
    algid des { algid_entry_oid(9), &iv, nullptr };
    Bytes desAlg(algid_sizeof_ber(&des));
    ASSERT_EQ(algid_to_ber(&des, desAlg.data()), desAlg.data() + desAlg.size());
    algid sha { algid_entry_oid(10), nullptr, nullptr };
    Bytes shaAlg(algid_sizeof_ber(&sha));
    ASSERT_EQ(algid_to_ber(&sha, shaAlg.data()), shaAlg.data() + shaAlg.size());

    const struct {
        const char* name;
        Reader read;
        Bytes enc;
    } cases[] = {
        { "public key", key, pub },
        { "private key", key, priv },
        { "wrapped public key", key, wrapped },
        { "wrapped private key", key, wrappedPriv },
        { "integer", integer, { 0x02, 0x03, 0x01, 0x00, 0x01 } },
        { "object identifier", oid, { 0x06, 0x09, 0x2A, 0x86, 0x48, 0x86, 0xF7, 0x0D, 0x01, 0x01, 0x01 } },
        { "algorithm with IV", alg, desAlg },
        { "algorithm with NULL", alg, shaAlg },
        { "octet string", octets, { 0x04, 0x04, 0xDE, 0xAD, 0xBE, 0xEF } },
        { "bit string", bits, { 0x03, 0x03, 0x00, 0xA5, 0x5A } },
    };
    const int held = ut_mem_held();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_LT(c.enc[1], 0x7F); // short-form lengths, so one byte more still is one
        {
            const auto whole = std::make_unique<uint8_t[]>(c.enc.size());
            std::copy(c.enc.begin(), c.enc.end(), whole.get());
            EXPECT_EQ(c.read(whole.get(), c.enc.size()), whole.get() + c.enc.size());
        }
        for (size_t n = 0; n < c.enc.size(); ++n) {
            const auto cut = std::make_unique<uint8_t[]>(n);
            std::copy(c.enc.begin(), c.enc.begin() + static_cast<long>(n), cut.get());
            EXPECT_EQ(c.read(cut.get(), n), nullptr) << n << " of " << c.enc.size() << " bytes";
        }
        Bytes longer = c.enc;
        ++longer[1];
        const auto past = std::make_unique<uint8_t[]>(longer.size());
        std::copy(longer.begin(), longer.end(), past.get());
        EXPECT_EQ(c.read(past.get(), longer.size()), nullptr) << "length one past the end";
    }
    EXPECT_EQ(ut_mem_held(), held);
}
