#include "kvcore/controls/num_edit.h"

#include <algorithm>
#include <cctype>
#include <cmath>

#include "fw/core/codepage.h"
#include "kvcore/values/intl_info.h"
#include "kvcore/values/number_text.h"

namespace {

int Len(const std::string& s)
{
    return static_cast<int>(s.size());
}

// The new caret for an anchor p: p moved by one when the edit added or removed a
// thousands separator in front of it. beforeCount and afterCount are how many leading
// characters of each text are looked at.
int CompensatedCaret(const CBaseFormat& format, int p, const std::string& before, int beforeCount,
    const std::string& after, int afterCount)
{
    auto separators = [&](const std::string& text, int count) {
        const int n = std::clamp(count, 0, Len(text));
        return static_cast<int>(std::count_if(
            text.begin(), text.begin() + n, [&](char c) { return format.IsThousandSeparator(c); }));
    };
    const int b = separators(before, beforeCount);
    const int a = separators(after, afterCount);
    const int caret = p + (a > b ? 1 : 0) - (a < b ? 1 : 0);
    return std::clamp(caret, 0, Len(after));
}

constexpr double kZeroBand = 1e-8;

} // namespace

uint32_t TruncToUInt32(double value)
{
    if (!(value > 0))
        return 0;
    if (value >= 4294967295.0)
        return 4294967295u;
    return static_cast<uint32_t>(value);
}

int32_t TruncToInt32(double value)
{
    if (std::isnan(value))
        return 0;
    if (value <= -2147483648.0)
        return INT32_MIN;
    if (value >= 2147483647.0)
        return INT32_MAX;
    return static_cast<int32_t>(value);
}

CBaseNumEdit::CBaseNumEdit()
{
    KvCurrencyEdit::SetValue(0, true);
}

bool CBaseNumEdit::Initialize(std::string_view itemText, bool allowBlank)
{
    m_allowBlank = allowBlank;
    m_blank = false;
    m_passNextChar = false;
    m_blankFromAnywhere = false;
    m_attached = true;
    m_initialText = std::string(itemText);
    return true;
}

void CBaseNumEdit::SetValue(double value, bool redraw)
{
    m_markDigits = -1;
    KvCurrencyEdit::SetValue(value, redraw);
    if (m_blank && std::fabs(value) > 0.000001)
        m_blank = false;
    Format().ClearDirtyFlag();
    if (m_attached) {
        const int d = Format().DecimalPos(Text());
        const int pos = d >= 0 ? d : Len(Text());
        MoveCaret(pos);
        SetSelRaw(pos, pos);
    }
}

void CBaseNumEdit::MakeBlank()
{
    KvCurrencyEdit::SetValue(0, true);
    MoveCaret(0);
    SetSelRaw(-1, -1);
    SetWindowText("");
    m_blank = true;
}

void CBaseNumEdit::Clear()
{
    SetValue(0, true);
    if (m_allowBlank)
        MakeBlank();
}

void CBaseNumEdit::SetAllowBlank(bool allow)
{
    m_allowBlank = allow;
    // A field that may no longer be blank shows its value again.
    if (!allow && m_blank) {
        m_blank = false;
        SetValue(0, true);
    }
}

void CBaseNumEdit::NormSel()
{
    if (!HasSelection())
        return;
    int start = SelStart();
    int end = SelEnd();
    if (start < 0)
        start = 0;
    if (end < 0)
        end = Len(Text());
    if (start > end)
        std::swap(start, end);
    SetSelRaw(start, end);
}

bool CBaseNumEdit::IsBlankable() const
{
    const std::string& text = Text();
    if (text.size() < 2)
        return true;
    const char sep = Format().DecimalSeparator();
    return std::all_of(text.begin() + 1, text.end(), [&](char c) { return c == '0' || c == sep; });
}

