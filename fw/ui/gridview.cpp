#include "fw/ui/gridview.h"

#include "fw/ui/text.h"

#include <QContextMenuEvent>
#include <QHBoxLayout>
#include <QVBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QScrollBar>
#include <QStyleOptionSlider>
#include <QTableView>
#include <algorithm>

namespace fw {

namespace {
constexpr int kDefaultColWidth = 80;

// Stops the repaints of a widget while held, without the repaint that enabling updates again
// asks for: the grid repaints what the change touched itself.
class RepaintHold {
public:
    explicit RepaintHold(QWidget* w) : w_(w->updatesEnabled() ? w : nullptr)
    {
        if (w_)
            w_->setAttribute(Qt::WA_UpdatesDisabled, true);
    }
    ~RepaintHold()
    {
        if (w_)
            w_->setAttribute(Qt::WA_UpdatesDisabled, false);
    }
    RepaintHold(const RepaintHold&) = delete;
    RepaintHold& operator=(const RepaintHold&) = delete;

private:
    QWidget* w_;
};

// One half of the grid. Qt lays a table out again and repaints its whole viewport and its row
// header whenever the row count changes; a grid that knows which rows a change touched lays
// out (scroll range, header) without those repaints and repaints the rows itself.
class GridTable : public QTableView {
public:
    explicit GridTable(QWidget* parent) : QTableView(parent) {}

    // Brings the table in line with a change of the row count (sync), laid out at once and
    // without a repaint of the viewport or the row header.
    template <class Sync> void changeRowCount(Sync&& sync)
    {
        QHeaderView* header = verticalHeader();
        const int width = header->width();
        {
            RepaintHold headerHold(header);
            RepaintHold headerViewportHold(header->viewport());
            countOnly_ = true;
            sync();
            executeDelayedItemsLayout();
            countOnly_ = false;
            // Qt stops the header's updates while rows go and starts them in its layout (which
            // would repaint all of it); the hold ends them instead.
            header->setAttribute(Qt::WA_ForceUpdatesDisabled, false);
        }
        // Row numbers that took another digit moved everything.
        if (header->width() != width) {
            header->viewport()->update();
            viewport()->update();
        }
    }

    void doItemsLayout() override
    {
        if (!countOnly_) {
            QTableView::doItemsLayout();
            return;
        }
        // The scroll range and the header. A new range repaints the scroll bar only when its
        // slider moved or it reached or left an end.
        QScrollBar* bar = verticalScrollBar();
        const SliderLook before = sliderLook(bar);
        {
            RepaintHold barHold(bar);
            updateGeometries();
        }
        if (sliderLook(bar) != before)
            bar->update();
    }

private:
    struct SliderLook {
        QRect slider;
        bool atMinimum = false;
        bool atMaximum = false;
        bool operator==(const SliderLook&) const = default;
    };
    static SliderLook sliderLook(QScrollBar* bar)
    {
        QStyleOptionSlider option;
        option.initFrom(bar);
        option.orientation = bar->orientation();
        option.minimum = bar->minimum();
        option.maximum = bar->maximum();
        option.sliderPosition = bar->sliderPosition();
        option.sliderValue = bar->value();
        option.singleStep = bar->singleStep();
        option.pageStep = bar->pageStep();
        option.upsideDown = bar->invertedAppearance();
        return { bar->style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider, bar),
            bar->value() == bar->minimum(), bar->value() == bar->maximum() };
    }

    bool countOnly_ = false;
};

// The row header of the frozen half. Qt measures the texts of the first and last hundred rows
// again on every change of the row count; a long list keeps its width until the row numbers
// need another digit, the font or style changes or the grid redraws everything.
class GridRowHeader : public QHeaderView {
public:
    explicit GridRowHeader(QWidget* parent) : QHeaderView(Qt::Vertical, parent) {}

