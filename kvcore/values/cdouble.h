// A decimal number as the host carries it: an integer count of 10^-d units on
// the wire, a double with its count of decimals in memory.
#pragma once

#include <cstdint>
#include <string>

#include "kvcore/kvcore_api.h"

class KVCORE_API CDouble {
public:
    // The host's text for a missing number, in units of the field's decimals.
    static constexpr int64_t kNoValue = -99999999;

    CDouble() = default;
    CDouble(const CDouble&) = default;
    CDouble(const double& value, const unsigned& decimals)
        : m_dValue(value)
        , m_nDec(decimals)
    {
    }
    CDouble& operator=(const CDouble&) = default;

    // The first len characters as a number, divided by 10^decimals.
    int SetVORL(const char* field, unsigned len, unsigned decimals);
    // Value read in the fixed notation; decimals = characters after the first
    // user decimal separator (0 when none).
    int Set(const char* text);
    int Set(const char* text, unsigned decimals);
    int Set(int value, unsigned decimals);
    int Set(double value, unsigned decimals);
    // A number typed in the user's format.
    int SetIntl(const char* text);

    // Wire text: value * 10^decimals rounded half away from zero, "%lld" with no
    // padding; empty when that does not fit 64 bits.
    std::string FormatVORL() const;
    // Display text with the user's separators; empty for the no-value mark and,
    // unless showZero, for 0.
    std::string Format(int group, int showZero) const;

    bool IsNoValue() const;
    operator double() const { return m_dValue; }
    unsigned GetDecimal() const { return m_nDec; }

    static double Multiplier(unsigned n);

private:
    double m_dValue = 0.0;
    unsigned m_nDec = 0;
};
