#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "kvcore/router/kv_trace.h"
#include "kvcore/router/record_reader.h"
#include "kvcore/router/vorl_target.h"
#include "support/locale_support.h"

namespace {

// The record's bytes in a heap block of exactly their size, so that any read
// past the end is caught by the address sanitizer.
class ExactBytes {
public:
    explicit ExactBytes(const std::string& bytes)
        : m_size(bytes.size())
        , m_data(std::make_unique<char[]>(bytes.size()))
    {
        std::memcpy(m_data.get(), bytes.data(), bytes.size());
    }
    CRecordReader Reader() const { return CRecordReader(m_data.get(), m_size); }
    size_t size() const { return m_size; }

private:
    size_t m_size;
    std::unique_ptr<char[]> m_data;
};

// One record of every field kind, as a host table decoder reads it.
TEST(RecordReader, ReadsEveryFieldKindInOrderUnderEveryLocale)
{
    const std::string record = std::string("  042") // Int(5)
        + "-0000123" // Long(8)
        + "4294967295" // ULong(10)
        + "\xC9rt\xE9k \xD5r    " // Text(12): "Érték Őr" in Windows-1250, blanks stripped
        + "HU0000123456  AB " // TextNoStrip(17): the security code keeps its blanks
        + "00012345" // Decimal(8, 2) = 123.45
        + "-99999999" // Decimal(9, 2): the missing-value mark
        + "20240229" // Date8
        + "235959" // Time6
        + "1" // Char: a last-record flag
        + "XXX" // Skip(3)
        + "7";
    const ExactBytes bytes(record);
    kvtest::ForEachProcessLocale([&](const std::string& loc) {
        SCOPED_TRACE(loc);
        CRecordReader r = bytes.Reader();
        EXPECT_EQ(r.Int(5), 42);
        EXPECT_EQ(r.Long(8), -123);
        EXPECT_EQ(r.ULong(10), 4294967295u);
        EXPECT_EQ(r.Text(12), "\xC9rt\xE9k \xD5r");
        EXPECT_EQ(r.TextNoStrip(17), "HU0000123456  AB ");
        const CDouble price = r.Decimal(8, 2);
        EXPECT_DOUBLE_EQ(price, 123.45);
        EXPECT_EQ(price.GetDecimal(), 2u);
        EXPECT_FALSE(price.IsNoValue());
        EXPECT_TRUE(r.Decimal(9, 2).IsNoValue());
        const CDateTime date = r.Date8();
        ASSERT_TRUE(date.IsValid());
        EXPECT_EQ(date.FormatDateVORL(), "20240229");
        const CDateTime time = r.Time6();
        ASSERT_TRUE(time.IsValid());
        EXPECT_EQ(time.FormatTimeVORL(), "235959");
        EXPECT_EQ(r.Char(), '1');
        r.Skip(3);
        EXPECT_EQ(r.Offset(), record.size() - 1);
        EXPECT_EQ(r.Remaining(), 1u);
        EXPECT_EQ(r.Int(1), 7);
        EXPECT_TRUE(r.Ok());
        EXPECT_EQ(r.Remaining(), 0u);
        // Zero-width fields are empty fields, not a failure, even at the end.
        EXPECT_EQ(r.Int(0), 0);
        EXPECT_EQ(r.Text(0), "");
        r.Skip(0);
        EXPECT_TRUE(r.Ok());
    });
}

// A malformed value inside the record is the field's own business (an invalid
// date, a number read as far as it goes); only running out of bytes fails the record.
TEST(RecordReader, MalformedFieldsInsideTheRecordDoNotFailIt)
{
    const ExactBytes bytes(std::string("2024 229") + "2460xx" + "12ab" + std::string("  \0x", 4) + "      ");
    CRecordReader r = bytes.Reader();
    EXPECT_FALSE(r.Date8().IsValid());
    EXPECT_FALSE(r.Time6().IsValid());
    EXPECT_EQ(r.Int(4), 12);
    EXPECT_EQ(r.TextNoStrip(4), "  "); // up to the zero byte
    EXPECT_EQ(r.Text(6), "");
    EXPECT_TRUE(r.Ok());
    EXPECT_EQ(r.Remaining(), 0u);
}

// Each read kind, asked for more than is left: a zero value, the reader at the
// end, and Ok() false from then on, whatever is read later.
TEST(RecordReader, AReadPastTheEndGivesZeroAndFailsForGood)
{
    struct Case {
        const char* name;
        std::function<bool(CRecordReader&)> readGivesZero;
    };
    const Case cases[] = {
        { "Int", [](CRecordReader& r) { return r.Int(5) == 0; } },
        { "Long", [](CRecordReader& r) { return r.Long(5) == 0; } },
        { "ULong", [](CRecordReader& r) { return r.ULong(5) == 0; } },
        { "Text", [](CRecordReader& r) { return r.Text(5).empty(); } },
        { "TextNoStrip", [](CRecordReader& r) { return r.TextNoStrip(5).empty(); } },
        { "TextInto", [](CRecordReader& r) {
             char text[8] = "old";
             r.TextInto(text, sizeof text, 5);
             return text[0] == '\0';
         } },
        { "Raw", [](CRecordReader& r) { return r.Raw(5).empty(); } },
        { "Decimal", [](CRecordReader& r) { return r.Decimal(5, 2) == 0.0; } },
        { "Date8", [](CRecordReader& r) { return !r.Date8().IsValid(); } },
        { "Time6", [](CRecordReader& r) { return !r.Time6().IsValid(); } },
        { "Skip", [](CRecordReader& r) {
             r.Skip(5);
             return true;
         } },
        { "negative width", [](CRecordReader& r) { return r.Int(-1) == 0; } },
        { "negative decimals", [](CRecordReader& r) { return r.Decimal(1, -1) == 0.0; } },
    };
    const ExactBytes bytes("12345" "1111");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CRecordReader r = bytes.Reader();
        r.Skip(5);
        ASSERT_TRUE(r.Ok());
        EXPECT_TRUE(c.readGivesZero(r));
        EXPECT_FALSE(r.Ok());
        EXPECT_EQ(r.Remaining(), 0u);
        EXPECT_EQ(r.Offset(), bytes.size());
        // Nothing after the failure reads data or sets Ok() back.
        EXPECT_EQ(r.Char(), '\0');
        EXPECT_EQ(r.Int(0), 0);
        r.Skip(0);
        EXPECT_FALSE(r.Ok());
    }
}