    QSize sizeHint() const override
    {
        constexpr int kMeasuredAlways = 200; // Qt measures every row up to this count
        const int rows = count();
        if (rows <= kMeasuredAlways || !cached_.isValid() || digits(rows) != cachedDigits_) {
            cached_ = QHeaderView::sizeHint();
            cachedDigits_ = digits(rows);
        }
        return cached_;
    }
    void forgetSizeHint() { cached_ = QSize(); }

protected:
    void changeEvent(QEvent* event) override
    {
        forgetSizeHint();
        QHeaderView::changeEvent(event);
    }

private:
    static int digits(int n)
    {
        int d = 1;
        for (; n >= 10; n /= 10)
            ++d;
        return d;
    }

    mutable QSize cached_;
    mutable int cachedDigits_ = 0;
};

GridTable* gridTable(QTableView* t)
{
    return static_cast<GridTable*>(t);
}

void setupTable(QTableView* t, GridModel* model, GridDelegate* delegate)
{
    t->setVerticalHeader(new GridRowHeader(t));
    t->setModel(model);
    t->setItemDelegate(delegate);
    t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    t->setSelectionMode(QAbstractItemView::ExtendedSelection);
    t->setSelectionBehavior(QAbstractItemView::SelectItems);
    t->setWordWrap(false);
    t->setCornerButtonEnabled(false);
    t->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    t->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    t->setTabKeyNavigation(false);
    // Data rows have one fixed height; only the title row's height is the grid's own.
    t->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    t->verticalHeader()->setSectionsClickable(true);
    t->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    t->horizontalHeader()->setHighlightSections(false);
    t->verticalHeader()->setHighlightSections(false);
    t->setShowGrid(false); // the delegate draws the lines the grid's properties ask for
}
} // namespace

GridView::GridView(QWidget* parent)
    : View(parent), delegate_(&model_), frozen_(new GridTable(this)), main_(new GridTable(this))
{
    setupTable(frozen_, &model_, &delegate_);
    setupTable(main_, &model_, &delegate_);
    QItemSelectionModel* own = main_->selectionModel();
    main_->setSelectionModel(frozen_->selectionModel());
    delete own; // a view never deletes a selection model it was given or replaced
    main_->verticalHeader()->hide();
    // One horizontal scroll bar, under the scrolling columns. The frozen half has none; a
    // filler as tall as the bar sits under it instead, so both viewports are equally tall and
    // the synchronised vertical positions show the same rows side by side, also at the end.
    // The bar lives outside the table and follows the table's own, hidden one: a table that
    // shows both of its bars raises them over each other, and repaints them, on every layout
    // (each change of the row count).
    frozen_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    main_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    hbar_ = new QScrollBar(Qt::Horizontal, this);
    corner_ = new QWidget(this);
    QScrollBar* inner = main_->horizontalScrollBar();
    connect(inner, &QScrollBar::rangeChanged, this, [this, inner](int min, int max) {
        hbar_->setPageStep(inner->pageStep());
        hbar_->setSingleStep(inner->singleStep());
        hbar_->setRange(min, max);
    });
    connect(inner, &QScrollBar::valueChanged, hbar_, &QScrollBar::setValue);
    connect(hbar_, &QScrollBar::valueChanged, inner, &QScrollBar::setValue);
    corner_->hide();
    connect(main_->verticalScrollBar(), &QScrollBar::rangeChanged, this,
            [this](int min, int max) { corner_->setVisible(max > min); });
    frozen_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    frozen_->setFrameShape(QFrame::NoFrame);
    main_->setFrameShape(QFrame::NoFrame);
    main_->horizontalHeader()->setSectionsMovable(true);
    filler_ = new QWidget(this);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto* left = new QVBoxLayout;
    left->setContentsMargins(0, 0, 0, 0);
    left->setSpacing(0);
    left->addWidget(frozen_, 1);
    left->addWidget(filler_);
    layout->addLayout(left);
    auto* right = new QVBoxLayout;
    right->setContentsMargins(0, 0, 0, 0);
    right->setSpacing(0);
    right->addWidget(main_, 1);
    auto* bottom = new QHBoxLayout;
    bottom->setContentsMargins(0, 0, 0, 0);
    bottom->setSpacing(0);
    bottom->addWidget(hbar_, 1);
    bottom->addWidget(corner_);
    right->addLayout(bottom);
    layout->addLayout(right, 1);

    connect(main_->verticalScrollBar(), &QScrollBar::valueChanged, frozen_->verticalScrollBar(), &QScrollBar::setValue);
    connect(frozen_->verticalScrollBar(), &QScrollBar::valueChanged, main_->verticalScrollBar(), &QScrollBar::setValue);
    connect(main_->horizontalHeader(), &QHeaderView::sectionMoved, this, &GridView::onSectionMoved);
    for (QTableView* t : { frozen_, main_ }) {
        t->installEventFilter(this);
        connect(t->horizontalHeader(), &QHeaderView::sectionResized, this, [this, t](int logical, int, int size) {
            if (applying_)
                return;
            int base = size * 100 / std::max(zoom_, 1);
            widths_[logical + 1] = base;
            applying_ = true;
            QTableView* other = t == frozen_ ? main_ : frozen_;
            other->horizontalHeader()->resizeSection(logical, size);
            applying_ = false;
            if (logical < frozenCols_)
                layoutFrozen();
            if (source())
                source()->columnResized(logical + 1, base);
        });
        connect(t->horizontalHeader(), &QHeaderView::sectionClicked, this,
                [this](int logical) { onHeaderClicked(logical + 1); });
        connect(t, &QTableView::doubleClicked, this,
                [this](const QModelIndex& i) { onCellDoubleClicked(i.row() + 1, i.column() + 1); });
    }
    connect(&model_, &QAbstractItemModel::columnsInserted, this, [this] { applyColumns(); });
    connect(&model_, &QAbstractItemModel::columnsRemoved, this, [this] { applyColumns(); });
    connect(&model_, &QAbstractItemModel::rowsInserted, this, [this] { layoutFrozen(); });
    connect(main_->selectionModel(), &QItemSelectionModel::currentChanged, this, [this](const QModelIndex& now) {
        GridLook& look = delegate_.look();
        look.currentRow = now.isValid() ? now.row() : -1;
        look.currentColumn = now.isValid() ? now.column() : -1;
        if (look.markRow || look.markColumn)
            redraw();
    });
    baseFont_ = font();
    QFont bold = baseFont_;
    bold.setBold(true);
    model_.setBoldFont(bold);
    applyZoomFont();
}

