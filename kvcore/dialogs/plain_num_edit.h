// The lighter numeric fields on a plain edit: the text is the value. Each filters what is
// typed into it, beeps at what it refuses, turns the multiplier letters (hundred, thousand,
// million) into appended zeros, and offers the checks that dialogs call before they use the
// text. The window forwards typed characters to OnChar and every key to AfterKey, and shows
// Text() with the selection.
#pragma once

#include <cfloat>
#include <functional>
#include <string>

#include "kvcore/kvcore_api.h"

class KVCORE_API KvPlainEdit {
public:
    explicit KvPlainEdit(int limit)
        : m_limit(limit)
    {
    }
    virtual ~KvPlainEdit() = default;

    const std::string& Text() const { return m_text; }
    // The control's text set from outside (a dialog, or the window after its own editing).
    void SetWindowText(std::string text);
    int SelStart() const { return m_selStart; }
    int SelEnd() const { return m_selEnd; }
    bool HasSelection() const { return m_selStart != m_selEnd; }
    // The caret stands at end; bounds outside the text are clamped.
    void SetSel(int start, int end);
    int Limit() const { return m_limit; }
    bool IsEmpty() const { return m_text.empty(); }

    // A typed character, control characters (Backspace) included.
    virtual void OnChar(char ch) = 0;
    // Runs when a key goes down and again after the control processed it.
    virtual void AfterKey() {}

    // The default system beep of a refused key; the window installs its beep here.
    std::function<void()> m_onBeep;

protected:
    // What the plain edit control itself does with a character: Backspace deletes the
    // selection or the character before the caret; a printable character replaces the
    // selection unless the text would pass the limit (a beep then).
    void DefaultChar(char ch);
    void Beep() const;
    // The caret to the end of the text, as the End key would put it.
    void SimulateEnd();
    void SetLimit(int limit);

    std::string m_text;
    int m_selStart = 0;
    int m_selEnd = 0;

private:
    int m_limit;
};

// Digits only.
class KVCORE_API CNumEdit : public KvPlainEdit {
public:
    CNumEdit()
        : KvPlainEdit(32767)
    {
    }

    void LimitText(int limit) { SetLimit(limit); }
    // Every character a digit (an empty text passes).
    bool CheckValue() const;
    // Every character '0' (an empty text passes).
    bool IsZeroValue() const;
    // Appends count zeros when the limit allows, else beeps.
    void AddNulls(int count);
    void OnChar(char ch) override;
};

// Digits with a leading minus sign, which '-' typed anywhere toggles.
class KVCORE_API CSignNumEdit : public CNumEdit {
public:
    // Nothing but an optional leading '-' and digits; with correct the text is rewritten
    // (the sign as the negative flag says) and the caret goes to the end.
    bool CheckValue(bool correct);
    bool IsZeroValue() const;
    bool IsNegValue() const { return !m_text.empty() && m_text[0] == '-'; }
    bool Negative() const { return m_negative; }
    void OnChar(char ch) override;
    void AfterKey() override;

private:
    bool m_negative = false;
};

// Digits and one decimal separator with at most a set number of decimals, below a maximum.
class KVCORE_API CDecEdit : public KvPlainEdit {
public:
    CDecEdit()
        : KvPlainEdit(31)
    {
    }

    void SetDecMax(int decimals) { m_decimals = decimals < 0 ? 0 : decimals; }
    int DecMax() const { return m_decimals; }
    void SetMaxVal(double maximum) { m_max = maximum; }
    void LimitText(int limit) { SetLimit(limit); }
    // Digits and the first separator are kept, decimals past the allowed number and every
    // other character are dropped; true when nothing was dropped. With correct the cleaned
    // text becomes the text.
    virtual bool CheckValue(bool correct);
    // Every character '0' or the separator (an empty text passes).
    virtual bool IsZeroValue();
    bool HasSeparator() const { return m_hasSeparator; }
    // count zeros before the separator (appended without one) when the limit allows.
    void AddNulls(int count);
    void OnChar(char ch) override;

protected:
    // The cleaned text; dropped tells whether anything went.
    std::string Cleaned(bool signedText, bool negative, bool& dropped);
    bool ZeroAfter(std::size_t from);

    int m_decimals = 2;
    bool m_hasSeparator = false;
    double m_max = DBL_MAX;
};

// CDecEdit with a leading minus sign, which '-' typed anywhere toggles.
class KVCORE_API CSignDecEdit : public CDecEdit {
public:
    bool CheckValue(bool correct) override;
    bool IsZeroValue() override;
    bool IsNegValue() const { return !m_text.empty() && m_text[0] == '-'; }
    bool Negative() const { return m_negative; }
    void OnChar(char ch) override;
    void AfterKey() override;

private:
    bool m_negative = false;
};