TEST(RecordReader, FixedBufferTextsAreStrippedAndNeverCut)
{
    const ExactBytes bytes("AB  " "HU01" "CODE5" "x");
    CRecordReader r = bytes.Reader();
    char code[5];
    r.TextInto(code, sizeof code, 4);
    EXPECT_STREQ(code, "AB");
    EXPECT_EQ(r.Raw(4), "HU01");
    // Five bytes do not fit four characters and a terminator: the record is refused, not cut.
    r.TextInto(code, sizeof code, 5);
    EXPECT_STREQ(code, "");
    EXPECT_FALSE(r.Ok());
    EXPECT_EQ(r.Char(), '\0');
}

TEST(RecordReader, AnEmptyOrMissingSpanHasNothingToRead)
{
    CRecordReader none(nullptr, 40);
    EXPECT_EQ(none.Remaining(), 0u);
    EXPECT_EQ(none.Text(0), "");
    EXPECT_TRUE(none.Ok());
    EXPECT_EQ(none.Char(), '\0');
    EXPECT_FALSE(none.Ok());
}

// A target whose decoder keeps a record only when all its fields were there.
class PriceTable : public CVorlTarget {
public:
    int Decode(CRecordReader& reader) override
    {
        const std::string code = reader.Text(4);
        const CDouble price = reader.Decimal(6, 2);
        if (!reader.Ok())
            return 0;
        rows.push_back(code + "=" + price.FormatVORL());
        return 1;
    }
    std::vector<std::string> rows;
};

TEST(RecordReader, StoreDataItemDropsAShortRecordWithATraceLine)
{
    std::vector<std::string> trace;
    KvSetTraceSink([&](const std::string& line) { trace.push_back(line); });
    PriceTable table;
    // The receive buffer holds more than the message: the reader stops at nLength.
    unsigned char buffer[] = "OTP 001234MOL 0099";
    tagTMSG message;
    message.nType = 17;
    message.pText = buffer;
    message.nLength = 10;
    EXPECT_EQ(table.StoreDataItem(&message), 1);
    message.pText = buffer + 10;
    message.nLength = 8;
    EXPECT_EQ(table.StoreDataItem(&message), 1);
    message.nLength = -5;
    EXPECT_EQ(table.StoreDataItem(&message), 1);
    KvSetTraceSink(nullptr);
    EXPECT_EQ(table.rows, (std::vector<std::string> { "OTP=1234" }));
    ASSERT_EQ(trace.size(), 2u);
    EXPECT_NE(trace[0].find("type 17"), std::string::npos) << trace[0];
    EXPECT_NE(trace[0].find("8 bytes"), std::string::npos) << trace[0];
}

} // namespace
