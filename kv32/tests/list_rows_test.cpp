// The rows of a table-index window against a full re-filter: random runs of
// appended records and records changed in place, each told by a hint over
// the host's records, leave exactly the rows a fresh filter gives, and the
// hint over the rows flags exactly the positions whose record changed or
// moved.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <set>
#include <vector>

#include "kv32/lists/list_rows.h"

namespace {

struct Host {
    std::vector<int> values;
};

std::vector<std::uint32_t> FullFilter(const Host& host, int modulus)
{
    std::vector<std::uint32_t> rows;
    for (std::size_t i = 0; i < host.values.size(); ++i)
        if (host.values[i] % modulus == 0)
            rows.push_back(static_cast<std::uint32_t>(i));
    return rows;
}

std::set<int> Flagged(const fw::RowHint& hint)
{
    std::set<int> rows;
    for (int i = 0; i < hint.GetSize(); ++i)
        if (hint.GetRow(i))
            rows.insert(i);
    return rows;
}

struct RowsRun {
    unsigned seed;
    int modulus; // a record is listed when its value is a multiple
    int steps;
    int maxBatch;
    int changePercent; // share of batches that change records in place
};

class ListRowsRun : public ::testing::TestWithParam<RowsRun> { };

TEST_P(ListRowsRun, RowsEqualAFullFilterAndTheHintFlagsExactlyTheChangedPositions)
{
    const RowsRun run = GetParam();
    std::mt19937 rng(run.seed);
    Host host;
    for (int i = 0; i < 20; ++i)
        host.values.push_back(static_cast<int>(rng() % 12));
    const auto match = [&](int i) { return host.values[static_cast<std::size_t>(i)] % run.modulus == 0; };
    CListRows rows;
    rows.Refilter(static_cast<int>(host.values.size()), match);
    ASSERT_EQ(rows.Indices(), FullFilter(host, run.modulus));

    for (int step = 0; step < run.steps; ++step) {
        const std::vector<std::uint32_t> before = rows.Indices();
        const bool inPlace = static_cast<int>(rng() % 100) < run.changePercent;
        std::set<int> touched;
        const int batch = 1 + static_cast<int>(rng() % static_cast<unsigned>(run.maxBatch));
        for (int k = 0; k < batch; ++k) {
            if (inPlace && !host.values.empty() && rng() % 2 == 0) {
                const int at = static_cast<int>(rng() % host.values.size());
                host.values[static_cast<std::size_t>(at)] = static_cast<int>(rng() % 12);
                touched.insert(at);
            } else {
                host.values.push_back(static_cast<int>(rng() % 12));
                touched.insert(static_cast<int>(host.values.size()) - 1);
            }
        }
        fw::RowHint hostHint(static_cast<int>(host.values.size()));
        for (int i : touched)
            hostHint.AddRow(i);
        fw::RowHint rowHint;
        rows.Refresh(hostHint, static_cast<int>(host.values.size()), inPlace, match, rowHint);

        const std::vector<std::uint32_t> expected = FullFilter(host, run.modulus);
        ASSERT_EQ(rows.Indices(), expected) << "step " << step;
        std::set<int> changed;
        for (std::size_t p = 0; p < expected.size(); ++p) {
            if (p >= before.size() || before[p] != expected[p] || touched.count(static_cast<int>(expected[p])))
                changed.insert(static_cast<int>(p));
        }
        ASSERT_EQ(Flagged(rowHint), changed) << "step " << step;
        ASSERT_EQ(rowHint.GetSize(), rows.Count());
    }
}

INSTANTIATE_TEST_SUITE_P(Runs, ListRowsRun,
    ::testing::Values(RowsRun { 1, 2, 300, 4, 0 }, // appends only
        RowsRun { 2, 3, 300, 6, 50 }, RowsRun { 3, 1, 200, 3, 70 }, // every record listed
        RowsRun { 4, 5, 300, 8, 90 }, RowsRun { 5, 13, 150, 5, 50 }, // few records listed
        RowsRun { 6, 2, 400, 1, 60 }));

TEST(ListRows, FindsTheRowOfAHostIndexAndDropsRowsPastAnEmptiedTable)
{
    CListRows rows;
    rows.Refilter(10, [](int i) { return i % 3 == 0; });
    EXPECT_EQ(rows.RowOf(6), 2);
    EXPECT_EQ(rows.RowOf(7), -1);
    EXPECT_EQ(rows.RowOf(100), -1);
    fw::RowHint none;
    fw::RowHint out;
    rows.Refresh(none, 4, true, [](int) { return true; }, out);
    EXPECT_EQ(rows.Indices(), (std::vector<std::uint32_t> { 0, 3 }));
    EXPECT_TRUE(Flagged(out).empty());
}

} // namespace