GridView::~GridView()
{
    // The tables send events while they die; this half-destroyed view must not see them.
    for (QTableView* t : { frozen_, main_ }) {
        t->removeEventFilter(this);
        t->viewport()->removeEventFilter(this);
    }
    // The tables go before the model they show (members die after the child widgets otherwise).
    delete frozen_;
    delete main_;
}

void GridView::setSource(GridSource* source)
{
    static_cast<GridRowHeader*>(frozen_->verticalHeader())->forgetSizeHint();
    model_.setSource(source);
    applyColumns();
}

void GridView::setProperties(const GridProperties& props)
{
    props_ = props;
    applyLook();
    redraw();
}

void GridView::applyLook()
{
    GridLook& look = delegate_.look();
    look.horizontalLines = props_.horizontalLines;
    look.verticalLines = props_.verticalLines;
    look.markRow = props_.markCurrentRow;
    look.markColumn = props_.markCurrentColumn;
    look.lineColor = props_.colors[kGridLineColor];
    look.markColor = props_.colors[kGridMarkColor];
    if (!props_.font.face.empty()) {
        QFont font(toQt(props_.font.face));
        font.setPointSize(props_.font.points);
        font.setBold(props_.font.bold);
        font.setItalic(props_.font.italic);
        if (font != baseFont_)
            setBaseFont(font);
    }
    // Without the 3D look the title row and the row numbers lie flat on the grid.
    QString flat = props_.threeD ? QString()
                                 : QStringLiteral("QHeaderView::section { background: palette(base); border: 0px;"
                                                  " border-right: 1px solid palette(mid); border-bottom: 1px solid palette(mid); }");
    for (QTableView* t : { frozen_, main_ }) {
        t->horizontalHeader()->setStyleSheet(flat);
        t->verticalHeader()->setStyleSheet(flat);
    }
}

void GridView::onInitialUpdate()
{
    model_.syncCounts();
    applyColumns();
    initialised_ = true;
    redraw();
}

