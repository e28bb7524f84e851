// A small read-only grid on a dialog: fw's grid view over the dialog's
// KvGridCells, placed in the cell of the template's Custom control. A click
// on a data cell goes to the dialog's handler.
#pragma once

#include <cstdint>
#include <functional>

#include "fw/ui/gridview.h"
#include "kv32/dialogs/auction/dialog_grid_cells.h"

namespace fw {
class Dialog;
}

class KvDialogGrid : public fw::GridView {
    Q_OBJECT
public:
    explicit KvDialogGrid(KvGridCells& cells, QWidget* parent = nullptr);
    ~KvDialogGrid() override;

    // Takes the place of the control `id` of the dialog, which owns it from then on.
    static KvDialogGrid* Place(fw::Dialog& dialog, uint32_t id, KvGridCells& cells);

    // The cells changed: row count, widths and every text are shown again.
    void Refresh();
    // What a left click on a cell does (grid co-ordinates, row 0 the titles);
    // returns whether it was handled.
    std::function<bool(int row, int column)> onClick;
    // The click as the user makes it (for scripts and tests).
    bool ClickCell(int row, int column);

private:
    KvGridCells& m_cells;
};
