#include "kvcore/dialogs/plain_num_edit.h"

#include <algorithm>
#include <charconv>

#include "kvcore/values/intl_info.h"

namespace {

bool IsDigit(char ch)
{
    return ch >= '0' && ch <= '9';
}

char Lower(char ch)
{
    return ch >= 'A' && ch <= 'Z' ? static_cast<char>(ch - 'A' + 'a') : ch;
}

// The zeros a multiplier letter stands for; 0 for any other character.
int MultiplierZeros(char ch)
{
    const fw::LocaleInfo& intl = KvIntl();
    const char lower = Lower(ch);
    if (intl.hundred != 0 && lower == intl.hundred)
        return 2;
    if (intl.thousand != 0 && lower == intl.thousand)
        return 3;
    if (intl.million != 0 && lower == intl.million)
        return 6;
    return 0;
}

// The decimal text as a number, whatever the separator; false when it holds none.
bool ReadDecimal(const std::string& text, char separator, double& value)
{
    std::string plain = text;
    std::replace(plain.begin(), plain.end(), separator, '.');
    if (plain.empty() || plain == "-" || plain == "." || plain == "-.")
        return false;
    const char* first = plain.data();
    const char* last = plain.data() + plain.size();
    return std::from_chars(first, last, value).ec == std::errc();
}

// The sign rules of both signed fields. '-' typed anywhere toggles the sign; a digit typed
// in front of the sign goes just after it. True when the character was the sign.
template <class Field> bool TypeSign(Field& field, bool& negative, char ch)
{
    if (ch == '-') {
        negative = !negative;
        field.CheckValue(true);
        return true;
    }
    if (field.IsNegValue() && !field.HasSelection() && field.SelStart() == 0 && static_cast<unsigned char>(ch) >= 32)
        field.SetSel(1, 1);
    return false;
}

// A sign the user deleted or typed directly: the flag takes the text's state.
template <class Field> void FollowSign(Field& field, bool& negative)
{
    if (field.IsNegValue() != negative) {
        negative = field.IsNegValue();
        field.CheckValue(true);
    } else {
        field.CheckValue(false);
    }
}

} // namespace

void KvPlainEdit::SetWindowText(std::string text)
{
    m_text = std::move(text);
    m_selStart = m_selEnd = std::min(m_selEnd, static_cast<int>(m_text.size()));
}

void KvPlainEdit::SetSel(int start, int end)
{
    const int size = static_cast<int>(m_text.size());
    m_selStart = std::clamp(start, 0, size);
    m_selEnd = std::clamp(end < 0 ? size : end, 0, size);
}

void KvPlainEdit::SetLimit(int limit)
{
    m_limit = limit > 0 ? limit : 0x7FFFFFFE;
}

void KvPlainEdit::Beep() const
{
    if (m_onBeep)
        m_onBeep();
}

void KvPlainEdit::SimulateEnd()
{
    m_selStart = m_selEnd = static_cast<int>(m_text.size());
}

void KvPlainEdit::DefaultChar(char ch)
{
    const int from = std::min(m_selStart, m_selEnd);
    const int to = std::max(m_selStart, m_selEnd);
    if (ch == '\b') {
        if (to > from) {
            m_text.erase(static_cast<std::size_t>(from), static_cast<std::size_t>(to - from));
            m_selStart = m_selEnd = from;
        } else if (from > 0) {
            m_text.erase(static_cast<std::size_t>(from - 1), 1);
            m_selStart = m_selEnd = from - 1;
        }
        return;
    }
    if (static_cast<unsigned char>(ch) < 32)
        return;
    if (static_cast<long long>(m_text.size()) - (to - from) + 1 > m_limit) {
        Beep();
        return;
    }
    m_text.replace(static_cast<std::size_t>(from), static_cast<std::size_t>(to - from), 1, ch);
    m_selStart = m_selEnd = from + 1;
}

bool CNumEdit::CheckValue() const
{
    return std::all_of(m_text.begin(), m_text.end(), IsDigit);
}

bool CNumEdit::IsZeroValue() const
{
    return std::all_of(m_text.begin(), m_text.end(), [](char ch) { return ch == '0'; });
}

void CNumEdit::AddNulls(int count)
{
    if (static_cast<long long>(m_text.size()) + count > Limit()) {
        Beep();
        return;
    }
    m_text.append(static_cast<std::size_t>(count), '0');
    SimulateEnd();
}

void CNumEdit::OnChar(char ch)
{
    if (IsDigit(ch) || static_cast<unsigned char>(ch) < 32) {
        DefaultChar(ch);
        return;
    }
    if (const int zeros = MultiplierZeros(ch); zeros != 0)
        AddNulls(zeros);
    else
        Beep();
}

