#include "kv32/dialogs/supervision/board_summary_dlg.h"

#include "fw/ui/text.h"
#include "kv32/dialogs/auction/dialog_grid.h"
#include "kv32/dialogs/supervision/board_summary_form.h"
#include "kv32/res/auction_ids.h"
#include "kv32/trading/active_row.h"

CBoardSummaryDlg::CBoardSummaryDlg(QWidget* parent)
    : CKvDialog(Kv32AuctionDialog(IDD_BOARD_SUMMARY), parent)
{
}

CBoardSummaryDlg::~CBoardSummaryDlg() = default;

bool CBoardSummaryDlg::onInitDialog()
{
    CKvDialog::onInitDialog();
    const KvBoardSummary summary = FillBoardSummary(BoardSummaryBoard(KvActiveListRow()), m_cells);
    m_pGrid = KvDialogGrid::Place(*this, IDC_BS_GRID, m_cells);
    if (!summary.caption.empty())
        setWindowTitle(fw::toQt(summary.caption));
    setItemText(IDC_BS_TOTAL, summary.total);
    return true;
}

int KvOpenBoardSummary()
{
    CBoardSummaryDlg dlg;
    return dlg.doModal();
}
