#include "kvcore/values/cdouble.h"

#include <charconv>
#include <cmath>
#include <cstring>

#include "kvcore/values/field_codecs.h"
#include "kvcore/values/intl_info.h"
#include "kvcore/values/number_text.h"

namespace {

// 2^63 as a double: the first magnitude that no longer fits int64_t.
constexpr double kInt64Limit = 9223372036854775808.0;

unsigned DecimalsAfterSeparator(const char* text)
{
    if (text == nullptr)
        return 0;
    const char* sep = std::strchr(text, KvDecimalChar());
    return sep == nullptr ? 0 : static_cast<unsigned>(std::strlen(sep + 1));
}

// value * 10^dec cut towards zero after the half-unit step, when it fits.
bool ScaledUnits(double value, unsigned dec, int64_t& units)
{
    double s = value * CDouble::Multiplier(dec);
    s += value > 0 ? 0.5 : -0.5;
    if (!std::isfinite(s) || s >= kInt64Limit || s <= -kInt64Limit)
        return false;
    units = static_cast<int64_t>(s);
    return true;
}

} // namespace

double CDouble::Multiplier(unsigned n)
{
    // Exact powers for the decimals that fields use; the loop keeps the
    // historical product for anything larger.
    static constexpr double kPowers[] = { 1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9, 1e10, 1e11, 1e12,
        1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22 };
    if (n < sizeof kPowers / sizeof kPowers[0])
        return kPowers[n];
    // Past 10^308 the product is infinite and stays so: a huge count from a text or a field
    // ends there instead of multiplying billions of times.
    double m = 1.0;
    for (unsigned i = 0; i < n && std::isfinite(m); ++i)
        m *= 10;
    return m;
}

int CDouble::SetVORL(const char* field, unsigned len, unsigned decimals)
{
    m_dValue = ParseFieldDouble(field, len) / Multiplier(decimals);
    m_nDec = decimals;
    return 1;
}

int CDouble::Set(const char* text)
{
    m_dValue = text == nullptr ? 0.0 : ParseFieldDouble(text, std::strlen(text));
    m_nDec = DecimalsAfterSeparator(text);
    return 1;
}

int CDouble::Set(const char* text, unsigned decimals)
{
    m_dValue = text == nullptr ? 0.0 : ParseFieldDouble(text, std::strlen(text));
    m_nDec = decimals;
    return 1;
}

int CDouble::Set(int value, unsigned decimals)
{
    m_dValue = value / Multiplier(decimals);
    m_nDec = decimals;
    return 1;
}

int CDouble::Set(double value, unsigned decimals)
{
    m_dValue = value;
    m_nDec = decimals;
    return 1;
}

int CDouble::SetIntl(const char* text)
{
    m_dValue = Str2Dbl(text, 0);
    m_nDec = DecimalsAfterSeparator(text);
    return 1;
}

bool CDouble::IsNoValue() const
{
    // The mark is compared as the value scaled and cut towards zero, without the
    // rounding step of the wire form.
    const double s = m_dValue * Multiplier(m_nDec);
    return std::isfinite(s) && s < kInt64Limit && s > -kInt64Limit && static_cast<int64_t>(s) == kNoValue;
}

std::string CDouble::FormatVORL() const
{
    int64_t units = 0;
    if (!ScaledUnits(m_dValue, m_nDec, units))
        return {};
    char buf[24];
    const auto res = std::to_chars(buf, buf + sizeof buf, units);
    return std::string(buf, res.ptr);
}

std::string CDouble::Format(int group, int showZero) const
{
    if (IsNoValue())
        return {};
    if (!showZero && m_dValue == 0.0)
        return {};
    std::string text = Dbl2Cur(m_dValue, static_cast<int>(m_nDec < 10 ? m_nDec : 10));
    const size_t point = text.find('.');
    if (point != std::string::npos)
        text[point] = KvDecimalChar();
    return group ? FormatNumber(text) : text;
}
