// The list box in which the user orders entries: a block of selected entries is dragged to
// a new place, or moved one place up or down by two arrow buttons or Ctrl+Up and Ctrl+Down.
// Entries keep their text and item data while they move. Everything here works on a list
// box through KvListBoxPort, so the rules run the same on a window and in tests.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "kvcore/kvcore_api.h"

struct KvListEntry {
    std::string text;
    std::uint64_t data = 0;
    bool operator==(const KvListEntry&) const = default;
};

// A multiple-selection list box as the choosers see it. Indexes count from 0.
class KVCORE_API KvListBoxPort {
public:
    virtual ~KvListBoxPort() = default;
    virtual int Count() const = 0;
    virtual KvListEntry Entry(int index) const = 0;
    // Inserts before index (-1 or past the end: at the end); returns the entry's index.
    virtual int Insert(int index, const KvListEntry& entry) = 0;
    virtual void Delete(int index) = 0;
    virtual void Clear() = 0;
    virtual bool IsSelected(int index) const = 0;
    virtual void SetSelected(int index, bool selected) = 0;
    // The entry with the focus rectangle; -1 for none.
    virtual int Caret() const = 0;
    // Moves the caret without touching the selection and scrolls the entry into view; -1
    // leaves no entry with the caret.
    virtual void SetCaret(int index) = 0;

    // The selected indexes, ascending.
    std::vector<int> Selection() const;
    // The index of the first entry with exactly this text, -1 for none.
    int FindExact(const std::string& text) const;
};

// The port without a window.
class KVCORE_API KvListBoxModel : public KvListBoxPort {
public:
    KvListBoxModel() = default;
    explicit KvListBoxModel(const std::vector<std::string>& texts);

    int Count() const override { return static_cast<int>(m_entries.size()); }
    KvListEntry Entry(int index) const override;
    int Insert(int index, const KvListEntry& entry) override;
    void Delete(int index) override;
    void Clear() override;
    bool IsSelected(int index) const override;
    void SetSelected(int index, bool selected) override;
    int Caret() const override { return m_caret; }
    void SetCaret(int index) override;

    std::vector<std::string> Texts() const;

private:
    struct Item {
        KvListEntry entry;
        bool selected = false;
    };
    bool Valid(int index) const { return index >= 0 && index < Count(); }

    std::vector<Item> m_entries;
    int m_caret = -1;
};

// What the cursor shows while a block is dragged.
enum class KvDragCursor { Move, Stop };

// The arrow buttons' ids.
inline constexpr int kDragButtonDown = 1;
inline constexpr int kDragButtonUp = 2;

class KVCORE_API KvDragList {
public:
    enum class Mode { Selecting, Moving };

    explicit KvDragList(KvListBoxPort& list);

    // The mouse drag, with the entry under the pointer (-1 for none). BeginDrag answers
    // whether a drag starts.
    bool BeginDrag(int entry);
    KvDragCursor Dragging(int entry);
    void Dropped(int source, int entry);
    void CancelDrag();

    // The arrow buttons: the selected block one place down (kDragButtonDown) or up; without
    // a selection only the caret moves.
    void Button(int id);
    // Ctrl+Up and Ctrl+Down; the Ctrl flag follows the key.
    void SetCtrl(bool down) { m_ctrl = down; }
    bool Ctrl() const { return m_ctrl; }
    // Up (true) or Down with Ctrl held; false when the key is not the list's (no Ctrl).
    bool CtrlArrow(bool up);
    // A Shift-click: the range between the anchor and the entry becomes the selection.
    void ShiftClick(int entry);
    // A plain click made the entry the start of later ranges.
    void SetAnchor(int entry) { m_anchor = entry; }

    // Entries first to end - 1 become the selection, all others unselected; unless keepCaret,
    // the caret goes to first (upward) or end - 1.
    void TrackSelection(int first, int end, bool upward, bool keepCaret);

    Mode DragMode() const { return m_mode; }
    int Anchor() const { return m_anchor; }
    // Where the insertion mark stands; -1 for none.
    int InsertMark() const { return m_mark; }

    // Told after a block moved, with newOrder[i] = the old index of the entry now at i, so a
    // caller that keeps data in step with the entries can follow.
    std::function<void(const std::vector<int>& newOrder)> m_onReordered;
    // Told when the insertion mark moves (the window repaints).
    std::function<void()> m_onMarkChanged;

private:
    void DrawInsert(int index);
    // Moves the selected block before destination; returns the block's new first index, or -1
    // when nothing was selected.
    int MoveSelection(int destination, int& moved);

    KvListBoxPort& m_list;
    bool m_ctrl = false;
    int m_mark = -1;
    Mode m_mode = Mode::Selecting;
    int m_anchor = -1;
};
