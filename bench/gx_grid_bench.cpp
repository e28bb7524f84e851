// gx_grid_bench: the list window of the core library (CTGXDoc with CTGXView) against the
// framework grid's own figures, measured in the same run.
//
// Updates: 100,000 rows of 20 columns (unsigned, signed, decimal and text values in a row
// record) receive 10,000 changed rows per second as ten batches of 1,000. Per batch the
// document gets one CTHint naming the changed document rows, maps them to view rows and the
// view repaints the visible ones. Baselines: the framework's GridView told the same rows
// directly over a plain integer table, and a bare QTableView with one change signal per row.
// Once unsorted, and once sorted by a column the changes do not touch (the document re-sorts
// its row map on every update, as it must when a changed value moves a row).
//
// Sorting: 100,000 rows by three keys (price descending, name and quantity ascending) through
// CTGXDoc's row map, against the framework's document index and std::stable_sort of the rows.
#include "grid_bench_support.h"

#include "kvcore/grid/gx_doc.h"
#include "kvcore/gridview/gx_view.h"
#include "kvcore/values/cdouble.h"

using namespace gridbench;

namespace {

struct Record {
    std::uint32_t u[8];
    std::int32_t s[6];
    ::CDouble d[4];
    char t[2][12];
};

class RecordDoc : public kvcore::CTGXDoc {
public:
    RecordDoc()
    {
        auto column = [this](std::uint16_t type, std::size_t offset, std::uint16_t justify) {
            m_type.push_back(type);
            m_offset.push_back(static_cast<std::uint16_t>(offset));
            m_justify.push_back(justify);
            m_selected.push_back(static_cast<std::uint16_t>(m_selected.size()));
        };
        for (std::size_t i = 0; i < 8; ++i)
            column(kvcore::kGXUnsigned, offsetof(Record, u) + i * sizeof(std::uint32_t), 2);
        for (std::size_t i = 0; i < 6; ++i)
            column(kvcore::kGXSigned, offsetof(Record, s) + i * sizeof(std::int32_t), 2);
        for (std::size_t i = 0; i < 4; ++i)
            column(kvcore::kGXDouble, offsetof(Record, d) + i * sizeof(::CDouble), 2);
        for (std::size_t i = 0; i < 2; ++i)
            column(kvcore::kGXText, offsetof(Record, t) + i * 12, 0);
        records.resize(kRows);
        for (int r = 0; r < kRows; ++r) {
            Record& rec = records[static_cast<std::size_t>(r)];
            for (int c = 0; c < 8; ++c)
                rec.u[c] = static_cast<std::uint32_t>(r * 7 + c);
            for (int c = 0; c < 6; ++c)
                rec.s[c] = r * 7 - c;
            for (int c = 0; c < 4; ++c)
                rec.d[c] = ::CDouble(r * 0.25 + c, 2);
            std::snprintf(rec.t[0], sizeof rec.t[0], "S%06d", r);
            std::snprintf(rec.t[1], sizeof rec.t[1], "%c%c", 'A' + r % 26, 'A' + r / 26 % 26);
        }
    }
    const std::uint8_t* GetRowData(int row) const override
    {
        return reinterpret_cast<const std::uint8_t*>(&records[static_cast<std::size_t>(row)]);
    }
    int GetRowCount() const override { return static_cast<int>(records.size()); }

    // Changes kBatch random document rows among the first spread rows, or the last spread rows
    // when the view shows the table upside down (values of a few columns, never the sort column
    // 0), and marks them in the hint.
    void ChangeBatch(std::mt19937& rng, int spread, bool fromEnd, kvcore::CTHint& hint)
    {
        std::uniform_int_distribution<int> row(0, spread - 1);
        hint.Clear();
        for (int i = 0; i < kBatch; ++i) {
            const int r = fromEnd ? kRows - 1 - row(rng) : row(rng);
            Record& rec = records[static_cast<std::size_t>(r)];
            rec.u[3] += 1;
            rec.u[6] += 1;
            rec.s[1] += 1;
            rec.d[2] = ::CDouble(static_cast<double>(rec.d[2]) + 0.01, 2);
            hint.AddRow(r);
        }
    }

