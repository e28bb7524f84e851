#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "kvcore/values/field_writer.h"

namespace {

TEST(FieldWriter, FieldsHaveExactWidths)
{
    KvFieldWriter w;
    w.Text("AB", 5)
        .Number(42, 6)
        .Number(-12, 5)
        .Unsigned(7, 1)
        .Char('R')
        .TextCut("averyverylonguser", 12)
        .Text("", 2);
    ASSERT_TRUE(w.Ok());
    EXPECT_EQ(w.Str(), "AB   000042-00127Raveryverylon  ");
    EXPECT_EQ(w.Size(), 5u + 6 + 5 + 1 + 1 + 12 + 2);
}

TEST(FieldWriter, OverflowFailsTheWholeText)
{
    struct Case {
        const char* name;
        void (*write)(KvFieldWriter&);
    } const cases[] = {
        { "long text", [](KvFieldWriter& w) { w.Text("ABCDEF", 5); } },
        { "too many digits", [](KvFieldWriter& w) { w.Number(123456, 5); } },
        { "negative too wide", [](KvFieldWriter& w) { w.Number(-1234, 4); } },
        { "negative in one byte", [](KvFieldWriter& w) { w.Number(-1, 1); } },
        { "negative width", [](KvFieldWriter& w) { w.Text("", -1); } },
        { "unsigned", [](KvFieldWriter& w) { w.Unsigned(100, 2); } },
    };
    for (const auto& c : cases) {
        KvFieldWriter w;
        w.Text("OK", 2);
        c.write(w);
        w.Text("X", 1);
        EXPECT_FALSE(w.Ok()) << c.name;
        EXPECT_EQ(w.Str(), "") << c.name;
    }
}

TEST(FieldWriter, ExtremeNumbers)
{
    KvFieldWriter w;
    w.Number(std::numeric_limits<int64_t>::min(), 20).Unsigned(std::numeric_limits<uint64_t>::max(), 20);
    ASSERT_TRUE(w.Ok());
    EXPECT_EQ(w.Str(), "-922337203685477580818446744073709551615");
}

} // namespace