void GridView::onUpdate(View*, intptr_t hint, Hint* object)
{
    if (!initialised_)
        return;
    auto* rows = dynamic_cast<RowHint*>(object);
    if (hint != 0 || rows) {
        QScrollBar* sb = main_->verticalScrollBar();
        const bool atEnd = hint != 0 && sb->value() == sb->maximum();
        const int before = model_.rowCount();
        // A hint that names the appended rows, or every row that moved, says all that a
        // change of the row count repaints; other changes of the counts repaint everything.
        const bool described = rows && (hint != 0 || rows->CoversMoves()) && source()
                                && source()->columnCount() == model_.columnCount();
        if (described) {
            // Both halves lay out before the rows repaint: a pending layout would swallow them.
            gridTable(frozen_)->changeRowCount([this] { model_.syncCounts(); });
            gridTable(main_)->changeRowCount([] {});
        } else {
            model_.syncCounts();
        }
        if (atEnd) {
            // The scroll range follows the new row count only after a layout pass.
            if (!described) {
                main_->doItemsLayout();
                frozen_->doItemsLayout();
            }
            main_->scrollToBottom();
        }
        if (described && model_.rowCount() != before)
            repaintCountChange(before);
    }
    if (rows) {
        auto [first, last] = visibleRows();
        QHeaderView* numbers = frozen_->verticalHeader();
        for (int r = first; r <= last; ++r)
            if (rows->GetRow(r - 1)) {
                model_.rowChanged(r - 1);
                numbers->viewport()->update(
                    QRect(0, numbers->sectionViewportPosition(r - 1), numbers->viewport()->width(), rowHeight()));
                ++rowRepaints_;
            }
    } else if (hint == 0) {
        static_cast<GridRowHeader*>(frozen_->verticalHeader())->forgetSizeHint();
        model_.allChanged();
        frozen_->verticalHeader()->viewport()->update();
        layoutFrozen();
    }
}

void GridView::repaintCountChange(int oldCount)
{
    // The lines from the first row that came or went to the last one: new rows or blank space.
    const int count = model_.rowCount();
    const int from = std::min(count, oldCount);
    for (QTableView* t : { frozen_, main_ }) {
        const int top = t->verticalHeader()->sectionViewportPosition(0) + from * rowHeight();
        const int bottom = top + std::abs(count - oldCount) * rowHeight();
        QWidget* port = t->viewport();
        if (bottom <= 0 || top >= port->height())
            continue;
        const QRect lines(0, std::max(top, 0), port->width(), std::min(bottom, port->height()) - std::max(top, 0));
        port->update(lines);
        QWidget* numbers = t->verticalHeader()->viewport();
        numbers->update(QRect(0, lines.top(), numbers->width(), lines.height()));
    }
}

QTableView* GridView::tableFor(int col) const
{
    return col >= 1 && col <= frozenCols_ ? frozen_ : main_;
}

void GridView::setFrozenCols(int n)
{
    n = std::clamp(n, 0, std::max(colCount(), 0));
    if (n == frozenCols_)
        return;
    frozenCols_ = n;
    applyColumns();
    if (source())
        source()->frozenColumnsChanged(n);
}

void GridView::applyColumns()
{
    applying_ = true;
    int cols = model_.columnCount();
    for (int c = 0; c < cols; ++c) {
        bool isFrozen = c < frozenCols_;
        frozen_->setColumnHidden(c, !isFrozen);
        main_->setColumnHidden(c, isFrozen);
        auto it = widths_.find(c + 1);
        int base = it != widths_.end() ? it->second : kDefaultColWidth;
        int w = std::max(base * zoom_ / 100, 1);
        frozen_->horizontalHeader()->resizeSection(c, w);
        main_->horizontalHeader()->resizeSection(c, w);
    }
    applying_ = false;
    layoutFrozen();
}

void GridView::setTitleLines(int lines)
{
    titleLines_ = std::max(lines, 1);
    for (QTableView* t : { frozen_, main_ })
        t->horizontalHeader()->setDefaultAlignment(
            titleLines_ > 1 ? Qt::Alignment(Qt::AlignCenter | Qt::TextWordWrap) : Qt::Alignment(Qt::AlignCenter));
    layoutFrozen();
}

