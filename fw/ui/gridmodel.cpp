#include "fw/ui/gridmodel.h"

#include "fw/ui/text.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPalette>

namespace fw {

QColor colorFromRef(uint32_t ref)
{
    // 0x80000000 | n names the desktop's colour n (the stored colour tables keep such names, e.g.
    // the window colour 0x80000005): it follows the palette, it is not an almost black RGB value.
    if ((ref & 0xFF000000u) == 0x80000000u) {
        const QPalette palette = QGuiApplication::palette();
        switch (ref & 0xFFu) {
        case 4: return palette.color(QPalette::Window); // menu
        case 7: return palette.color(QPalette::WindowText); // menu text
        case 8: return palette.color(QPalette::Text); // window text
        case 13: return palette.color(QPalette::Highlight);
        case 14: return palette.color(QPalette::HighlightedText);
        case 15: return palette.color(QPalette::Button); // button face
        case 18: return palette.color(QPalette::ButtonText);
        default: return palette.color(QPalette::Base); // 5, the window, and names without a role here
        }
    }
    return QColor(static_cast<int>(ref & 0xFF), static_cast<int>((ref >> 8) & 0xFF),
                  static_cast<int>((ref >> 16) & 0xFF));
}

void GridModel::setSource(GridSource* source)
{
    source_ = source;
    cacheRow_ = cacheCol_ = -1;
    syncCounts();
    allChanged();
}

int GridModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : rows_;
}

int GridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : cols_;
}

const CellStyle& GridModel::style(int row, int col) const
{
    if (row != cacheRow_ || col != cacheCol_) {
        cache_ = CellStyle {};
        if (!source_ || !source_->cellStyle(row, col, cache_))
            cache_ = CellStyle {};
        cacheRow_ = row;
        cacheCol_ = col;
    }
    return cache_;
}

static Qt::Alignment qtAlign(Align a)
{
    switch (a) {
    case Align::Center: return Qt::AlignHCenter | Qt::AlignVCenter;
    case Align::Right: return Qt::AlignRight | Qt::AlignVCenter;
    default: return Qt::AlignLeft | Qt::AlignVCenter;
    }
}

QVariant GridModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    const CellStyle& s = style(index.row() + 1, index.column() + 1);
    switch (role) {
    case Qt::DisplayRole: return toQt(s.value);
    case Qt::TextAlignmentRole: return QVariant::fromValue(qtAlign(s.align));
    case Qt::BackgroundRole: return s.back == kDefaultColor ? QVariant() : QVariant(colorFromRef(s.back));
    case Qt::ForegroundRole: return s.text == kDefaultColor ? QVariant() : QVariant(colorFromRef(s.text));
    default: return {};
    }
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    int row = orientation == Qt::Horizontal ? 0 : section + 1;
    int col = orientation == Qt::Horizontal ? section + 1 : 0;
    if (role == Qt::DisplayRole) {
        const CellStyle& s = style(row, col);
        if (s.value.empty() && orientation == Qt::Vertical)
            return {};
        return toQt(s.value);
    }
    if (role == Qt::FontRole && orientation == Qt::Horizontal && style(row, col).bold)
        return bold_;
    if (role == Qt::TextAlignmentRole && orientation == Qt::Vertical)
        return QVariant::fromValue(Qt::Alignment(Qt::AlignRight | Qt::AlignVCenter));
    return {};
}

Qt::ItemFlags GridModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

bool GridModel::syncCounts()
{
    cacheRow_ = cacheCol_ = -1;
    int rows = source_ ? std::max(source_->rowCount(), 0) : 0;
    int cols = source_ ? std::max(source_->columnCount(), 0) : 0;
    bool changed = false;
    if (rows > rows_) {
        beginInsertRows({}, rows_, rows - 1);
        rows_ = rows;
        endInsertRows();
        changed = true;
    } else if (rows < rows_) {
        beginRemoveRows({}, rows, rows_ - 1);
        rows_ = rows;
        endRemoveRows();
        changed = true;
    }
    if (cols > cols_) {
        beginInsertColumns({}, cols_, cols - 1);
        cols_ = cols;
        endInsertColumns();
        changed = true;
    } else if (cols < cols_) {
        beginRemoveColumns({}, cols, cols_ - 1);
        cols_ = cols;
        endRemoveColumns();
        changed = true;
    }
    return changed;
}

void GridModel::rowChanged(int modelRow)
{
    if (modelRow < 0 || modelRow >= rows_ || cols_ == 0)
        return;
    if (cacheRow_ == modelRow + 1)
        cacheRow_ = cacheCol_ = -1;
    emit dataChanged(index(modelRow, 0), index(modelRow, cols_ - 1), { Qt::DisplayRole });
}

void GridModel::allChanged()
{
    syncCounts();
    cacheRow_ = cacheCol_ = -1;
    if (cols_ > 0)
        emit headerDataChanged(Qt::Horizontal, 0, cols_ - 1);
    if (rows_ > 0 && cols_ > 0)
        emit dataChanged(index(0, 0), index(rows_ - 1, cols_ - 1));
}

QString GridDelegate::shownText(const CellStyle& s, const QFontMetrics& fm, int width)
{
    QString text = toQt(s.value);
    if (s.fit && fm.horizontalAdvance(text) > std::max(width, 0))
        return QString(text.size(), QLatin1Char('#'));
    return text;
}

void GridDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    const CellStyle& s = model_->style(index.row() + 1, index.column() + 1);
    const QRect r = option.rect;
    const bool selected = option.state & QStyle::State_Selected;
    if (selected)
        painter->fillRect(r, option.palette.highlight());
    else if (s.back != kDefaultColor)
        painter->fillRect(r, colorFromRef(s.back));
    const bool marked = (look_.markRow && index.row() == look_.currentRow)
                        || (look_.markColumn && index.column() == look_.currentColumn);
    if (marked && !selected) {
        QColor tint = look_.markColor != kDefaultColor ? colorFromRef(look_.markColor) : option.palette.highlight().color();
        tint.setAlpha(48);
        painter->fillRect(r, tint);
    }
    QColor pen = selected ? option.palette.highlightedText().color()
                          : (s.text != kDefaultColor ? colorFromRef(s.text) : option.palette.text().color());
    painter->setPen(pen);
    QFont f = option.font;
    f.setBold(s.bold);
    painter->setFont(f);
    QRect textRect = r.adjusted(3, 0, -3, 0);
    QString text = shownText(s, QFontMetrics(f), textRect.width());
    painter->drawText(textRect, static_cast<int>(qtAlign(s.align)), text);
    painter->setPen(look_.lineColor != kDefaultColor ? colorFromRef(look_.lineColor) : option.palette.mid().color());
    if (look_.horizontalLines)
        painter->drawLine(r.bottomLeft(), r.bottomRight());
    if (look_.verticalLines)
        painter->drawLine(r.topRight(), r.bottomRight());
    if (option.state & QStyle::State_HasFocus) {
        painter->setPen(QPen(option.palette.text().color(), 1, Qt::DotLine));
        painter->drawRect(r.adjusted(0, 0, -1, -1));
    }
}

} // namespace fw