bool CBaseNumEdit::CheckGroupingKey(char ch)
{
    const CBaseFormat& format = Format();
    const char dec = format.DecimalSeparator();
    const bool point = ch == dec && format.Decimals() > 0;
    const bool mark = IsGroupingMark(ch, dec, format.ThousandSeparator());
    if ((!mark && !point) || HasSelection() || (m_allowBlank && m_blank))
        return true;
    const std::string& text = Text();
    const int decimalPos = format.DecimalPos(text);
    const int wholeEnd = decimalPos >= 0 ? decimalPos : Len(text);
    const int caret = std::clamp(Caret(), 0, Len(text));
    const auto digits = [&text](int from, int to) {
        return to <= from ? 0 : CountDigits(std::string_view(text).substr(static_cast<size_t>(from), static_cast<size_t>(to - from)));
    };
    const int before = digits(0, std::min(caret, wholeEnd));
    const int after = caret <= wholeEnd ? digits(caret, wholeEnd) : 0;
    if (point) {
        const bool groupDone = m_markDigits < 0 || before - m_markDigits == 3;
        if (groupDone) {
            m_markDigits = -1;
            return true;
        }
        m_markDigits = -1; // told once
        RefuseMark(m_mark);
        return false;
    }
    // A group never starts with a zero: "0," is a decimal typed the other locale's way.
    const size_t firstDigit = text.find_first_of("0123456789");
    bool fits = false;
    if (caret > wholeEnd || firstDigit == std::string::npos || text[firstDigit] == '0')
        fits = false;
    else if (after > 0)
        fits = before > 0 && after % 3 == 0;
    else
        fits = m_markDigits < 0 ? before >= 1 && before <= 3 : before - m_markDigits == 3;
    if (!fits) {
        RefuseMark(ch);
        return false;
    }
    if (after == 0) {
        m_markDigits = before;
        m_mark = ch;
    }
    return true;
}

void CBaseNumEdit::OnChar(char ch)
{
    if (!CheckGroupingKey(ch))
        return;
    const CBaseFormat& format = Format();
    const int decimals = format.Decimals();
    const char sep = format.DecimalSeparator();
    // 1. The first character into a blank field first shows a zero value.
    if (m_allowBlank && m_blank) {
        if (m_passNextChar) {
            m_passNextChar = false;
            FeedBase(ch);
            return;
        }
        std::string zero = "0";
        if (decimals > 0)
            zero += sep + std::string(static_cast<size_t>(decimals), '0');
        SetWindowText(zero);
        MoveCaret(1);
        m_blank = false;
    }
    m_passNextChar = false;
    // 2. Past the last decimal there is nothing to type over.
    const bool hadSelection = HasSelection();
    if (!hadSelection && Caret() == Len(Text()) && decimals > 0)
        return;
    // 3.
    int anchor = 0;
    if (hadSelection) {
        NormSel();
        anchor = SelStart();
    }
    // 4. A typed digit replaces a lone leading zero instead of joining it.
    const std::string& text = Text();
    if (Overwrite()) {
        if (text.size() >= 2 && Caret() == 1 && text[0] == '0' && text[1] == sep) {
            MoveCaret(0);
            if (HasSelection())
                SetSelRaw(0, SelEnd());
        }
    } else if (!hadSelection && Caret() == 0 && format.DecimalPos(text) >= 0 && !text.empty()
        && text[0] == '0') {
        MoveCaret(1);
    }
    // 5.
    if (hadSelection && ch == '-') {
        SetValue(1, true);
        SetValue(0, true);
    }
    // 6.
    const std::string before = Text();
    FeedBase(ch);
    // 7.
    if (hadSelection)
        MoveCaret(CompensatedCaret(format, anchor + 1, before, anchor, Text(), anchor + 1));
    // 8. A zero value is shown afresh, keeping a typed sign and decimal separator.
    const double value = Value();
    if (value > -kZeroBand && value < kZeroBand) {
        const bool negative = !Text().empty() && Text()[0] == '-';
        SetValue(1, true);
        SetValue(0, true);
        if (ch == '0') {
            if (negative)
                FeedBase('-');
            FeedBase('0');
            if (m_commaFlag) {
                FeedBase(',');
                FeedBase('0');
                m_commaFlag = false;
            }
        }
        if (ch == ',') {
            if (negative)
                FeedBase('-');
            FeedBase('0');
            FeedBase(',');
            m_commaFlag = true;
        } else {
            m_commaFlag = false;
        }
        if (ch == '-')
            FeedBase('-');
        if (ch == sep && decimals > 0)
            MoveCaret(negative ? 3 : 2);
    } else {
        m_commaFlag = false;
    }
}

