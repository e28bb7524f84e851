#include "kvcore/controls/type_ahead.h"

#include "fw/core/codepage.h"
#include "kvcore/controls/currency_edit.h"

namespace {

bool IsAsciiDigit(char ch)
{
    return ch >= '0' && ch <= '9';
}

// Blanks as the C library's classification in the "C" locale sees them.
bool IsBlank(char ch)
{
    return ch == ' ' || (ch >= '\t' && ch <= '\r');
}

bool IsAsciiLetter(char ch)
{
    return (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z');
}

bool CompletesOnKey(char ch)
{
    return IsAsciiLetter(ch) || IsAsciiDigit(ch) || ch == ' ';
}

} // namespace

int FindStringPrefix(const KvComboList& list, std::string_view prefix)
{
    const std::string wanted = fw::cp1250ToLower(prefix);
    const int count = list.GetCount();
    for (int i = 0; i < count; ++i) {
        const std::string text = list.GetItemText(i);
        if (text.size() >= wanted.size()
            && fw::cp1250ToLower(std::string_view(text).substr(0, wanted.size())) == wanted)
            return i;
    }
    return -1;
}

void KvTypeAhead::Select(int index)
{
    if (index == m_list.GetCurSel())
        return;
    m_list.SetCurSel(index);
    m_list.NotifySelChange();
}

void KvTypeAhead::OnChar(char ch)
{
    m_prefix += ch;
    int found = FindStringPrefix(m_list, m_prefix);
    if (found == -1) {
        m_prefix = std::string(1, ch);
        found = FindStringPrefix(m_list, m_prefix);
    }
    Select(found);
}

bool KvTypeComboKeys::OnKeyDown(int vk)
{
    if (vk != kVkDelete)
        return false;
    m_prefix.clear();
    m_list.SetCurSel(-1);
    m_list.NotifySelChange();
    return true;
}

bool KvClearComboKeys::OnKeyDown(int vk)
{
    if (vk != kVkDelete)
        return false;
    m_list.SetCurSel(-1);
    m_list.NotifySelChange();
    return true;
}

void KvBGComboKeys::OnChar(char ch, int repeat, int flags)
{
    if (!IsAsciiDigit(ch) && !IsBlank(ch)) {
        KvTypeAhead::OnChar(ch);
        return;
    }
    if (!companion)
        return;
    companion->SetFocus();
    companion->SetText("");
    if (IsAsciiDigit(ch))
        companion->SendChar(ch, repeat, flags);
}

bool KvBGEditKeys::OnChar(char ch, int repeat, int flags)
{
    const bool letter = IsAsciiLetter(ch);
    if (!letter && !IsBlank(ch))
        return false;
    if (companion) {
        companion->SetFocus();
        if (letter)
            companion->SendChar(ch, repeat, flags);
    }
    return true;
}

bool KvExplorerComboKeys::OnChar(char ch)
{
    if (!CompletesOnKey(ch))
        return false;
    const std::string text = m_combo.GetEditText();
    const int selStart = m_combo.GetEditSelStart();
    const size_t keep = selStart < 0 ? 0 : std::min(text.size(), static_cast<size_t>(selStart));
    const std::string candidate = text.substr(0, keep) + ch;
    const int found = FindStringPrefix(m_combo, candidate);
    if (found == -1)
        return true; // no entry continues this way: the character is not typed
    m_combo.ShowDropDown(false);
    m_combo.SetCurSel(found);
    m_combo.ShowDropDown(true);
    m_combo.SetEditSel(static_cast<int>(candidate.size()), -1);
    m_combo.NotifySelChange();
    return true;
}

bool KvExplorerComboKeys::OnKeyUp(int vk)
{
    // The key's release is swallowed but completes nothing: its character was handled
    // when it was typed, and taking it again would type it twice.
    return CompletesOnKey(static_cast<char>(vk));
}
