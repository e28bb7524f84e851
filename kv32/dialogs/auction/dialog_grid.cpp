#include "kv32/dialogs/auction/dialog_grid.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QTableView>

#include <algorithm>
#include <memory>

#include "fw/ui/dialog.h"
#include "fw/ui/text.h"

namespace {

constexpr int kShownRows = 8;
// The header section's margins and a little air around a title.
constexpr int kTitlePadding = 12;

} // namespace

KvDialogGrid::KvDialogGrid(KvGridCells& cells, QWidget* parent)
    : fw::GridView(parent)
    , m_cells(cells)
{
    setSource(&m_cells);
    onInitialUpdate();
    for (QTableView* table : { frozenTable(), scrollTable() }) {
        table->setEditTriggers(QAbstractItemView::NoEditTriggers);
        table->setSelectionBehavior(QAbstractItemView::SelectRows);
        table->verticalHeader()->hide();
        connect(table, &QTableView::clicked, this,
            [this](const QModelIndex& index) { ClickCell(index.row() + 1, index.column() + 1); });
    }
    Refresh();
}

KvDialogGrid::~KvDialogGrid() = default;

KvDialogGrid* KvDialogGrid::Place(fw::Dialog& dialog, uint32_t id, KvGridCells& cells)
{
    auto grid = std::make_unique<KvDialogGrid>(cells);
    KvDialogGrid* shown = grid.get();
    dialog.setItemWidget(id, std::move(grid));
    return dialog.item(id) == shown ? shown : nullptr;
}

void KvDialogGrid::Refresh()
{
    model().syncCounts();
    // A column is at least as wide as each line of its title: a centred title cut at both ends
    // reads as a grid scrolled sideways.
    const QFontMetrics titleMetrics = scrollTable()->horizontalHeader()->fontMetrics();
    int width = 0;
    for (int c = 1; c <= m_cells.ColumnCount(); ++c) {
        int wanted = m_cells.Width(c);
        for (const QString& line : fw::toQt(m_cells.Text(0, c)).split(QLatin1Char('\n')))
            wanted = std::max(wanted, titleMetrics.horizontalAdvance(line) + kTitlePadding);
        setColWidth(c, wanted);
        width += colWidth(c);
    }
    const int lineHeight = QFontMetrics(baseFont()).lineSpacing();
    const int titleHeight = lineHeight * m_cells.TitleLines() + lineHeight / 2;
    scrollTable()->horizontalHeader()->setFixedHeight(titleHeight);
    frozenTable()->horizontalHeader()->setFixedHeight(titleHeight);
    setMinimumSize(width + 24, titleHeight + rowHeight() * kShownRows + 8);
    model().allChanged();
    onUpdate(nullptr, 0, nullptr);
}

bool KvDialogGrid::ClickCell(int row, int column)
{
    return onClick ? onClick(row, column) : false;
}
