// The trade and negotiated-deal tables over the scripted router: their
// records as the host sends them, the standing requests and key parts,
// changes found by number (a late lower number too), the letter texts, the
// deal bindings the trading dialogs read, and the print-log lines.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "fw/core/strings.h"
#include "kv32/shell/app_settings.h"
#include "kv32/shell/print_log.h"
#include "kv32/tables/all_tables.h"
#include "kv32/tables/table_updates.h"
#include "kvcore/router/info_req.h"
#include "security_test_fixture.h"
#include "support/test_data.h"
#include "support/recording_printer.h"
#include "support/log_recorder.h"
#include "support/trading_records.h"

namespace kv32test {
namespace {


class TradeDealTest : public SecurityFixture {
protected:
    TradeDealTest()
    {
        FreeTradingTables();
        SecuritySpec spec; // 0BRD1INSTR0000001, "SEC1", decimals 2, 3, 2
        AddSecurity(spec);
        Feed(FlagTable(), 116, "00000001E Y" + Pad("Electronic", 30) + "0");
        Feed(FlagTable(), 116, "00000002N Y" + Pad("Negotiated deal", 30) + "1");
    }
    ~TradeDealTest() override
    {
        FreeTradingTables();
        KvPrintLog() = nullptr;
        KvAppSettings() = CKvAppSettings();
        fw::setLanguage(fw::Language::English);
        KvTakePrintLogFailure();
    }
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
        for (char* last : { TradeTable().m_szLastOrderNo, NegDealTable().m_szLastOrderNo })
            std::memcpy(last, "000000000000", 13);
    }
    void Trade(const TradeSpec& spec) { Feed(trades, CTradeTable::kRequest, TradeRecord(spec)); }
    void Deal(const DealSpec& spec) { Feed(deals, CNegDealTable::kRequest, DealRecord(spec)); }
    static TradeSpec TradeOf(long long seq, long long number, char status = 'M')
    {
        TradeSpec s;
        s.seq = seq;
        s.number = number;
        s.status = status;
        return s;
    }
    static DealSpec DealOf(long long seq, long long number, char status = 'O')
    {
        DealSpec s;
        s.seq = seq;
        s.number = number;
        s.status = status;
        return s;
    }

