// The decimal edit's own pre-translation of keys over a selection: the decimal
// separator stays where it is, selected decimals become zeros instead of shifting
// the digits after them, and Backspace does not remove the separator.
#include <algorithm>

#include "kvcore/controls/num_edit.h"

namespace {

int Len(const std::string& s)
{
    return static_cast<int>(s.size());
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

} // namespace

bool CDblEdit::PreTranslateKeyDown(KvKeyEvent& key)
{
    const char sep = Format().DecimalSeparator();
    const bool typesNumber = IsDigit(key.ch) || (key.ch == sep && Format().Decimals() > 0);
    auto separatorPos = [&] {
        const int d = Format().DecimalPos(Text());
        return d >= 0 ? d : Len(Text());
    };

    // 1. A digit or the separator typed over a selection.
    if (typesNumber && key.vk != kVkBack && key.vk != kVkDelete && HasSelection()) {
        const bool unbounded = SelStart() == -1 || SelEnd() == -1;
        NormSel();
        int s = SelStart();
        int e = SelEnd();
        int d = separatorPos();
        if ((s == 0 && e == Len(Text())) || unbounded) {
            SetWindowText("");
            SetSelRaw(0, 0);
            MoveCaret(1);
            return CBaseNumEdit::PreTranslateKeyDown(key);
        }
        if (s == d && e == d + 1) {
            std::string text = Text();
            text.erase(static_cast<size_t>(d), 1);
            SetWindowText(text);
            e = s;
            SetSelRaw(s, e);
            d = separatorPos();
        }
        if (e == d + 1)
            e = d;
        else if (s == d && e != s)
            s = d + 1;
        if (s > d) {
            std::string text = Text();
            for (int i = s; i < std::min(e, Len(text)); ++i)
                if (IsDigit(text[static_cast<size_t>(i)]))
                    text[static_cast<size_t>(i)] = '0';
            SetWindowText(text);
            // The typed digit lands on the first of the zeroed decimals.
            SetSelRaw(-1, -1);
            MoveCaret(s);
        } else if (s <= d && d < e) {
            const std::string text = Text();
            SetWindowText(
                text.substr(0, static_cast<size_t>(s)) + "0" + sep + text.substr(static_cast<size_t>(e)));
            SetSel(s, s + 1);
        } else {
            SetSelRaw(s, e);
        }
        return CBaseNumEdit::PreTranslateKeyDown(key);
    }

    // 2. Backspace or Delete over a selection keeps the separator.
    if ((key.vk == kVkBack || key.vk == kVkDelete) && HasSelection()) {
        if (AllowBlank() && ClearAllCondition())
            return CBaseNumEdit::PreTranslateKeyDown(key);
        NormSel();
        const int s = SelStart();
        const int e = SelEnd();
        const int d = separatorPos();
        if (s == d && e == d + 1) {
            SetSelRaw(-1, -1);
            MoveCaret(d);
            key.vk = 0;
            key.ch = 0;
            return false;
        }
        if (s <= d && d < e) {
            const std::string text = Text();
            std::string kept;
            for (int i = d; i < e; ++i)
                if (!IsDigit(text[static_cast<size_t>(i)]))
                    kept += text[static_cast<size_t>(i)];
            SetWindowText(
                text.substr(0, static_cast<size_t>(d)) + kept + text.substr(static_cast<size_t>(e)));
            if (s < d) {
                SetSel(s, d);
            } else {
                std::string withZero = Text();
                withZero.insert(static_cast<size_t>(d), 1, '0');
                SetWindowText(withZero);
                SetSel(d, d + 1);
            }
        }
        return CBaseNumEdit::PreTranslateKeyDown(key);
    }

    // 3. Backspace just after the separator steps over it.
    if (key.vk == kVkBack && !HasSelection()) {
        const int d = Format().DecimalPos(Text());
        if (d >= 0 && Caret() == d + 1) {
            MoveCaret(d);
            return true;
        }
    }
    return CBaseNumEdit::PreTranslateKeyDown(key);
}
