#include "kvcore/dialogs/menu_items_dlg.h"

#include "fw/core/menu.h"
#include "fw/core/resources.h"
#include "kvcore/app/menu_access.h"

CMenuItemsDlg::CMenuItemsDlg(unsigned tableId, std::vector<std::uint16_t>* definition, QWidget* parent)
    : CSelectDlg(tableId, definition, parent, 0)
{
}

bool CMenuItemsDlg::LoadItems(std::vector<KvPopupItem>& items) const
{
    const fw::MenuTemplate* tmpl = fw::findMenu(m_nCaptionId);
    if (tmpl == nullptr)
        return false;
    fw::Menu menu = fw::buildMenu(*tmpl, fw::language());
    PruneMenu(&menu);
    items = KvPopupItems(menu);
    return true;
}

void CMenuItemsDlg::FillLists()
{
    std::vector<KvPopupItem> items;
    if (LoadItems(items)) {
        m_itemIds.clear();
        m_itemTexts.clear();
        for (const KvPopupItem& item : items) {
            m_itemIds.push_back(item.command);
            m_itemTexts.push_back(item.text);
        }
    }
    for (std::size_t i = 0; i < m_itemTexts.size(); ++i)
        AvailableList().Insert(-1, KvListEntry { m_itemTexts[i], m_itemIds[i] });
    if (m_itemTexts.empty())
        return;
    const std::vector<KvPopupItem> shown = KvPopupSelection(items, m_selection);
    for (const KvPopupItem& item : shown)
        ChosenList().Insert(-1, KvListEntry { item.text, item.command });
    // A position past the pruned menu (stored while the user had more rights) is not shown,
    // so it is not kept either: the working selection lists what the chosen list shows.
    std::vector<std::uint16_t> kept;
    for (std::uint16_t position : m_selection)
        if (position < m_itemTexts.size())
            kept.push_back(position);
    m_selection = std::move(kept);
}

void CMenuItemsDlg::onOK()
{
    m_selection.clear();
    std::vector<KvPopupItem> items;
    if (LoadItems(items)) {
        std::vector<std::string> chosen;
        for (int i = 0; i < ChosenList().Count(); ++i)
            chosen.push_back(ChosenList().Entry(i).text);
        m_selection = KvPopupDefinition(items, chosen);
    }
    if (m_pSelection != nullptr)
        *m_pSelection = m_selection;
    CSelectDlg::onOK();
}
