// grid_bench: the cost of keeping a large grid in step with a busy table.
//
// Updates: a 100,000-row, 20-column table receives 10,000 changed rows (updates) per second,
// delivered as ten batches of 1,000 per simulated second. Per batch, GridView gets one update
// hint naming the changed rows; the baseline is a bare QTableView over a QAbstractTableModel
// that sends one change signal per changed row. Both then repaint. We report process CPU time
// per 1,000 updates (one batch) of each and their ratio.
//
// Sorting: 100,000 rows by three keys the way a grid document does it (an index of row
// numbers ordered by a three-way comparison of the rows' values, ties kept in document order)
// against std::stable_sort of the raw keys.
#include "grid_bench_support.h"

using namespace gridbench;

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication qapp(argc, argv);
    setLook();
    fw::App app;

    Table t;
    fillTable(t);

    // Warm both paths once so font and style caches do not count against the first.
    runBare(t, kRows);
    struct Scenario {
        const char* name;
        int spread;
    } scenarios[] = { { "changes anywhere in the table", kRows }, { "changes all within the visible rows", 30 } };
    std::printf("grid updates: %d rows x %d columns, 10,000 changed rows per second arriving as batches of %d\n",
                kRows, kCols, kBatch);
    std::printf("(an update is one changed row; one batch = 1,000 updates = 0.1 s of traffic; %d batches)\n", kUpdates);
    for (const auto& sc : scenarios) {
        double bare = runBare(t, sc.spread);
        double grid = runGrid(t, sc.spread);
        // Seconds per batch of 1,000 updates; at 10 batches per second that is also the CPU share.
        double gridPer = grid / kUpdates, barePer = bare / kUpdates;
        std::printf(" %s\n", sc.name);
        std::printf("  GridView            %8.1f us CPU per 1,000 updates (%5.2f %% of one core)\n", gridPer * 1e6,
                    gridPer * 10 * 100);
        std::printf("  bare QTableView     %8.1f us CPU per 1,000 updates (%5.2f %% of one core)\n", barePer * 1e6,
                    barePer * 10 * 100);
        std::printf("  ratio               %8.2fx (goal <= 1.5x)\n", bare > 0 ? grid / bare : 0.0);
    }

    const std::vector<Row> rows = randomRows();
    const std::vector<Key> keys = sortKeys();
    constexpr int kRepeats = 10;
    double indexTime = 0, rawTime = 0;
    std::vector<uint32_t> index(kRows);
    for (int rep = 0; rep < kRepeats; ++rep) {
        for (uint32_t i = 0; i < kRows; ++i)
            index[i] = i;
        double s = cpuSeconds();
        sortIndex(rows, keys, index);
        indexTime += cpuSeconds() - s;

        std::vector<Row> raw = rows;
        s = cpuSeconds();
        stableSortRaw(raw);
        rawTime += cpuSeconds() - s;
        for (uint32_t i = 0; i < kRows; ++i)
            if (std::memcmp(&rows[index[i]], &raw[i], sizeof(Row)) != 0) {
                std::printf("sort mismatch at %u\n", i);
                return 1;
            }
    }
    std::printf("sort of %d rows by three keys (mean of %d)\n", kRows, kRepeats);
    std::printf("  document index      %8.3f ms\n", indexTime * 1000.0 / kRepeats);
    std::printf("  std::stable_sort    %8.3f ms\n", rawTime * 1000.0 / kRepeats);
    std::printf("  ratio               %8.2fx\n", rawTime > 0 ? indexTime / rawTime : 0.0);
    return 0;
}
