// Orders that the order entry dialog keeps in the private order book: the
// entry text read at its offsets, with the security's names and decimals,
// appended as new or replacing a row as amended.
#include <gtest/gtest.h>

#include <string>

#include "fw/core/strings.h"
#include "kv32/tables/all_tables.h"
#include "security_test_fixture.h"

namespace kv32test {
namespace {

struct Entry {
    std::string workArea = "DESK1";
    char mark = ' ';
    std::string account = "ACC001";
    char side = 'B';
    std::string flags = std::string(25, '0') + "1" + std::string(6, '0'); // day order
    std::string code = "0BRD1INSTR0000001";
    std::string price = "000001234";
    std::string yield = "000000000";
    std::string qty = "0000000000000100";
    std::string hidden = "0000000000000040";
    std::string reference = "REF-1";
    std::string expiryDate = "20261231";
    std::string expiryTime = "143000";
    std::string trigger = "000001250";
    std::string settleDate = "20270104";
    std::string fillMin = "0000000000000010";
};

std::string EntryText(const Entry& e)
{
    std::string t;
    Place(t, 0, e.workArea);
    Place(t, 127, std::string(1, e.mark));
    Place(t, 128, e.account);
    Place(t, 140, std::string(1, e.side));
    Place(t, 141, e.flags);
    Place(t, 173, e.code);
    Place(t, 190, e.price);
    Place(t, 199, e.yield);
    Place(t, 208, e.qty);
    Place(t, 224, e.hidden);
    Place(t, 240, e.reference);
    Place(t, 280, e.expiryDate);
    Place(t, 288, e.expiryTime);
    Place(t, 294, e.trigger);
    Place(t, 303, e.settleDate);
    Place(t, 311, e.fillMin);
    return t;
}

class LocalOrderEntry : public SecurityFixture {
protected:
    LocalOrderEntry()
    {
        book.EndSession();
        SecuritySpec spec;
        spec.priceDec = 2;
        spec.yieldDec = 3;
        Feed(SecurityTable(), 17, SecuritySnapshot(spec));
    }
    ~LocalOrderEntry() override { book.EndSession(); }
    CLocalOrderTable& book = LocalOrderTable();
};

TEST_F(LocalOrderEntry, EntryTextBecomesANewOrderWithItsNamesAndTexts)
{
    ASSERT_EQ(EntryText(Entry()).size(), CLocalOrderTable::kEntryLength);
    ASSERT_EQ(book.AddFromEntry(EntryText(Entry()), -1), 0);
    const CLocalOrderRec& r = *book.GetAt(0);
    EXPECT_EQ(r.nRowIndex, 0u);
    EXPECT_STREQ(r.szWorkArea, "DESK1");
    EXPECT_STREQ(r.szStatus, "New");
    EXPECT_STREQ(r.szSecurityCode, "0BRD1INSTR0000001");
    EXPECT_STREQ(r.szSecurity, "SEC1");
    EXPECT_STREQ(r.szBoardName, "Main board");
    EXPECT_STREQ(r.szTrdAcc, "ACC001");
    EXPECT_EQ(std::string(r.szBuySell), OrderTable().GetSideText('B'));
    EXPECT_STREQ(r.szType, Entry().flags.c_str());
    EXPECT_STREQ(r.szTypeLetters, "_________________________D______");
    EXPECT_EQ(std::string(r.szValidity), OrderTable().GetValidityText(Entry().flags, "20261231"));
    EXPECT_DOUBLE_EQ(r.dPrice, 12.34);
    EXPECT_EQ(r.dPrice.GetDecimal(), 2u);
    EXPECT_EQ(r.dYield.GetDecimal(), 3u);
    EXPECT_DOUBLE_EQ(r.dQty, 100.0);
    EXPECT_DOUBLE_EQ(r.dHidden, 40.0);
    EXPECT_DOUBLE_EQ(r.dTriggerPrice, 12.5);
    EXPECT_DOUBLE_EQ(r.dFillMinQty, 10.0);
    EXPECT_STREQ(r.szReference, "REF-1");
    EXPECT_EQ(r.dtExpiry, CDateTime(2026, 12, 31, 14, 30, 0));
    EXPECT_EQ(r.dtSettle, CDateTime(2027, 1, 4, 0, 0, 0));
    EXPECT_STREQ(r.szExpiryDate, "20261231");
    EXPECT_STREQ(r.szExpiryTime, "143000");
    EXPECT_STREQ(r.szExpiryTimeText, "143000");
    EXPECT_STREQ(r.szSettleDate, "20270104");
    EXPECT_EQ(r.nEntryMark, 0u);
    EXPECT_EQ(book.FillWorkAreas(), std::vector<std::string> { "DESK1" });
}

TEST_F(LocalOrderEntry, EnteringOverARowAmendsItInPlace)
{
    Entry first;
    ASSERT_EQ(book.AddFromEntry(EntryText(first), -1), 0);
    Entry second;
    second.workArea = "DESK2";
    second.side = 'S';
    ASSERT_EQ(book.AddFromEntry(EntryText(second), -1), 1);
    Entry amended;
    amended.workArea = "DESK3";
    amended.mark = 'Y';
    amended.price = "000002000";
    ASSERT_EQ(book.AddFromEntry(EntryText(amended), 0), 0);
    ASSERT_EQ(book.GetSize(), 2);
    EXPECT_EQ(book.GetAt(0)->nRowIndex, 0u);
    EXPECT_STREQ(book.GetAt(0)->szStatus, "Amended");
    EXPECT_DOUBLE_EQ(book.GetAt(0)->dPrice, 20.0);
    EXPECT_EQ(book.GetAt(0)->nEntryMark, 1u);
    EXPECT_EQ(std::string(book.GetAt(1)->szBuySell), OrderTable().GetSideText('S'));
    EXPECT_TRUE(book.m_bChanged);
    EXPECT_EQ(book.FillWorkAreas(), (std::vector<std::string> { "DESK1", "DESK2", "DESK3" }));
}

TEST_F(LocalOrderEntry, UnknownSecuritiesBlankDatesAndRefusedEntries)
{
    Entry e;
    e.code = "0ZZZZINSTR0000009";
    e.expiryDate = "        ";
    e.expiryTime = "      ";
    e.settleDate = "2027XX04";
    e.workArea = "";
    ASSERT_EQ(book.AddFromEntry(EntryText(e), -1), 0);
    const CLocalOrderRec& r = *book.GetAt(0);
    EXPECT_STREQ(r.szSecurity, "");
    EXPECT_STREQ(r.szBoardName, "");
    EXPECT_EQ(r.dPrice.GetDecimal(), 0u);
    EXPECT_DOUBLE_EQ(r.dPrice, 1234.0);
    EXPECT_FALSE(r.dtExpiry.IsValid());
    EXPECT_FALSE(r.dtSettle.IsValid());
    EXPECT_TRUE(book.FillWorkAreas().empty()) << "an empty work area is not listed";

    // An expiry time that is no time leaves the expiry at midnight of its date.
    Entry noTime;
    noTime.expiryTime = "2561xx";
    ASSERT_EQ(book.AddFromEntry(EntryText(noTime), -1), 1);
    EXPECT_EQ(book.GetAt(1)->dtExpiry, CDateTime(2026, 12, 31, 0, 0, 0));

    const std::string whole = EntryText(Entry());
    EXPECT_EQ(book.AddFromEntry(whole.substr(0, whole.size() - 1), -1), -1) << "short text";
    EXPECT_EQ(book.AddFromEntry(whole, 2), -1) << "no order at that row";
    EXPECT_EQ(book.AddFromEntry(whole, -2), -1);
    EXPECT_EQ(book.GetSize(), 2);
}

} // namespace
} // namespace kv32test
