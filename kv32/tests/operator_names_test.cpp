#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <vector>

#include "fw/core/strings.h"
#include "kv32/filters/operator_names.h"
#include "kv32/res/news_strings.h"
#include "kv32/res/strings.h"
#include "kv32/res/table_strings.h"

namespace {

TEST(OperatorNames, EachCodeAndOutsideTheRange)
{
    const struct {
        int code;
        const char* en;
        const char* hu;
    } cases[] = { { 0, "Null", "Nincs" }, { 1, "=", "=" }, { 2, ">", ">" }, { 3, ">=", ">=" }, { 4, "<", "<" },
        { 5, "=<", "=<" }, { 6, "", "" }, { -1, "", "" }, { INT_MIN, "", "" } };
    for (const auto& c : cases) {
        EXPECT_EQ(OperatorName(c.code), c.en) << c.code;
        fw::setLanguage(fw::Language::Hungarian);
        EXPECT_EQ(OperatorName(c.code), c.hu) << c.code;
        fw::setLanguage(fw::Language::English);
    }
}

TEST(OperatorNames, ColumnOrderCompareHasTheSignOfTheDifference)
{
    EXPECT_LT(CompareInts(1, 5), 0);
    EXPECT_EQ(CompareInts(3, 3), 0);
    EXPECT_GT(CompareInts(5, 0), 0);
    // No overflow at the ends of the range.
    EXPECT_LT(CompareInts(INT_MIN, 1), 0);
    EXPECT_GT(CompareInts(INT_MAX, -1), 0);
    std::vector<int> codes { 5, 0, 3, 1, 4, 2 };
    std::sort(codes.begin(), codes.end(), [](int a, int b) { return CompareInts(a, b) < 0; });
    EXPECT_EQ(codes, (std::vector<int> { 0, 1, 2, 3, 4, 5 }));
}

TEST(NewsStrings, BothLanguagesAndIdsApartFromTheOtherTexts)
{
    std::vector<std::uint32_t> ids;
    for (const fw::StringEntry& e : Kv32NewsStrings()) {
        EXPECT_NE(e.en, nullptr) << e.id;
        EXPECT_NE(e.hu, nullptr) << e.id;
        ids.push_back(e.id);
    }
    for (const fw::StringEntry& e : Kv32TableStrings())
        ids.push_back(e.id);
    for (const fw::StringEntry& e : Kv32Strings())
        ids.push_back(e.id);
    std::sort(ids.begin(), ids.end());
    EXPECT_EQ(std::adjacent_find(ids.begin(), ids.end()), ids.end());
}

} // namespace
