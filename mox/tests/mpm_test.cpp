// The register machine: flag semantics, edge cases, and differential runs against GMP over
// thousands of random signed operands.
#include "mox/mpm.h"
#include "mox/prng.h"
#include "mox/ut.h"
#include "mox/utmpm.h"

#include <gmp.h>
#include <gtest/gtest.h>
#include <openssl/asn1.h>
#include <openssl/bn.h>

#include <memory>
#include <random>
#include <string>
#include <vector>

namespace {

struct MachFree {
    void operator()(mpm_mach* m) const { mpm_free_mach(m); }
};
using Mach = std::unique_ptr<mpm_mach, MachFree>;

// An mpz_t with a destructor.
struct Z {
    mpz_t v;
    Z() { mpz_init(v); }
    explicit Z(const char* s) { mpz_init_set_str(v, s, 0); }
    ~Z() { mpz_clear(v); }
    Z(const Z&) = delete;
    Z& operator=(const Z&) = delete;
};

void put(mpm_mach* m, int r, const mpz_t z)
{
    size_t n = 0;
    std::vector<uint8_t> bytes((mpz_sizeinbase(z, 2) + 7) / 8 + 1);
    mpz_export(bytes.data(), &n, -1, 1, 0, 0, z);
    ASSERT_EQ(mpm_load(m, r, mpz_sgn(z) >= 0, n, bytes.data()), 1);
}

void get(const mpm_mach* m, int r, mpz_t z)
{
    std::vector<uint8_t> bytes(mpm_bytelen(m, r));
    long n = mpm_store(m, r, bytes.data(), bytes.size());
    ASSERT_GE(n, 0);
    mpz_import(z, static_cast<size_t>(n), -1, 1, 0, 0, bytes.data());
    if (m->reg[r].sign == 0)
        mpz_neg(z, z);
}

std::string str(const mpz_t z)
{
    std::unique_ptr<char, void (*)(void*)> s(mpz_get_str(nullptr, 16, z), free);
    return s.get();
}

// Random operand: up to maxDigits 32-bit digits, with runs of all-ones and zeros to reach the
// carry and correction paths, and a random sign.
void randomZ(std::mt19937_64& rng, mpz_t z, int maxDigits, bool allowNegative = true)
{
    int digits = static_cast<int>(rng() % maxDigits) + 1;
    mpz_set_ui(z, 0);
    for (int i = 0; i < digits; ++i) {
        uint32_t d;
        switch (rng() % 4) {
        case 0:
            d = 0xFFFFFFFFu;
            break;
        case 1:
            d = 0;
            break;
        default:
            d = static_cast<uint32_t>(rng());
        }
        mpz_mul_2exp(z, z, 32);
        mpz_add_ui(z, z, d);
    }
    if (allowNegative && (rng() & 1))
        mpz_neg(z, z);
}

void expectReg(const mpm_mach* m, int r, const mpz_t want, const char* what, int iteration)
{
    Z got;
    get(m, r, got.v);
    ASSERT_EQ(mpz_cmp(got.v, want), 0)
        << what << " #" << iteration << ": got " << str(got.v) << " want " << str(want);
    // Normalised form and flags of the result.
    ASSERT_TRUE(m->reg[r].prec == 1 || m->reg[r].dig[m->reg[r].prec - 1] != 0) << what;
}

} // namespace

TEST(MpmEdges, ZeroIsNeverNegative)
{
    Mach m(mpm_new_mach());
    mpm_ltompm(m.get(), 0, 0);
    mpm_sub(m.get(), 1, 0, 0);
    EXPECT_TRUE(mpm_flag_set(m.get(), MPM_ZERO));
    EXPECT_FALSE(mpm_flag_set(m.get(), MPM_NEGATIVE));
    mpm_ltompm(m.get(), 2, -5);
    EXPECT_TRUE(mpm_flag_set(m.get(), MPM_NEGATIVE));
    mpm_ltompm(m.get(), 3, 5);
    mpm_add(m.get(), 4, 2, 3);
    EXPECT_TRUE(mpm_flag_set(m.get(), MPM_ZERO));
    EXPECT_FALSE(mpm_flag_set(m.get(), MPM_NEGATIVE));
    EXPECT_EQ(m->reg[4].sign, 1);
    mpm_ltompm(m.get(), 5, 3);
    mpm_mul(m.get(), 6, 2, 0); // (-5) * 0
    EXPECT_TRUE(mpm_flag_set(m.get(), MPM_ZERO));
    EXPECT_EQ(m->reg[6].sign, 1);
    EXPECT_EQ(m->reg[6].prec, 1);
    EXPECT_FALSE(mpm_flag_set(m.get(), MPM_FAIL));
}

