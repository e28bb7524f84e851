#include "kvcore/controls/currency_edit.h"

#include <algorithm>
#include <cmath>

#include "kvcore/values/number_text.h"

namespace {

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

int Len(const std::string& s)
{
    return static_cast<int>(s.size());
}

} // namespace

KvKeyEvent KvCharKey(char ch)
{
    int vk = 0;
    if (IsDigit(ch) || (ch >= 'A' && ch <= 'Z'))
        vk = ch;
    else if (ch >= 'a' && ch <= 'z')
        vk = ch - 'a' + 'A';
    else if (ch == '\b')
        vk = kVkBack;
    else if (ch == ',')
        vk = 0xBC;
    else if (ch == '-')
        vk = 0xBD;
    else if (ch == '.')
        vk = 0xBE;
    else
        vk = 0xFF; // some other key that types a character
    return KvKeyEvent { vk, ch };
}

KvCurrencyEdit::KvCurrencyEdit() = default;
KvCurrencyEdit::~KvCurrencyEdit() = default;

void KvCurrencyEdit::PressKey(KvKeyEvent key)
{
    if (PreTranslateKeyDown(key))
        return;
    OnKeyDown(key);
    // Only keys that type a character reach the character handler; Delete types none.
    if (key.vk != 0 && key.vk != kVkDelete && key.ch != 0 && !key.ctrl && !key.alt)
        OnChar(key.ch);
}

void KvCurrencyEdit::TypeText(std::string_view text)
{
    for (char c : text)
        PressKey(KvCharKey(c));
}

void KvCurrencyEdit::SetValue(double value, bool /*redraw*/)
{
    if (!std::isfinite(value))
        value = 0;
    double abs = std::fabs(value);
    bool negative = value < 0;
    std::string text;
    m_format.FormatValue(abs, text, negative);
    m_absValue = abs;
    m_negative = negative;
    m_text = text;
    // The shown text is what a refused edit later falls back to.
    m_format.SetLastText(m_text);
    m_caret = std::clamp(m_caret, 0, Len(m_text));
}

double KvCurrencyEdit::Value() const
{
    return m_negative ? -m_absValue : m_absValue;
}

void KvCurrencyEdit::SetWindowText(std::string_view text)
{
    m_text = std::string(text);
}

void KvCurrencyEdit::MoveCaret(int pos, bool /*flag*/)
{
    m_caret = pos;
}

void KvCurrencyEdit::SetSel(int start, int end)
{
    m_selStart = start;
    m_selEnd = end;
    m_caret = end == -1 ? Len(m_text) : end;
}

void KvCurrencyEdit::SetSelRaw(int start, int end)
{
    m_selStart = start;
    m_selEnd = end;
}

bool KvCurrencyEdit::ClearAllCondition() const
{
    if (m_text.empty() || !HasSelection())
        return false;
    const int lo = std::min(m_selStart, m_selEnd == -1 ? Len(m_text) : m_selEnd);
    const int hi = std::max(m_selStart, m_selEnd == -1 ? Len(m_text) : m_selEnd);
    return lo <= 0 && hi >= Len(m_text);
}

void KvCurrencyEdit::Notify(int code) const
{
    if (m_notify)
        m_notify(code);
}

void KvCurrencyEdit::RefuseMark(char mark)
{
    m_refusedMark = mark;
    Notify(kNotifyRefused);
}

int KvCurrencyEdit::MapCaret(const std::string& before, int caret, const std::string& after) const
{
    caret = std::clamp(caret, 0, Len(before));
    const int dBefore = m_format.DecimalPos(before);
    const int dAfter = m_format.DecimalPos(after);
    if (dBefore >= 0 && caret > dBefore) {
        const int pos = dAfter >= 0 ? dAfter + (caret - dBefore) : Len(after);
        return std::min(pos, Len(after));
    }
    // In the whole part the caret keeps its count of characters up to the separator.
    const int endBefore = dBefore >= 0 ? dBefore : Len(before);
    int keep = 0;
    for (int i = caret; i < endBefore; ++i)
        keep += m_format.IsThousandSeparator(before[i]) ? 0 : 1;
    int pos = dAfter >= 0 ? dAfter : Len(after);
    while (keep > 0 && pos > 0) {
        --pos;
        keep -= m_format.IsThousandSeparator(after[pos]) ? 0 : 1;
    }
    return pos;
}

void KvCurrencyEdit::Commit(const std::string& text, int caret)
{
    double abs = 0;
    bool negative = false;
    if (!m_format.ParseValue(text, abs, negative))
        return; // not a number: the field keeps what it showed
    std::string shown;
    m_format.FormatValue(abs, shown, negative);
    m_format.SetLastText(shown);
    const int newCaret = MapCaret(text, caret, shown);
    m_text = shown;
    m_absValue = abs;
    m_negative = negative;
    m_caret = newCaret;
    m_selStart = m_selEnd = -1;
}

int KvCurrencyEdit::EraseSelection(std::string& text) const
{
    int s = m_selStart;
    int e = m_selEnd == -1 ? Len(text) : m_selEnd;
    if (s < 0)
        s = 0;
    if (s > e)
        std::swap(s, e);
    s = std::min(s, Len(text));
    e = std::min(e, Len(text));
    const int d = m_format.DecimalPos(text);
    std::string kept;
    for (int i = s; i < e; ++i) {
        if (i == d)
            kept += text[i];
        else if (d >= 0 && i > d)
            kept += '0';
    }
    text = text.substr(0, s) + kept + text.substr(e);
    return s;
}

bool KvCurrencyEdit::CommitErasedSelection()
{
    if (!HasSelection())
        return false;
    std::string text = m_text;
    const int caret = EraseSelection(text);
    Commit(text, caret);
    return true;
}

