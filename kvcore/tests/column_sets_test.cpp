// The column chooser's sets: switching keeps what was left in each set, OK stores the
// selection as the current set, and the fixed-columns count is checked against the choice.
#include <gtest/gtest.h>

#include "kvcore/session/column_sets.h"

namespace {

TEST(ColumnSets, SwitchKeepsEachSetAndCommitStoresTheCurrentOne)
{
    KvLayoutEntry entry;
    entry.columnSets[2] = { 5, 6 };
    KvColumnSets sets(entry, 0, { 1, 2, 3 }); // the window's columns go into set 1
    EXPECT_EQ(sets.Switch(2), (KvColumnSets::Columns { 5, 6 }));
    sets.SetSelection({ 6 });
    EXPECT_EQ(sets.Switch(0), (KvColumnSets::Columns { 1, 2, 3 }));
    EXPECT_EQ(sets.Switch(2), (KvColumnSets::Columns { 6 })); // unsaved change kept
    sets.SetSelection({ 6, 4 });
    sets.Commit(entry);
    EXPECT_EQ(sets.Current(), 2);
    EXPECT_EQ(entry.columnSets[0], (KvColumnSets::Columns { 1, 2, 3 }));
    EXPECT_EQ(entry.columnSets[2], (KvColumnSets::Columns { 6, 4 }));
    EXPECT_EQ(KvColumnSets(entry, 12, {}).Current(), 0);
    EXPECT_EQ(sets.Switch(-1), entry.columnSets[0]);
}

TEST(ColumnSets, FixedColumnsCheck)
{
    struct Case {
        const char* text;
        std::size_t chosen;
        int fixed;
        int result;
    };
    const Case cases[] = {
        { "2", 3, 2, 0 },
        { "3", 3, 3, 0 },
        { "4", 3, 4, IDS_TOO_MANY_FIXED_COLUMNS },
        { "", 3, 0, 0 },
        { "abc", 0, 0, 0 },
        { "0000012", 3, 1, 0 }, // only the first six characters count
        { "-1", 3, -1, IDS_TOO_MANY_FIXED_COLUMNS },
    };
    for (const Case& c : cases) {
        int fixed = 99;
        EXPECT_EQ(KvCheckFixedColumns(c.text, c.chosen, fixed), c.result) << c.text;
        EXPECT_EQ(fixed, c.fixed) << c.text;
    }
}

} // namespace
