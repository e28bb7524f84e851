#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "kvcore/values/digit_text.h"
#include "kvcore/values/field_writer.h"

namespace {

// A blank optional field passes, a blank count or code does not; a sign, a
// blank or a separator is never a digit.
TEST(DigitText, EmptyTextIsSoundOnlyWhereAFieldMayBeBlank)
{
    struct Case {
        const char* text;
        bool orEmpty;
        bool nonEmpty;
    } const cases[] = {
        { "", true, false },
        { "0123456789", true, true },
        { "-1", false, false },
        { "12 ", false, false },
        { "1.5", false, false },
        { "\xB2", false, false },
    };
    for (const Case& c : cases) {
        EXPECT_EQ(AllDigitsOrEmpty(c.text), c.orEmpty) << '"' << c.text << '"';
        EXPECT_EQ(AllDigitsNonEmpty(c.text), c.nonEmpty) << '"' << c.text << '"';
    }
}

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