bool CSignNumEdit::CheckValue(bool correct)
{
    std::string cleaned = m_negative ? "-" : "";
    bool dropped = false;
    for (std::size_t i = IsNegValue() ? 1 : 0; i < m_text.size(); ++i) {
        if (IsDigit(m_text[i]))
            cleaned += m_text[i];
        else
            dropped = true;
    }
    if (correct) {
        m_text = std::move(cleaned);
        SimulateEnd();
    }
    return !dropped;
}

bool CSignNumEdit::IsZeroValue() const
{
    return std::all_of(m_text.begin() + (IsNegValue() ? 1 : 0), m_text.end(), [](char ch) { return ch == '0'; });
}

void CSignNumEdit::OnChar(char ch)
{
    if (!TypeSign(*this, m_negative, ch))
        CNumEdit::OnChar(ch);
}

void CSignNumEdit::AfterKey()
{
    FollowSign(*this, m_negative);
}

std::string CDecEdit::Cleaned(bool signedText, bool negative, bool& dropped)
{
    const char separator = KvDecimalChar();
    std::string cleaned = signedText && negative ? "-" : "";
    m_hasSeparator = false;
    dropped = false;
    int decimals = 0;
    const bool sign = signedText && !m_text.empty() && m_text[0] == '-';
    for (std::size_t i = sign ? 1 : 0; i < m_text.size(); ++i) {
        const char ch = m_text[i];
        if (IsDigit(ch)) {
            if (m_hasSeparator && decimals >= m_decimals) {
                dropped = true;
                continue;
            }
            if (m_hasSeparator)
                ++decimals;
            cleaned += ch;
        } else if (ch == separator && !m_hasSeparator) {
            m_hasSeparator = true;
            cleaned += ch;
        } else {
            dropped = true;
        }
    }
    return cleaned;
}

bool CDecEdit::CheckValue(bool correct)
{
    if (m_text.empty()) {
        m_hasSeparator = false;
        return true;
    }
    bool dropped = false;
    std::string cleaned = Cleaned(false, false, dropped);
    if (correct && cleaned != m_text) {
        m_text = std::move(cleaned);
        SimulateEnd();
    }
    return !dropped;
}

bool CDecEdit::ZeroAfter(std::size_t from)
{
    const char separator = KvDecimalChar();
    m_hasSeparator = m_text.find(separator, from) != std::string::npos;
    return std::all_of(
        m_text.begin() + static_cast<std::ptrdiff_t>(from), m_text.end(), [separator](char ch) { return ch == '0' || ch == separator; });
}

bool CDecEdit::IsZeroValue()
{
    return ZeroAfter(0);
}

void CDecEdit::AddNulls(int count)
{
    if (static_cast<long long>(m_text.size()) + count > Limit()) {
        Beep();
        return;
    }
    const std::size_t separator = m_text.find(KvDecimalChar());
    m_text.insert(separator == std::string::npos ? m_text.size() : separator, static_cast<std::size_t>(count), '0');
    SimulateEnd();
}

void CDecEdit::OnChar(char ch)
{
    const std::string oldText = m_text;
    const int oldStart = m_selStart;
    const int oldEnd = m_selEnd;
    const bool control = static_cast<unsigned char>(ch) < 32;
    // A text that breaks the rules takes no more characters; Backspace still repairs it.
    if (!CheckValue(false) && !control)
        return;
    const char separator = KvDecimalChar();
    if (IsDigit(ch) || control || (ch == separator && !m_hasSeparator)) {
        const std::size_t at = m_text.find(separator);
        const int caret = std::min(m_selStart, m_selEnd);
        if (IsDigit(ch) && !HasSelection() && at != std::string::npos && caret > static_cast<int>(at)
            && m_text.size() > at + static_cast<std::size_t>(m_decimals))
            return;
        // The separator may not leave more decimals behind it than the field allows.
        if (ch == separator
            && static_cast<int>(m_text.size()) - std::max(m_selStart, m_selEnd) > m_decimals) {
            Beep();
            return;
        }
        DefaultChar(ch);
    } else if (const int zeros = MultiplierZeros(ch); zeros != 0) {
        AddNulls(zeros);
    } else {
        Beep();
    }
    double value = 0;
    if (ReadDecimal(m_text, separator, value) && value > m_max) {
        m_text = oldText;
        m_selStart = oldStart;
        m_selEnd = oldEnd;
    }
}

bool CSignDecEdit::CheckValue(bool correct)
{
    bool dropped = false;
    std::string cleaned = Cleaned(true, m_negative, dropped);
    if (correct) {
        m_text = std::move(cleaned);
        SimulateEnd();
    }
    return !dropped;
}

bool CSignDecEdit::IsZeroValue()
{
    return ZeroAfter(IsNegValue() ? 1 : 0);
}

void CSignDecEdit::OnChar(char ch)
{
    if (!TypeSign(*this, m_negative, ch))
        CDecEdit::OnChar(ch);
}

void CSignDecEdit::AfterKey()
{
    FollowSign(*this, m_negative);
}
