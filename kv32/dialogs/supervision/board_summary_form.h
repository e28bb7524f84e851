// The summary by board without its window: which board the active list
// window names, and every security of that board with today's volume and
// value, and the board's total value.
#pragma once

#include <string>

#include "kv32/dialogs/auction/dialog_grid_cells.h"

class KvActiveRow;

// The board of the boards window's current row, of the summary window, or of
// the current security of the securities window; -1 for none.
int BoardSummaryBoard(const KvActiveRow* active);

struct KvBoardSummary {
    int board = -1;
    std::string caption; // empty: no board, the template's caption stays
    std::string total;
};
// Fills the cells (titles, one row per security of the board in table order)
// and gives the caption and the total value.
KvBoardSummary FillBoardSummary(int board, KvGridCells& cells);