bool KvCurrencyEdit::PreTranslateKeyDown(KvKeyEvent& /*key*/)
{
    return false;
}

void KvCurrencyEdit::OnKeyDown(const KvKeyEvent& key)
{
    const int len = Len(m_text);
    auto move = [&](int to) {
        to = std::clamp(to, 0, len);
        if (key.shift) {
            if (!HasSelection())
                m_selStart = std::clamp(m_caret, 0, len);
            m_selEnd = to;
        } else {
            m_selStart = m_selEnd = -1;
        }
        m_caret = to;
    };
    switch (key.vk) {
    case kVkBack:
        DoBackspace();
        break;
    case kVkDelete:
        DoDelete();
        break;
    case kVkLeft:
        move(m_caret - 1);
        break;
    case kVkRight:
        move(m_caret + 1);
        break;
    case kVkHome:
        move(0);
        break;
    case kVkEnd:
        move(len);
        break;
    case kVkInsert:
        m_overwrite = !m_overwrite;
        break;
    default:
        break;
    }
}

void KvCurrencyEdit::OnChar(char ch)
{
    const bool digit = IsDigit(ch);
    const bool point = ch == m_format.DecimalSeparator() && m_format.Decimals() > 0;
    if (!digit && !point && ch != '-')
        return;
    std::string text = m_text;
    int caret = std::clamp(m_caret, 0, Len(text));
    if (ch == '-') {
        // The sign toggles wherever the caret stands.
        if (!text.empty() && text[0] == '-') {
            text.erase(0, 1);
            caret = std::max(0, caret - 1);
        } else {
            text.insert(0, 1, '-');
            ++caret;
        }
        Commit(text, caret);
        return;
    }
    if (HasSelection())
        caret = EraseSelection(text);
    const int d = m_format.DecimalPos(text);
    if (point) {
        if (d >= 0) {
            caret = d + 1;
        } else {
            text.insert(static_cast<size_t>(caret), 1, ch);
            ++caret;
        }
    } else if (d >= 0 && caret > d) {
        if (caret < Len(text)) // the decimals keep their width
            text[static_cast<size_t>(caret++)] = ch;
    } else if (m_overwrite && caret < (d >= 0 ? d : Len(text)) && IsDigit(text[static_cast<size_t>(caret)])) {
        text[static_cast<size_t>(caret++)] = ch;
    } else {
        text.insert(static_cast<size_t>(caret), 1, ch);
        ++caret;
    }
    Commit(text, caret);
}

void KvCurrencyEdit::DoBackspace()
{
    if (CommitErasedSelection())
        return;
    std::string text = m_text;
    int caret = std::clamp(m_caret, 0, Len(text));
    if (caret == 0)
        return;
    const int d = m_format.DecimalPos(text);
    if (caret - 1 == d) {
        m_caret = d; // the separator stays; the caret steps over it
        return;
    }
    if (d >= 0 && caret - 1 > d) {
        text[static_cast<size_t>(caret - 1)] = '0';
        --caret;
    } else {
        if (m_format.IsThousandSeparator(text[static_cast<size_t>(caret - 1)]) && caret > 1)
            --caret;
        text.erase(static_cast<size_t>(caret - 1), 1);
        --caret;
    }
    Commit(text, caret);
}

void KvCurrencyEdit::DoDelete()
{
    if (CommitErasedSelection())
        return;
    std::string text = m_text;
    int caret = std::clamp(m_caret, 0, Len(text));
    if (caret >= Len(text))
        return;
    const int d = m_format.DecimalPos(text);
    if (caret == d) {
        m_caret = d + 1;
        return;
    }
    if (m_format.IsThousandSeparator(text[static_cast<size_t>(caret)]))
        ++caret;
    if (caret >= Len(text))
        return;
    if (d >= 0 && caret > d)
        text[static_cast<size_t>(caret)] = '0';
    else
        text.erase(static_cast<size_t>(caret), 1);
    Commit(text, caret);
}

void KvCurrencyEdit::OnPaste(std::string_view clipboardText)
{
    // A pasted "2774.50" where the decimal separator is ',' would read as 277450.
    const char dec = m_format.DecimalSeparator();
    const char sep = m_format.ThousandSeparator();
    if (!IsSoundlyGrouped(clipboardText, dec, sep)) {
        const auto mark = std::find_if(
            clipboardText.begin(), clipboardText.end(), [&](char c) { return IsGroupingMark(c, dec, sep); });
        RefuseMark(mark == clipboardText.end() ? '\0' : *mark);
        return;
    }
    std::string text = m_text;
    int caret = std::clamp(m_caret, 0, Len(text));
    if (HasSelection())
        caret = EraseSelection(text);
    text.insert(static_cast<size_t>(caret), clipboardText);
    Commit(text, caret + static_cast<int>(clipboardText.size()));
}

void KvCurrencyEdit::OnKillFocus() { }

void KvCurrencyEdit::OnLButtonDown(int pos)
{
    m_caret = std::clamp(pos, 0, Len(m_text));
    m_selStart = m_selEnd = -1;
    m_capture = true;
}

void KvCurrencyEdit::OnLButtonUp()
{
    m_capture = false;
}

void KvCurrencyEdit::OnClicked()
{
    ShowCalculator();
}

bool KvCurrencyEdit::ShowCalculator()
{
    m_calculator.emplace(Value());
    return true;
}

void KvCurrencyEdit::CloseCalculator(bool accept)
{
    if (!m_calculator)
        return;
    const bool usable = accept && !m_calculator->HasError();
    const double result = m_calculator->Display();
    m_calculator.reset();
    if (usable)
        SetValue(result, true);
}