TEST(MpmEdges, DivisionByZeroSetsOnlyFlagZeroAndComputesNothing)
{
    Mach m(mpm_new_mach());
    mpm_ltompm(m.get(), 0, 100);
    mpm_ltompm(m.get(), 1, 0);
    mpm_ltompm(m.get(), 2, 77);
    EXPECT_EQ(mpm_div(m.get(), 2, 3, 0, 1), 0);
    EXPECT_TRUE(mpm_flag_set(m.get(), MPM_DIVZERO));
    EXPECT_FALSE(mpm_flag_set(m.get(), MPM_FAIL));
    EXPECT_EQ(mpm_tolong(m.get(), 2), 77);
    // The flags are sticky: a later success does not clear them.
    mpm_ltompm(m.get(), 1, 3);
    EXPECT_EQ(mpm_div(m.get(), 2, 3, 0, 1), 1);
    EXPECT_TRUE(mpm_flag_set(m.get(), MPM_DIVZERO));
    // A zero modulus in register 7.
    mpm_ltompm(m.get(), MPM_MOD, 0);
    Mach k(mpm_new_mach());
    mpm_ltompm(k.get(), 0, 5);
    mpm_ltompm(k.get(), MPM_MOD, 0);
    EXPECT_EQ(mpm_expmod(k.get(), 1, 0, 0), 0);
    EXPECT_TRUE(mpm_flag_set(k.get(), MPM_DIVZERO));
    EXPECT_EQ(mpm_mod(k.get(), 1, 0), 0);
}

TEST(MpmEdges, ModularPowerCorners)
{
    Mach m(mpm_new_mach());
    struct Case {
        long base, exp, mod, want;
    } cases[] = {
        { 5, 0, 7, 1 },
        { 5, 0, 8, 1 },
        { 5, 0, 1, 0 },
        { 123, 45, 1, 0 },
        { -2, 3, 7, 6 },
        { 2, 10, 1000, 24 },
        { 3, 4, 2, 1 },
        { 0, 5, 9, 0 },
        { 10, 1, 3, 1 },
    };
    for (const Case& c : cases) {
        mpm_ltompm(m.get(), 0, c.base);
        mpm_ltompm(m.get(), 1, c.exp);
        mpm_ltompm(m.get(), MPM_MOD, c.mod);
        ASSERT_EQ(mpm_expmod(m.get(), 2, 0, 1), 1);
        EXPECT_EQ(mpm_tolong(m.get(), 2), c.want) << c.base << "^" << c.exp << " mod " << c.mod;
    }
    EXPECT_FALSE(mpm_flag_set(m.get(), MPM_FAIL));
}

TEST(MpmEdges, TwoPowerThirtyTwoHasTwoDigits)
{
    Mach m(mpm_new_mach());
    mpm_2_power(m.get(), 0, 32);
    ASSERT_EQ(m->reg[0].prec, 2);
    EXPECT_EQ(m->reg[0].dig[0], 0u);
    EXPECT_EQ(m->reg[0].dig[1], 1u);
    EXPECT_EQ(mpm_bitlen(m.get(), 0), 33);
    EXPECT_EQ(m->reg[0].cap, 9); // capacity grows in steps of nine digits
}

