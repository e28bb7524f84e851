// Arcs: numbers detached from any machine, and their byte forms.
#include "mpm/mpm_internal.h"

#include <cstring>

using namespace mpmi;

namespace {

mpm_arc* newArc()
{
    auto* a = static_cast<mpm_arc*>(ut_alloc(UT_HERE, sizeof(mpm_arc)));
    if (a)
        *a = mpm_num { 1, 0, nullptr, 0 };
    return a;
}

mpm_arc* arcFrom(const mpa_dig* d, int n, bool neg)
{
    mpm_arc* a = newArc();
    if (!a)
        return nullptr;
    if (!ensure(*a, n, false)) {
        ut_free(UT_HERE, a);
        return nullptr;
    }
    std::memcpy(a->dig, d, sizeof(mpa_dig) * n);
    a->prec = n;
    a->sign = neg ? 0 : 1;
    normalise(*a);
    return a;
}

} // namespace

mpm_arc* mpm_backup(mpm_mach* m, int r, int copy)
{
    if (!validReg(r)) {
        fail(m);
        return nullptr;
    }
    if (!copy && m->reg[r].dig && m->reg[r].prec > 0) {
        mpm_arc* a = newArc();
        if (!a) {
            fail(m);
            return nullptr;
        }
        *a = m->reg[r];
        m->reg[r] = mpm_num { 1, 0, nullptr, 0 };
        return a;
    }
    View v = view(m->reg[r]);
    mpm_arc* a = arcFrom(v.d, v.n, v.neg);
    if (!a)
        fail(m);
    else if (!copy)
        freeNum(m->reg[r]);
    return a;
}

int mpm_restore(mpm_mach* m, int d, mpm_arc* arc, int copy)
{
    if (!validReg(d) || !arc)
        return fail(m);
    if (!copy) {
        freeNum(m->reg[d]);
        m->reg[d] = *arc;
        ut_free(UT_HERE, arc);
        if (!m->reg[d].dig)
            m->reg[d].prec = 0;
        else
            normalise(m->reg[d]);
        setFlags(m, m->reg[d]);
        return 1;
    }
    View v = view(*arc);
    if (!toScratch(m, v.d, v.n, v.neg))
        return fail(m);
    return commit(m, d);
}

mpm_arc* mpm_bload_arc(int sign, size_t n, const uint8_t* bytes)
{
    if (n > (size_t(1) << 29))
        return nullptr;
    int digits = n ? static_cast<int>((n + 3) / 4) : 1;
    mpm_arc* a = newArc();
    if (!a)
        return nullptr;
    if (!ensure(*a, digits, false)) {
        ut_free(UT_HERE, a);
        return nullptr;
    }
    std::memset(a->dig, 0, sizeof(mpa_dig) * digits);
    for (size_t i = 0; i < n; ++i) {
        size_t pos = n - 1 - i; // byte i counted from the most significant end
        a->dig[pos / 4] |= mpa_dig(bytes[i]) << (8 * (pos % 4));
    }
    a->prec = digits;
    a->sign = sign ? 1 : 0;
    normalise(*a);
    return a;
}

int mpm_bstore_arc(const mpm_arc* arc, uint8_t* buf, size_t capacity)
{
    if (!arc)
        return -1;
    View v = view(*arc);
    size_t n = static_cast<size_t>((mpa_bitlen(v.d, v.n) + 7) / 8);
    if (n > capacity)
        return -1;
    std::memset(buf, 0, capacity - n);
    for (size_t i = 0; i < n; ++i)
        buf[capacity - 1 - i] = static_cast<uint8_t>(v.d[i / 4] >> (8 * (i % 4)));
    return v.neg ? 0 : 1;
}

int mpm_arc_bitlen(const mpm_arc* arc)
{
    if (!arc)
        return 0;
    View v = view(*arc);
    return mpa_bitlen(v.d, v.n);
}

mpm_arc* mpm_arc_copy(const mpm_arc* arc)
{
    if (!arc)
        return nullptr;
    View v = view(*arc);
    return arcFrom(v.d, v.n, v.neg);
}

void mpm_arc_free(mpm_arc* arc)
{
    if (!arc)
        return;
    ut_free(UT_HERE, arc->dig);
    ut_free(UT_HERE, arc);
}

int mpm_arc_is_neg(const mpm_arc* arc)
{
    return arc && view(*arc).neg ? 1 : 0;
}

int mpm_arc_cmp(const mpm_arc* a, const mpm_arc* b)
{
    if (a == b)
        return 0;
    View x = a ? view(*a) : View { &kZeroDigit, 1, false };
    View y = b ? view(*b) : View { &kZeroDigit, 1, false };
    if (x.neg != y.neg)
        return x.neg ? -1 : 1;
    int c = mpa_cmp(x.d, x.n, y.d, y.n);
    return x.neg ? -c : c;
}
