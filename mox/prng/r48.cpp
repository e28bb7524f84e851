// r48: the 48-bit linear congruential generator X <- (a X + c) mod 2^48, and the generic
// generator entry points.
#include "mox/prng.h"
#include "mox/ut.h"

namespace {

constexpr uint64_t kMask48 = (uint64_t(1) << 48) - 1;
constexpr uint8_t kDefaultParams[8] = { 0x00, 0x05, 0xDE, 0xEC, 0xE6, 0x6D, 0x00, 0x0B };

struct R48 {
    uint64_t x;
    uint64_t a;
    uint32_t c;
    int pos; // output position 0..6
    bool seeded;
};

void step(R48& s)
{
    s.x = (s.a * s.x + s.c) & kMask48;
}

int r48Seed(const uint8_t* material, size_t n, prng* g)
{
    auto& s = *static_cast<R48*>(g->state);
    if (n > 0) {
        int pos = static_cast<int>((n - 1) % 6);
        for (size_t i = 0; i < n; ++i) {
            s.x ^= uint64_t(material[i]) << (8 * pos);
            if (pos == 0) {
                step(s);
                pos = 5;
            } else {
                --pos;
            }
        }
    }
    s.pos = 6;
    s.seeded = true;
    return 0;
}

int r48Generate(uint8_t* out, size_t count, prng* g)
{
    auto& s = *static_cast<R48*>(g->state);
    if (!s.seeded) {
        uint8_t seed[6];
        if (prng_table_fetch(seed, sizeof seed) != 0)
            return -1;
        r48Seed(seed, sizeof seed, g);
    }
    for (size_t i = 0; i < count; ++i) {
        if (s.pos == 0) {
            step(s);
            s.pos = 5;
        } else {
            --s.pos;
        }
        out[i] = static_cast<uint8_t>(s.x >> (8 * s.pos));
    }
    return 0;
}

void r48Destroy(prng* g)
{
    ut_free(UT_HERE, g->state);
    ut_free(UT_HERE, g);
}

} // namespace

prng* prng_new_r48(const uint8_t params[8])
{
    const uint8_t* p = params ? params : kDefaultParams;
    auto* g = static_cast<prng*>(ut_alloc(UT_HERE, sizeof(prng)));
    auto* s = static_cast<R48*>(ut_alloc(UT_HERE, sizeof(R48)));
    if (!g || !s) {
        ut_free(UT_HERE, g);
        ut_free(UT_HERE, s);
        ut_diag(UT_HERE, PRNG_ERR, UT_SEV_RECOVER, "out of memory");
        return nullptr;
    }
    uint64_t a = 0;
    for (int i = 0; i < 6; ++i)
        a = (a << 8) | p[i];
    s->a = (a & ~uint64_t(7)) | 5; // a = 5 mod 8 gives the full period
    s->c = (uint32_t(p[6]) << 8) | p[7];
    s->x = 0x1234ABCD330Eull;
    s->pos = 0;
    s->seeded = false;
    *g = prng { r48Seed, r48Generate, r48Destroy, s };
    return g;
}

int prng_seed(prng* g, const uint8_t* material, size_t length)
{
    return g ? g->seed(material, length, g) : -1;
}

int prng_get(prng* g, uint8_t* out, size_t count)
{
    return g ? g->generate(out, count, g) : -1;
}

void prng_free(prng* g)
{
    if (g)
        g->destroy(g);
}