    CTradeTable& trades = TradeTable();
    CNegDealTable& deals = NegDealTable();
};

TEST_F(TradeDealTest, GoldenTradeRecordFillsEveryField)
{
    const std::string golden = ReadFixture("trade_reply.bin");
    ASSERT_EQ(golden.size(), 320u);
    Feed(trades, 54, golden);
    ASSERT_EQ(trades.GetCount(), 1);
    const CTradeRec& r = *trades.GetRec(0);
    EXPECT_EQ(r.nRowIndex, 0u);
    EXPECT_EQ(r.nTradeNo, 555u);
    EXPECT_EQ(r.nBuyOrderNo, 1234u);
    EXPECT_EQ(r.nSellOrderNo, 1240u);
    EXPECT_EQ(r.dtTrade.FormatDateVORL() + r.dtTrade.FormatTimeVORL(), "20261210101530");
    EXPECT_EQ(r.dtAmend.FormatTimeVORL(), "111500");
    EXPECT_EQ(r.dtDiss.FormatTimeVORL(), "101600");
    EXPECT_EQ(r.dtSettle.FormatDateVORL(), "20261214");
    EXPECT_STREQ(r.szBuyReference, "Buy ref");
    EXPECT_STREQ(r.szSellReference, "Sell ref");
    EXPECT_STREQ(r.szBuyUser, "TRADER01");
    EXPECT_STREQ(r.szSellUser, "TRADER02");
    EXPECT_STREQ(r.szBuyFirm, "FIRM1");
    EXPECT_STREQ(r.szSellFirm, "FIRM2");
    EXPECT_STREQ(r.szBuyTrdAcc, "BACC01");
    EXPECT_STREQ(r.szSellTrdAcc, "SACC02");
    EXPECT_STREQ(r.szTrdAcc2, "");
    EXPECT_STREQ(r.szSecurity, "SEC1");
    EXPECT_STREQ(r.szSecurityCode, "0BRD1INSTR0000001");
    EXPECT_STREQ(r.szBoardCode, "BRD1");
    EXPECT_STREQ(r.szBoardName, "Main board");
    EXPECT_DOUBLE_EQ(r.dPrice, 123.45);
    EXPECT_DOUBLE_EQ(r.dYield, 4.567);
    EXPECT_DOUBLE_EQ(r.dQty, 300);
    EXPECT_DOUBLE_EQ(r.dValue, 37035.00);
    EXPECT_DOUBLE_EQ(r.dAccruedInt, 2.50);
    EXPECT_STREQ(r.szStatus, "Unapproved");
    EXPECT_EQ(r.nStatusCode, 3u);
    EXPECT_STREQ(r.szDissStatus, "Delayed");
    EXPECT_EQ(r.cTradeSourceLetter, 'N');
    EXPECT_STREQ(r.szTradeSource, "Negotiated deal");
    EXPECT_EQ(r.cTradeSourceFlag, 'Y');
    EXPECT_EQ(r.cDealFlag, 'Y') << "the letter reserved for deals marks a deal trade";
    EXPECT_STREQ(trades.m_szSeqNum, "0000000077");
    EXPECT_STREQ(trades.m_szLastOrderNo, "000000000555");

    TradeSpec same = TradeOf(77, 555, 'U');
    same.print = 'Y';
    same.buyOrder = 1234;
    same.sellOrder = 1240;
    same.time = "101530";
    same.amendTime = "111500";
    same.buyReference = "Buy ref";
    same.sellReference = "Sell ref";
    same.buyAccount = "BACC01";
    same.sellAccount = "SACC02";
    same.yield = 4567;
    same.quantity = 300;
    same.value = 3703500;
    same.accrued = 250;
    same.source = 'N';
    same.dissTime = "101600";
    same.dissStatus = 'D';
    EXPECT_EQ(TradeRecord(same), golden);
}

TEST_F(TradeDealTest, GoldenDealRecordFillsEveryField)
{
    const std::string golden = ReadFixture("deal_reply.bin");
    ASSERT_EQ(golden.size(), 251u);
    Feed(deals, 52, golden);
    ASSERT_EQ(deals.GetCount(), 1);
    const CNegDealRec& r = *deals.GetRec(0);
    EXPECT_EQ(r.nDealNo, 31u);
    EXPECT_STREQ(r.szTime, "141516");
    EXPECT_EQ(r.dtDeal.FormatTimeVORL(), "141516");
    EXPECT_STREQ(r.szStatus, "Unconf.");
    EXPECT_EQ(r.nStatusCode, 2u);
    EXPECT_STREQ(r.szBuySell, "B");
    EXPECT_STREQ(r.szReference, "Deal ref");
    EXPECT_STREQ(r.szUser, "TRADER01");
    EXPECT_STREQ(r.szFirm, "FIRM1");
    EXPECT_STREQ(r.szCPUser, "TRADER02");
    EXPECT_STREQ(r.szCPFirm, "FIRM2");
    EXPECT_STREQ(r.szTrdAcc, "ACC001");
    EXPECT_STREQ(r.szTrdAcc2, "");
    EXPECT_STREQ(r.szSecurity, "SEC1");
    EXPECT_STREQ(r.szSecurityCode, "0BRD1INSTR0000001");
    EXPECT_STREQ(r.szBoardCode, "BRD1");
    EXPECT_STREQ(r.szBoardName, "Main board");
    EXPECT_DOUBLE_EQ(r.dPrice, 123.45);
    EXPECT_DOUBLE_EQ(r.dQty, 50);
    EXPECT_STREQ(r.szSettleDate, "20261215");
    EXPECT_EQ(r.dtSettle.FormatDateVORL(), "20261215");
    EXPECT_EQ(r.nTimeout, 30);
    EXPECT_DOUBLE_EQ(r.dYield, 4.567);
    EXPECT_STREQ(r.szDissTime, "      ");
    EXPECT_FALSE(r.dtDiss.IsValid()) << "blank dissemination time: none";
    EXPECT_STREQ(r.szDissStatus, "Q") << "the raw letter";
    EXPECT_EQ(r.cTradeSourceLetter, 'E');
    EXPECT_STREQ(r.szTradeSource, "Electronic");
    EXPECT_EQ(r.nWarningTimeout, 5);
    EXPECT_STREQ(r.szDealText, "00000000001001000000000000000000");
    EXPECT_EQ(r.szDealText[10], '1') << "flag string: a yield deal";
    EXPECT_EQ(r.szDealText[13], '1') << "flag string: a settlement date";
    EXPECT_EQ(deals.m_cPrevSide, 'B');
    EXPECT_STREQ(deals.m_szSeqNum, "0000000091");
    EXPECT_STREQ(deals.m_szLastOrderNo, "000000000031");

    DealSpec same = DealOf(91, 31, 'C');
    same.print = 'Y';
    same.time = "141516";
    same.reference = "Deal ref";
    same.account = "ACC001";
    same.quantity = 50;
    same.settleDate = "20261215";
    same.yield = 4567;
    same.dissStatus = 'Q';
    same.source = 'E';
    same.text = "00000000001001000000000000000000";
    std::string built = DealRecord(same);
    built.replace(24, 12, "XXXXXXXXXXXX"); // a field the workstation does not read
    EXPECT_EQ(built, golden);
}

TEST_F(TradeDealTest, StandingRequestsStartFromZeroAndResumeFromTheLastNumbers)
{
    EXPECT_EQ(trades.UpdateReq(), 0);
    EXPECT_EQ(deals.UpdateReq(), 0);
    ASSERT_EQ(trades.Load(), 1);
    ASSERT_EQ(deals.Load(), 1);
    app.CollectAllRequests();
    ASSERT_TRUE(VORLInfoReqEnd());
    EXPECT_EQ(RequestKeys(router, 54), std::vector<std::string> { "TRADER01    0000000000000000000000" });
    EXPECT_EQ(RequestKeys(router, 52), std::vector<std::string> { "TRADER01    0000000000000000000000" });
    // Each request's records, then its end, in the order the packet asked.
    std::vector<Msg> reply;
    for (const Msg& m : router.Requests()) {
        if (m.type == 54)
            reply.push_back({ 54, TradeRecord(TradeOf(5, 40)) });
        else if (m.type == 52)
            reply.push_back({ 52, DealRecord(DealOf(6, 8)) });
        reply.push_back(End());
    }
    router.Reply(reply);
    EXPECT_EQ(app.VORLInfoReqRecv(), 1);
    EXPECT_EQ(trades.GetCount(), 1);
    EXPECT_EQ(deals.GetCount(), 1);

    TradeSpec none = TradeOf(9, 12);
    none.carries = 'N';
    Feed(trades, 54, TradeRecord(none).substr(0, 23));
    DealSpec noDeal = DealOf(11, 3);
    noDeal.carries = 'N';
    Feed(deals, 52, DealRecord(noDeal).substr(0, 23));
    router.ClearRecord();
    app.CollectAllRequests();
    ASSERT_TRUE(VORLInfoReqEnd());
    EXPECT_EQ(RequestKeys(router, 54), std::vector<std::string> { "TRADER01    0000000009000000000012" });
    EXPECT_EQ(RequestKeys(router, 52), std::vector<std::string> { "TRADER01    0000000011000000000003" });
    EXPECT_EQ(trades.GetCount(), 1);
    EXPECT_EQ(deals.GetCount(), 1);
}

TEST_F(TradeDealTest, ChangesKeepTheirRowsAndLateLowerNumbersAreFound)
{
    Trade(TradeOf(1, 10));
    Trade(TradeOf(2, 20));
    Trade(TradeOf(3, 15)); // late, below the last: a row of its own
    Trade(TradeOf(4, 10, 'W'));
    Trade(TradeOf(5, 15, 'P'));
    ASSERT_EQ(trades.GetCount(), 3);
    EXPECT_STREQ(trades.GetRec(0)->szStatus, "Cancel");
    EXPECT_STREQ(trades.GetRec(2)->szStatus, "Pending");
    EXPECT_EQ(trades.GetRec(2)->nRowIndex, 2u);
    EXPECT_EQ(trades.FindRowByNumber("000000000015"), 2);
    EXPECT_EQ(trades.FindRowByNumber("000000000020"), 1);
    EXPECT_EQ(trades.FindRowByNumber("000000000016"), -1);
    EXPECT_EQ(trades.PendingRows(), (std::vector<int> { 0, 1, 2, 0, 2 }));

    Deal(DealOf(1, 7));
    Deal(DealOf(2, 9));
    Deal(DealOf(3, 8));
    Deal(DealOf(4, 7, 'M'));
    Deal(DealOf(5, 8, 'W'));
    ASSERT_EQ(deals.GetCount(), 3);
    EXPECT_STREQ(deals.GetRec(0)->szStatus, "Matched");
    EXPECT_STREQ(deals.GetRec(2)->szStatus, "Withdraw");
    EXPECT_EQ(deals.FindRowByNumber(8), 2);
    EXPECT_EQ(deals.FindRowByNumber(6), -1);

    struct Hints : CTableUpdateListener {
        void OnTableUpdate(uint16_t id, const fw::RowHint* hint) override
        {
            heard.emplace_back(id, hint != nullptr ? hint->GetSize() : -1);
        }
        std::vector<std::pair<uint16_t, int>> heard;
    } hints;
    KvAddTableListener(&hints);
    trades.OnPostReceive();
    deals.OnPostReceive();
    trades.OnPostReceive();
    KvRemoveTableListener(&hints);
    EXPECT_EQ(hints.heard, (std::vector<std::pair<uint16_t, int>> { { 9, 3 }, { 10, 3 } }));
    EXPECT_EQ(trades.m_bChanged, 0);
}

TEST_F(TradeDealTest, ShortRecordsAreDroppedWithoutMovingTheKeys)
{
    Feed(trades, 54, TradeRecord(TradeOf(3, 30)).substr(0, 319));
    Feed(deals, 52, DealRecord(DealOf(3, 30)).substr(0, 250));
    EXPECT_EQ(trades.GetCount(), 0);
    EXPECT_EQ(deals.GetCount(), 0);
    EXPECT_STREQ(trades.m_szSeqNum, "0000000000");
    EXPECT_STREQ(deals.m_szLastOrderNo, "000000000000");
}

TEST_F(TradeDealTest, UnknownLettersSecurityAndSourceLeaveEmptyTexts)
{
    TradeSpec t = TradeOf(1, 1, 'S');
    t.code = "0XXXXINSTR0000099";
    t.source = 'Q';
    t.dissStatus = 'Z';
    t.amendTime = "      ";
    Trade(t);
    const CTradeRec& r = *trades.GetRec(0);
    EXPECT_STREQ(r.szStatus, "Error");
    EXPECT_EQ(r.nStatusCode, 6u);
    EXPECT_STREQ(r.szDissStatus, "");
    EXPECT_STREQ(r.szTradeSource, "");
    EXPECT_EQ(r.cTradeSourceFlag, '\0');
    EXPECT_EQ(r.cDealFlag, 'N');
    EXPECT_STREQ(r.szSecurity, "");
    EXPECT_STREQ(r.szBoardName, "");
    EXPECT_FALSE(r.dtAmend.IsValid());
    EXPECT_DOUBLE_EQ(r.dPrice, 12345) << "0 decimals";
}

TEST_F(TradeDealTest, StatusTextsAndLetters)
{
    const struct {
        char letter;
        const char* text;
        uint32_t code;
    } tradeCases[] = { { 'M', "Matched", 0 }, { 'P', "Pending", 1 }, { 'W', "Cancel", 2 },
        { 'U', "Unapproved", 3 }, { 'Y', "Unconfirmed buy", 4 }, { 'L', "Unconfirmed sell", 5 },
        { 'S', "Error", 6 }, { 'x', "Error", 6 } };
    for (const auto& c : tradeCases) {
        uint32_t code = 99;
        EXPECT_EQ(trades.GetStatusText(c.letter, &code), c.text) << c.letter;
        EXPECT_EQ(code, c.code) << c.letter;
        if (c.letter != 'x') {
            EXPECT_EQ(trades.GetStatusLetter(c.text), c.letter) << c.text;
        }
    }
    EXPECT_EQ(trades.GetStatusLetter("Open"), ' ');
    const struct {
        char letter;
        const char* text;
    } diss[] = { { 'N', "Not matched" }, { 'I', "Immediate" }, { 'D', "Delayed" }, { 'S', "Sent" },
        { 'R', "Released" }, { 'L', "Lapsed" }, { 'X', "" }, { ' ', "" } };
    for (const auto& d : diss)
        EXPECT_EQ(trades.GetDissStatusText(d.letter), d.text) << d.letter;

    const struct {
        char letter;
        const char* text;
        uint32_t code;
    } dealCases[] = { { 'O', "Open", 0 }, { 'I', "Inactive", 1 }, { 'C', "Unconf.", 2 },
        { 'U', "Unappr.", 3 }, { 'M', "Matched", 4 }, { 'A', "Amended", 5 }, { 'W', "Withdraw", 6 },
        { 'E', "Expired", 7 }, { 'S', "Error", 8 }, { '?', "Error", 8 } };
    for (const auto& c : dealCases) {
        uint32_t code = 99;
        EXPECT_EQ(deals.GetStatusText(c.letter, &code), c.text) << c.letter;
        EXPECT_EQ(code, c.code) << c.letter;
    }
    EXPECT_EQ(deals.GetStatusLetter("Unconf."), 'C');
    EXPECT_EQ(deals.GetStatusLetter("Error"), 'S');
    EXPECT_EQ(deals.GetStatusLetter("Expired"), ' ');

    fw::setLanguage(fw::Language::Hungarian);
    EXPECT_EQ(trades.GetStatusText('P'), "F\xfcgg\xf5");
    EXPECT_EQ(deals.GetSideText('S'), "E");
}

TEST_F(TradeDealTest, PrintLinesOfMarkedTradesAndDeals)
{
    RecordingPrinter printer;
    KvPrintLog() = &printer;
    KvAppSettings().bPrintLog = 1;
    TradeSpec t = TradeOf(1, 555);
    t.buyOrder = 1234;
    t.sellOrder = 1240;
    t.quantity = 2500;
    Trade(t);
    EXPECT_TRUE(printer.lines.empty());
    t.seq = 2;
    t.print = 'Y';
    Trade(t);
    DealSpec d = DealOf(1, 31, 'U');
    d.print = 'Y';
    Deal(d);
    ASSERT_EQ(printer.lines.size(), 2u);
    const CTradeRec& tr = *trades.GetRec(0);
    char expected[300];
    std::snprintf(expected, sizeof expected,
        "T %s %-8s %*ld %*ld %*ld %-4s %-10s %-12s %-12s %12s %13s %-12s %-12s %1c %-12s %-12s",
        tr.dtTrade.FormatDate().c_str(), tr.dtTrade.FormatTime().c_str(), 12, 1234L, 12, 1240L, 12, 555L,
        "BRD1", "SEC1", "BACC", "SACC", tr.dPrice.Format(1, 1).c_str(), tr.dQty.Format(1, 1).c_str(),
        "TRADER01", "TRADER02", 'M', "FIRM1", "FIRM2");
    EXPECT_EQ(printer.lines[0], expected);
    const CNegDealRec& dr = *deals.GetRec(0);
    std::snprintf(expected, sizeof expected,
        "N %s %-8s %12ld %12s %-4s %-10s %-12s %12s %13s %-12s %1c %-12s",
        CDateTime::GetTickCount().FormatDate().c_str(), dr.dtDeal.FormatTime().c_str(), 31L, "", "BRD1",
        "SEC1", "ACC1", dr.dPrice.Format(1, 1).c_str(), dr.dQty.Format(1, 1).c_str(), "TRADER01", 'U',
        "FIRM2");
    EXPECT_EQ(printer.lines[1], expected);

    printer.works = false;
    d.seq = 2;
    Deal(d);
    EXPECT_EQ(KvAppSettings().bPrintLog, 0);
    EXPECT_TRUE(KvTakePrintLogFailure());
    t.seq = 3;
    Trade(t);
    EXPECT_EQ(printer.lines.size(), 3u) << "the print log is off";
}

} // namespace
} // namespace kv32test
