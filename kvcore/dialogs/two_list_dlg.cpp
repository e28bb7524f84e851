#include "kvcore/dialogs/two_list_dlg.h"

#include <QListWidget>
#include <cstdio>

#include "fw/core/strings.h"
#include "fw/ui/text.h"
#include "kvcore/dialogs/chooser_ids.h"
#include "kvcore/ui/drag_list_box.h"
#include "kvcore/ui/list_widget_port.h"
#include "kvcore/ui/plain_num_edit_widget.h"

CSelectDlg::CSelectDlg(unsigned captionId, std::vector<std::uint16_t>* selection, QWidget* parent, int mandatory)
    : fw::Dialog(IDD_SELECT, parent)
    , m_nMandatory(mandatory)
    , m_pSelection(selection)
    , m_nCaptionId(captionId)
{
    if (selection != nullptr)
        m_selection = *selection;
    commands().onNotify(IDC_SELECT_ADD, fw::Notify::Clicked, [this] { OnClickedAdd(); });
    commands().onNotify(IDC_SELECT_REMOVE, fw::Notify::Clicked, [this] { OnClickedRemove(); });
    commands().onNotify(IDC_SELECT_ADD_ALL, fw::Notify::Clicked, [this] { OnClickedAddall(); });
    commands().onNotify(IDC_SELECT_REMOVE_ALL, fw::Notify::Clicked, [this] { OnClickedRemoveall(); });
    commands().onNotify(IDC_SELECT_AVAILABLE, fw::Notify::DblClk, [this] { OnDblclkAvailable(); });
    commands().onNotify(IDC_SELECT_CHOSEN, fw::Notify::DblClk, [this] { OnDblclkSelected(); });
    commands().onNotify(IDC_SELECT_AVAILABLE, fw::Notify::SetFocus, [this] { OnSetfocusAvailable(); });
    commands().onNotify(IDC_SELECT_CHOSEN, fw::Notify::SetFocus, [this] { OnSetfocusSelected(); });
}

CSelectDlg::~CSelectDlg()
{
    // The chosen list may outlive the chooser while the dialog's windows go.
    if (m_chosen != nullptr)
        m_chosen->Logic().m_onReordered = nullptr;
}

std::string CSelectDlg::GetCaptionText() const
{
    return fw::loadString(m_nCaptionId);
}

KvListBoxPort& CSelectDlg::AvailableList()
{
    return *m_available;
}

KvListBoxPort& CSelectDlg::ChosenList()
{
    return m_chosen->Port();
}

bool CSelectDlg::onInitDialog()
{
    fw::Dialog::onInitDialog();
    auto* available = itemAs<QListWidget>(IDC_SELECT_AVAILABLE);
    m_available = std::make_unique<KvListWidgetPort>(*available);
    auto chosen = std::make_unique<CDnDListBox>();
    m_chosen = chosen.get();
    setItemWidget(IDC_SELECT_CHOSEN, std::move(chosen));
    m_chosen->SetWindowText(fw::loadString(IDS_SELECTED_HEADING));
    m_chooser = std::make_unique<KvTwoListChooser>(*m_available, m_chosen->Port(), m_selection, m_nMandatory);
    m_chosen->Logic().m_onReordered = [this](const std::vector<int>& order) { m_chooser->Reordered(order); };
    setWindowTitle(fw::toQt(GetCaptionText()));

    setRedraw(IDC_SELECT_AVAILABLE, false);
    setRedraw(IDC_SELECT_CHOSEN, false);
    m_available->Clear();
    m_chosen->Port().Clear();
    FillLists();
    setRedraw(IDC_SELECT_AVAILABLE, true);
    setRedraw(IDC_SELECT_CHOSEN, true);
    m_chooser->Init();
    ShowState();

    if (m_bShowFixedColumns) {
        m_fixedColumnsEdit.SetWindowText(m_nFixedColumns >= 0 && m_nFixedColumns <= m_chosen->count()
                ? std::to_string(m_nFixedColumns)
                : std::string());
        setItemWidget(IDC_SELECT_FIXED, std::make_unique<KvPlainNumEditWidget>(m_fixedColumnsEdit));
        showItem(IDC_SELECT_FIXED, true);
        showItem(IDC_SELECT_FIXED_LABEL, true);
    }
    if (!m_bShowSelectionCombo) {
        showItem(IDC_SELECT_SETS, false);
        showItem(IDC_SELECT_SETS_LABEL, false);
        enableItem(IDC_SELECT_SETS, false);
        enableItem(IDC_SELECT_SETS_LABEL, false);
    } else {
        resetContent(IDC_SELECT_SETS);
        for (int i = 1; i <= m_nSelectionSets; ++i) {
            char number[16];
            std::snprintf(number, sizeof number, m_nSelectionSets >= 10 ? "%02i" : "%i", i);
            addString(IDC_SELECT_SETS, number);
        }
        setCurSel(IDC_SELECT_SETS, m_nCurrentSelection);
        showItem(IDC_SELECT_SETS, true);
        showItem(IDC_SELECT_SETS_LABEL, true);
        enableItem(IDC_SELECT_SETS, true);
        enableItem(IDC_SELECT_SETS_LABEL, true);
        OnChangeCurrentSelection();
    }
    gotoItem(IDC_SELECT_AVAILABLE);
    return false;
}

void CSelectDlg::ShowState()
{
    const KvChooserButtons& buttons = m_chooser->Buttons();
    enableItem(fw::kIdOk, buttons.ok);
    enableItem(IDC_SELECT_ADD, buttons.add);
    enableItem(IDC_SELECT_ADD_ALL, buttons.addAll);
    enableItem(IDC_SELECT_REMOVE, buttons.remove);
    enableItem(IDC_SELECT_REMOVE_ALL, buttons.removeAll);
    gotoItem(m_chooser->Focus() == KvChooserFocus::Chosen ? IDC_SELECT_CHOSEN : IDC_SELECT_AVAILABLE);
}

void CSelectDlg::onOK()
{
    endDialog(fw::IDOK);
}

void CSelectDlg::OnClickedAdd()
{
    m_chooser->Add();
    ShowState();
}

void CSelectDlg::OnClickedRemove()
{
    m_chooser->Remove();
    ShowState();
}

void CSelectDlg::OnClickedAddall()
{
    setRedraw(IDC_SELECT_CHOSEN, false);
    m_chooser->AddAll();
    setRedraw(IDC_SELECT_CHOSEN, true);
    ShowState();
}

void CSelectDlg::OnClickedRemoveall()
{
    setRedraw(IDC_SELECT_CHOSEN, false);
    m_chooser->RemoveAll();
    setRedraw(IDC_SELECT_CHOSEN, true);
    ShowState();
}

void CSelectDlg::OnDblclkSelected()
{
    if (m_chosen->count() > 0)
        OnClickedRemove();
}

void CSelectDlg::OnSetfocusAvailable()
{
    setDefaultItem(IDC_SELECT_ADD);
}

void CSelectDlg::OnSetfocusSelected()
{
    setDefaultItem(IDC_SELECT_REMOVE);
}

void CSelectDlg::OnChangeCurrentSelection()
{
    m_chooser->ChangeCurrentSelection();
    ShowState();
}
