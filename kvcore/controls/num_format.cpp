#include "kvcore/controls/num_format.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "kvcore/values/intl_info.h"

namespace {

// More decimals than a double carries would only show noise.
constexpr int kMaxDecimals = 15;

} // namespace

int CountDigits(std::string_view text)
{
    return static_cast<int>(
        std::count_if(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }));
}

std::string FixedText(double value, int decimals)
{
    if (!std::isfinite(value))
        value = 0;
    // A double's fixed form needs at most 309 integer digits.
    char buf[400];
    const auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, decimals);
    return std::string(buf, res.ptr);
}

CBaseFormat::CBaseFormat()
{
    const fw::LocaleInfo& intl = KvIntl();
    m_decimalSep = KvDecimalChar();
    m_thousandSep = intl.thousandSep.empty() ? '\0' : intl.thousandSep[0];
    if (m_thousandSep == m_decimalSep)
        m_thousandSep = '\0';
    SetDecimals(intl.fractionalDigits);
}

void CBaseFormat::SetDecimals(int decimals)
{
    m_decimals = std::clamp(decimals, 0, kMaxDecimals);
}

void CBaseFormat::SetMin(double minimum)
{
    m_minimum = minimum;
    m_minimumSet = true;
}

void CBaseFormat::SetMax(double maximum)
{
    m_maximum = maximum;
    m_maximumSet = true;
}

void CBaseFormat::SetLastValue(double value)
{
    m_lastValue = value;
    m_dirty = true;
}

void CBaseFormat::SetLastText(std::string_view text)
{
    m_lastText = std::string(text);
    m_dirty = true;
}

int CBaseFormat::DecimalPos(std::string_view text) const
{
    if (m_decimals <= 0)
        return -1;
    const size_t pos = text.find(m_decimalSep);
    return pos == std::string_view::npos ? -1 : static_cast<int>(pos);
}

bool CBaseFormat::OutOfBounds(double signedValue) const
{
    return (m_minimumSet && m_minimum > signedValue) || (m_maximumSet && m_maximum < signedValue);
}

void CBaseFormat::KeepWithinBounds(double& value, bool& negative)
{
    const double v = negative ? -value : value;
    if (OutOfBounds(v)) {
        value = std::fabs(m_lastValue);
        negative = m_lastValue < 0;
    } else {
        SetLastValue(v);
    }
}

bool CBaseFormat::BaseParse(std::string_view text, double& value, bool& negative) const
{
    std::string digits;
    bool point = false;
    int fraction = 0;
    negative = false;
    for (char c : text) {
        if (c >= '0' && c <= '9') {
            if (point && fraction >= m_decimals)
                continue;
            fraction += point ? 1 : 0;
            digits += c;
        } else if (c == m_decimalSep && m_decimals > 0 && !point) {
            point = true;
            digits += '.';
        } else if (c == '-' || c == '(') {
            negative = true;
        } else if (IsThousandSeparator(c) || c == ')' || c == ' ') {
            continue;
        } else {
            return false;
        }
    }
    value = 0;
    if (digits.empty() || digits == ".")
        return true;
    if (digits.front() == '.')
        digits.insert(digits.begin(), '0');
    const auto res = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (res.ec != std::errc() || !std::isfinite(value)) {
        value = 0;
        return false;
    }
    return true;
}

std::string CBaseFormat::BaseFormat(double value, bool negative) const
{
    const std::string fixed = FixedText(std::fabs(value), m_decimals);
    const size_t point = fixed.find('.');
    const std::string whole = fixed.substr(0, point);
    std::string text = negative ? "-" : "";
    for (size_t i = 0; i < whole.size(); ++i) {
        if (i > 0 && m_thousandSep != 0 && (whole.size() - i) % 3 == 0)
            text += m_thousandSep;
        text += whole[i];
    }
    if (point != std::string::npos) {
        text += m_decimalSep;
        text += fixed.substr(point + 1);
    }
    return text;
}

bool CBaseFormat::ParseValue(std::string_view text, double& value, bool& negative)
{
    const int digits = m_maxDigits > 0 ? CountDigits(text) : m_maxDigits;
    bool parsed;
    if (digits > m_maxDigits || (m_textLimit > 0 && static_cast<int>(text.size()) > m_textLimit)) {
        parsed = BaseParse(m_lastText, value, negative);
    } else {
        parsed = BaseParse(text, value, negative);
        // A text that is no number is not kept as the fallback for later refusals.
        if (parsed)
            SetLastText(text);
    }
    if (!parsed)
        return false;
    KeepWithinBounds(value, negative);
    return parsed;
}

void CBaseFormat::FormatValue(double& value, std::string& text, bool& negative)
{
    KeepWithinBounds(value, negative);
    text = BaseFormat(value, negative);
    while (!text.empty() && text.back() == ' ')
        text.pop_back();
}

bool CBaseFormat::IsValidValue(double value) const
{
    if (m_maxDigits == 0)
        return true;
    return CountDigits(FixedText(value, m_decimals)) <= m_maxDigits;
}
