// Shared helpers of the register machine's source files.
#pragma once

#include "mox/mpm.h"
#include "mox/ut.h"
#include "mpa/mpa.h"

#include <utility>

namespace mpmi {

// A read-only view of a number's magnitude; an empty register reads as 0.
struct View {
    const mpa_dig* d;
    int n;
    bool neg;
};

inline const mpa_dig kZeroDigit = 0;

inline View view(const mpm_num& x)
{
    if (!x.dig || x.prec < 1)
        return View { &kZeroDigit, 1, false };
    bool zero = x.prec == 1 && x.dig[0] == 0;
    return View { x.dig, x.prec, !zero && x.sign == 0 };
}

inline bool isZero(const View& v)
{
    return v.n == 1 && v.d[0] == 0;
}

inline bool validReg(int r)
{
    return r >= 0 && r < MPM_REGS;
}

inline int fail(mpm_mach* m)
{
    m->flag[MPM_FAIL] = 1;
    return 0;
}

// Capacity for n digits grows in steps of nine digits.
inline int capacityFor(int n)
{
    return (n / 9 + 1) * 9;
}

// Makes x hold n digits; keeps the old digits only when asked. False when out of memory.
bool ensure(mpm_num& x, int n, bool keep);
// Drops leading zero digits and makes zero non-negative.
void normalise(mpm_num& x);
void setFlags(mpm_mach* m, const mpm_num& x);
// Moves the scratch register's value into register d and sets the flags.
int commit(mpm_mach* m, int d);
// Writes a magnitude with a sign into the scratch register.
bool toScratch(mpm_mach* m, const mpa_dig* d, int n, bool neg);
void freeNum(mpm_num& x);

// Digits from the checked allocator, released with the holder.
class DigBuf {
public:
    explicit DigBuf(size_t n)
        : p_(static_cast<mpa_dig*>(ut_alloc(UT_HERE, sizeof(mpa_dig) * (n ? n : 1))))
    {
    }
    ~DigBuf() { ut_free(UT_HERE, p_); }
    DigBuf(const DigBuf&) = delete;
    DigBuf& operator=(const DigBuf&) = delete;
    mpa_dig* get() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }

private:
    mpa_dig* p_;
};

// q = a / b and r = a mod b on magnitudes (b not zero); q holds na digits, r holds nb digits.
// Either output may be null. False when out of memory.
bool divRaw(const mpa_dig* a, int na, const mpa_dig* b, int nb, mpa_dig* q, int* nq, mpa_dig* r, int* nr);

} // namespace mpmi
