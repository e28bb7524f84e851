// Order counting over scripted streams of new orders: the per-second and
// per-minute rings, the averages over the counting period, day-count and
// speed alerts, and which definition a board and firm get.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "kv32/shell/app_startup.h"
#include "kv32/tables/all_tables.h"
#include "kv32/tables/broadcast_partners.h"
#include "kvcore/app/profile_settings.h"
#include "support/kv32_fixture.h"

namespace kv32test {
namespace {

constexpr const char* kToday = "20261210";
constexpr unsigned kLogNotify = 0xC123;

class OrderCounting : public Kv32Fixture {
protected:
    OrderCounting()
    {
        savedPeriod = nOrdCountPeriod;
        savedNotify = KvNotifications().logNotify;
        KvNotifications().logNotify = kLogNotify;
        KvConnectAlertTables(KvTables());
        FreeOwn();
        RightTable().Free();
        RightTable().AddRec(RightRec { 0, 142, 0, 0 }); // order counting may be used
        nOrdCountPeriod = 2;
        OrdCountTable().SetToday(kToday);
    }
    ~OrderCounting() override
    {
        FreeOwn();
        RightTable().Free();
        nOrdCountPeriod = savedPeriod;
        KvNotifications().logNotify = savedNotify;
        fLogDisplay = 0;
    }
    static void FreeOwn()
    {
        CKvTables& t = KvTables();
        for (CVorlPermTarget* table :
            std::initializer_list<CVorlPermTarget*> { &t.ordCount, &t.ordCountAlerts, &t.alertLog })
            table->Free();
        fLogDisplay = 0;
    }
    // `count` orders at one time; market-maker orders carry flag 5.
    void Orders(int count, const std::string& time, bool marketMaker = false, const std::string& firm = "FIRM1",
        const std::string& date = kToday)
    {
        std::string flags(32, '0');
        if (marketMaker)
            flags[5] = '1';
        for (int i = 0; i < count; ++i)
            OrdCountTable().CountOrder("BRD1", firm, 'B', flags, 'O', date, time);
    }
    COrdCountRec& Rec(int row = 0) { return *OrdCountTable().GetRec(row); }
    std::vector<std::string> LogTexts()
    {
        std::vector<std::string> texts;
        for (int i = 0; i < AlertLogTable().GetCount(); ++i)
            texts.emplace_back(AlertLogTable().GetRec(i)->szText);
        return texts;
    }

