#include "kvcore/dialogs/column_chooser_dlg.h"

#include "kvcore/app/message_box.h"
#include "kvcore/dialogs/chooser_ids.h"
#include "kvcore/grid/gx_doc.h"
#include "kvcore/session/session_record.h"

CFormatExDlg::CFormatExDlg(unsigned captionId, std::vector<std::string> titles, std::vector<std::uint16_t>* selection,
    kvcore::CTGXDoc* doc, KvLayoutEntry* entry, QWidget* parent, int mandatory)
    : CSelectDlg(captionId, selection, parent, mandatory)
    , m_titles(std::move(titles))
    , m_result(selection ? *selection : std::vector<std::uint16_t>())
    , m_pDoc(doc)
    , m_pEntry(entry)
{
    // The base's operations work on the dialog's own copy, never on the caller's array.
    m_pSelection = &m_result;
    if (m_pDoc && m_pEntry) {
        m_sets.emplace(*m_pEntry, m_pDoc->m_columnSet, m_selection);
        m_nSelectionSets = kColumnSetCount;
        m_bShowSelectionCombo = 1;
        m_nCurrentSelection = m_sets->Current();
    }
    commands().onNotify(IDC_SELECT_SETS, fw::Notify::SelChange, [this] { OnChangeCurrentSelection(); });
}

void CFormatExDlg::FillLists()
{
    if (m_titles.empty())
        return;
    for (std::size_t i = 0; i < m_titles.size(); ++i)
        AvailableList().Insert(-1, KvListEntry { m_titles[i], i });
    ShowChosen();
}

void CFormatExDlg::ShowChosen()
{
    std::vector<std::uint16_t> kept;
    ChosenList().Clear();
    for (std::uint16_t column : m_selection) {
        // A stored column the table no longer has is left out rather than shown as nothing.
        if (column >= m_titles.size())
            continue;
        kept.push_back(column);
        ChosenList().Insert(-1, KvListEntry { m_titles[column], column });
    }
    m_selection = std::move(kept);
}

void CFormatExDlg::OnChangeCurrentSelection()
{
    if (m_sets) {
        m_sets->SetSelection(m_selection);
        m_selection = m_sets->Switch(curSel(IDC_SELECT_SETS));
        ShowChosen();
        m_result = m_selection;
    }
    CSelectDlg::OnChangeCurrentSelection();
}

void CFormatExDlg::onOK()
{
    if (!m_titles.empty()) {
        // By text: two columns of the same title both resolve to the first of them.
        std::vector<std::uint16_t> chosen;
        for (int i = 0; i < ChosenList().Count(); ++i) {
            const std::string text = ChosenList().Entry(i).text;
            for (std::size_t column = 0; column < m_titles.size(); ++column)
                if (m_titles[column] == text) {
                    chosen.push_back(static_cast<std::uint16_t>(column));
                    break;
                }
        }
        m_selection = std::move(chosen);
    }
    if (m_bShowFixedColumns) {
        const int refused = KvCheckFixedColumns(m_fixedColumnsEdit.Text(), m_selection.size(), m_nFixedColumns);
        if (refused != 0) {
            KvMessageBoxId(static_cast<std::uint32_t>(refused), fw::MB_OK | fw::MB_ICONSTOP);
            gotoItem(IDC_SELECT_FIXED);
            return;
        }
    }
    m_result = m_selection;
    if (m_sets && m_pDoc && m_pEntry) {
        m_pDoc->m_selected = m_result;
        m_sets->SetSelection(m_selection);
        m_sets->Commit(*m_pEntry);
        m_pDoc->m_columnSet = static_cast<std::uint16_t>(m_sets->Current());
    }
    CSelectDlg::onOK();
}