void GridView::layoutFrozen()
{
    // Exactly the row header and the frozen columns: no gap before the scrolling columns and
    // nothing of a frozen column hidden.
    int w = frozen_->verticalHeader()->sizeHint().width();
    for (int c = 0; c < std::min(frozenCols_, model_.columnCount()); ++c)
        w += frozen_->horizontalHeader()->sectionSize(c);
    frozen_->setFixedWidth(w);
    // Both title rows equally tall, also when one half shows no column (a header without a
    // visible section would shrink and move the row numbers up against their rows).
    int title = std::max(frozen_->horizontalHeader()->sizeHint().height(), main_->horizontalHeader()->sizeHint().height());
    QFontMetrics fm(frozen_->horizontalHeader()->font());
    title = std::max(title, titleLines_ * fm.height() + 6);
    frozen_->horizontalHeader()->setFixedHeight(title);
    main_->horizontalHeader()->setFixedHeight(title);
    filler_->setFixedHeight(hbar_->sizeHint().height());
    corner_->setFixedWidth(main_->verticalScrollBar()->sizeHint().width());
}

void GridView::applyZoomFont()
{
    QFont f = baseFont_;
    if (baseFont_.pointSizeF() > 0)
        f.setPointSizeF(baseFont_.pointSizeF() * zoom_ / 100.0);
    else
        f.setPixelSize(std::max(baseFont_.pixelSize() * zoom_ / 100, 1));
    for (QTableView* t : { frozen_, main_ }) {
        t->setFont(f);
        t->horizontalHeader()->setFont(f);
        t->verticalHeader()->setFont(f);
        int h = QFontMetrics(f).height() + 4;
        t->verticalHeader()->setMinimumSectionSize(1);
        t->verticalHeader()->setDefaultSectionSize(h);
        t->horizontalHeader()->setMinimumSectionSize(1);
    }
    QFont bold = f;
    bold.setBold(true);
    model_.setBoldFont(bold);
}

void GridView::setBaseFont(const QFont& font)
{
    baseFont_ = font;
    applyZoomFont();
    applyColumns();
    redraw();
}

QSize GridView::contentSize() const
{
    int w = frozen_->verticalHeader()->sizeHint().width() + 1;
    for (int c = 0; c < model_.columnCount(); ++c)
        w += tableFor(c + 1)->horizontalHeader()->sectionSize(c);
    long long h = main_->horizontalHeader()->height() + 1 + static_cast<long long>(model_.rowCount()) * rowHeight();
    return QSize(w, static_cast<int>(std::min<long long>(h, 1 << 24)));
}

int GridView::rowHeight() const
{
    return main_->verticalHeader()->defaultSectionSize();
}

void GridView::setZoom(int percent)
{
    percent = std::clamp(percent, 10, 1000);
    if (percent == zoom_)
        return;
    zoom_ = percent;
    applyZoomFont();
    applyColumns();
    redraw();
}

void GridView::setColWidth(int col, int width)
{
    if (col < 1)
        return;
    if (width < 0)
        widths_.erase(col);
    else
        widths_[col] = width;
    applyColumns();
}

int GridView::colWidth(int col) const
{
    if (col < 1 || col > model_.columnCount())
        return 0;
    auto it = widths_.find(col);
    return it != widths_.end() ? it->second : kDefaultColWidth;
}

void GridView::fitColumnsToContent(int first, int last)
{
    QFontMetrics fm(main_->font());
    QFont bold = main_->font();
    bold.setBold(true);
    QFontMetrics fmBold(bold);
    auto [top, bottom] = visibleRows();
    first = std::max(first, 1);
    last = std::min(last, model_.columnCount());
    for (int c = first; c <= last; ++c) {
        int w = fmBold.horizontalAdvance(toQt(model_.style(0, c).value));
        for (int r = top; r <= bottom; ++r)
            w = std::max(w, fm.horizontalAdvance(toQt(model_.style(r, c).value)));
        widths_[c] = (w + 10) * 100 / std::max(zoom_, 1) + 1;
        if (source())
            source()->columnResized(c, widths_[c]);
    }
    applyColumns();
}

