// The keyboard rules of the workstation's combo boxes, without the window: type-ahead
// selection by the first characters of an entry, Delete to clear the choice, handing
// digits or letters over to a companion field, and completion in the edit field of a
// drop-down combo. Every change of selection made here is announced to the parent
// exactly once, as a selection by mouse would be.
#pragma once

#include <string>
#include <string_view>

#include "kvcore/kvcore_api.h"

// The list of a combo box as the rules see it; texts are Windows-1250.
class KVCORE_API KvComboList {
public:
    virtual ~KvComboList() = default;
    virtual int GetCount() const = 0;
    virtual std::string GetItemText(int index) const = 0;
    virtual int GetCurSel() const = 0; // -1: none
    virtual void SetCurSel(int index) = 0;
    // The selection-change notification (CBN_SELCHANGE), sent to the parent.
    virtual void NotifySelChange() = 0;
};

// The edit field and drop-down of a drop-down combo box.
class KVCORE_API KvComboEditList : public KvComboList {
public:
    virtual std::string GetEditText() const = 0;
    virtual int GetEditSelStart() const = 0;
    virtual void SetEditSel(int start, int end) = 0; // end -1: to the end
    virtual void ShowDropDown(bool show) = 0;
};

// The field that takes over typing the combo box or edit does not handle.
class KVCORE_API KvCompanion {
public:
    virtual ~KvCompanion() = default;
    virtual void SetFocus() = 0;
    virtual void SetText(std::string_view text) = 0;
    virtual void SendChar(char ch, int repeat, int flags) = 0;
};

// The first entry that begins with prefix, ignoring case; -1 when none does.
KVCORE_API int FindStringPrefix(const KvComboList& list, std::string_view prefix);

// Type-ahead: the typed prefix grows with each character and starts again from the
// last character when no entry begins with it. There is no time-out.
class KVCORE_API KvTypeAhead {
public:
    explicit KvTypeAhead(KvComboList& list)
        : m_list(list)
    {
    }
    void OnChar(char ch);
    void OnSetFocus() { m_prefix.clear(); }
    const std::string& Prefix() const { return m_prefix; }

protected:
    // Selects index when it differs from the selection, and tells the parent.
    void Select(int index);

    KvComboList& m_list;
    std::string m_prefix;
};

// The type-ahead combo box: Delete clears the choice, and the chosen entry is selected
// again after the focus leaves so that it shows the entry's text.
class KVCORE_API KvTypeComboKeys : public KvTypeAhead {
public:
    using KvTypeAhead::KvTypeAhead;
    // True when the key was Delete and was handled here.
    bool OnKeyDown(int vk);
    // defaultHandling is the list's own focus loss.
    template <class F> void OnKillFocus(F&& defaultHandling)
    {
        const int selected = m_list.GetCurSel();
        defaultHandling();
        if (selected != -1)
            m_list.SetCurSel(selected);
    }
};

// A combo box whose only rule is that Delete clears the choice.
class KVCORE_API KvClearComboKeys {
public:
    explicit KvClearComboKeys(KvComboList& list)
        : m_list(list)
    {
    }
    bool OnKeyDown(int vk);

private:
    KvComboList& m_list;
};

// A combo box that hands digits and blanks to a companion field (which it empties)
// and uses every other character for type-ahead.
class KVCORE_API KvBGComboKeys : public KvTypeAhead {
public:
    using KvTypeAhead::KvTypeAhead;
    KvCompanion* companion = nullptr;
    void OnChar(char ch, int repeat = 1, int flags = 0);
};

// An edit that hands letters and blanks to a companion field. False when the character
// is the edit's own.
class KVCORE_API KvBGEditKeys {
public:
    KvCompanion* companion = nullptr;
    bool OnChar(char ch, int repeat = 1, int flags = 0);
};

// Completion in a drop-down combo box's edit field: a typed letter, digit or blank
// completes to the first entry that continues the text before the edit selection and
// leaves the completed rest selected; a character that no entry continues is refused.
class KVCORE_API KvExplorerComboKeys {
public:
    explicit KvExplorerComboKeys(KvComboEditList& combo)
        : m_combo(combo)
    {
    }
    // True when the message is handled here and goes no further.
    bool OnChar(char ch);
    bool OnKeyUp(int vk);

private:
    KvComboEditList& m_combo;
};
