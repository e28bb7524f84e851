#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "fw/core/archive.h"
#include "kv32/tables/table_updates.h"
#include "kvcore/router/info_req.h"
#include "security_test_fixture.h"

namespace {

using namespace kv32test;

class SecurityTableTest : public SecurityFixture {
protected:
    CSecurityTable& table = SecurityTable();
};


TEST_F(SecurityTableTest, SnapshotKeepsKindZeroWithNamesResolvedAndMovesTheKeyPastOtherKinds)
{
    SecuritySpec a;
    a.key = 1;
    a.distribution = 'P';
    SecuritySpec b;
    b.key = 2;
    b.kind = '1';
    b.instrument = "INSTR0000002";
    SecuritySpec c;
    c.key = 3;
    c.board = "BRD2";
    c.status = 'S';
    c.sector = "SEC2";
    c.shortName = "SEC3";
    c.last = true;
    std::string stamp(130, ' ');
    Place(stamp, 120, "STAMP00042");
    router.Reply({ { 25, stamp }, End() });
    router.Reply({ { 17, SecuritySnapshot(a) }, { 17, SecuritySnapshot(b) }, End() });
    router.Reply({ { 17, SecuritySnapshot(c) }, End() });

    EXPECT_EQ(table.Load(), 1);
    EXPECT_EQ(RequestKeys(router, 25), std::vector<std::string> { "TRADER01    " });
    EXPECT_EQ(RequestKeys(router, 17),
        (std::vector<std::string> { "TRADER01    00000000        ", "TRADER01    00000002        " }));
    EXPECT_STREQ(table.m_szListStamp, "STAMP00042");
    EXPECT_STREQ(table.m_szSeqNum, "0000000000");
    ASSERT_EQ(table.GetCount(), 2);

    const SecurityRec& r = *table.GetRec(0);
    EXPECT_EQ(std::string(r.szCode), "0BRD1INSTR0000001");
    EXPECT_STREQ(r.szShortName, "SEC1");
    EXPECT_STREQ(r.szName, "Security One");
    EXPECT_STREQ(r.szStatus, "Active");
    EXPECT_STREQ(r.szBoardName, "Main board");
    EXPECT_STREQ(r.szSectorName, "Banks");
    EXPECT_STREQ(r.szDistribution, "Yes");
    EXPECT_STREQ(r.szMarket, "MKT1");
    EXPECT_STREQ(r.szRemarks, "REM");
    EXPECT_STREQ(r.szSession, "Continuous");
    EXPECT_STREQ(r.szText3, "HUF");
    EXPECT_STREQ(r.szInstrCode, "TICK");
    EXPECT_STREQ(r.szE, "E");
    EXPECT_STREQ(r.szD, "D");
    EXPECT_STREQ(r.szIsin, "HU0000000001");
    EXPECT_STREQ(r.szStrike, "strike");
    EXPECT_STREQ(r.szBarrier, "barrier");
    EXPECT_STREQ(r.szUnderlying, "underlying");
    EXPECT_EQ(r.nPriceDec, 2);
    EXPECT_EQ(r.nYieldDec, 3);
    EXPECT_EQ(r.nValueDec, 2);
    EXPECT_DOUBLE_EQ(r.dIpoPrice, 1500.0);
    EXPECT_DOUBLE_EQ(r.dEarnings, 25.0);
    EXPECT_DOUBLE_EQ(r.dPrevPrice, 1234.56);
    EXPECT_DOUBLE_EQ(r.dVolumeCum, 777.0);
    EXPECT_DOUBLE_EQ(r.dValueCum, 888.0);
    EXPECT_DOUBLE_EQ(r.dYield, 4.25);
    EXPECT_DOUBLE_EQ(r.dAccruedInterest, 0.99);
    EXPECT_DOUBLE_EQ(r.dOpenOrders, 12.0);
    EXPECT_DOUBLE_EQ(r.dPlannedIssueSize, 1000000.0);
    EXPECT_DOUBLE_EQ(r.dAvgVolumeLastMonth, 5000.0);
    EXPECT_DOUBLE_EQ(r.dLot, 100.0);
    EXPECT_DOUBLE_EQ(r.dPrice393, 42.0);
    EXPECT_EQ(r.dtPrevDate.GetDay(), 9);
    EXPECT_EQ(r.dtMaturity.GetYear(), 2030);
    EXPECT_FALSE(r.dtTime.IsValid());
    EXPECT_EQ(r.nAlertLink, -1);
    EXPECT_EQ(r.nColor, -1);
    EXPECT_EQ(r.nFlashTicks, 32767);
    EXPECT_EQ(r.cOwnFirmFlag, '1');
    EXPECT_EQ(r.cSideFlag, 'E');
    EXPECT_EQ(r.dRefPrice.GetDecimal(), 2u);

    const SecurityRec& s = *table.GetRec(1);
    EXPECT_STREQ(s.szStatus, "Suspended");
    EXPECT_STREQ(s.szBoardName, "Second board");
    EXPECT_STREQ(s.szSectorName, "Energy");
    EXPECT_STREQ(s.szDistribution, "");
    EXPECT_EQ(s.nColor, CSecurityTable::kSuspended);
    EXPECT_TRUE(table.IsSuspended(s));
    EXPECT_TRUE(table.IsActive(r));
}

TEST_F(SecurityTableTest, ShortSnapshotRecordIsDroppedWithoutMovingTheKey)
{
    table.ResetNextKey();
    SecuritySpec spec;
    spec.key = 5;
    std::string record = SecuritySnapshot(spec);
    record.resize(1101);
    Feed(table, 17, record);
    EXPECT_EQ(table.GetCount(), 0);
    EXPECT_STREQ(table.m_szNextKey, "00000000");
}

TEST_F(SecurityTableTest, SubscriptionCarriesTheSequenceNumberIn47Characters)
{
    EXPECT_EQ(table.UpdateReq(), 0) << "no subscription before the snapshot";

    SecuritySpec a;
    a.last = true;
    router.Reply({ { 25, std::string(130, ' ') }, End() });
    router.Reply({ { 17, SecuritySnapshot(a) }, End() });
    ASSERT_EQ(table.Load(), 1);
    router.ClearRecord();
    app.CollectAllRequests();
    ASSERT_TRUE(VORLInfoReqEnd());
    router.Reply({ { 33, SecurityChange(77, 0, "0BRD1INSTR0000001", { { 'N', "000012345" } }) }, End() });
    EXPECT_EQ(app.VORLInfoReqRecv(), 1);
    EXPECT_DOUBLE_EQ(table.GetRec(0)->dLast, 123.45);
    router.ClearRecord();
    app.CollectAllRequests();
    ASSERT_TRUE(VORLInfoReqEnd());
    EXPECT_EQ(RequestKeys(router, 33), std::vector<std::string> { "TRADER01    0000000077" + std::string(25, ' ') });
}

TEST_F(SecurityTableTest, AShortInstrumentIdIsFoundWithOrWithoutItsBlanks)
{
    SecuritySpec shortId;
    shortId.instrument = "SHR1";
    AddSecurity(shortId);
    EXPECT_EQ(table.FindByInstrument("SHR1"), 0);
    EXPECT_EQ(table.FindByInstrument("SHR1        "), 0);
    EXPECT_EQ(table.FindByInstrument("SHR"), -1);
}

TEST_F(SecurityTableTest, LookupsByCodeNameInstrumentAndBoard)
{
    SecuritySpec a;
    SecuritySpec onSecond = a;
    onSecond.board = "BRD2";
    SecuritySpec other;
    other.instrument = "INSTR0000009";
    other.shortName = "OTHER";
    other.board = "BRD2";
    AddSecurity(a);
    AddSecurity(onSecond);
    AddSecurity(other);

    EXPECT_EQ(table.FindByCode("0BRD1INSTR0000001"), 0);
    EXPECT_EQ(table.FindByCode("0BRD1INSTR0000001 trailing text"), 0);
    EXPECT_EQ(table.FindByCode("0BRD1INSTR000001"), -1); // unstripped: one character short
    EXPECT_EQ(table.FindByName("SEC1   "), 0);
    EXPECT_EQ(table.FindByInstrument("INSTR0000009"), 2);
    EXPECT_EQ(table.FindOnBoard("SEC1", "Second board"), 1);
    EXPECT_EQ(table.FindOnBoard("OTHER", "Main board"), -1); // not listed on that board
    EXPECT_EQ(table.FindOnBoard("SEC1", "No such board"), -1);
    EXPECT_EQ(table.FindOnBoardOrInstrument("INSTR0000001", "Second board"), 1);
    EXPECT_EQ(table.FindOnBoardOrCode("SEC1", "Main board"), 0);
    EXPECT_EQ(table.FindOnBoardOrInstrument("UNKNOWN00000", "Main board"), -1);

    char code[18] = "0BRD1INSTR0000001";
    CSecurityTable::SetBoardInCode(code, "B2");
    EXPECT_STREQ(code, "0B2  INSTR0000001");
    EXPECT_TRUE(CSecurityTable::CodeHasBoard(code, "B2"));
    EXPECT_FALSE(CSecurityTable::CodeHasBoard(code, "BRD2"));

    EXPECT_EQ(table.StatusText('S'), "Suspended");
    EXPECT_EQ(table.StatusText('A'), "Active"); // the first status of the letter
    EXPECT_EQ(table.StatusText('X'), "");

    EXPECT_EQ(table.GetDistinctList(), (std::vector<int> { 0, 2 }));
}

TEST_F(SecurityTableTest, ListOnCurrentBoardNeedsBothCurrentEntries)
{
    SecuritySpec a;
    SecuritySpec bond = a;
    bond.instrument = "BOND00000001";
    bond.shortName = "BOND";
    bond.market = "MKT2";
    SecuritySpec elsewhere = a;
    elsewhere.board = "BRD2";
    AddSecurity(a);
    AddSecurity(bond);
    AddSecurity(elsewhere);
    std::vector<std::string> names { "stale" };
    std::vector<int> rows { 9 };
    table.ListOnCurrentBoard(names, rows);
    EXPECT_TRUE(names.empty());
    EXPECT_TRUE(rows.empty());
    BoardTable().m_nCurrent = 0;
    table.ListOnCurrentBoard(names, rows);
    EXPECT_TRUE(rows.empty());
    MarketTable().m_nCurrent = 1;
    table.ListOnCurrentBoard(names, rows);
    EXPECT_EQ(rows, std::vector<int> { 1 });
    EXPECT_EQ(names, std::vector<std::string> { "BOND" });
}

TEST_F(SecurityTableTest, StepPrice)
{
    SecuritySpec three;
    three.priceDec = 3;
    AddSecurity(three);
    struct Case {
        const char* in;
        bool up;
        int result;
        const char* out;
    } cases[] = {
        { "1.000", true, 1, "1.100" },
        { "1.000", false, 1, "0.900" },
        { "0.1", false, 1, "0.000" },
        { "0.050", false, 0, "0.050" },
        { "0", true, 1, "0.100" },
    };
    for (const Case& c : cases) {
        std::string text = c.in;
        EXPECT_EQ(table.StepPrice(text, 0, c.up), c.result) << c.in;
        EXPECT_EQ(text, c.out) << c.in;
    }
    std::string text = "5";
    EXPECT_EQ(table.StepPrice(0, text, true), 1);
    EXPECT_EQ(text, "5.100");
    EXPECT_EQ(table.StepPrice(text, 7, true), 0);
}

TEST_F(SecurityTableTest, SelectionStoresCodesWithTheirRows)
{
    SecuritySpec a;
    SecuritySpec b = a;
    b.instrument = "INSTR0000002";
    AddSecurity(a);
    AddSecurity(b);
    std::vector<int> selection { 1 };
    fw::Archive out;
    ASSERT_EQ(table.SerializeSelection(out, selection), 1);
    fw::Archive in(out.bytes());
    std::vector<int> loaded;
    ASSERT_EQ(table.SerializeSelection(in, loaded), 1);
    EXPECT_EQ(loaded, std::vector<int> { 1 });
}

TEST_F(SecurityTableTest, DumpFileHoldsTheStampAndTheRecords)
{
    const std::filesystem::path folder = std::filesystem::temp_directory_path()
        / ("kv32_secsdump_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
    std::filesystem::create_directories(folder);
    KvTableSettings().settingsPath = folder;
    std::string stamp(130, ' ');
    Place(stamp, 120, "STAMP00001");
    SecuritySpec a;
    a.last = true;
    router.Reply({ { 25, stamp }, End() });
    router.Reply({ { 17, SecuritySnapshot(a) }, End() });
    ASSERT_EQ(table.Load(), 1);
    auto dump = fw::Archive::loadFile(folder / "secsdump.te");
    ASSERT_TRUE(dump.has_value());
    EXPECT_EQ(dump->readString(), "STAMP00001");
    EXPECT_EQ(dump->readCount(1), 1u);
    EXPECT_EQ(dump->readLong(), -1); // alert link
    std::vector<uint8_t> code(18);
    dump->readBytes(code);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(code.data())), "0BRD1INSTR0000001");
    std::filesystem::remove_all(folder);
}

TEST_F(SecurityTableTest, AlertDefinitionsLinkBothWays)
{
    SecuritySpec a;
    SecuritySpec b = a;
    b.instrument = "INSTR0000002";
    AddSecurity(a);
    AddSecurity(b);
    table.GetRec(0)->nAlertLink = 5; // a stale link goes
    std::vector<std::pair<int, int>> linked;
    table.LinkAlerts([](std::string_view code) { return code == "0BRD1INSTR0000002" ? 7 : -1; },
        [&](int definition, int row) { linked.emplace_back(definition, row); });
    EXPECT_EQ(table.GetRec(0)->nAlertLink, -1);
    EXPECT_EQ(table.GetRec(1)->nAlertLink, 7);
    EXPECT_EQ(linked, (std::vector<std::pair<int, int>> { { 7, 1 } }));
}

} // namespace