bool CBaseNumEdit::PreTranslateKeyDown(KvKeyEvent& key)
{
    if (key.vk != kVkBack)
        return false;
    if (!HasSelection() && Caret() > 0) {
        // Backspace removes the character before the caret as a selection, so the
        // separator compensation sees one edit; a thousands separator is stepped over.
        int caret = std::min(Caret(), Len(Text()));
        if (caret > 1 && Format().IsThousandSeparator(Text()[static_cast<size_t>(caret - 1)]))
            --caret;
        if (caret > 0)
            SetSel(caret - 1, caret);
    } else if (ClearAllCondition()) {
        key.vk = kVkDelete;
        key.ch = 0;
    }
    return false;
}

void CBaseNumEdit::OnKeyDown(const KvKeyEvent& key)
{
    const CBaseFormat& format = Format();
    const char ch = fw::cp1250ToLower(key.ch);
    if (key.ch == 0 || key.vk == kVkBack)
        m_markDigits = -1; // the caret moved or text went: typing starts afresh
    if (key.ctrl || key.alt) {
        KvCurrencyEdit::OnKeyDown(key);
    } else if (key.vk == kVkBack) {
        if (m_allowBlank) {
            m_passNextChar = true;
            if (m_blank && !Text().empty())
                m_passNextChar = false;
        }
        NormSel();
        const int anchor = HasSelection() ? SelStart() : Caret();
        const std::string before = Text();
        KvCurrencyEdit::OnKeyDown(key);
        MoveCaret(CompensatedCaret(format, anchor, before, anchor, Text(), anchor));
    } else if (key.vk == kVkDelete) {
        NormSel();
        const int len = Len(Text());
        if (HasSelection() && SelStart() == 0 && SelEnd() == len - 1) {
            // Everything but the last character: "1" stands in for the removed part,
            // and Delete then removes that "1".
            SetWindowText(std::string("1") + Text().back());
            SetSelRaw(-1, -1);
            MoveCaret(0);
        }
        const int caret = Caret();
        if (caret >= 0 && caret < Len(Text())) {
            const char at = Text()[static_cast<size_t>(caret)];
            if (format.IsThousandSeparator(at) || format.DecimalPos(Text()) == caret)
                MoveCaret(caret + 1);
        }
        const bool hadSelection = HasSelection();
        const int anchor = hadSelection ? SelStart() : Caret();
        const std::string before = Text();
        KvCurrencyEdit::OnKeyDown(key);
        int newCaret = CompensatedCaret(format, anchor, before, anchor, Text(), anchor);
        const int d = format.DecimalPos(Text());
        if (!hadSelection && d >= 0 && newCaret > d)
            newCaret = std::min(newCaret + 1, Len(Text()));
        MoveCaret(newCaret);
    } else if (key.vk == kVkLeft) {
        KvCurrencyEdit::OnKeyDown(key);
    } else {
        const fw::LocaleInfo& intl = KvIntl();
        double factor = 0;
        if (intl.hundred != 0 && ch == intl.hundred)
            factor = 100;
        else if (intl.million != 0 && ch == intl.million)
            factor = 1000000;
        else if ((intl.thousand != 0 && ch == intl.thousand) || ch == 'k')
            factor = 1000;
        if (factor != 0) {
            const double multiplied = Value() * factor;
            if (Format().IsValidValue(multiplied))
                SetValue(multiplied, true);
        } else {
            KvCurrencyEdit::OnKeyDown(key);
        }
    }
    Notify(kNotifyChange);
}

