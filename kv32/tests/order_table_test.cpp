// The order table over the scripted router: the 375-character order record
// as the host sends it, the standing request and its two key parts, the
// new / changed / dropped decisions, the order index, the market-maker
// overwrite mode and its free list, order counting, the print-log line, and
// the flag, status and validity texts.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "fw/core/strings.h"
#include "kv32/res/ids.h"
#include "kv32/shell/app_settings.h"
#include "kv32/shell/print_log.h"
#include "kv32/tables/all_tables.h"
#include "kv32/tables/right_table.h"
#include "kv32/tables/table_updates.h"
#include "kvcore/app/profile_settings.h"
#include "kvcore/router/info_req.h"
#include "security_test_fixture.h"
#include "support/test_data.h"
#include "support/recording_printer.h"
#include "support/trading_records.h"

namespace kv32test {
namespace {


class HintRecorder : public CTableUpdateListener {
public:
    HintRecorder() { KvAddTableListener(this); }
    ~HintRecorder() override { KvRemoveTableListener(this); }
    void OnTableUpdate(uint16_t tableId, const fw::RowHint* hint) override
    {
        std::vector<int> rows;
        for (int i = 0; hint != nullptr && i < hint->GetSize(); ++i) {
            if (hint->GetRow(i))
                rows.push_back(i);
        }
        updates.emplace_back(tableId, rows);
    }
    std::vector<std::pair<uint16_t, std::vector<int>>> updates;
};

// What the order-counting hook heard.
struct Counted {
    uint32_t orderNo;
    char side;
    char status;
};

class OrderTableTest : public SecurityFixture {
protected:
    OrderTableTest()
    {
        FreeTradingTables();
        SecuritySpec spec; // 0BRD1INSTR0000001, "SEC1", decimals 2, 3, 2
        AddSecurity(spec);
        m_programHook = orders.GetCountOrderHook();
        orders.SetCountOrderHook([this](const COrderRec& rec, char side, char status) {
            counted.push_back({ rec.nOrderNo, side, status });
        });
    }
    ~OrderTableTest() override
    {
        orders.SetCountOrderHook(m_programHook);
        FreeTradingTables();
        KvPrintLog() = nullptr;
        KvAppSettings() = CKvAppSettings();
        iMMOverWrite = 0;
        fw::setLanguage(fw::Language::English);
        KvTakePrintLogFailure();
    }
    // Every table but the reference tables the fixture filled, so that only
    // the tables of the test send standing requests.
    static void FreeTradingTables()
    {
        const CKvTables& t = KvTables();
        const std::set<const CVorlPermTarget*> kept
            = { &t.statuses, &t.sectors, &t.boards, &t.markets, &t.instruments, &t.securities };
        for (CVorlPermTarget* table : CVorlPermTarget::apPermTargets) {
            if (kept.count(table) == 0)
                table->Free();
        }
        // What only a new session's first request clears.
        OrderTable().m_nMaxOrderNo = 0;
        std::snprintf(OrderTable().m_szLastOrderNo, sizeof OrderTable().m_szLastOrderNo, "%012d", 0);
    }
    void Order(const OrderSpec& spec) { Feed(orders, COrderTable::kRequest, OrderRecord(spec)); }
    static OrderSpec Spec(long long seq, long long number, char status = 'O')
    {
        OrderSpec s;
        s.seq = seq;
        s.number = number;
        s.status = status;
        return s;
    }
    static OrderSpec MarketMaker(long long seq, long long number, char status = 'O', long long balance = 100)
    {
        OrderSpec s = Spec(seq, number, status);
        s.flags[COrderTable::kMarketMakerFlag] = '1';
        s.balance = balance;
        return s;
    }
    // Every entry of the free list, head to tail; stops at a repeat.
    std::vector<int> FreeList() const
    {
        std::vector<int> walk;
        std::set<int> seen;
        const COrderIndex& index = orders.Index();
        for (int e = index.FreeHead(); e >= 0 && seen.insert(e).second; e = index.At(e).link)
            walk.push_back(e);
        return walk;
    }

