// Modular power: base ^ exp mod register 7, reading the exponent from its most significant bit,
// bit by bit for a sparse exponent, else with windows of up to four bits over a table of
// base^1 .. base^15.
#include "mpm/mpm_internal.h"

#include <cstring>

using namespace mpmi;

namespace {

// Power for an even modulus, each product reduced by long division.
bool expmodPlain(const View& mod, const mpa_dig* b, int nb, const View& e, mpa_dig* out, int* nout)
{
    const int n = mod.n;
    DigBuf table(size_t(16) * n), acc(n), prod(2 * n);
    if (!table || !acc || !prod)
        return false;
    int lens[16];
    auto entry = [&](int i) { return table.get() + i * n; };
    int nacc = 1;
    // acc = acc * (src) mod m
    auto mulInto = [&](mpa_dig* dst, int* ndst, const mpa_dig* x, int nx, const mpa_dig* y, int ny) {
        int np = mpa_mul(prod.get(), x, nx, y, ny);
        if (mpa_cmp(prod.get(), np, mod.d, mod.n) < 0) {
            std::memcpy(dst, prod.get(), sizeof(mpa_dig) * np);
            *ndst = np;
            return true;
        }
        return divRaw(prod.get(), np, mod.d, mod.n, nullptr, nullptr, dst, ndst);
    };
    std::memcpy(entry(1), b, sizeof(mpa_dig) * nb);
    lens[1] = nb;
    acc.get()[0] = 1;
    const int width = mpa_exp_window(e.d, e.n);
    for (int i = 2; i < (width == 1 ? 2 : 16); ++i)
        if (!mulInto(entry(i), &lens[i], entry(i - 1), lens[i - 1], b, nb))
            return false;
    const bool done = mpa_exp_walk(
        e.d, e.n, width,
        [&](unsigned v) {
            std::memcpy(acc.get(), entry(v), sizeof(mpa_dig) * lens[v]);
            nacc = lens[v];
            return true;
        },
        [&] { return mulInto(acc.get(), &nacc, acc.get(), nacc, acc.get(), nacc); },
        [&](unsigned v) { return mulInto(acc.get(), &nacc, acc.get(), nacc, entry(v), lens[v]); });
    if (!done)
        return false;
    // 1 for a zero exponent still needs reducing (modulus 1 gives 0).
    if (mpa_cmp(acc.get(), nacc, mod.d, mod.n) >= 0
        && !divRaw(acc.get(), nacc, mod.d, mod.n, nullptr, nullptr, acc.get(), &nacc))
        return false;
    std::memcpy(out, acc.get(), sizeof(mpa_dig) * nacc);
    *nout = nacc;
    return true;
}

} // namespace

int mpm_expmod(mpm_mach* m, int d, int base, int exp)
{
    if (!validReg(d) || !validReg(base) || !validReg(exp))
        return fail(m);
    View mod = view(m->reg[MPM_MOD]);
    if (isZero(mod)) {
        m->flag[MPM_DIVZERO] = 1;
        return 0;
    }
    View e = view(m->reg[exp]);
    if (e.neg)
        return fail(m);
    // The base reduced into 0 .. m - 1 first.
    View x = view(m->reg[base]);
    DigBuf b(mod.n), out(mod.n);
    if (!b || !out)
        return fail(m);
    int nb = 1;
    if (!divRaw(x.d, x.n, mod.d, mod.n, nullptr, nullptr, b.get(), &nb))
        return fail(m);
    if (x.neg && !(nb == 1 && b.get()[0] == 0)) {
        DigBuf t(mod.n);
        if (!t)
            return fail(m);
        nb = mpa_sub(t.get(), mod.d, mod.n, b.get(), nb);
        std::memcpy(b.get(), t.get(), sizeof(mpa_dig) * nb);
    }
    int nout = 1;
    if (mod.d[0] & 1) {
        mpa_mont* ctx = mpa_mont_new(mod.d, mod.n);
        if (!ctx)
            return fail(m);
        nout = mpa_mont_expmod(ctx, out.get(), b.get(), nb, e.d, e.n);
        mpa_mont_free(ctx);
        if (nout == 0)
            return fail(m);
    } else if (!expmodPlain(mod, b.get(), nb, e, out.get(), &nout)) {
        return fail(m);
    }
    if (!toScratch(m, out.get(), nout, false))
        return fail(m);
    return commit(m, d);
}
