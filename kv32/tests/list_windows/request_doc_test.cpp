// The road of a list window that asks the trading engine for its own rows:
// the standing request with the user, the sequence number and the window's
// key; reply records that update the row of their key, in any order of the
// rows; "#" messages and short records left out; a row that cannot be made
// for lack of memory reported while the others still come in.
#include <new>

#include "kv32/lists/request_doc.h"
#include "kvcore/router/record_reader.h"
#include "list_fixture.h"

namespace {

using namespace kv32test;

struct PositionRow {
    char szCode[13] = {};
    CDouble dAmount;
};

// A window keyed by a firm whose rows are positions by code, sorted by code.
class CPositionsDoc : public CRequestDoc {
public:
    CPositionsDoc()
        : CRequestDoc(46)
    {
    }
    std::string RequestKey() override { return firm.empty() ? std::string() : Padded(firm, 12); }
    void DecodeRecord(CRecordReader& reader) override
    {
        const std::string code = reader.Text(12);
        const CDouble amount = reader.Decimal(16, 2);
        if (!reader.Ok())
            return;
        if (failNext) {
            failNext = false;
            throw std::bad_alloc();
        }
        bool added = false;
        PositionRow& row = rows.FindOrAdd(code, added);
        std::snprintf(row.szCode, sizeof row.szCode, "%s", code.c_str());
        row.dAmount = amount;
        sortNeeded = sortNeeded || added;
    }
    void ClearRows() override { rows.Clear(); }
    void OnReplyDone() override
    {
        if (!sortNeeded)
            return;
        sortNeeded = false;
        rows.Sort([](const PositionRow& a, const PositionRow& b) { return std::string_view(a.szCode) < b.szCode; },
            [](const PositionRow& r) { return std::string(r.szCode); });
    }
    std::span<const KvListColumn> Columns() const override { return kColumns; }
    const std::uint8_t* GetRowData(int row) const override
    {
        return reinterpret_cast<const std::uint8_t*>(rows.At(row));
    }
    int GetRowCount() const override { return rows.Count(); }

    std::string firm;
    bool failNext = false;
    bool sortNeeded = false;
    CKeyedRows<PositionRow> rows;
    static constexpr KvListColumn kColumns[] = {
        { 1, offsetof(PositionRow, szCode), kJustLeft, kvcore::kGXText },
        { 2, offsetof(PositionRow, dAmount), kJustRight, kvcore::kGXDouble },
    };
};

std::string Position(const char* seq, const char* code, const char* amount)
{
    return std::string(seq) + Padded(code, 12) + amount;
}

using RequestDoc = ListWindows;

TEST_F(RequestDoc, RequestsWithTheLastSequenceAndKeepsOneRowPerKey)
{
    CPositionsDoc doc;
    EXPECT_EQ(doc.UpdateReq(), 0) << "no key, no request";
    EXPECT_TRUE(router->Requests().empty());
    doc.firm = "FIRM1";
    ASSERT_NE(doc.UpdateReq(), 0);
    VORLInfoReqEnd();
    ASSERT_EQ(router->Requests().size(), 1u);
    EXPECT_EQ(router->Requests()[0].type, 46);
    EXPECT_EQ(router->Requests()[0].bytes, "TRADER01    0000000000FIRM1       ");

    // Out of order, one key twice, a "#" message and a short record.
    Feed(doc, 46, Position("0000000004", "ZETA", "0000000000012345"));
    Feed(doc, 46, Position("0000000005", "ALFA", "0000000000000100"));
    Feed(doc, 46, "#0000000009");
    Feed(doc, 46, Position("0000000006", "ZETA", "0000000000000700"));
    Feed(doc, 46, Position("0000000007", "BETA", "00000"));
    doc.OnPostReceive();
    ASSERT_EQ(doc.GetRowCount(), 2);
    EXPECT_STREQ(doc.rows.At(0)->szCode, "ALFA");
    EXPECT_STREQ(doc.rows.At(1)->szCode, "ZETA");
    EXPECT_DOUBLE_EQ(static_cast<double>(doc.rows.At(1)->dAmount), 7.0) << "the later record of the key";
    EXPECT_EQ(doc.SeqNum(), "0000000006") << "neither the '#' message nor the short record moves it";
    EXPECT_EQ(doc.GetRowData(2), nullptr);
    EXPECT_EQ(doc.GetRowData(-1), nullptr);

    // After the sort the index still finds each row.
    Feed(doc, 46, Position("0000000008", "ALFA", "0000000000000200"));
    doc.OnPostReceive();
    EXPECT_EQ(doc.GetRowCount(), 2);
    EXPECT_DOUBLE_EQ(static_cast<double>(doc.rows.At(0)->dAmount), 2.0);

    // Another key asks from the start.
    doc.Restart();
    EXPECT_EQ(doc.GetRowCount(), 0);
    EXPECT_EQ(doc.SeqNum(), "0000000000");
    EXPECT_TRUE(boxes.empty());
}

TEST_F(RequestDoc, ARowWithoutMemoryIsReportedAndTheNextStillComes)
{
    CPositionsDoc doc;
    doc.firm = "FIRM1";
    doc.failNext = true;
    Feed(doc, 46, Position("0000000001", "ALFA", "0000000000000100"));
    Feed(doc, 46, Position("0000000002", "BETA", "0000000000000200"));
    doc.OnPostReceive();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0], "Low on memory.\n\nClose one or more windows.");
    ASSERT_EQ(doc.GetRowCount(), 1);
    EXPECT_STREQ(doc.rows.At(0)->szCode, "BETA");
    // A reply without records leaves the window as it is.
    doc.OnPostReceive();
    EXPECT_EQ(doc.GetRowCount(), 1);
}

} // namespace
