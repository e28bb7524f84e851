// The base numeric edit control: a value shown formatted with a sign, a decimal
// separator and thousands separators, a caret and a selection over that text, and
// keystrokes turned into edits of the value. Whole-number digits are inserted; the
// decimals have a fixed width, so typing or deleting there overwrites with digits or
// zeros. After every edit the text is read back through the format object, which
// may refuse it, and shown formatted again with the caret kept in the same place
// relative to the decimal separator. The numeric edits add their rules on top.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "kvcore/controls/calculator.h"
#include "kvcore/controls/num_format.h"
#include "kvcore/kvcore_api.h"

// Key codes of the keys the edits treat specially (the platform's virtual keys).
enum KvVirtualKey : int {
    kVkBack = 8,
    kVkEnd = 35,
    kVkHome = 36,
    kVkLeft = 37,
    kVkRight = 39,
    kVkInsert = 45,
    kVkDelete = 46,
};

// One key press: the key code and the character it types (0 for none).
struct KvKeyEvent {
    int vk = 0;
    char ch = 0;
    bool ctrl = false;
    bool alt = false;
    bool shift = false;
};

// The key press that types a character: the key code of its key on the keyboard
// (digits and letters by their upper-case code, the punctuation keys by theirs).
KVCORE_API KvKeyEvent KvCharKey(char ch);

// The parent's notifications: a changed text, the drop button before the calculator opens, and
// a text refused for a misplaced grouping mark (RefusedMark() names it).
enum KvEditNotify : int { kNotifyDropButton = 0, kNotifyChange = 0x0300, kNotifyRefused = 0x0301 };

class KVCORE_API KvCurrencyEdit {
public:
    KvCurrencyEdit();
    KvCurrencyEdit(const KvCurrencyEdit&) = delete;
    KvCurrencyEdit& operator=(const KvCurrencyEdit&) = delete;
    virtual ~KvCurrencyEdit();

    // The key's whole road: pre-translation (which may eat or change it), the key-down
    // handler, then the character handler when the key types one.
    void PressKey(KvKeyEvent key);
    // Each character as a key press of its own.
    void TypeText(std::string_view text);

    virtual void SetValue(double value, bool redraw);
    double Value() const;
    const std::string& Text() const { return m_text; }
    // Shows the text as it is, without reading it.
    void SetWindowText(std::string_view text);

    int Caret() const { return m_caret; }
    void MoveCaret(int pos, bool flag = false);
    int SelStart() const { return m_selStart; }
    int SelEnd() const { return m_selEnd; }
    // The caret follows the end of the selection; end -1 means the end of the text.
    void SetSel(int start, int end);
    void SetSelRaw(int start, int end);
    bool HasSelection() const { return m_selStart != -1 && m_selEnd != m_selStart; }
    bool Overwrite() const { return m_overwrite; }
    void SetOverwrite(bool on) { m_overwrite = on; }
    bool HasCapture() const { return m_capture; }
    // Backspace or Delete would empty the whole field: there is text and all of it is selected.
    bool ClearAllCondition() const;

    // The grouping mark of the last text refused (see number_text.h), 0 before any.
    char RefusedMark() const { return m_refusedMark; }

    CBaseFormat& Format() { return m_format; }
    const CBaseFormat& Format() const { return m_format; }

    // The parent's notification sink (the dialog), called with a KvEditNotify code.
    void SetNotify(std::function<void(int code)> notify) { m_notify = std::move(notify); }

    // Input handlers; the numeric edits override them and call these as "the base control".
    // True when pre-translation ate the key.
    virtual bool PreTranslateKeyDown(KvKeyEvent& key);
    virtual void OnKeyDown(const KvKeyEvent& key);
    virtual void OnChar(char ch);
    virtual void OnPaste(std::string_view clipboardText);
    virtual void OnKillFocus();
    virtual void OnLButtonDown(int pos);
    virtual void OnLButtonUp();
    // The drop button.
    virtual void OnClicked();
    virtual bool ShowCalculator();
    virtual void DoBackspace();
    virtual void DoDelete();

    // The open calculator, if any; closing it with accept sets its result as the value.
    KvCalculator* Calculator() { return m_calculator ? &*m_calculator : nullptr; }
    void CloseCalculator(bool accept);

protected:
    void Notify(int code) const;
    // Tells the parent that a text or key with this grouping mark was refused.
    void RefuseMark(char mark);
    void ReleaseCapture() { m_capture = false; }
    // Reads the edited text (caret at caret) through the format and shows the result.
    void Commit(const std::string& text, int caret);
    // Removes the selection from text: whole-number characters go, decimals become '0',
    // the decimal separator stays. Returns the selection start.
    int EraseSelection(std::string& text) const;
    // Backspace and Delete over a selection; false when there is none.
    bool CommitErasedSelection();

private:
    int MapCaret(const std::string& before, int caret, const std::string& after) const;

    CBaseFormat m_format;
    std::string m_text;
    double m_absValue = 0;
    bool m_negative = false;
    int m_caret = 0;
    int m_selStart = -1;
    int m_selEnd = -1;
    bool m_overwrite = false;
    bool m_capture = false;
    char m_refusedMark = 0;
    std::optional<KvCalculator> m_calculator;
    std::function<void(int)> m_notify;
};
