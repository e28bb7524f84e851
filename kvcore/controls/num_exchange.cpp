#include "kvcore/controls/num_exchange.h"

#include <charconv>
#include <cmath>

bool ExchangeNumControl(CBaseNumEdit& edit, std::string_view itemText, bool allowBlank)
{
    if (edit.IsAttached())
        return true;
    return edit.Initialize(itemText, allowBlank);
}

void ExchangeNumValue(bool saving, CBaseNumEdit& edit, int32_t& value)
{
    if (saving)
        value = TruncToInt32(edit.Value());
    else
        edit.SetValue(value, true);
}

void ExchangeNumValue(bool saving, CBaseNumEdit& edit, uint32_t& value)
{
    if (saving)
        value = TruncToUInt32(edit.Value());
    else
        edit.SetValue(value, true);
}

void ExchangeNumValue(bool saving, CBaseNumEdit& edit, double& value)
{
    if (saving)
        value = edit.Value();
    else
        edit.SetValue(value, true);
}

void ExchangeNumValue(bool saving, CBaseNumEdit& edit, std::string& value)
{
    if (saving)
        value = edit.GetUnFormatedString();
    else
        edit.SetValue(ReadLeadingNumber(value, edit.Format().DecimalSeparator()), true);
}

double ReadLeadingNumber(std::string_view text, char decimalSep)
{
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    std::string number;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        if (text[i] == '-')
            number += '-';
        ++i;
    }
    bool point = false;
    bool digits = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c >= '0' && c <= '9') {
            number += c;
            digits = true;
        } else if (!point && (c == '.' || c == decimalSep)) {
            number += '.';
            point = true;
        } else {
            break;
        }
    }
    if (!digits)
        return 0;
    // from_chars reads "-.5" and "5." as strtod would, but never with the C locale's separator.
    double value = 0;
    std::from_chars(number.data(), number.data() + number.size(), value);
    return std::isfinite(value) ? value : 0;
}