TEST(MpmEdges, LengthsAndClamps)
{
    Mach m(mpm_new_mach());
    mpm_zero(m.get(), 0);
    EXPECT_EQ(mpm_bitlen(m.get(), 0), 1);
    EXPECT_EQ(mpm_bytelen(m.get(), 0), 1);
    EXPECT_EQ(mpm_bitlen(m.get(), 5), 1); // an empty register reads as zero
    mpm_2_power(m.get(), 1, 40);
    EXPECT_EQ(mpm_tolong(m.get(), 1), 2147483647L);
    mpm_ltompm(m.get(), 2, -1);
    mpm_mul(m.get(), 1, 1, 2);
    EXPECT_EQ(mpm_tolong(m.get(), 1), -2147483648L);
    EXPECT_EQ(mpm_odd(m.get(), 2), 1);
    mpm_sub(m.get(), 3, 2, 2);
    EXPECT_EQ(mpm_odd(m.get(), 3), 0);
    uint8_t small[2];
    mpm_2_power(m.get(), 4, 16);
    EXPECT_EQ(mpm_store(m.get(), 4, small, sizeof small), -1);
}

TEST(MpmEdges, SquareRootOfNegativeSetsFlagThreeOnly)
{
    Mach m(mpm_new_mach());
    mpm_ltompm(m.get(), 0, -4);
    mpm_ltompm(m.get(), 1, 99);
    EXPECT_EQ(mpm_sqrt(m.get(), 1, 2, 0), 0);
    EXPECT_TRUE(mpm_flag_set(m.get(), MPM_NEGATIVE));
    EXPECT_FALSE(mpm_flag_set(m.get(), MPM_FAIL));
    EXPECT_EQ(mpm_tolong(m.get(), 1), 99);
    for (long v : { 0L, 1L, 2L, 3L, 4L, 15L, 16L, 17L, 1L << 30 }) {
        mpm_ltompm(m.get(), 0, v);
        ASSERT_EQ(mpm_sqrt(m.get(), 1, 2, 0), 1);
        long r = mpm_tolong(m.get(), 1);
        EXPECT_TRUE(r * r <= v && (r + 1) * (r + 1) > v) << v;
        EXPECT_EQ(mpm_flag_set(m.get(), MPM_ZERO), r * r == v ? 1 : 0);
        EXPECT_EQ(mpm_tolong(m.get(), 2), v - r * r);
    }
}

TEST(MpmEdges, InverseFailsWithoutTouchingDestination)
{
    Mach m(mpm_new_mach());
    mpm_ltompm(m.get(), 0, 6);
    mpm_ltompm(m.get(), MPM_MOD, 9);
    mpm_ltompm(m.get(), 1, 1234);
    EXPECT_EQ(utmpm_euclid(m.get(), 1, 0), 0);
    EXPECT_EQ(mpm_tolong(m.get(), 1), 1234);
    EXPECT_FALSE(mpm_flag_set(m.get(), MPM_FAIL));
    mpm_ltompm(m.get(), 0, 7);
    EXPECT_EQ(utmpm_euclid(m.get(), 1, 0), 1);
    EXPECT_EQ(mpm_tolong(m.get(), 1), 4); // 7 * 4 = 28 = 1 mod 9
}

TEST(MpmEdges, RandomInRangeRefusesEmptyAndNegativeRanges)
{
    Mach m(mpm_new_mach());
    std::unique_ptr<prng, void (*)(prng*)> g(prng_new_sys(), prng_free);
    mpm_ltompm(m.get(), 0, 10);
    mpm_ltompm(m.get(), 1, 10);
    mpm_ltompm(m.get(), 2, 42);
    ut_errlist_clear();
    EXPECT_LT(prng_mpm_range(m.get(), 2, 0, 1, g.get()), 0);
    EXPECT_EQ(ut_last_error(), PRNG_ERR_RANGE);
    mpm_ltompm(m.get(), 1, 9);
    EXPECT_LT(prng_mpm_range(m.get(), 2, 0, 1, g.get()), 0);
    EXPECT_EQ(mpm_tolong(m.get(), 2), 42);
    mpm_ltompm(m.get(), 1, 13);
    bool seen[3] = {};
    for (int i = 0; i < 200; ++i) {
        ASSERT_EQ(prng_mpm_range(m.get(), 2, 0, 1, g.get()), 0);
        long v = mpm_tolong(m.get(), 2);
        ASSERT_TRUE(v >= 10 && v < 13);
        seen[v - 10] = true;
    }
    EXPECT_TRUE(seen[0] && seen[1] && seen[2]);
    EXPECT_EQ(mpm_tolong(m.get(), 0), 10);
    EXPECT_EQ(mpm_tolong(m.get(), 1), 13);
}