    COrderTable& orders = OrderTable();
    std::vector<Counted> counted;
    COrderTable::CountOrderHook m_programHook;
};

TEST_F(OrderTableTest, GoldenRecordFillsEveryField)
{
    const std::string golden = ReadFixture("order_reply.bin");
    ASSERT_EQ(golden.size(), 375u);
    Feed(orders, COrderTable::kRequest, golden);
    ASSERT_EQ(orders.GetCount(), 1);
    const COrderRec& r = *orders.GetRec(0);
    EXPECT_EQ(r.nRowIndex, 0u);
    EXPECT_EQ(r.nOrderNo, 1234u);
    EXPECT_STREQ(r.szDate, "20261210");
    EXPECT_STREQ(r.szTime, "093015");
    EXPECT_EQ(r.dtEntry.FormatDateVORL() + r.dtEntry.FormatTimeVORL(), "20261210093015");
    EXPECT_EQ(r.dtExpiry.FormatDateVORL() + r.dtExpiry.FormatTimeVORL(), "20261231153000");
    EXPECT_STREQ(r.szSecurity, "SEC1");
    EXPECT_STREQ(r.szTrdAcc, "ACC001");
    EXPECT_STREQ(r.szTrdAcc2, "");
    EXPECT_STREQ(r.szTrdAccName,
        "Kov\xe1"
        "cs P\xe9ter");
    EXPECT_STREQ(r.szBuySell, "S");
    EXPECT_STREQ(r.szType, "00000100001000000000000001000000");
    EXPECT_STREQ(r.szTypeLetters, "_____K____Y______________D______");
    EXPECT_STREQ(r.szStatus, "Amended");
    EXPECT_EQ(r.nStatusCode, 5u);
    EXPECT_DOUBLE_EQ(r.dPrice, 123.45);
    EXPECT_EQ(r.dPrice.GetDecimal(), 2u);
    EXPECT_DOUBLE_EQ(r.dYield, 4.567);
    EXPECT_EQ(r.dYield.GetDecimal(), 3u);
    EXPECT_DOUBLE_EQ(r.dQty, 1000);
    EXPECT_DOUBLE_EQ(r.dHidden, 200);
    EXPECT_DOUBLE_EQ(r.dBalance, 600);
    EXPECT_DOUBLE_EQ(r.dValue, 123450.00);
    EXPECT_DOUBLE_EQ(r.dAccruedInt, 10.50);
    EXPECT_STREQ(r.szReference, "Client ref 7");
    EXPECT_STREQ(r.szUser, "TRADER01");
    EXPECT_STREQ(r.szFirm, "FIRM1");
    EXPECT_EQ(r.nPrevLinkOrderNo, 1200u);
    EXPECT_EQ(r.nChainOrderNo, 1234u) << "the previous order is not held";
    EXPECT_STREQ(r.szBoardName, "Main board");
    EXPECT_STREQ(r.szBoardCode, "BRD1");
    EXPECT_STREQ(r.szValidity, "Day");
    EXPECT_STREQ(r.szExpiryDate, "20261231");
    EXPECT_STREQ(r.szExpiryTime, "153000");
    EXPECT_STREQ(r.szSettleDate, "20261214");
    EXPECT_EQ(r.dtSettle.FormatDateVORL(), "20261214");
    EXPECT_STREQ(r.szSecurityCode, "0BRD1INSTR0000001");
    EXPECT_EQ(r.nNextLinkOrderNo, 1300u);
    EXPECT_DOUBLE_EQ(r.dTriggerPrice, 120.00);
    EXPECT_DOUBLE_EQ(r.dAvgPrice, 123.4567);
    EXPECT_EQ(r.dAvgPrice.GetDecimal(), 4u);
    EXPECT_DOUBLE_EQ(r.dFillMinQty, 100);
    EXPECT_STREQ(orders.m_szSeqNum, "0000000042");
    EXPECT_STREQ(orders.m_szLastOrderNo, "000000001234");

    OrderSpec same;
    same.seq = 42;
    same.number = 1234;
    same.print = 'Y';
    same.time = "093015";
    same.status = 'A';
    same.side = 'S';
    same.flags = "00000100001000000000000001000000";
    same.reference = "Client ref 7";
    same.account = "ACC001";
    same.accountName = "Kov\xe1"
                       "cs P\xe9ter";
    same.yield = 4567;
    same.quantity = 1000;
    same.hidden = 200;
    same.balance = 600;
    same.value = 12345000;
    same.previous = 1200;
    same.accrued = 1050;
    same.expiryTime = "153000";
    same.trigger = 12000;
    same.next = 1300;
    same.average = 1234567;
    same.minimumFill = 100;
    EXPECT_EQ(OrderRecord(same), golden) << "the test records lay out as the golden one";
}

TEST_F(OrderTableTest, UnknownSecurityAndBoardLeaveNamesEmptyAndDecimalsZero)
{
    OrderSpec s = Spec(1, 5);
    s.code = "0XXXXINSTR0000099";
    Order(s);
    ASSERT_EQ(orders.GetCount(), 1);
    const COrderRec& r = *orders.GetRec(0);
    EXPECT_STREQ(r.szSecurity, "");
    EXPECT_STREQ(r.szBoardCode, "");
    EXPECT_STREQ(r.szBoardName, "");
    EXPECT_STREQ(r.szSecurityCode, "0XXXXINSTR0000099");
    EXPECT_DOUBLE_EQ(r.dPrice, 12345);
    EXPECT_EQ(r.dPrice.GetDecimal(), 0u);
}

TEST_F(OrderTableTest, StandingRequestStartsFromZeroEachSessionAndResumesFromBothKeyParts)
{
    EXPECT_EQ(orders.UpdateReq(), 0) << "no request before the session loads the table";
    ASSERT_EQ(orders.Load(), 1);
    app.CollectAllRequests();
    ASSERT_TRUE(VORLInfoReqEnd());
    EXPECT_EQ(RequestKeys(router, 50), std::vector<std::string> { "TRADER01    0000000000000000000000" });
    router.Reply({ { 50, OrderRecord(Spec(7, 300)) }, { 50, OrderRecord(Spec(8, 301)) }, End() });
    EXPECT_EQ(app.VORLInfoReqRecv(), 1);
    EXPECT_EQ(orders.GetCount(), 2);

    router.ClearRecord();
    app.CollectAllRequests();
    ASSERT_TRUE(VORLInfoReqEnd());
    EXPECT_EQ(RequestKeys(router, 50), std::vector<std::string> { "TRADER01    0000000008000000000301" });
    ASSERT_EQ(RequestKeys(router, 50)[0].size(), 34u);
    // A record without an order moves the sequence number; a lower order number leaves the other part.
    OrderSpec none = Spec(9, 120);
    none.carries = 'N';
    router.Reply({ { 50, OrderRecord(none).substr(0, 23) }, End() });
    EXPECT_EQ(app.VORLInfoReqRecv(), 1);
    EXPECT_EQ(orders.GetCount(), 2);
    EXPECT_STREQ(orders.m_szSeqNum, "0000000009");
    EXPECT_STREQ(orders.m_szLastOrderNo, "000000000301");
    none = Spec(10, 400);
    none.carries = 'N';
    Feed(orders, 50, OrderRecord(none));
    EXPECT_STREQ(orders.m_szSeqNum, "0000000010");
    EXPECT_STREQ(orders.m_szLastOrderNo, "000000000400");
    EXPECT_EQ(orders.m_nMaxOrderNo, 400u);
    EXPECT_EQ(orders.GetCount(), 2);

    // The next session starts from zero again, though Free keeps the greatest number.
    orders.Free();
    EXPECT_EQ(orders.m_nMaxOrderNo, 400u);
    router.ClearRecord();
    ASSERT_EQ(orders.Load(), 1);
    app.CollectAllRequests();
    ASSERT_TRUE(VORLInfoReqEnd());
    EXPECT_EQ(RequestKeys(router, 50), std::vector<std::string> { "TRADER01    0000000000000000000000" });
    EXPECT_EQ(orders.m_nMaxOrderNo, 0u);
}

TEST_F(OrderTableTest, NewChangedAndDroppedDecisions)
{
    HintRecorder hints;
    Order(Spec(1, 100));
    Order(Spec(2, 101));
    Order(Spec(3, 100, 'M')); // change of a held order
    Order(Spec(4, 50)); // not above the greatest, not held: dropped
    orders.OnPostReceive();
    ASSERT_EQ(orders.GetCount(), 2);
    EXPECT_STREQ(orders.GetRec(0)->szStatus, "Matched");
    EXPECT_EQ(orders.GetRec(0)->nRowIndex, 0u);
    EXPECT_EQ(orders.FindSlot(50), nullptr);
    EXPECT_EQ(orders.FindSlot(101), orders.GetRec(1));
    EXPECT_EQ(orders.Index().m_nNewOrders, 2);
    ASSERT_EQ(hints.updates.size(), 1u);
    EXPECT_EQ(hints.updates[0].first, 8);
    EXPECT_EQ(hints.updates[0].second, (std::vector<int> { 0, 1 }));
    EXPECT_EQ(orders.m_bChanged, 0);
    EXPECT_TRUE(orders.PendingRows().empty());
    orders.OnPostReceive();
    EXPECT_EQ(hints.updates.size(), 1u) << "nothing changed, nothing told";
    ASSERT_EQ(counted.size(), 2u);
    EXPECT_EQ(counted[0].orderNo, 100u);
    EXPECT_EQ(counted[0].side, 'B');
    EXPECT_EQ(counted[0].status, 'O');
    EXPECT_EQ(counted[1].orderNo, 101u);
}

TEST_F(OrderTableTest, FirstRecordOfAnEmptyTableIsNewWhateverItsNumber)
{
    Order(Spec(1, 500));
    orders.Free();
    EXPECT_EQ(orders.m_nMaxOrderNo, 500u);
    Order(Spec(2, 20));
    ASSERT_EQ(orders.GetCount(), 1);
    EXPECT_EQ(orders.GetRec(0)->nOrderNo, 20u);
    EXPECT_EQ(orders.FindRow(20), 0);
    Order(Spec(3, 20, 'W'));
    EXPECT_STREQ(orders.GetRec(0)->szStatus, "Withdraw");
    EXPECT_EQ(orders.GetCount(), 1);
}

TEST_F(OrderTableTest, ShortRecordIsDroppedAndAskedForAgain)
{
    Order(Spec(1, 10));
    const std::string cut = OrderRecord(Spec(2, 11)).substr(0, 374);
    Feed(orders, 50, cut);
    EXPECT_EQ(orders.GetCount(), 1);
    EXPECT_STREQ(orders.m_szSeqNum, "0000000001");
    EXPECT_STREQ(orders.m_szLastOrderNo, "000000000010");
    Feed(orders, 50, "00000");
    EXPECT_STREQ(orders.m_szSeqNum, "0000000001");
}

TEST_F(OrderTableTest, LinkedOrdersShareTheChainOfTheFirst)
{
    Order(Spec(1, 10));
    OrderSpec second = Spec(2, 11);
    second.previous = 10;
    Order(second);
    OrderSpec third = Spec(3, 12);
    third.previous = 11;
    Order(third);
    OrderSpec orphan = Spec(4, 13);
    orphan.previous = 9;
    Order(orphan);
    const uint32_t chains[] = { 10, 10, 10, 13 };
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(orders.GetRec(i)->nChainOrderNo, chains[i]) << i;
}

TEST_F(OrderTableTest, IndexGrowsPastItsFirstBlockAndFindsEveryOrder)
{
    constexpr int kOrders = 150001;
    OrderSpec s = Spec(1, 1);
    std::string record = OrderRecord(s);
    for (int i = 1; i <= kOrders; ++i) {
        char digits[13];
        std::snprintf(digits, sizeof digits, "%010d", i);
        record.replace(0, 10, digits);
        std::snprintf(digits, sizeof digits, "%012d", i * 2);
        record.replace(11, 12, digits);
        Feed(orders, 50, record);
    }
    ASSERT_EQ(orders.GetCount(), kOrders);
    EXPECT_EQ(orders.Index().GetCount(), kOrders);
    EXPECT_EQ(orders.Index().GetCapacity(), 200000);
    for (int i = 1; i <= kOrders; i += 997)
        EXPECT_EQ(orders.FindRow(static_cast<uint32_t>(i * 2)), i - 1) << i;
    EXPECT_EQ(orders.FindRow(kOrders * 2), kOrders - 1);
    EXPECT_EQ(orders.FindRow(3), -1);
    orders.Free();
    EXPECT_EQ(orders.Index().GetCount(), 0);
    EXPECT_EQ(orders.Index().GetCapacity(), 200000) << "the capacity stays";
}

TEST_F(OrderTableTest, DeadMarketMakerRowGoesToTheNextMarketMakerOrder)
{
    iMMOverWrite = 1;
    Order(MarketMaker(1, 10));
    Order(Spec(2, 11));
    Order(MarketMaker(3, 10, 'W')); // withdrawn, nothing traded
    EXPECT_EQ(FreeList(), (std::vector<int> { 0 }));
    EXPECT_STREQ(orders.GetRec(0)->szStatus, "Withdraw") << "the row shows the withdrawal until it is taken";
    Order(MarketMaker(4, 10, 'W')); // the report again
    EXPECT_EQ(FreeList(), (std::vector<int> { 0 })) << "never twice on the list";

    Order(Spec(5, 12)); // not a market-maker order: a row of its own
    EXPECT_EQ(orders.GetCount(), 3);
    Order(MarketMaker(6, 13));
    EXPECT_EQ(orders.GetCount(), 3) << "the dead order's row was taken";
    EXPECT_EQ(orders.GetRec(0)->nOrderNo, 13u);
    EXPECT_EQ(orders.GetRec(0)->nRowIndex, 0u);
    EXPECT_EQ(orders.FindSlot(10), nullptr) << "the old number finds no record";
    EXPECT_EQ(orders.FindRow(13), 0);
    EXPECT_TRUE(FreeList().empty());
    EXPECT_EQ(orders.Index().FreeTail(), -1);
    Order(MarketMaker(7, 10, 'W'));
    EXPECT_TRUE(FreeList().empty()) << "a report of the replaced order changes nothing";
    EXPECT_EQ(orders.GetRec(0)->nOrderNo, 13u);

    // Two dead orders are taken in the order they died.
    Order(MarketMaker(8, 14));
    Order(MarketMaker(9, 13, 'E'));
    Order(MarketMaker(10, 14, 'W'));
    const COrderIndex& index = orders.Index();
    ASSERT_EQ(FreeList().size(), 2u);
    EXPECT_EQ(index.At(FreeList()[0]).key, 13u);
    EXPECT_EQ(index.At(FreeList()[1]).key, 14u);
    EXPECT_EQ(index.At(index.FreeTail()).link, COrderIndex::kListEnd);
    Order(MarketMaker(11, 15));
    Order(MarketMaker(12, 16));
    EXPECT_EQ(orders.FindRow(15), 0);
    EXPECT_EQ(orders.FindRow(16), 3);
    EXPECT_EQ(orders.GetCount(), 4);
}

TEST_F(OrderTableTest, MarketMakerRowsAreKeptOutsideOverwriteModeOrWhenTraded)
{
    const struct {
        int mode;
        long long balance; // of the withdrawal; quantity 100
        bool freed;
    } cases[] = {
        { 0, 100, false },
        { 2, 100, false },
        { -1, 100, false },
        { 1, 40, false },
        { 3, 100, true },
    };
    for (const auto& c : cases) {
        FreeTradingTables();
        iMMOverWrite = c.mode;
        Order(MarketMaker(1, 10));
        Order(MarketMaker(2, 10, 'W', c.balance));
        Order(MarketMaker(3, 11));
        EXPECT_EQ(orders.GetCount(), c.freed ? 1 : 2) << c.mode << " " << c.balance;
        EXPECT_EQ(orders.FindSlot(10) != nullptr, !c.freed) << c.mode << " " << c.balance;
    }
}

TEST_F(OrderTableTest, DeadNewMarketMakerOrderIsCountedButNotStored)
{
    iMMOverWrite = 1;
    RecordingPrinter printer;
    KvPrintLog() = &printer;
    KvAppSettings().bPrintLog = 1;
    OrderSpec dead = MarketMaker(1, 10, 'E');
    dead.print = 'Y';
    Order(dead);
    EXPECT_EQ(orders.GetCount(), 0);
    ASSERT_EQ(counted.size(), 1u);
    EXPECT_EQ(counted[0].status, 'E');
    EXPECT_EQ(orders.Index().m_nNewOrders, 1);
    EXPECT_TRUE(printer.lines.empty());
}

TEST_F(OrderTableTest, AnOrderAliveAgainLeavesTheFreeList)
{
    iMMOverWrite = 1;
    Order(MarketMaker(1, 10));
    Order(MarketMaker(2, 11));
    Order(MarketMaker(3, 10, 'W'));
    Order(MarketMaker(4, 11, 'W'));
    Order(MarketMaker(5, 10, 'O')); // the host reopens it
    ASSERT_EQ(FreeList().size(), 1u);
    EXPECT_EQ(orders.Index().At(FreeList()[0]).key, 11u);
    Order(MarketMaker(6, 12));
    EXPECT_EQ(orders.FindRow(10), 0) << "a live order keeps its row";
    EXPECT_EQ(orders.FindRow(12), 1);
}

TEST_F(OrderTableTest, CountingHookHearsEachNewOrderOnceAndMayBeUnset)
{
    Order(Spec(1, 10));
    Order(Spec(2, 10, 'M'));
    OrderSpec sell = Spec(3, 11, 'U');
    sell.side = 'S';
    Order(sell);
    ASSERT_EQ(counted.size(), 2u);
    EXPECT_EQ(counted[1].side, 'S');
    EXPECT_EQ(counted[1].status, 'U');
    orders.SetCountOrderHook(nullptr);
    Order(Spec(4, 12));
    EXPECT_EQ(orders.GetCount(), 3);
}

TEST_F(OrderTableTest, PrintLineOfAMarkedOrder)
{
    RecordingPrinter printer;
    KvPrintLog() = &printer;
    OrderSpec s = Spec(1, 1234);
    s.print = 'Y';
    s.quantity = 1500;
    Order(s); // print log off
    EXPECT_TRUE(printer.lines.empty());
    KvAppSettings().bPrintLog = 1;
    s.seq = 2;
    s.print = 'N';
    Order(s);
    EXPECT_TRUE(printer.lines.empty()) << "only orders the host marks";
    s.seq = 3;
    s.print = 'Y';
    s.status = 'W';
    Order(s);
    ASSERT_EQ(printer.lines.size(), 1u);
    const COrderRec& r = *orders.GetRec(0);
    char expected[256];
    std::snprintf(expected, sizeof expected, "O B %s %-8s %12ld %12s %-4s %-10s %-12s %12s %13s %-12s %1c",
        r.dtEntry.FormatDate().c_str(), r.dtEntry.FormatTime().c_str(), 1234L, "", "BRD1", "SEC1", "ACC1",
        r.dPrice.Format(1, 1).c_str(), r.dQty.Format(1, 1).c_str(), "TRADER01", 'W');
    EXPECT_EQ(printer.lines[0], expected);
    EXPECT_NE(
        printer.lines[0].find("        1234              BRD1 SEC1       ACC1        "), std::string::npos)
        << printer.lines[0];
}

TEST_F(OrderTableTest, PrinterFailureTurnsThePrintLogOffAndTheNextReceivePosts115)
{
    KvSetReplyPartners(nullptr); // the program's own partners
    RecordingPrinter printer;
    printer.works = false;
    KvPrintLog() = &printer;
    KvAppSettings().bPrintLog = 1;
    OrderSpec s = Spec(1, 10);
    s.print = 'Y';
    Order(s);
    EXPECT_EQ(printer.lines.size(), 1u);
    EXPECT_EQ(KvAppSettings().bPrintLog, 0);
    EXPECT_EQ(orders.GetCount(), 1) << "the order is kept";
    s.seq = 2;
    s.number = 11;
    Order(s);
    EXPECT_EQ(printer.lines.size(), 1u) << "nothing more is printed";
    app.DoReceive();
    EXPECT_EQ(ui.posted, std::vector<unsigned> { ID_PRINT_LOG_FAILED });
    app.DoReceive();
    EXPECT_EQ(ui.posted.size(), 1u) << "posted once";
}

TEST_F(OrderTableTest, StatusTextsCodesAndLetters)
{
    const struct {
        char letter;
        const char* text;
        uint32_t code;
    } cases[] = {
        { 'O', "Open", 0 },
        { 'I', "Inactive", 1 },
        { 'U', "Unappr.", 3 },
        { 'M', "Matched", 4 },
        { 'A', "Amended", 5 },
        { 'W', "Withdraw", 6 },
        { 'E', "Expired", 7 },
        { 'S', "Error", 8 },
        { '?', "Error", 8 },
        { 'C', "Error", 8 },
    };
    for (const auto& c : cases) {
        uint32_t code = 99;
        EXPECT_EQ(orders.GetStatusText(c.letter, &code), c.text) << c.letter;
        EXPECT_EQ(code, c.code) << c.letter;
    }
    const struct {
        const char* text;
        char letter;
    } back[] = { { "Open", 'O' }, { "Matched", 'M' }, { "Unappr.", 'U' }, { "Error", 'S' },
        { "Expired", ' ' }, { "", ' ' } };
    for (const auto& b : back)
        EXPECT_EQ(orders.GetStatusLetter(b.text), b.letter) << b.text;
    EXPECT_EQ(orders.GetSideText('B'), "B");
    EXPECT_EQ(orders.GetSideText('S'), "S");
    EXPECT_EQ(orders.GetSideText('x'), "S");

    fw::setLanguage(fw::Language::Hungarian);
    EXPECT_EQ(orders.GetStatusText('M'), fw::loadString(5128));
    EXPECT_EQ(orders.GetStatusText('M'), "Teljes\xfclt");
    EXPECT_EQ(orders.GetStatusLetter("Teljes\xfclt"), 'M');
    EXPECT_EQ(orders.GetSideText('B'), "V");
}

TEST_F(OrderTableTest, ValidityComesFromTheFirstValidityFlagSet)
{
    const std::string date = CDateTime(2026, 12, 31, 0, 0, 0).FormatDate();
    const struct {
        std::vector<int> set;
        std::string text;
    } cases[] = {
        { { 24, 26 }, "Session" },
        { { 25, 27 }, "Day" },
        { { 27, 23 }, "GTC" },
        { { 23 }, date },
        { { 26 }, date },
        { { 5, 10 }, "" },
        { {}, "" },
    };
    for (const auto& c : cases) {
        char flags[33];
        std::fill(flags, flags + 32, '0');
        flags[32] = '\0';
        for (const int i : c.set)
            COrderTable::SetFlag(flags, i, true);
        EXPECT_EQ(orders.GetValidityText(flags, "20261231"), c.text) << flags;
    }
    EXPECT_EQ(orders.GetValidityText(std::string(32, '0').replace(23, 1, "1"), "2026XX31"), "")
        << "no date, no text";

    OrderSpec s = Spec(1, 10);
    s.flags[23] = '1';
    s.expiryTime = "000000";
    Order(s);
    EXPECT_EQ(orders.GetRec(0)->szValidity, date.substr(0, 10));
    EXPECT_EQ(orders.GetRec(0)->dtExpiry.FormatDateVORL() + orders.GetRec(0)->dtExpiry.FormatTimeVORL(),
        "20261231000000")
        << "expiry time 000000: midnight of the expiry date";
}

TEST_F(OrderTableTest, FlagHelpers)
{
    char flags[33];
    std::fill(flags, flags + 32, '0');
    flags[32] = '\0';
    for (int i : { -1, 32, 100 }) {
        COrderTable::SetFlag(flags, i, true);
        EXPECT_FALSE(COrderTable::TestFlag(flags, i)) << i;
    }
    EXPECT_EQ(std::string(flags), std::string(32, '0'));
    for (int i = 0; i < 32; ++i)
        COrderTable::SetFlag(flags, i, true);
    EXPECT_EQ(std::string(flags), std::string(32, '1'));
    char letters[33];
    EXPECT_TRUE(COrderTable::FormatFlags(flags, letters, sizeof letters));
    EXPECT_STREQ(letters, "MLDN_K___BYHSC_A_______TEDDC____");
    COrderTable::SetFlag(flags, 5, false);
    char shortOut[6];
    EXPECT_FALSE(COrderTable::FormatFlags(flags, shortOut, sizeof shortOut));
    EXPECT_STREQ(shortOut, "MLDN_");
    EXPECT_FALSE(COrderTable::TestFlag("1", 1)) << "a short flag text reads as clear beyond its end";
    EXPECT_TRUE(COrderTable::TestFlag("1", 0));
}

} // namespace
} // namespace kv32test

namespace kv32test {
namespace {

TEST_F(OrderTableTest, NewOrdersReachTheProgramsOrderCounting)
{
    orders.SetCountOrderHook(m_programHook);
    RightTable().AddRec(RightRec { 0, 142, 0, 0 }); // order counting may be used
    OrdCountTable().SetToday("20261210");
    OrderSpec normal = Spec(1, 10);
    Order(normal);
    Order(Spec(2, 10, 'M')); // a change: not counted again
    Order(MarketMaker(3, 11));
    ASSERT_EQ(OrdCountTable().GetCount(), 1);
    const COrdCountRec& count = *OrdCountTable().GetRec(0);
    EXPECT_STREQ(count.szBoard, "BRD1");
    EXPECT_STREQ(count.szFirm, "FIRM1");
    EXPECT_EQ(count.anOrders[0], 1);
    EXPECT_EQ(count.anOrders[1], 1) << "the market-maker order is counted apart";
}

} // namespace
} // namespace kv32test