GridCell GridView::currentCell() const
{
    QModelIndex i = main_->selectionModel()->currentIndex();
    if (!i.isValid())
        return {};
    return { i.row() + 1, i.column() + 1 };
}

void GridView::setCurrentCell(int row, int col)
{
    QItemSelectionModel* sel = main_->selectionModel();
    if (row < 1 || row > model_.rowCount() || col < 1 || col > model_.columnCount()) {
        sel->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
        return;
    }
    QModelIndex i = model_.index(row - 1, col - 1);
    sel->setCurrentIndex(i, QItemSelectionModel::NoUpdate);
    tableFor(col)->scrollTo(i);
}

void GridView::clearSelection()
{
    main_->selectionModel()->clearSelection();
}

void GridView::selectRange(const GridRange& r, bool add)
{
    int rows = model_.rowCount(), cols = model_.columnCount();
    if (rows == 0 || cols == 0)
        return;
    QModelIndex tl = model_.index(std::clamp(r.top, 1, rows) - 1, std::clamp(r.left, 1, cols) - 1);
    QModelIndex br = model_.index(std::clamp(r.bottom, 1, rows) - 1, std::clamp(r.right, 1, cols) - 1);
    main_->selectionModel()->select(QItemSelection(tl, br),
                                    add ? QItemSelectionModel::Select : QItemSelectionModel::ClearAndSelect);
}

std::vector<GridRange> GridView::selectionRanges() const
{
    std::vector<GridRange> out;
    for (const QItemSelectionRange& r : main_->selectionModel()->selection())
        out.push_back({ r.top() + 1, r.left() + 1, r.bottom() + 1, r.right() + 1 });
    return out;
}

std::vector<int> GridView::selectedRows() const
{
    std::vector<int> rows;
    for (const auto& r : selectionRanges())
        for (int row = r.top; row <= r.bottom; ++row)
            rows.push_back(row);
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

GridCell GridView::hitTest(QPoint pos) const
{
    for (QTableView* t : { frozen_, main_ }) {
        if (!t->isVisible() || !t->geometry().contains(pos))
            continue;
        QHeaderView* hh = t->horizontalHeader();
        QHeaderView* vh = t->verticalHeader();
        QPoint hp = hh->mapFrom(this, pos);
        QPoint vp = vh->mapFrom(this, pos);
        // Above the row header and left of the titles: the corner.
        if (hh->isVisible() && vh->isVisible() && hp.x() < 0 && vp.y() < 0)
            return { 0, 0 };
        if (hh->isVisible() && hh->rect().contains(hp)) {
            int c = hh->logicalIndexAt(hp.x());
            return { 0, c >= 0 ? c + 1 : -1 };
        }
        if (vh->isVisible() && vh->rect().contains(vp)) {
            int r = vh->logicalIndexAt(vp.y());
            return { r >= 0 ? r + 1 : -1, 0 };
        }
        QPoint p = t->viewport()->mapFrom(this, pos);
        if (t->viewport()->rect().contains(p)) {
            QModelIndex i = t->indexAt(p);
            if (i.isValid())
                return { i.row() + 1, i.column() + 1 };
        }
        return {};
    }
    return {};
}

QRect GridView::cellRect(int row, int col) const
{
    QTableView* t = tableFor(col);
    if (row == 0) {
        QHeaderView* hh = t->horizontalHeader();
        QRect r(hh->sectionViewportPosition(col - 1), 0, hh->sectionSize(col - 1), hh->height());
        return QRect(hh->mapTo(this, r.topLeft()), r.size());
    }
    QRect r = t->visualRect(model_.index(row - 1, col - 1));
    return QRect(t->viewport()->mapTo(this, r.topLeft()), r.size());
}

std::pair<int, int> GridView::visibleRows() const
{
    int rows = model_.rowCount();
    if (rows == 0)
        return { 0, -1 };
    int first = main_->rowAt(0);
    if (first < 0)
        return { 0, -1 };
    int last = main_->rowAt(main_->viewport()->height() - 1);
    if (last < 0)
        last = rows - 1;
    return { first + 1, last + 1 };
}

bool GridView::findFirstCharMatch(QChar ch, int col, int fromRow, int toRow)
{
    QChar want = ch.toUpper();
    for (int r = std::max(fromRow, 1); r <= std::min(toRow, model_.rowCount()); ++r) {
        const std::string& v = model_.style(r, col).value;
        if (v.empty())
            continue;
        QString first = toQt(std::string_view(v).substr(0, 1));
        if (!first.isEmpty() && first.at(0).toUpper() == want) {
            setCurrentCell(r, col);
            return true;
        }
    }
    return false;
}

bool GridView::handleKey(QKeyEvent* key)
{
    if (key->matches(QKeySequence::Copy))
        return copySelection();
    GridCell cur = currentCell();
    if (!cur.valid() || cur.row < 1)
        return false;
    int last = model_.rowCount();
    if (key->key() == Qt::Key_Home) {
        setCurrentCell(1, cur.col);
        return true;
    }
    if (key->key() == Qt::Key_End) {
        setCurrentCell(last, cur.col);
        return true;
    }
    QString t = key->text();
    if (t.size() != 1 || key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))
        return false;
    QChar ch = t.at(0);
    // Printable characters that the program's code page holds search (accented letters such as
    // Ö or Ő too); others keep their usual meaning.
    if (ch.unicode() < 0x21 || !ch.isPrint() || fromQt(QString(ch)) == "?")
        return false;
    if (!findFirstCharMatch(ch, cur.col, cur.row + 1, last))
        findFirstCharMatch(ch, cur.col, 1, cur.row);
    return true;
}

