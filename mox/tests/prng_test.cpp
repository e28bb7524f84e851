// r48 against its definition and POSIX nrand48, the mixing table, and the system source.
#include "mox/prng.h"
#include "mox/ut.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <ctime>
#include <memory>
#include <vector>

namespace {

constexpr uint64_t kA = 0x5DEECE66Dull, kC = 0xB, kX0 = 0x1234ABCD330Eull, kMask = (1ull << 48) - 1;

struct PrngFree {
    void operator()(prng* g) const { prng_free(g); }
};
using PrngPtr = std::unique_ptr<prng, PrngFree>;

uint64_t bytesToX(const uint8_t* b)
{
    uint64_t v = 0;
    for (int i = 0; i < 6; ++i)
        v = (v << 8) | b[i];
    return v;
}

} // namespace

TEST(R48, SixZeroSeedBytesStepOnceThenGiveXMostSignificantFirst)
{
    PrngPtr g(prng_new_r48(nullptr));
    ASSERT_TRUE(g);
    const uint8_t zeros[6] = {};
    ASSERT_EQ(prng_seed(g.get(), zeros, 6), 0);
    uint8_t out[7];
    ASSERT_EQ(prng_get(g.get(), out, 7), 0);
    uint64_t x1 = (kA * kX0 + kC) & kMask;
    EXPECT_EQ(bytesToX(out), x1);
    uint64_t x2 = (kA * x1 + kC) & kMask;
    EXPECT_EQ(out[6], static_cast<uint8_t>(x2 >> 40)); // the seventh byte needed exactly one step
}

TEST(R48, SevenSeedBytesStartAtPositionZero)
{
    PrngPtr g(prng_new_r48(nullptr));
    const uint8_t seed[7] = { 0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77 };
    prng_seed(g.get(), seed, 7);
    uint64_t x = kX0 ^ 0x11;
    x = (kA * x + kC) & kMask;
    x ^= 0x223344556677ull;
    x = (kA * x + kC) & kMask; // the seventh byte lands at position 0 again
    uint8_t out[6];
    prng_get(g.get(), out, 6);
    EXPECT_EQ(bytesToX(out), x);
}

TEST(R48, StepAgreesWithNrand48)
{
    PrngPtr g(prng_new_r48(nullptr));
    const uint8_t zeros[6] = {};
    prng_seed(g.get(), zeros, 6);
    unsigned short xsubi[3] = { 0x330E, 0xABCD, 0x1234 };
    for (int i = 0; i < 2000; ++i) {
        uint8_t out[6];
        ASSERT_EQ(prng_get(g.get(), out, 6), 0);
        long expected = nrand48(xsubi);
        ASSERT_EQ(static_cast<long>(bytesToX(out) >> 17), expected) << i;
    }
}

TEST(R48, ParametersForceMultiplierFiveModEight)
{
    const uint8_t params[8] = { 0, 0, 0, 0, 0, 0x10, 0x00, 0x01 }; // a = 0x10 -> 0x15, c = 1
    PrngPtr g(prng_new_r48(params));
    const uint8_t zeros[6] = {};
    prng_seed(g.get(), zeros, 6);
    uint8_t out[6];
    prng_get(g.get(), out, 6);
    EXPECT_EQ(bytesToX(out), (0x15 * kX0 + 1) & kMask);
}

TEST(R48, UnseededGeneratorSeedsItselfFromTheTableAndTheClock)
{
    // The first draw seeds from six table bytes at the current second; the clock may tick
    // during the draw, so either second's seed is accepted.
    const auto before = static_cast<uint32_t>(std::time(nullptr));
    PrngPtr g(prng_new_r48(nullptr));
    uint8_t out[32];
    ASSERT_EQ(prng_get(g.get(), out, sizeof out), 0);
    const auto after = static_cast<uint32_t>(std::time(nullptr));
    ASSERT_LE(after - before, 1u) << "the draw took more than a second";

    const uint8_t zeros[sizeof out] = {};
    EXPECT_NE(std::memcmp(out, zeros, sizeof out), 0);
    bool matched = false;
    for (uint32_t second = before; second <= after && !matched; ++second) {
        uint8_t seed[6];
        ASSERT_EQ(prng_table_fetch_at(second, seed, sizeof seed), 0);
        PrngPtr seeded(prng_new_r48(nullptr));
        ASSERT_EQ(prng_seed(seeded.get(), seed, sizeof seed), 0);
        uint8_t expected[sizeof out];
        ASSERT_EQ(prng_get(seeded.get(), expected, sizeof expected), 0);
        matched = std::memcmp(out, expected, sizeof out) == 0;
    }
    EXPECT_TRUE(matched) << "the output is not that of the table's seed at the current second";

    uint8_t a[16], b[16];
    prng_table_fetch_at(1000, a, sizeof a);
    prng_table_fetch_at(1001, b, sizeof b);
    EXPECT_NE(std::memcmp(a, b, sizeof a), 0);
    uint8_t c[16];
    prng_table_fetch_at(1000, c, sizeof c);
    EXPECT_EQ(std::memcmp(a, c, sizeof a), 0); // the fetch alone does not change the table
}

namespace {

// What one stir does to the table: the XOR of the table before and after it. A short fetch first
// sets the mixer's clock state to a known value, so only the stir's own inputs decide the change.
std::vector<uint8_t> stirChange(uint32_t seconds, const uint8_t material[24])
{
    uint8_t unused[6];
    prng_table_fetch_at(777, unused, sizeof unused);
    std::vector<uint8_t> change(prng_table_bytes(), prng_table_bytes() + 1024);
    EXPECT_EQ(prng_table_stir_at(seconds, material), 0);
    for (size_t k = 0; k < change.size(); ++k)
        change[k] ^= prng_table_bytes()[k];
    return change;
}

} // namespace

TEST(PrngTable, StirringChangesTheTableDeterministically)
{
    uint8_t material[24], other[24];
    for (int i = 0; i < 24; ++i) {
        material[i] = static_cast<uint8_t>(i * 37 + 1);
        other[i] = material[i];
    }
    other[5] ^= 0x40;
    const std::vector<uint8_t> first = stirChange(12345, material);
    EXPECT_NE(first, std::vector<uint8_t>(1024, 0)) << "the stir changed nothing";
    EXPECT_EQ(stirChange(12345, material), first) << "the same stir changed the table differently";
    EXPECT_NE(stirChange(12346, material), first) << "the stir ignored its clock";
    EXPECT_NE(stirChange(12345, other), first) << "the stir ignored its material";
}

TEST(PrngSys, DrawsDistinctBytesAndFreesEverything)
{
    int held = ut_mem_held();
    {
        PrngPtr g(prng_new_sys());
        ASSERT_TRUE(g);
        uint8_t a[32], b[32];
        ASSERT_EQ(prng_get(g.get(), a, sizeof a), 0);
        ASSERT_EQ(prng_get(g.get(), b, sizeof b), 0);
        EXPECT_NE(std::memcmp(a, b, sizeof a), 0);
        PrngPtr r(prng_new_r48(nullptr));
        ASSERT_TRUE(r);
    }
    EXPECT_EQ(ut_mem_held(), held);
}