    int savedPeriod = 10;
    unsigned savedNotify = 0;
};

TEST_F(OrderCounting, NothingIsCountedWithoutTheRightOrForAnotherDay)
{
    RightTable().Free();
    Orders(3, "100000");
    EXPECT_EQ(OrdCountTable().GetCount(), 0);
    // The right is read at the first order after the statistics were emptied.
    RightTable().AddRec(RightRec { 0, 142, 0, 0 });
    Orders(1, "100000");
    EXPECT_EQ(OrdCountTable().GetCount(), 0);
    OrdCountTable().Free();
    Orders(1, "100000", false, "FIRM1", "20261209");
    EXPECT_EQ(OrdCountTable().GetCount(), 0);
    Orders(1, "100000");
    ASSERT_EQ(OrdCountTable().GetCount(), 1);
    EXPECT_STREQ(Rec().szBoard, "BRD1");
    EXPECT_STREQ(Rec().szFirm, "FIRM1");
    EXPECT_EQ(Rec().nAlert, -1);
}

TEST_F(OrderCounting, RingsAndAveragesOverTheCountingPeriod)
{
    COrdCountAlertTable& alerts = OrdCountAlertTable();
    alerts.AddAlert("BRD1", "", true, 0, 0, 1, 0); // all firms: normal orders at most 1 a second
    // Minute by minute (period 2): the orders, then what the ring holds once
    // the next minute's first order has rolled it.
    Orders(20, "100001");
    Orders(10, "100059");
    Orders(1, "100000", true);
    ASSERT_EQ(OrdCountTable().GetCount(), 1);
    EXPECT_EQ(Rec().nAlert, 0);
    EXPECT_EQ(Rec().anOrders[0], 30);
    EXPECT_EQ(Rec().anOrders[1], 1);
    EXPECT_EQ(Rec().aPerSecond[1][0], 20);
    EXPECT_EQ(Rec().aPerSecond[59][0], 10);
    EXPECT_EQ(Rec().anThisMinute[0], 30);
    EXPECT_STREQ(Rec().szLastTime, "100000");
    EXPECT_EQ(OrdCountTable().m_nFirstMinute, 600) << "the first order only sets the minute marks";

    const struct {
        int orders;
        const char* time;
        int slot0, slot1; // the ring after the roll
        double average;
        int peak;
        int secondsOver;
        int run, total;
    } steps[] = {
        { 90, "100107", 30, 0, 0.0, 20, 2, 0, 0 }, // not a full period yet: no average
        { 150, "100200", 30, 90, 0.0, 90, 3, 0, 0 },
        { 1, "100300", 150, 90, 2.0, 150, 4, 1, 1 }, // (150 + 90) / 120
        { 1, "100400", 150, 1, 1.3, 150, 4, 2, 2 }, // (150 + 1) / 120: the run goes on
        { 1, "100600", 1, 0, 0.0, 150, 4, 0, 2 }, // a skipped minute's slot is cleared first
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.time);
        Orders(step.orders, step.time);
        EXPECT_EQ(Rec().aPerMinute[0][0], step.slot0);
        EXPECT_EQ(Rec().aPerMinute[1][0], step.slot1);
        EXPECT_DOUBLE_EQ(Rec().adAverageSpeed[0], step.average);
        EXPECT_EQ(Rec().anPeakPerSecond[0], step.peak);
        EXPECT_EQ(Rec().anSecondsOverSpeed[0], step.secondsOver);
        EXPECT_EQ(Rec().anSpeedAlertRun[0], step.run);
        EXPECT_EQ(Rec().anSpeedAlerts[0], step.total);
        EXPECT_EQ(Rec().bAlerting, step.run != 0 ? 1 : 0);
    }
    EXPECT_EQ(Rec().anOrders[1], 1);
    EXPECT_EQ(Rec().anSpeedAlerts[1], 0) << "market-maker orders have no speed limit here";
    // Two speed alerts: every violation is logged, only the first of the run is shown.
    EXPECT_EQ(LogTexts(), (std::vector<std::string> { "FIRM1 - normal order entering speed limit is violated (1)",
                              "FIRM1 - normal order entering speed limit is violated (1)" }));
    EXPECT_EQ(ui.notified, (std::vector<unsigned> { kLogNotify }));
    EXPECT_TRUE(ui.beeps.empty());
    const CLogEntry& first = *AlertLogTable().GetRec(0);
    EXPECT_EQ(first.nKind, 0x7000);
    EXPECT_STREQ(first.szBoardName, "BRD1");
    EXPECT_STREQ(first.szFirm, "FIRM1");
    EXPECT_DOUBLE_EQ(first.value, 2.0);
    EXPECT_EQ(first.time.GetHour(), 10);
    EXPECT_EQ(first.time.GetMinute(), 3);
}

TEST_F(OrderCounting, DayCountAlertOncePerCrossingForEachKindOfOrder)
{
    OrdCountAlertTable().AddAlert("BRD1", "FIRM1", false, 3, 1, 0, 0);
    std::vector<size_t> logged;
    for (int i = 0; i < 5; ++i) {
        Orders(1, "090000");
        logged.push_back(LogTexts().size());
    }
    EXPECT_EQ(logged, (std::vector<size_t> { 0, 0, 0, 1, 1 }));
    EXPECT_EQ(Rec().anCountAlerted[0], 1);
    EXPECT_EQ(Rec().bAlerting, 1);
    Orders(2, "090001", true);
    ASSERT_EQ(LogTexts().size(), 2u);
    EXPECT_EQ(LogTexts()[0], "FIRM1 - number of norm.orders limit is violated (3)");
    EXPECT_EQ(LogTexts()[1], "FIRM1 - number of MM orders limit is violated (1)");
    EXPECT_DOUBLE_EQ(AlertLogTable().GetRec(0)->value, 4.0);
    EXPECT_EQ(AlertLogTable().GetRec(0)->value.GetDecimal(), 0u);

    // Raised above the count, the limit is armed again and passed again.
    OrdCountAlertTable().ModifyAlert(0, 7, 1, 0, 0);
    Orders(1, "090002");
    EXPECT_EQ(Rec().anCountAlerted[0], 0);
    Orders(1, "090003");
    EXPECT_EQ(LogTexts().size(), 2u);
    Orders(1, "090004");
    EXPECT_EQ(LogTexts().size(), 3u);
}

TEST_F(OrderCounting, ADefinitionAddedLaterAppliesOnlyAfterTheStatisticsAreEmptied)
{
    Orders(1, "090000");
    OrdCountAlertTable().AddAlert("BRD1", "FIRM1", false, 1, 0, 0, 0);
    Orders(5, "090001");
    EXPECT_EQ(Rec().nAlert, -1);
    EXPECT_TRUE(LogTexts().empty());
    OrdCountTable().Free();
    Orders(2, "090002");
    EXPECT_EQ(Rec().nAlert, 0);
    EXPECT_EQ(LogTexts().size(), 1u);
}

TEST_F(OrderCounting, FindByKeysPrefersTheFirmThenTheBoardsLastStar)
{
    COrdCountAlertTable& alerts = OrdCountAlertTable();
    alerts.AddAlert("BRD1", "", true, 1, 0, 0, 0); // 0
    alerts.AddAlert("BRD1", "FIRM1", false, 2, 0, 0, 0); // 1
    alerts.AddAlert("BRD1", "IGNORED", true, 3, 0, 0, 0); // 2: "*" as well
    alerts.AddAlert("BRD2", "", true, 4, 0, 0, 0); // 3
    alerts.AddAlert("BRD1", "FIRM1", false, 5, 0, 0, 0); // 4: a second of the same keys
    const struct {
        const char* board;
        const char* firm;
        int row;
    } cases[] = { { "BRD1", "FIRM1", 1 }, { "BRD1", "FIRM1       ", 1 }, { "BRD1", "FIRM2", 2 }, { "BRD2", "FIRM1", 3 },
        { "BRD3", "FIRM1", -1 } };
    for (const auto& c : cases)
        EXPECT_EQ(alerts.FindByKeys(c.board, c.firm), c.row) << c.board << "/" << c.firm;
    EXPECT_STREQ(alerts.GetRec(2)->szFirm, "*");
    EXPECT_TRUE(IsStarMarked(*alerts.GetRec(2)));
    EXPECT_EQ(alerts.Find("BRD1", "FIRM1", true), 0);
    EXPECT_EQ(alerts.FillMatching("BRD1", "FIRM1", false), 1);

    alerts.RemoveAlert(1);
    alerts.RemoveAlert(2);
    EXPECT_EQ(alerts.FindByKeys("BRD1", "FIRM1"), 4);
    EXPECT_EQ(alerts.FindByKeys("BRD1", "FIRM2"), 0);
    alerts.RemoveAlert(3);
    EXPECT_EQ(alerts.FindByKeys("BRD2", "FIRM1"), -1);
    EXPECT_EQ(alerts.Find("BRD2", "", true), 3) << "Find still sees a deleted definition";
    // Modifying a deleted definition revives it, even with the same limits.
    alerts.ModifyAlert(3, 4, 0, 0, 0);
    EXPECT_EQ(alerts.GetRec(3)->bDeleted, 0u);
    EXPECT_EQ(alerts.FindByKeys("BRD2", "FIRM1"), 3);
}

TEST_F(OrderCounting, ASpeedLimitOfZeroRaisesNothingAndClearsTheCount)
{
    OrdCountAlertTable().AddAlert("BRD1", "FIRM1", false, 0, 0, 1, 0);
    Orders(1, "100000");
    Orders(200, "100100");
    Orders(1, "100200");
    Orders(1, "100300");
    EXPECT_EQ(Rec().anSpeedAlerts[0], 1);
    OrdCountAlertTable().ModifyAlert(0, 0, 0, 0, 0);
    Orders(1, "100400");
    EXPECT_EQ(Rec().anSpeedAlerts[0], 0);
    EXPECT_EQ(Rec().anSpeedAlertRun[0], 0);
    EXPECT_EQ(LogTexts().size(), 1u);
}

TEST_F(OrderCounting, ANewTradingDateStartsAFreshCount)
{
    Orders(4, "100000");
    Orders(1, "100100");
    OrdCountTable().SetToday(kToday);
    EXPECT_EQ(OrdCountTable().GetCount(), 1) << "the same date changes nothing";
    OrdCountTable().SetToday("20261211");
    EXPECT_EQ(OrdCountTable().GetCount(), 0);
    EXPECT_EQ(OrdCountTable().m_nFirstMinute, -1);
    Orders(1, "080000");
    EXPECT_EQ(OrdCountTable().GetCount(), 0) << "an order of the old day";
    Orders(1, "080000", false, "FIRM1", "20261211");
    ASSERT_EQ(OrdCountTable().GetCount(), 1);
    EXPECT_EQ(Rec().anOrders[0], 1);
}

TEST_F(OrderCounting, TheHostsTimeReplyGivesTheTradingDate)
{
    Orders(1, "100000");
    CKvBroadcastPartners partners;
    partners.SetTradingDate("20261211");
    EXPECT_STREQ(OrdCountTable().m_szToday, "20261211");
    EXPECT_EQ(OrdCountTable().GetCount(), 0);
}

TEST_F(OrderCounting, PeriodOutsideItsRangeAndOddTimeTexts)
{
    for (int period : { 0, 61, -5 }) {
        SCOPED_TRACE(period);
        OrdCountTable().Free();
        nOrdCountPeriod = period;
        Orders(1, "100000");
        EXPECT_EQ(OrdCountTable().m_nPeriod, 10);
    }
    // Characters other than digits count as 0; seconds past 59 wrap.
    OrdCountTable().Free();
    Orders(1, "1x0 75");
    EXPECT_EQ(OrdCountTable().m_nFirstMinute, 600);
    EXPECT_EQ(Rec().aPerSecond[15][0], 1);
    Orders(1, "");
    EXPECT_EQ(Rec().anOrders[0], 2);
}

} // namespace
} // namespace kv32test