TEST(MpmEdges, ArcsMoveAndCopy)
{
    int held = ut_mem_held();
    {
        Mach m(mpm_new_mach());
        mpm_2_power(m.get(), 0, 100);
        mpm_arc* copy = mpm_backup(m.get(), 0, 1);
        mpm_arc* moved = mpm_backup(m.get(), 0, 0);
        EXPECT_EQ(m->reg[0].dig, nullptr);
        EXPECT_EQ(mpm_arc_cmp(copy, moved), 0);
        EXPECT_EQ(mpm_arc_bitlen(moved), 101);
        mpm_restore(m.get(), 1, moved, 0);
        EXPECT_EQ(mpm_bitlen(m.get(), 1), 101);
        mpm_restore(m.get(), 2, copy, 1);
        mpm_cmp(m.get(), 1, 2);
        EXPECT_TRUE(mpm_flag_set(m.get(), MPM_ZERO));
        mpm_arc_free(copy);

        const uint8_t be[] = { 0x01, 0x02, 0x03, 0x04, 0x05 };
        mpm_arc* a = mpm_bload_arc(1, sizeof be, be);
        uint8_t out[8];
        EXPECT_EQ(mpm_bstore_arc(a, out, sizeof out), 1);
        EXPECT_EQ(std::vector<uint8_t>(out, out + 8), std::vector<uint8_t>({ 0, 0, 0, 1, 2, 3, 4, 5 }));
        EXPECT_EQ(mpm_bstore_arc(a, out, 4), -1);
        mpm_arc* b = mpm_arc_copy(a);
        EXPECT_EQ(mpm_arc_cmp(a, b), 0);
        mpm_arc* neg = mpm_bload_arc(0, sizeof be, be);
        EXPECT_EQ(mpm_arc_cmp(neg, a), -1);
        EXPECT_EQ(mpm_arc_cmp(a, neg), 1);
        mpm_arc_free(a);
        mpm_arc_free(b);
        mpm_arc_free(neg);
    }
    EXPECT_EQ(ut_mem_held(), held);
}

TEST(MpmEdges, OutOfMemorySetsFailureFlag)
{
    Mach m(mpm_new_mach());
    mpm_ltompm(m.get(), 0, 5);
    ut_mem_fail_after(0);
    mpm_2_power(m.get(), 1, 4000);
    ut_mem_fail_after(-1);
    EXPECT_TRUE(mpm_flag_set(m.get(), MPM_FAIL));
}

