// Long division in the manner of Knuth's algorithm D.
#include "mpa/mpa.h"

#include "mox/ut.h"

void mpa_divmod(mpa_dig* q, int* nq, mpa_dig* r, int* nr, const mpa_dig* a, int na, const mpa_dig* b, int nb,
    mpa_dig* work)
{
    if (nb < 2 || na < nb || b[nb - 1] == 0) {
        ut_diag(UT_HERE, 0, UT_SEV_FATAL, "mpa_divmod: bad divisor");
        return;
    }
    // Normalise so that the divisor's top digit has its high bit set.
    int shift = __builtin_clz(b[nb - 1]);
    mpa_dig* u = work; // na + 1 digits
    mpa_dig* v = work + na + 1; // nb digits
    for (int i = nb - 1; i > 0; --i)
        v[i] = shift ? (b[i] << shift) | (b[i - 1] >> (32 - shift)) : b[i];
    v[0] = b[0] << shift;
    u[na] = shift ? a[na - 1] >> (32 - shift) : 0;
    for (int i = na - 1; i > 0; --i)
        u[i] = shift ? (a[i] << shift) | (a[i - 1] >> (32 - shift)) : a[i];
    u[0] = a[0] << shift;

    const uint64_t vTop = v[nb - 1], vNext = v[nb - 2];
    for (int j = na - nb; j >= 0; --j) {
        // Estimate from the top two remainder digits, then correct with the next ones.
        uint64_t num = (uint64_t(u[j + nb]) << 32) | u[j + nb - 1];
        uint64_t qhat = num / vTop;
        uint64_t rhat = num % vTop;
        while (qhat > 0xFFFFFFFFull || qhat * vNext > ((rhat << 32) | u[j + nb - 2])) {
            --qhat;
            rhat += vTop;
            if (rhat > 0xFFFFFFFFull)
                break;
        }
        // Multiply and subtract.
        uint64_t mulCarry = 0;
        int64_t borrow = 0;
        for (int i = 0; i < nb; ++i) {
            uint64_t p = qhat * v[i] + mulCarry;
            mulCarry = p >> 32;
            int64_t t = int64_t(u[i + j]) - borrow - int64_t(p & 0xFFFFFFFFull);
            u[i + j] = static_cast<mpa_dig>(t);
            borrow = t < 0 ? 1 : 0;
        }
        int64_t t = int64_t(u[j + nb]) - borrow - int64_t(mulCarry);
        u[j + nb] = static_cast<mpa_dig>(t);
        if (t < 0) {
            // The estimate was one too large: add the divisor back once.
            --qhat;
            uint64_t carry = 0;
            for (int i = 0; i < nb; ++i) {
                carry += uint64_t(u[i + j]) + v[i];
                u[i + j] = static_cast<mpa_dig>(carry);
                carry >>= 32;
            }
            u[j + nb] = static_cast<mpa_dig>(u[j + nb] + carry);
        }
        q[j] = static_cast<mpa_dig>(qhat);
    }
    *nq = mpa_norm(q, na - nb + 1);
    for (int i = 0; i < nb; ++i)
        r[i] = shift ? (u[i] >> shift) | (u[i + 1] << (32 - shift)) : u[i];
    *nr = mpa_norm(r, nb);
}