void CBaseNumEdit::DoBackspace()
{
    if (!m_allowBlank) {
        KvCurrencyEdit::DoBackspace();
        return;
    }
    if ((ClearAllCondition() && (m_blankFromAnywhere || Caret() == 0)) || (IsBlankable() && Caret() == 1))
        MakeBlank();
    else if (!Text().empty())
        KvCurrencyEdit::DoBackspace();
}

void CBaseNumEdit::DoDelete()
{
    if (m_allowBlank && ((ClearAllCondition() && !m_passNextChar) || (IsBlankable() && Caret() == 0))) {
        MakeBlank();
        return;
    }
    const int d = Format().DecimalPos(Text());
    const bool atOrBeforeSeparator = d >= 0 && Caret() <= d;
    KvCurrencyEdit::DoDelete();
    if (atOrBeforeSeparator && !HasSelection()) {
        const int nd = Format().DecimalPos(Text());
        if (nd >= 0 && Caret() > nd)
            MoveCaret(nd);
    }
}

void CBaseNumEdit::OnPaste(std::string_view clipboardText)
{
    m_markDigits = -1;
    const char dec = Format().DecimalSeparator();
    if (!clipboardText.empty() && IsSoundlyGrouped(clipboardText, dec, Format().ThousandSeparator()))
        m_blank = false;
    KvCurrencyEdit::OnPaste(clipboardText);
}

bool CBaseNumEdit::FinishEntry()
{
    const int open = m_markDigits;
    m_markDigits = -1;
    if (open < 0)
        return true;
    const int decimalPos = Format().DecimalPos(Text());
    const std::string_view whole = std::string_view(Text()).substr(0, decimalPos >= 0 ? static_cast<size_t>(decimalPos) : std::string_view::npos);
    if (CountDigits(whole) - open == 3)
        return true;
    RefuseMark(m_mark);
    return false;
}

void CBaseNumEdit::OnKillFocus()
{
    FinishEntry();
    if (Format().IsDirty()) {
        Notify(kNotifyChange);
        Format().ClearDirtyFlag();
    }
    KvCurrencyEdit::OnKillFocus();
}

void CBaseNumEdit::OnLButtonUp()
{
    if (HasCapture())
        ReleaseCapture();
    KvCurrencyEdit::OnLButtonUp();
}

void CBaseNumEdit::OnClicked()
{
    Notify(kNotifyDropButton);
    ShowCalculator();
}

CIntEdit::CIntEdit()
{
    Format().SetDecimals(0);
    SetMin(0);
    SetMax(4294967295.0);
    KvCurrencyEdit::SetValue(0, true);
}

uint32_t CIntEdit::GetValue() const
{
    return TruncToUInt32(Value());
}

std::string CIntEdit::GetUnFormatedString() const
{
    return IsBlank() ? std::string() : std::to_string(GetValue());
}

CSignIntEdit::CSignIntEdit()
{
    Format().SetDecimals(0);
    SetMin(-2147483648.0);
    SetMax(2147483647.0);
    KvCurrencyEdit::SetValue(0, true);
}

int32_t CSignIntEdit::GetValue() const
{
    return TruncToInt32(Value());
}

std::string CSignIntEdit::GetUnFormatedString() const
{
    return IsBlank() ? std::string() : std::to_string(GetValue());
}

void KvDblEditBase::SetDecMax(int decimals)
{
    Format().SetDecimals(decimals);
    KvCurrencyEdit::SetValue(Value(), true);
}

std::string KvDblEditBase::GetUnFormatedString() const
{
    if (IsBlank())
        return {};
    const int decimals = Format().Decimals();
    std::string text = FixedText(Value(), decimals);
    const char sep = Format().DecimalSeparator();
    if (sep != '.' && decimals > 0)
        text[text.size() - static_cast<size_t>(decimals) - 1] = sep;
    return text;
}

CDblEdit::CDblEdit()
{
    SetMin(0);
    m_blankFromAnywhere = true;
}