TEST(MpmDiff, ArithmeticAgreesWithGmp)
{
    std::mt19937_64 rng(20261210);
    Mach m(mpm_new_mach());
    Z a, b, want, want2, mod;
    for (int i = 0; i < 3000; ++i) {
        randomZ(rng, a.v, 12);
        randomZ(rng, b.v, 12);
        put(m.get(), 0, a.v);
        put(m.get(), 1, b.v);

        mpm_add(m.get(), 2, 0, 1);
        mpz_add(want.v, a.v, b.v);
        expectReg(m.get(), 2, want.v, "add", i);
        EXPECT_EQ(mpm_flag_set(m.get(), MPM_NEGATIVE), mpz_sgn(want.v) < 0);
        mpm_sub(m.get(), 2, 0, 1);
        mpz_sub(want.v, a.v, b.v);
        expectReg(m.get(), 2, want.v, "sub", i);
        mpm_mul(m.get(), 2, 0, 1);
        mpz_mul(want.v, a.v, b.v);
        expectReg(m.get(), 2, want.v, "mul", i);

        mpm_cmp(m.get(), 0, 1);
        int c = mpz_cmp(a.v, b.v);
        EXPECT_EQ(mpm_flag_set(m.get(), MPM_ZERO), c == 0);
        EXPECT_EQ(mpm_flag_set(m.get(), MPM_NEGATIVE), c < 0);

        if (mpz_sgn(b.v) != 0) {
            mpm_div(m.get(), 2, 3, 0, 1);
            mpz_tdiv_qr(want.v, want2.v, a.v, b.v);
            expectReg(m.get(), 2, want.v, "quotient", i);
            expectReg(m.get(), 3, want2.v, "remainder", i);
            EXPECT_EQ(mpm_flag_set(m.get(), MPM_ZERO), mpz_sgn(want2.v) == 0);
            EXPECT_EQ(mpm_flag_set(m.get(), MPM_NEGATIVE), mpz_sgn(want2.v) < 0);
            // The destination may also be a source.
            mpm_copy(m.get(), 4, 0);
            mpm_div(m.get(), 4, 5, 4, 1);
            expectReg(m.get(), 4, want.v, "aliased quotient", i);
            // Reduction by register 7 is never negative.
            mpz_abs(mod.v, b.v);
            put(m.get(), MPM_MOD, b.v);
            mpm_mod(m.get(), 2, 0);
            mpz_mod(want.v, a.v, mod.v);
            expectReg(m.get(), 2, want.v, "reduce", i);
            mpm_modmul(m.get(), 2, 0, 1);
            mpz_mul(want.v, a.v, b.v);
            mpz_mod(want.v, want.v, mod.v);
            expectReg(m.get(), 2, want.v, "modmul", i);
        }
        mpm_gcd(m.get(), 2, 0, 1);
        mpz_gcd(want.v, a.v, b.v);
        expectReg(m.get(), 2, want.v, "gcd", i);

        mpz_abs(a.v, a.v);
        put(m.get(), 0, a.v);
        mpm_sqrt(m.get(), 2, 3, 0);
        mpz_sqrtrem(want.v, want2.v, a.v);
        expectReg(m.get(), 2, want.v, "sqrt", i);
        expectReg(m.get(), 3, want2.v, "sqrt remainder", i);
        ASSERT_FALSE(mpm_flag_set(m.get(), MPM_FAIL));
    }
}

TEST(MpmDiff, ModularPowerAndInverseAgreeWithGmp)
{
    std::mt19937_64 rng(77);
    Mach m(mpm_new_mach());
    Z base, exp, mod, want, g;
    for (int i = 0; i < 1500; ++i) {
        randomZ(rng, base.v, 20);
        randomZ(rng, exp.v, i % 10 == 0 ? 20 : 3, false);
        randomZ(rng, mod.v, i % 10 == 1 ? 40 : 18, false);
        if (mpz_sgn(mod.v) == 0)
            mpz_set_ui(mod.v, 1);
        put(m.get(), 0, base.v);
        put(m.get(), 1, exp.v);
        put(m.get(), MPM_MOD, mod.v);
        ASSERT_EQ(mpm_expmod(m.get(), 2, 0, 1), 1);
        mpz_powm(want.v, base.v, exp.v, mod.v);
        expectReg(m.get(), 2, want.v, mpz_odd_p(mod.v) ? "expmod odd" : "expmod even", i);

        mpz_abs(base.v, base.v);
        put(m.get(), 0, base.v);
        mpz_gcd(g.v, base.v, mod.v);
        mpm_ltompm(m.get(), 3, -1);
        int ok = utmpm_euclid(m.get(), 3, 0);
        if (mpz_cmp_ui(g.v, 1) == 0) {
            ASSERT_EQ(ok, 1) << i;
            mpz_invert(want.v, base.v, mod.v);
            if (mpz_cmp_ui(mod.v, 1) == 0)
                mpz_set_ui(want.v, 0);
            expectReg(m.get(), 3, want.v, "inverse", i);
        } else {
            ASSERT_EQ(ok, 0) << i;
            EXPECT_EQ(mpm_tolong(m.get(), 3), -1);
        }
        ASSERT_FALSE(mpm_flag_set(m.get(), MPM_FAIL));
    }
}

