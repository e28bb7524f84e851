#include "kvcore/dialogs/two_list.h"

#include <algorithm>

KvTwoListChooser::KvTwoListChooser(
    KvListBoxPort& available, KvListBoxPort& chosen, std::vector<std::uint16_t>& selection, int mandatory)
    : m_available(available)
    , m_chosen(chosen)
    , m_selection(selection)
    , m_mandatory(std::max(0, mandatory))
{
}

void KvTwoListChooser::Init()
{
    const bool any = m_chosen.Count() > 0;
    m_buttons.ok = m_buttons.remove = m_buttons.removeAll = any;
    m_buttons.add = m_buttons.addAll = m_available.Count() != m_chosen.Count();
    m_focus = KvChooserFocus::Available;
}

void KvTwoListChooser::Add()
{
    const int count = m_chosen.Count();
    const int caret = m_chosen.Caret();
    const bool atEnd = caret < 0 || caret >= count;
    int at = atEnd ? count : caret;
    for (int index : m_available.Selection()) {
        // Positions travel as 16-bit values.
        if (index > 0xFFFF)
            continue;
        const auto position = static_cast<std::uint16_t>(index);
        if (std::find(m_selection.begin(), m_selection.end(), position) != m_selection.end())
            continue;
        const int inserted = m_chosen.Insert(at, m_available.Entry(index));
        const std::size_t slot = std::min(static_cast<std::size_t>(std::max(inserted, 0)), m_selection.size());
        m_selection.insert(m_selection.begin() + static_cast<std::ptrdiff_t>(slot), position);
        at = inserted + 1;
    }
    // The caret stays on the item the new ones went before, so a further Add keeps the order.
    m_chosen.SetCaret(atEnd ? -1 : at);
    AfterAdding();
}

void KvTwoListChooser::AddAll()
{
    m_chosen.Clear();
    m_selection.clear();
    for (int i = 0; i < m_available.Count() && i <= 0xFFFF; ++i) {
        m_chosen.Insert(-1, m_available.Entry(i));
        m_selection.push_back(static_cast<std::uint16_t>(i));
    }
    AfterAdding();
}

void KvTwoListChooser::AfterAdding()
{
    const bool any = m_chosen.Count() > 0;
    m_buttons.ok = m_buttons.remove = m_buttons.removeAll = any;
    if (m_chosen.Count() >= m_available.Count()) {
        m_focus = KvChooserFocus::Chosen;
        m_buttons.add = m_buttons.addAll = false;
    }
}

void KvTwoListChooser::Remove()
{
    const std::vector<int> selected = m_chosen.Selection();
    for (auto it = selected.rbegin(); it != selected.rend(); ++it) {
        const int index = *it;
        const int position = m_available.FindExact(m_chosen.Entry(index).text);
        if (position >= 0 && position < m_mandatory)
            continue;
        const bool inStep = m_selection.size() == static_cast<std::size_t>(m_chosen.Count());
        m_chosen.Delete(index);
        if (inStep) {
            m_selection.erase(m_selection.begin() + index);
        } else if (position >= 0) {
            const auto found = std::find(m_selection.begin(), m_selection.end(), static_cast<std::uint16_t>(position));
            if (found != m_selection.end())
                m_selection.erase(found);
        }
    }
    if (m_chosen.Count() == 0)
        m_buttons.ok = m_buttons.remove = m_buttons.removeAll = false;
    m_buttons.add = m_buttons.addAll = true;
    m_focus = KvChooserFocus::Available;
    m_chosen.SetCaret(m_chosen.Count() > 0 ? 0 : -1);
}

void KvTwoListChooser::RemoveAll()
{
    m_chosen.Clear();
    m_selection.clear();
    for (int i = 0; i < m_mandatory && i < m_available.Count(); ++i) {
        m_chosen.Insert(-1, m_available.Entry(i));
        m_selection.push_back(static_cast<std::uint16_t>(i));
    }
    m_buttons.add = m_buttons.addAll = true;
    m_buttons.removeAll = false;
    m_buttons.ok = m_buttons.remove = m_chosen.Count() > 0;
    m_focus = KvChooserFocus::Available;
}

void KvTwoListChooser::ChangeCurrentSelection()
{
    const bool any = m_chosen.Count() > 0;
    m_buttons.ok = m_buttons.remove = m_buttons.removeAll = any;
    m_buttons.add = m_buttons.addAll = m_available.Count() > 0 && m_available.Count() > m_chosen.Count();
    m_focus = KvChooserFocus::Available;
}

void KvTwoListChooser::Reordered(const std::vector<int>& newOrder)
{
    if (newOrder.size() != m_selection.size())
        return;
    std::vector<std::uint16_t> reordered;
    reordered.reserve(newOrder.size());
    for (int old : newOrder) {
        if (old < 0 || static_cast<std::size_t>(old) >= m_selection.size())
            return;
        reordered.push_back(m_selection[static_cast<std::size_t>(old)]);
    }
    m_selection = std::move(reordered);
}