bool GridView::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && (watched == frozen_ || watched == main_))
        return handleKey(static_cast<QKeyEvent*>(event));
    if (dragOut_ || dropIn_)
        if (watched == frozen_->viewport() || watched == main_->viewport())
            return handleDragDrop(static_cast<QWidget*>(watched), event);
    return View::eventFilter(watched, event);
}

void GridView::resizeEvent(QResizeEvent* event)
{
    View::resizeEvent(event);
    layoutFrozen();
}

void GridView::contextMenuEvent(QContextMenuEvent* event)
{
    GridCell c = hitTest(event->pos());
    QPoint global = event->globalPos();
    if (!c.valid()) {
        c = currentCell();
        if (c.valid())
            global = mapToGlobal(cellRect(c.row, c.col).topLeft());
    }
    onContextMenu(c.row, c.col, global);
}

bool GridView::lockUpdates(bool lock)
{
    bool was = locked_;
    locked_ = lock;
    frozen_->setUpdatesEnabled(!lock);
    main_->setUpdatesEnabled(!lock);
    return was;
}

void GridView::redraw()
{
    if (locked_)
        return;
    for (QTableView* t : { frozen_, main_ }) {
        t->viewport()->update();
        t->horizontalHeader()->viewport()->update();
        t->verticalHeader()->viewport()->update();
    }
}

void GridView::onSectionMoved(int logical, int oldVisual, int newVisual)
{
    if (moving_)
        return;
    // The source owns the order; the header always shows columns in logical order.
    moving_ = true;
    main_->horizontalHeader()->moveSection(newVisual, oldVisual);
    moving_ = false;
    if (!source() || !source()->moveColumns(logical + 1, logical + 1, newVisual + 1))
        return;
    std::vector<int> w;
    for (int c = 1; c <= model_.columnCount(); ++c)
        w.push_back(colWidth(c));
    if (logical < static_cast<int>(w.size()) && newVisual < static_cast<int>(w.size())) {
        int moved = w[static_cast<size_t>(logical)];
        w.erase(w.begin() + logical);
        w.insert(w.begin() + newVisual, moved);
        for (size_t i = 0; i < w.size(); ++i)
            widths_[static_cast<int>(i) + 1] = w[i];
    }
    applyColumns();
    model_.allChanged();
}

void GridView::onContextMenu(int, int, QPoint) {}
void GridView::onCellDoubleClicked(int, int) {}
void GridView::onHeaderClicked(int) {}

} // namespace fw
