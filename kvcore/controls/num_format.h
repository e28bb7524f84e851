// The format object of the numeric edits: turns the shown text into a value and
// back with the control's own separators and number of decimals, and holds the
// bounds, the digit and length limits and the last accepted text and value, so an
// edit that breaks a limit rolls back to what was accepted before.
#pragma once

#include <string>
#include <string_view>

#include "kvcore/kvcore_api.h"

class KVCORE_API CBaseFormat {
public:
    // Separators and decimals start from the locale record in force.
    CBaseFormat();

    // The text as an absolute value and a sign; a text that breaks the digit or
    // length limit is replaced by the last accepted text, a value outside the bounds
    // by the last accepted value. False when the text (or the last text standing in
    // for it) is not a number.
    bool ParseValue(std::string_view text, double& value, bool& negative);
    // The text of an absolute value and a sign; a value outside the bounds is
    // replaced (in value and negative too) by the last accepted value.
    void FormatValue(double& value, std::string& text, bool& negative);
    // False when the value, printed with the control's decimals, has more digits than allowed.
    bool IsValidValue(double value) const;

    void SetMin(double minimum);
    void SetMax(double maximum);
    void LimitText(int limit) { m_textLimit = limit; }
    void SetMaxDigits(int digits) { m_maxDigits = digits; }
    void SetLastValue(double value);
    void SetLastText(std::string_view text);
    bool IsDirty() const { return m_dirty; }
    void ClearDirtyFlag() { m_dirty = false; }

    double LastValue() const { return m_lastValue; }
    const std::string& LastText() const { return m_lastText; }

    char DecimalSeparator() const { return m_decimalSep; }
    char ThousandSeparator() const { return m_thousandSep; }
    void SetThousandSeparator(char sep) { m_thousandSep = sep; }
    int Decimals() const { return m_decimals; }
    void SetDecimals(int decimals);
    // Position of the decimal separator in the text, -1 when there is none.
    int DecimalPos(std::string_view text) const;
    bool IsThousandSeparator(char c) const { return m_thousandSep != 0 && c == m_thousandSep; }

    // The plain conversions without limits: a leading or trailing '-' (or parentheses)
    // makes the value negative, thousands separators are skipped, digits after the
    // control's decimals are dropped. Read in double precision whatever the C locale is.
    bool BaseParse(std::string_view text, double& value, bool& negative) const;
    std::string BaseFormat(double value, bool negative) const;

private:
    bool OutOfBounds(double signedValue) const;
    // A value outside the bounds becomes the last accepted one; any other becomes it.
    void KeepWithinBounds(double& value, bool& negative);

    double m_minimum = 0;
    double m_maximum = 0;
    bool m_minimumSet = false;
    bool m_maximumSet = false;
    int m_textLimit = -1;
    std::string m_lastText;
    int m_maxDigits = 0;
    double m_lastValue = 0;
    bool m_dirty = false;

    char m_decimalSep = '.';
    char m_thousandSep = ',';
    int m_decimals = 2;
};

// Count of the characters '0' to '9'.
KVCORE_API int CountDigits(std::string_view text);
// The value printed with a fixed number of decimals and a point, in any C locale.
KVCORE_API std::string FixedText(double value, int decimals);
