#include <gtest/gtest.h>

#include "kvcore/grid/gx_doc.h"
#include "kvcore/grid/sort_keys.h"

using namespace kvcore;

namespace {

const std::vector<std::string> kTitles = { "Code", "Name", "Price", "Date" };

TEST(SortKeys, ShowsTheFirstThreeKeysAndEnablesInOrder)
{
    const auto four = ShowSortKeys(kTitles, { 0x10002, 1, 0x10000, 3 });
    EXPECT_EQ(four[0].text, "Price");
    EXPECT_TRUE(four[0].ascending);
    EXPECT_EQ(four[1].text, "Name");
    EXPECT_FALSE(four[1].ascending);
    EXPECT_EQ(four[2].text, "Code");
    EXPECT_TRUE(four[2].enabled);
    const auto none = ShowSortKeys(kTitles, {});
    EXPECT_TRUE(none[0].enabled);
    EXPECT_FALSE(none[1].enabled);
    EXPECT_FALSE(none[2].enabled);
}

TEST(SortKeys, CommitsOnlyWhenEveryEnabledKeyNamesAColumn)
{
    SortKeyEntries entries;
    entries[0] = { "price", false, true };
    entries[1] = { "Name", true, true };
    entries[2] = { "", true, true };
    const auto ok = ReadSortKeys(kTitles, entries);
    ASSERT_TRUE(ok.keys);
    EXPECT_EQ(*ok.keys, (std::vector<std::uint32_t> { CTGXDoc::MakeSortKey(2, 0), CTGXDoc::MakeSortKey(1, 1) }));
    entries[1].text = "Volume";
    const auto bad = ReadSortKeys(kTitles, entries);
    EXPECT_FALSE(bad.keys);
    EXPECT_EQ(bad.rejected, 1);
    entries[1].enabled = false; // a disabled key adds nothing, whatever its text
    EXPECT_EQ(ReadSortKeys(kTitles, entries).keys->size(), 1u);
}

} // namespace