// Exponents with few set bits take square-and-multiply instead of the window; the counts around
// the point where the two cost the same reach both, on odd and even moduli.
TEST(MpmDiff, SparseExponentsAgreeWithGmp)
{
    std::mt19937_64 rng(31);
    Mach m(mpm_new_mach());
    Z base, exp, mod, want;
    for (int i = 0; i < 600; ++i) {
        randomZ(rng, base.v, 20);
        randomZ(rng, mod.v, i % 3 == 0 ? 2 : 18, false);
        if (i % 2 == 0)
            mpz_setbit(mod.v, 0);
        else
            mpz_clrbit(mod.v, 0);
        if (mpz_sgn(mod.v) == 0)
            mpz_set_ui(mod.v, 2);
        mpz_set_ui(exp.v, 0);
        const int span = 1 + static_cast<int>(rng() % 700);
        const int ones = static_cast<int>(rng() % 40);
        for (int k = 0; k < ones; ++k)
            mpz_setbit(exp.v, rng() % span);
        put(m.get(), 0, base.v);
        put(m.get(), 1, exp.v);
        put(m.get(), MPM_MOD, mod.v);
        ASSERT_EQ(mpm_expmod(m.get(), 2, 0, 1), 1);
        mpz_powm(want.v, base.v, exp.v, mod.v);
        expectReg(m.get(), 2, want.v, mpz_odd_p(mod.v) ? "sparse expmod odd" : "sparse expmod even", i);
    }
}

TEST(MpmDiff, SmallModuliAgreeWithGmp)
{
    std::mt19937_64 rng(5);
    Mach m(mpm_new_mach());
    Z a;
    const mpm_sprime* table = utmpm_sieve_table();
    for (int i = 0; i < 500; ++i) {
        randomZ(rng, a.v, 16);
        put(m.get(), 0, a.v);
        const mpm_sprime& e = table[rng() % UTMPM_SIEVE_PRIMES];
        ASSERT_EQ(mpm_smod(m.get(), 0, &e), mpz_fdiv_ui(a.v, e.p));
    }
    mpm_sprime bad { 40507, 65536 % 40507, static_cast<uint32_t>((1ull << 32) % 40507) };
    mpm_smod(m.get(), 0, &bad);
    EXPECT_TRUE(mpm_flag_set(m.get(), MPM_FAIL));
}

TEST(MpmDiff, ByteCodecsAndBerIntegersAgree)
{
    std::mt19937_64 rng(99);
    Z a, back;
    for (int i = 0; i < 1000; ++i) {
        randomZ(rng, a.v, 10);
        std::vector<uint8_t> be((mpz_sizeinbase(a.v, 2) + 7) / 8);
        size_t n = 0;
        mpz_export(be.data(), &n, 1, 1, 0, 0, a.v);
        mpm_arc* arc = mpm_bload_arc(mpz_sgn(a.v) >= 0, n, be.data());
        ASSERT_NE(arc, nullptr);
        std::vector<uint8_t> enc(mpm_sizeof_arc2berinteger(arc));
        ASSERT_EQ(mpm_arc2berinteger(arc, enc.data()), enc.data() + enc.size());
        mpm_arc* decoded = nullptr;
        ASSERT_EQ(mpm_berinteger2arc(enc.data(), enc.data() + enc.size(), &decoded), enc.data() + enc.size());
        EXPECT_EQ(mpm_arc_cmp(arc, decoded), 0) << str(a.v);
        // OpenSSL reads the same value.
        const unsigned char* p = enc.data();
        ASN1_INTEGER* ai = d2i_ASN1_INTEGER(nullptr, &p, static_cast<long>(enc.size()));
        ASSERT_NE(ai, nullptr);
        BIGNUM* bn = ASN1_INTEGER_to_BN(ai, nullptr);
        char* hex = BN_bn2hex(bn);
        mpz_set_str(back.v, hex[0] == '-' ? hex + 1 : hex, 16);
        if (hex[0] == '-')
            mpz_neg(back.v, back.v);
        EXPECT_EQ(mpz_cmp(back.v, a.v), 0) << str(a.v);
        OPENSSL_free(hex);
        BN_free(bn);
        ASN1_INTEGER_free(ai);
        mpm_arc_free(arc);
        mpm_arc_free(decoded);
    }
}
