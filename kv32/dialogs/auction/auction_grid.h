// The result table of the auction calculation dialogs on the screen: the
// dialog grid over CAuctionCells. A click on a row with a size opens the
// order entry pre-filled from the row; the table is exported as a CSV file.
#pragma once

#include <cstdint>

#include "kv32/dialogs/auction/auction_cells.h"

class KvDialogGrid;

namespace fw {
class Dialog;
}

class CAuctionGrid {
public:
    // Shows the cells in place of the owner's control `id`; the owner's board
    // and security combos and yield box give the clicked row's order, which
    // is opened for `side` (1 buy, 2 sell).
    void Attach(fw::Dialog& owner, uint32_t id, CAuctionCells& cells, int side);
    void Init(int rows, int columns, uint32_t firstTitleId);
    bool SetRow(int row, const KvAuctionValues& values);
    void ClearValues();
    int GetRowCount() const;
    void SetRowCount(int rows);
    // The cells changed behind the grid's back.
    void Refresh();
    // A left click on a cell; true when it opened an order.
    bool OnRowClicked(int row, int column);
    void ExportCsv(uint32_t firstTitleId);

    KvDialogGrid* Window() const { return m_pGrid; }
    int Side() const { return m_nSide; }

private:
    fw::Dialog* m_pOwner = nullptr;
    CAuctionCells* m_pCells = nullptr;
    KvDialogGrid* m_pGrid = nullptr;
    int m_nSide = 2;
};
