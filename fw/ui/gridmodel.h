#pragma once
// The one table model behind both halves of a grid: it asks the GridSource per cell and never
// resets; row and column counts follow the source through insert and remove notifications.
#include "fw/ui/fw_ui_api.h"
#include "fw/ui/gridsource.h"

#include <QAbstractTableModel>
#include <QFont>
#include <QStyledItemDelegate>

namespace fw {

class FW_UI_API GridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit GridModel(QObject* parent = nullptr) : QAbstractTableModel(parent) {}

    void setSource(GridSource* source);
    GridSource* source() const { return source_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // The style of a grid cell (grid co-ordinates), cached for the cell asked last.
    const CellStyle& style(int row, int col) const;

    // Brings the counts in line with the source; true when they changed.
    bool syncCounts();
    // One change notification for one model row across all columns.
    void rowChanged(int modelRow);
    // Everything may have changed (order, values, titles): counts are synced and the views repaint
    // through a change notification, never a reset.
    void allChanged();

    void setBoldFont(const QFont& f) { bold_ = f; }

private:
    GridSource* source_ = nullptr;
    int rows_ = 0;
    int cols_ = 0;
    mutable int cacheRow_ = -1;
    mutable int cacheCol_ = -1;
    mutable CellStyle cache_;
    QFont bold_;
};

// How the cells are drawn beyond their own style: the grid lines, and the tint that marks the
// current cell's row and column (model co-ordinates, -1 for none).
struct GridLook {
    bool horizontalLines = true;
    bool verticalLines = true;
    bool markRow = false;
    bool markColumn = false;
    int currentRow = -1;
    int currentColumn = -1;
    // 0x00BBGGRR; kDefaultColor paints them as the style does.
    uint32_t lineColor = kDefaultColor;
    uint32_t markColor = kDefaultColor;
};

// Paints a cell straight from its style in one source call.
class FW_UI_API GridDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit GridDelegate(GridModel* model, QObject* parent = nullptr)
        : QStyledItemDelegate(parent), model_(model)
    {
    }
    GridLook& look() { return look_; }
    const GridLook& look() const { return look_; }
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    // The text drawn for a value in a cell of this width ('#' marks when a fit cell overflows).
    static QString shownText(const CellStyle& s, const QFontMetrics& fm, int width);

private:
    GridModel* model_;
    GridLook look_;
};

// A 0x00BBGGRR colour, or a desktop colour by its name (0x80000000 | index) from the palette.
FW_UI_API QColor colorFromRef(uint32_t ref);

} // namespace fw
