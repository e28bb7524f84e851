// The summary by board: every security of one board with today's volume and
// value in a read-only grid, and the board's total value. The board comes
// from the active list window (kv32/dialogs/supervision/board_summary_form.h).
#pragma once

#include "kv32/dialogs/auction/dialog_grid_cells.h"
#include "kv32/dialogs/kv_dialog.h"

class KvDialogGrid;

class CBoardSummaryDlg : public CKvDialog {
    Q_OBJECT
public:
    explicit CBoardSummaryDlg(QWidget* parent = nullptr);
    ~CBoardSummaryDlg() override;

    bool onInitDialog() override;
    const KvGridCells& Cells() const { return m_cells; }

private:
    KvGridCells m_cells;
    KvDialogGrid* m_pGrid = nullptr;
};

// The windows' "Summary by Board..." command: the dialog with no parent, run modally.
int KvOpenBoardSummary();