    std::vector<Record> records;
};

double RunDocView(int spread, bool sorted, int* repaints)
{
    RecordDoc doc;
    doc.UpdateDocument(0, nullptr);
    kvcore::CTGXView view;
    view.setDocument(&doc);
    view.resize(1200, 800);
    doc.m_fixedColumns = 2;
    view.onInitialUpdate();
    view.show();
    settle();
    if (sorted)
        doc.SetSortColumn(1, 0); // column id 0 descending: the view shows the rows upside down
    settle();
    std::mt19937 rng(1);
    kvcore::CTHint hint(kRows);
    const int before = view.rowRepaintsSent();
    const double start = cpuSeconds();
    for (int u = 0; u < kUpdates; ++u) {
        doc.ChangeBatch(rng, spread, sorted, hint);
        doc.UpdateDocument(0, &hint);
        settle();
    }
    const double spent = cpuSeconds() - start;
    *repaints = view.rowRepaintsSent() - before;
    view.setDocument(nullptr);
    return spent;
}

// The three-key sort through the grid document's row map.
class SortDoc : public kvcore::CTGXDoc {
public:
    explicit SortDoc(const std::vector<Row>& rows) : rows_(rows)
    {
        m_type = { kvcore::kGXSigned, kvcore::kGXText, kvcore::kGXUnsigned };
        m_offset = { offsetof(Row, price), offsetof(Row, name), offsetof(Row, qty) };
        m_justify = { 2, 0, 2 };
        m_selected = { 0, 1, 2 };
        m_sortKeys = { MakeSortKey(0, kDescending), MakeSortKey(1, kAscending), MakeSortKey(2, kAscending) };
    }
    const std::uint8_t* GetRowData(int row) const override
    {
        return reinterpret_cast<const std::uint8_t*>(&rows_[static_cast<std::size_t>(row)]);
    }
    int GetRowCount() const override { return static_cast<int>(rows_.size()); }

private:
    const std::vector<Row>& rows_;
};

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication qapp(argc, argv);
    setLook();
    fw::App app;

    Table t;
    fillTable(t);
    runBare(t, kRows); // warm the font and style caches

    struct Scenario {
        const char* name;
        int spread;
    } scenarios[] = { { "changes anywhere in the table", kRows }, { "changes all within the visible rows", 30 } };
    std::printf("list window updates: %d rows x %d columns, 10,000 changed rows per second as batches of %d (%d batches)\n",
        kRows, kCols, kBatch, kUpdates);
    for (const auto& sc : scenarios) {
        const double bare = runBare(t, sc.spread) / kUpdates;
        const double grid = runGrid(t, sc.spread) / kUpdates;
        int repaints = 0, sortedRepaints = 0;
        const double doc = RunDocView(sc.spread, false, &repaints) / kUpdates;
        const double sorted = RunDocView(sc.spread, true, &sortedRepaints) / kUpdates;
        std::printf(" %s\n", sc.name);
        std::printf("  CTGXDoc+CTGXView    %8.1f us CPU per 1,000 updates (%5.2f %% of one core), %d row repaints\n",
            doc * 1e6, doc * 10 * 100, repaints);
        std::printf("   sorted by a column %8.1f us CPU per 1,000 updates (%5.2f %% of one core), %d row repaints\n",
            sorted * 1e6, sorted * 10 * 100, sortedRepaints);
        std::printf("  fw GridView         %8.1f us CPU per 1,000 updates\n", grid * 1e6);
        std::printf("  bare QTableView     %8.1f us CPU per 1,000 updates\n", bare * 1e6);
        std::printf("  ratio to GridView   %8.2fx unsorted, %.2fx sorted\n", doc / grid, sorted / grid);
        std::printf("  ratio to QTableView %8.2fx unsorted, %.2fx sorted\n", doc / bare, sorted / bare);
    }

    const std::vector<Row> rows = randomRows();
    const std::vector<Key> keys = sortKeys();
    constexpr int kRepeats = 10;
    double docTime = 0, indexTime = 0, rawTime = 0;
    std::vector<uint32_t> index(kRows);
    for (int rep = 0; rep < kRepeats; ++rep) {
        SortDoc doc(rows);
        double s = cpuSeconds();
        doc.UpdateDocument(0, nullptr);
        docTime += cpuSeconds() - s;

        for (uint32_t i = 0; i < kRows; ++i)
            index[i] = i;
        s = cpuSeconds();
        sortIndex(rows, keys, index);
        indexTime += cpuSeconds() - s;

        std::vector<Row> raw = rows;
        s = cpuSeconds();
        stableSortRaw(raw);
        rawTime += cpuSeconds() - s;
        if (doc.m_rowMap != index) {
            std::printf("sort mismatch between the document and the index\n");
            return 1;
        }
    }
    std::printf("sort of %d rows by three keys (mean of %d)\n", kRows, kRepeats);
    std::printf("  CTGXDoc row map     %8.3f ms\n", docTime * 1000.0 / kRepeats);
    std::printf("  fw document index   %8.3f ms\n", indexTime * 1000.0 / kRepeats);
    std::printf("  std::stable_sort    %8.3f ms\n", rawTime * 1000.0 / kRepeats);
    std::printf("  ratio to the index  %8.2fx, to std::stable_sort %.2fx\n", docTime / indexTime, docTime / rawTime);
    return 0;
}
