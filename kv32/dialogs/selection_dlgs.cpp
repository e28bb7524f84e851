#include "kv32/dialogs/selection_dlgs.h"

#include "fw/core/msgbox.h"
#include "kv32/res/shell_dialog_ids.h"
#include "kv32/tables/all_tables.h"
#include "kvcore/app/message_box.h"

#include <QLineEdit>

// ---- Go To ----

CGotoDlg::CGotoDlg(unsigned activeTableId, QWidget* parent)
    : CKvDialog(Kv32ShellDialog(IDD_GOTO), parent)
    , m_mode(GotoModeFor(activeTableId))
{
}

bool CGotoDlg::onInitDialog()
{
    CKvDialog::onInitDialog();
    setItemText(IDC_USER_COMBO, m_mode.labelId == 0 ? std::string() : Kv32ShellDialogString(m_mode.labelId));
    if (auto* edit = itemAs<QLineEdit>(IDC_GOTO_TEXT); edit != nullptr && m_mode.limit > 0)
        edit->setMaxLength(m_mode.limit);
    gotoItem(IDC_GOTO_TEXT);
    return false;
}

void CGotoDlg::onOK()
{
    const std::string text = itemText(IDC_GOTO_TEXT);
    if (m_mode.numeric && !CheckGotoNumber(text)) {
        KvMessageBox(Kv32ShellDialogString(IDS_INVALID_NUMBER), fw::MB_ICONSTOP);
        gotoItem(IDC_GOTO_TEXT);
        return;
    }
    m_sText = text;
    endDialog(fw::IDOK);
}

// ---- Market and board selection ----

CMktBrd11Dlg::CMktBrd11Dlg(QWidget* parent)
    : CKvDialog(Kv32ShellDialog(IDD_MKT_BRD_SELECT), parent)
{
    commands().onNotify(IDC_MARKET_LIST, fw::Notify::DblClk, [this] { onOK(); });
    commands().onNotify(IDC_BOARD_LIST, fw::Notify::DblClk, [this] { onOK(); });
}

int CMktBrd11Dlg::Run()
{
    if (MarketTable().GetCount() == 1 && BoardTable().GetCount() == 1) {
        m_rows = SelectMarketBoard(0, 0);
        MarketTable().m_nCurrent = 0;
        BoardTable().m_nCurrent = 0;
        if (m_rows.empty())
            KvMessageBox(Kv32ShellDialogString(IDS_NO_SECURITIES), fw::MB_ICONSTOP);
        return fw::IDOK;
    }
    return doModal();
}

bool CMktBrd11Dlg::onInitDialog()
{
    CKvDialog::onInitDialog();
    for (const std::string& name : MarketTable().FillList())
        addString(IDC_MARKET_LIST, name);
    for (const std::string& name : BoardTable().FillList())
        addString(IDC_BOARD_LIST, name);
    setCurSel(IDC_MARKET_LIST, MarketTable().m_nCurrent);
    setCurSel(IDC_BOARD_LIST, BoardTable().m_nCurrent);
    gotoItem(IDC_MARKET_LIST);
    return false;
}

void CMktBrd11Dlg::onOK()
{
    m_rows = SelectMarketBoard(curSel(IDC_MARKET_LIST), curSel(IDC_BOARD_LIST));
    if (m_rows.empty()) {
        KvMessageBox(Kv32ShellDialogString(IDS_NO_SECURITIES), fw::MB_ICONSTOP);
        return;
    }
    endDialog(fw::IDOK);
}

// ---- Order methods ----

CBrdOrMetDlg::CBrdOrMetDlg(int selectedBoard, QWidget* parent)
    : CKvDialog(Kv32ShellDialog(IDD_ORDER_METHODS), parent)
    , m_nSelected(selectedBoard)
{
    commands().onNotify(IDC_METHOD_BOARD, fw::Notify::SelChange, [this] { ShowBoard(); });
}

bool CBrdOrMetDlg::onInitDialog()
{
    CKvDialog::onInitDialog();
    CBoardTable& boards = BoardTable();
    for (int i = 0; i < boards.GetCount(); ++i)
        addString(IDC_METHOD_BOARD, boards.GetRec(i)->szName);
    setCurSel(IDC_METHOD_BOARD, m_nSelected >= 0 && m_nSelected < boards.GetCount() ? m_nSelected : -1);
    ShowBoard();
    return true;
}

void CBrdOrMetDlg::ShowBoard()
{
    const int sel = curSel(IDC_METHOD_BOARD);
    CBoardTable& boards = BoardTable();
    const std::string_view methods = sel >= 0 && sel < boards.GetCount() ? boards.GetRec(sel)->szText : "";
    for (const KvMethodCheck& c : OrderMethodChecks(methods))
        checkButton(c.id, c.checked ? 1 : 0);
}
