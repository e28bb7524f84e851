#pragma once
// The pieces of the grid benchmarks: a 100,000-row, 20-column table, the framework grid over it
// and the bare QTableView baseline, batches of changed rows, CPU time, and the document-index
// sort of rows by three keys.
#include "fw/ui/app.h"
#include "fw/ui/gridview.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QFont>
#include <QHeaderView>
#include <QStyleFactory>
#include <QTableView>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <random>
#include <string>
#include <vector>

namespace gridbench {


constexpr int kRows = 100000;
constexpr int kCols = 20;
constexpr int kBatch = 1000; // changed rows per update
constexpr int kUpdates = 1000; // updates measured per widget

inline double cpuSeconds()
{
    timespec ts {};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return double(ts.tv_sec) + double(ts.tv_nsec) / 1e9;
}

struct Table {
    std::vector<int32_t> cells = std::vector<int32_t>(size_t(kRows) * kCols);
    int32_t& at(int row, int col) { return cells[size_t(row) * kCols + size_t(col)]; }
    int32_t at(int row, int col) const { return cells[size_t(row) * kCols + size_t(col)]; }
};

struct TableSource : fw::GridSource {
    const Table& t;
    explicit TableSource(const Table& table) : t(table) {}
    int rowCount() const override { return kRows; }
    int columnCount() const override { return kCols; }
    bool cellStyle(int row, int col, fw::CellStyle& s) const override
    {
        if (row == 0) {
            s.value = "Column " + std::to_string(col);
            return true;
        }
        if (col == 0) {
            s.value = std::to_string(row);
            return true;
        }
        s.value = std::to_string(t.at(row - 1, col - 1));
        s.align = fw::Align::Right;
        return true;
    }
};

class BareModel : public QAbstractTableModel {
public:
    explicit BareModel(const Table& table) : t_(table) {}
    int rowCount(const QModelIndex& p = {}) const override { return p.isValid() ? 0 : kRows; }
    int columnCount(const QModelIndex& p = {}) const override { return p.isValid() ? 0 : kCols; }
    QVariant data(const QModelIndex& i, int role) const override
    {
        if (role == Qt::DisplayRole)
            return QString::number(t_.at(i.row(), i.column()));
        if (role == Qt::TextAlignmentRole)
            return QVariant::fromValue(Qt::Alignment(Qt::AlignRight | Qt::AlignVCenter));
        return {};
    }
    QVariant headerData(int s, Qt::Orientation o, int role) const override
    {
        if (role != Qt::DisplayRole)
            return {};
        return o == Qt::Horizontal ? QStringLiteral("Column %1").arg(s + 1) : QString::number(s + 1);
    }
    void rowChanged(int row) { emit dataChanged(index(row, 0), index(row, kCols - 1)); }

private:
    const Table& t_;
};

// The style and font every figure is taken with (after the QApplication exists).
inline void setLook()
{
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setFont(QFont(QStringLiteral("DejaVu Sans"), 9));
}

inline void fillTable(Table& t)
{
    for (int r = 0; r < kRows; ++r)
        for (int c = 0; c < kCols; ++c)
            t.at(r, c) = r * 7 + c;
}

// Changes kBatch random rows among the first `spread` rows and returns them.
inline std::vector<int> changeBatch(Table& t, std::mt19937& rng, int spread)
{
    std::uniform_int_distribution<int> row(0, spread - 1);
    std::vector<int> rows(kBatch);
    for (int& r : rows) {
        r = row(rng);
        for (int c = 0; c < kCols; c += 3)
            t.at(r, c) += 1;
    }
    return rows;
}

inline void settle()
{
    QCoreApplication::processEvents();
}

inline double runGrid(Table& t, int spread)
{
    TableSource src(t);
    fw::GridView grid;
    grid.resize(1200, 800);
    grid.setSource(&src);
    grid.setFrozenCols(2);
    grid.onInitialUpdate();
    grid.show();
    settle();
    std::mt19937 rng(1);
    fw::RowHint hint(kRows);
    double start = cpuSeconds();
    for (int u = 0; u < kUpdates; ++u) {
        hint.Clear();
        for (int r : changeBatch(t, rng, spread))
            hint.AddRow(r);
        grid.onUpdate(nullptr, 0, &hint);
        settle();
    }
    return cpuSeconds() - start;
}

inline double runBare(Table& t, int spread)
{
    BareModel model(t);
    QTableView view;
    view.setModel(&model);
    view.verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view.resize(1200, 800);
    view.show();
    settle();
    std::mt19937 rng(1);
    double start = cpuSeconds();
    for (int u = 0; u < kUpdates; ++u) {
        for (int r : changeBatch(t, rng, spread))
            model.rowChanged(r);
        settle();
    }
    return cpuSeconds() - start;
}

// --- sorting -------------------------------------------------------------------------------

struct Row {
    int32_t price;
    char name[13];
    uint32_t qty;
};

struct Key {
    int col; // 0 price, 1 name, 2 qty
    bool ascending;
};

inline int compareCol(const Row& a, const Row& b, int col)
{
    switch (col) {
    case 0: return a.price < b.price ? -1 : a.price > b.price ? 1 : 0;
    case 1: return std::strcmp(a.name, b.name);
    default: return a.qty < b.qty ? -1 : a.qty > b.qty ? 1 : 0;
    }
}

inline void sortIndex(const std::vector<Row>& rows, const std::vector<Key>& keys, std::vector<uint32_t>& index)
{
    std::sort(index.begin(), index.end(), [&](uint32_t a, uint32_t b) {
        for (const Key& k : keys) {
            int c = compareCol(rows[a], rows[b], k.col);
            if (c != 0)
                return k.ascending ? c < 0 : c > 0;
        }
        return a < b; // ties keep document order
    });
}

// 100,000 rows: prices 0..500, four-letter names, quantities 1..1000.
inline std::vector<Row> randomRows()
{
    std::mt19937 rng(7);
    std::vector<Row> rows(kRows);
    std::uniform_int_distribution<int> price(0, 500), letter(0, 25);
    std::uniform_int_distribution<uint32_t> qty(1, 1000);
    for (auto& r : rows) {
        r.price = price(rng);
        for (int i = 0; i < 4; ++i)
            r.name[i] = char('A' + letter(rng));
        r.name[4] = 0;
        r.qty = qty(rng);
    }
    return rows;
}

// Price descending, then name and quantity ascending.
inline std::vector<Key> sortKeys() { return { { 0, false }, { 1, true }, { 2, true } }; }

// The baseline: the raw rows themselves sorted by the same keys.
inline void stableSortRaw(std::vector<Row>& raw)
{
    std::stable_sort(raw.begin(), raw.end(), [](const Row& a, const Row& b) {
        if (a.price != b.price)
            return a.price > b.price;
        int c = std::strcmp(a.name, b.name);
        if (c != 0)
            return c < 0;
        return a.qty < b.qty;
    });
}

} // namespace gridbench
