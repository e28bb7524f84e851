// The list-box editor behind the workstation's move lists: an ordered list of texts
// with a current entry that the move buttons shift up and down, and in-place editing
// of the current entry, which KvMoveListBox switches off.
#pragma once

#include <string>
#include <vector>

#include "kvcore/kvcore_api.h"

class KVCORE_API KvListEditor {
public:
    virtual ~KvListEditor() = default;

    void SetItems(std::vector<std::string> items);
    const std::vector<std::string>& Items() const { return m_items; }
    int GetCurSel() const { return m_current; }
    void SetCurSel(int index);

    // The current entry changes place with its neighbour; false at the list's edge.
    bool MoveUp();
    bool MoveDown();

    // In-place editing of the current entry: false when it does not start.
    virtual bool StartEditing();
    // Ends an edit; with commit the entry takes the text.
    virtual void StopEditing(bool commit, const std::string& text);
    bool IsEditing() const { return m_editing; }

private:
    bool Swap(int with);

    std::vector<std::string> m_items;
    int m_current = -1;
    bool m_editing = false;
};

// The editor with in-place editing switched off: entries are only moved.
class KVCORE_API KvMoveListBox : public KvListEditor {
public:
    bool StartEditing() override { return false; }
    void StopEditing(bool, const std::string&) override { }
};
