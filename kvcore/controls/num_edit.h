// The numeric edits of the workstation's dialogs: bounds and digit limits that roll
// an edit back to the last accepted value, an optional blank state for optional
// fields, a caret that keeps its place while thousands separators come and go,
// multiplier letters (hundred, thousand, million) and the plain text that dialogs
// exchange. The window side forwards keys here and paints Text().
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "kvcore/controls/currency_edit.h"
#include "kvcore/kvcore_api.h"

class KVCORE_API CBaseNumEdit : public KvCurrencyEdit {
public:
    CBaseNumEdit();

    // Attaches the control to a dialog item showing itemText: the field may be blank
    // when allowBlank; it starts not blank.
    bool Initialize(std::string_view itemText, bool allowBlank);
    bool IsAttached() const { return m_attached; }
    const std::string& InitialText() const { return m_initialText; }

    void SetMin(double minimum) { Format().SetMin(minimum); }
    void SetMax(double maximum) { Format().SetMax(maximum); }
    void LimitText(int limit) { Format().LimitText(limit); }
    void SetMaxDigits(int digits) { Format().SetMaxDigits(digits); }
    void SetThousandSeparator(char sep) { Format().SetThousandSeparator(sep); }

    void SetValue(double value, bool redraw = true) override;
    // Value 0; a field that may be blank shows nothing.
    void Clear();
    void SetAllowBlank(bool allow);
    bool AllowBlank() const { return m_allowBlank; }
    bool IsBlank() const { return m_blank; }

    void SetSelAll() { SetSel(0, -1); }
    // Orders the selection bounds; -1 stands for the text's start or end.
    void NormSel();

    // The value as dialogs exchange it as text; empty while the field is blank.
    virtual std::string GetUnFormatedString() const = 0;

    // The end of typing (Enter, or the focus leaving): a grouping mark typed last whose group
    // never got its three digits ("12.50" under a decimal comma shows 1250) is reported, so
    // the figure is not taken unseen. False then; the shown value stays for the user to mend.
    bool FinishEntry();

    bool PreTranslateKeyDown(KvKeyEvent& key) override;
    void OnKeyDown(const KvKeyEvent& key) override;
    void OnChar(char ch) override;
    void OnPaste(std::string_view clipboardText) override;
    void OnKillFocus() override;
    void OnLButtonUp() override;
    void OnClicked() override;
    void DoBackspace() override;
    void DoDelete() override;

protected:
    // The field shows at most a leading digit followed by zeros and the separator.
    bool IsBlankable() const;
    void MakeBlank();
    // The character goes to the base control as typed, not through the rules above.
    void FeedBase(char ch) { KvCurrencyEdit::OnChar(ch); }

    bool m_blankFromAnywhere = false;

private:
    // A typed grouping mark is taken (as the no-op it is: the field groups by itself) only where
    // it can stand: after the first one to three digits, then after every three more, or on a
    // group boundary inside the whole part. Elsewhere, and for a decimal separator that ends an
    // unfinished group, the key is refused and reported. True when the key may go on.
    bool CheckGroupingKey(char ch);

    std::string m_initialText;
    // Whole digits in front of the last mark taken while typing, -1 when none is open.
    int m_markDigits = -1;
    char m_mark = 0;
    bool m_passNextChar = false;
    bool m_blank = false;
    bool m_allowBlank = false;
    bool m_attached = false;
    // A comma typed into a zero value waits for the next '0' (each control its own).
    bool m_commaFlag = false;
};

// Unsigned whole numbers, 0 to 4294967295.
class KVCORE_API CIntEdit : public CBaseNumEdit {
public:
    CIntEdit();
    uint32_t GetValue() const;
    std::string GetUnFormatedString() const override;
};

// Signed whole numbers, -2147483648 to 2147483647.
class KVCORE_API CSignIntEdit : public CBaseNumEdit {
public:
    CSignIntEdit();
    int32_t GetValue() const;
    std::string GetUnFormatedString() const override;
};

// What the two decimal edits share: a set count of decimals and the plain text.
class KVCORE_API KvDblEditBase : public CBaseNumEdit {
public:
    double GetValue() const { return Value(); }
    int GetDecMax() const { return Format().Decimals(); }
    void SetDecMax(int decimals);
    void SetMinVal(double minimum) { SetMin(minimum); }
    void SetMaxVal(double maximum) { SetMax(maximum); }
    bool IsEmpty() const { return false; }
    std::string GetUnFormatedString() const override;
};

// Signed decimal numbers.
class KVCORE_API CSignDblEdit : public KvDblEditBase { };

// Non-negative decimal numbers; Backspace may blank the field wherever the caret
// stands, and typing over selected decimals keeps the separator in place.
class KVCORE_API CDblEdit : public KvDblEditBase {
public:
    CDblEdit();
    bool IsZeroValue() const { return Value() < 0.000000001; }
    bool PreTranslateKeyDown(KvKeyEvent& key) override;
};

// The 32-bit forms of a value, cut toward zero and held inside the type's range.
KVCORE_API uint32_t TruncToUInt32(double value);
KVCORE_API int32_t TruncToInt32(double value);
