#include "kvcore/controls/list_editor.h"

#include <utility>

void KvListEditor::SetItems(std::vector<std::string> items)
{
    m_items = std::move(items);
    m_current = m_items.empty() ? -1 : 0;
    m_editing = false;
}

void KvListEditor::SetCurSel(int index)
{
    m_current = index >= 0 && index < static_cast<int>(m_items.size()) ? index : -1;
}

bool KvListEditor::Swap(int with)
{
    if (m_current < 0 || with < 0 || with >= static_cast<int>(m_items.size()))
        return false;
    std::swap(m_items[static_cast<size_t>(m_current)], m_items[static_cast<size_t>(with)]);
    m_current = with;
    return true;
}

bool KvListEditor::MoveUp()
{
    return Swap(m_current - 1);
}

bool KvListEditor::MoveDown()
{
    return m_current >= 0 && Swap(m_current + 1);
}

bool KvListEditor::StartEditing()
{
    m_editing = m_current >= 0;
    return m_editing;
}

void KvListEditor::StopEditing(bool commit, const std::string& text)
{
    if (m_editing && commit && m_current >= 0)
        m_items[static_cast<size_t>(m_current)] = text;
    m_editing = false;
}
