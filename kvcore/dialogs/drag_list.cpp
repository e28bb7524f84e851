#include "kvcore/dialogs/drag_list.h"

#include <algorithm>

std::vector<int> KvListBoxPort::Selection() const
{
    std::vector<int> selected;
    for (int i = 0; i < Count(); ++i)
        if (IsSelected(i))
            selected.push_back(i);
    return selected;
}

int KvListBoxPort::FindExact(const std::string& text) const
{
    for (int i = 0; i < Count(); ++i)
        if (Entry(i).text == text)
            return i;
    return -1;
}

KvListBoxModel::KvListBoxModel(const std::vector<std::string>& texts)
{
    for (const std::string& text : texts)
        Insert(-1, KvListEntry { text, 0 });
}

KvListEntry KvListBoxModel::Entry(int index) const
{
    return Valid(index) ? m_entries[static_cast<std::size_t>(index)].entry : KvListEntry {};
}

int KvListBoxModel::Insert(int index, const KvListEntry& entry)
{
    if (index < 0 || index > Count())
        index = Count();
    m_entries.insert(m_entries.begin() + index, Item { entry, false });
    if (m_caret >= index)
        ++m_caret;
    return index;
}

void KvListBoxModel::Delete(int index)
{
    if (!Valid(index))
        return;
    m_entries.erase(m_entries.begin() + index);
    if (m_caret > index || m_caret >= Count())
        --m_caret;
}

void KvListBoxModel::Clear()
{
    m_entries.clear();
    m_caret = -1;
}

bool KvListBoxModel::IsSelected(int index) const
{
    return Valid(index) && m_entries[static_cast<std::size_t>(index)].selected;
}

void KvListBoxModel::SetSelected(int index, bool selected)
{
    if (Valid(index))
        m_entries[static_cast<std::size_t>(index)].selected = selected;
}

void KvListBoxModel::SetCaret(int index)
{
    if (Valid(index) || index == -1)
        m_caret = index;
}

std::vector<std::string> KvListBoxModel::Texts() const
{
    std::vector<std::string> texts;
    for (const Item& item : m_entries)
        texts.push_back(item.entry.text);
    return texts;
}

KvDragList::KvDragList(KvListBoxPort& list)
    : m_list(list)
{
}

void KvDragList::DrawInsert(int index)
{
    if (index == m_mark)
        return;
    m_mark = index;
    if (m_onMarkChanged)
        m_onMarkChanged();
}

bool KvDragList::BeginDrag(int entry)
{
    DrawInsert(-1);
    if (entry < 0 || entry >= m_list.Count())
        return false;
    if (m_list.Selection().empty()) {
        m_anchor = entry;
        m_list.SetSelected(entry, true);
        m_mode = Mode::Selecting;
        return true;
    }
    if (!m_list.IsSelected(entry)) {
        CancelDrag();
        return false;
    }
    m_mode = Mode::Moving;
    DrawInsert(entry);
    return true;
}

KvDragCursor KvDragList::Dragging(int entry)
{
    if (m_mode == Mode::Moving) {
        DrawInsert(entry);
        return entry >= 0 ? KvDragCursor::Move : KvDragCursor::Stop;
    }
    if (entry >= 0 && m_anchor >= 0 && m_anchor < m_list.Count())
        TrackSelection(std::min(m_anchor, entry), std::max(m_anchor, entry) + 1, false, true);
    return KvDragCursor::Move;
}

void KvDragList::Dropped(int source, int entry)
{
    if (m_mode == Mode::Selecting) {
        m_mode = Mode::Moving;
        return;
    }
    m_mode = Mode::Selecting;
    DrawInsert(-1);
    const std::vector<int> selected = m_list.Selection();
    if (selected.empty() || source < 0 || entry < 0)
        return;
    // Inside the block, onto the source or just below it, the block would stay where it is.
    if ((entry >= selected.front() && entry <= selected.back()) || entry == source || entry == source + 1)
        return;
    int moved = 0;
    const int first = MoveSelection(entry, moved);
    if (first >= 0)
        TrackSelection(first, first + moved, first < m_anchor, false);
}

void KvDragList::CancelDrag()
{
    m_mode = Mode::Selecting;
    for (int i : m_list.Selection())
        m_list.SetSelected(i, false);
    DrawInsert(-1);
}

int KvDragList::MoveSelection(int destination, int& moved)
{
    const std::vector<int> selected = m_list.Selection();
    moved = static_cast<int>(selected.size());
    if (selected.empty())
        return -1;
    std::vector<int> rest;
    for (int i = 0, k = 0; i < m_list.Count(); ++i) {
        if (k < moved && selected[static_cast<std::size_t>(k)] == i)
            ++k;
        else
            rest.push_back(i);
    }
    std::vector<KvListEntry> block(selected.size());
    for (int k = moved - 1; k >= 0; --k) {
        const int index = selected[static_cast<std::size_t>(k)];
        block[static_cast<std::size_t>(k)] = m_list.Entry(index);
        m_list.Delete(index);
        if (index < destination)
            --destination;
    }
    for (int k = 0; k < moved; ++k)
        m_list.Insert(destination + k, block[static_cast<std::size_t>(k)]);
    if (m_onReordered) {
        std::vector<int> order(rest.begin(), rest.begin() + destination);
        order.insert(order.end(), selected.begin(), selected.end());
        order.insert(order.end(), rest.begin() + destination, rest.end());
        m_onReordered(order);
    }
    return destination;
}

void KvDragList::Button(int id)
{
    const int count = m_list.Count();
    const std::vector<int> selected = m_list.Selection();
    if (selected.empty()) {
        const int caret = m_list.Caret();
        const int next = id == kDragButtonUp ? caret - 1 : caret + 1;
        if (next >= 0 && next < count)
            m_list.SetCaret(next);
        return;
    }
    const int destination = id == kDragButtonUp ? selected.front() - 1 : selected.back() + 2;
    if (destination < 0 || destination > count)
        return;
    int moved = 0;
    const int first = MoveSelection(destination, moved);
    if (first >= 0)
        TrackSelection(first, first + moved, id == kDragButtonUp, false);
}

bool KvDragList::CtrlArrow(bool up)
{
    if (!m_ctrl)
        return false;
    Button(up ? kDragButtonUp : kDragButtonDown);
    return true;
}

void KvDragList::ShiftClick(int entry)
{
    if (entry < 0 || entry >= m_list.Count())
        return;
    if (m_anchor < 0 || m_anchor >= m_list.Count())
        m_anchor = entry;
    TrackSelection(std::min(m_anchor, entry), std::max(m_anchor, entry) + 1, false, true);
    m_list.SetCaret(entry);
}

void KvDragList::TrackSelection(int first, int end, bool upward, bool keepCaret)
{
    for (int i = 0; i < m_list.Count(); ++i) {
        const bool inside = i >= first && i < end;
        if (m_list.IsSelected(i) != inside)
            m_list.SetSelected(i, inside);
    }
    if (!keepCaret && end > first)
        m_list.SetCaret(upward ? first : end - 1);
}
