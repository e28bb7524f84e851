// The alert log: what each kind of entry holds, how a new entry reaches the
// status bar, and the log as the sink of the broadcast tables' notes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fw/core/msgbox.h"
#include "kv32/shell/app_startup.h"
#include "kv32/tables/all_tables.h"
#include "kvcore/app/profile_settings.h"
#include "support/kv32_fixture.h"

namespace kv32test {
namespace {

constexpr unsigned kLogNotify = 0xC321;

class AlertLog : public Kv32Fixture {
protected:
    AlertLog()
    {
        savedNotify = KvNotifications().logNotify;
        KvNotifications().logNotify = kLogNotify;
        KvConnectAlertTables(KvTables());
        log.Free();
        fLogDisplay = 0;
    }
    ~AlertLog() override
    {
        log.Free();
        fLogDisplay = 0;
        KvNotifications().logNotify = savedNotify;
    }
    static CLogEntry Entry(const std::string& text)
    {
        CLogEntry e;
        e.InitKind2000(1, "FIRM1", text, CDouble(5.0, 0));
        return e;
    }

    CAlertLogTable& log = AlertLogTable();
    unsigned savedNotify = 0;
};

TEST_F(AlertLog, TheFirstShownEntryPostsTheNotificationLaterOnesBeepAndDraw)
{
    log.AddEntry(Entry("first"), 1);
    EXPECT_EQ(ui.notified, (std::vector<unsigned> { kLogNotify }));
    EXPECT_TRUE(ui.beeps.empty());
    EXPECT_TRUE(ui.logTexts.empty());
    EXPECT_EQ(fLogDisplay, 1);
    EXPECT_EQ(nCurrentLog, 0);

    log.AddEntry(Entry("second"), 1);
    log.AddEntry(Entry("not shown"), 0);
    log.AddEntry(Entry("third"), 1);
    EXPECT_EQ(ui.notified.size(), 1u) << "while the first is pending nothing more is posted";
    EXPECT_EQ(ui.beeps, (std::vector<unsigned> { fw::MB_ICONEXCLAMATION, fw::MB_ICONEXCLAMATION }));
    EXPECT_EQ(ui.logTexts, (std::vector<std::string> { "second", "third" }));
    EXPECT_EQ(nCurrentLog, 3);
    ASSERT_EQ(log.GetCount(), 4);
    for (int i = 0; i < log.GetCount(); ++i)
        EXPECT_EQ(log.GetRec(i)->nIndex, i);

    // Once the status bar is free again, the next one is posted again.
    fLogDisplay = 0;
    log.AddEntry(Entry("fourth"), 1);
    EXPECT_EQ(ui.notified.size(), 2u);
}

TEST_F(AlertLog, WhatEachKindHolds)
{
    CDateTime::AdjustKvTime(CDateTime(2026, 12, 10, 15, 0, 0));
    const CDateTime at(2026, 12, 1, 9, 30, 15);
    CLogEntry e;
    e.InitKind1000(4, "TRADER01    ", "user text", CDouble(1.5, 1));
    EXPECT_EQ(e.nKind, 0x1000);
    EXPECT_EQ(e.nFigure, 4);
    EXPECT_STREQ(e.szUser, "TRADER01");
    EXPECT_EQ(e.nIndex, -1);
    EXPECT_EQ(e.nTag, -1);
    EXPECT_EQ(e.time.GetDay(), 10);

    e.InitKind3000(2, "0BRD1INSTR000 01", "Main board", "SEC1", "text", 12.345);
    EXPECT_STREQ(e.szSecurity, "0BRD1INSTR000 01") << "kept as it is";
    EXPECT_STREQ(e.szBoardName, "Main board");
    EXPECT_STREQ(e.szShortName, "SEC1");
    EXPECT_EQ(e.value.GetDecimal(), 2u);

    e.InitKind4000(at, "A headline");
    EXPECT_EQ(e.time, at);
    EXPECT_EQ(e.nFigure, 0);

    e.InitKind5000(at, "TRADER02", "message");
    EXPECT_EQ(e.time, CDateTime(2026, 12, 10, 9, 30, 15)) << "today with the message's time of day";
    EXPECT_STREQ(e.szUser, "TRADER02");

    e.InitKind6000(at, "SUPERVISOR", "Security Suspend SEC1");
    EXPECT_EQ(e.time, CDateTime(2026, 12, 10, 9, 30, 15));

    e.InitKind7000("BRD1", "FIRM1", "count", 7.6, "101112");
    EXPECT_EQ(e.time, CDateTime(2026, 12, 10, 10, 11, 12));
    EXPECT_STREQ(e.szBoardName, "BRD1");
    EXPECT_STREQ(e.szFirm, "FIRM1");
    EXPECT_EQ(e.value.GetDecimal(), 0u);
    e.InitKind7000("BRD1", "FIRM1", "count", 7, "      ");
    EXPECT_EQ(e.time.GetHour(), 15) << "a blank time keeps the stamp";

    // A 64-character text is stored as 63.
    for (size_t length : { 62u, 63u, 64u, 200u }) {
        e.InitKind5000(at, "U", std::string(length, 'm'));
        EXPECT_EQ(std::string(e.szText).size(), std::min<size_t>(length, 63)) << length;
    }
    CDateTime::ResetKvTime();
}

TEST_F(AlertLog, ItemsSentAgainAreLoggedOnceAndNeverShown)
{
    KvLogNote news;
    news.nKind = LOG_KIND_NEWS;
    news.time = CDateTime(2026, 12, 10, 10, 15, 0);
    news.text = "Rates unchanged";
    news.nId = 7;
    KvLogNote message;
    message.nKind = LOG_KIND_MESSAGE;
    message.user = "TRADER01";
    message.text = std::string(70, 'x'); // compared as stored, cut to 63
    for (int round = 0; round < 2; ++round) {
        EXPECT_EQ(KvLogOnce(news), round == 0);
        EXPECT_EQ(KvLogOnce(message), round == 0);
    }
    KvLogNote other = news;
    other.time = other.time + 60;
    EXPECT_TRUE(KvLogOnce(other)) << "another heading of the same title";
    ASSERT_EQ(log.GetCount(), 3);
    EXPECT_EQ(log.GetRec(0)->nKind, LOG_KIND_NEWS);
    EXPECT_EQ(log.GetRec(0)->time, news.time);
    EXPECT_TRUE(ui.notified.empty());
    EXPECT_TRUE(ui.beeps.empty());
}

TEST_F(AlertLog, ColourCategoriesAndTheirStoredColours)
{
    log.m_aColors.clear();
    log.m_aColorNames.clear();
    EXPECT_EQ(log.Load(), 1);
    ASSERT_EQ(log.m_aColors.size(), 6u);
    EXPECT_EQ(log.m_aColorNames.front(), 5480);
    EXPECT_EQ(log.m_aColorNames.back(), 5485);
    log.m_aColors[2] = 0x00FF00;
    fw::Archive out;
    log.SerializeColors(out);
    log.m_aColors.assign(6, 0);
    fw::Archive in(out.bytes());
    log.SerializeColors(in);
    EXPECT_EQ(log.m_aColors[2], 0x00FF00u);
    // A stored array of another length is left aside.
    fw::Archive wrong;
    wrong.writeDWordArray(std::vector<uint32_t> { 1, 2 });
    fw::Archive back(wrong.bytes());
    log.SerializeColors(back);
    EXPECT_EQ(log.m_aColors.size(), 6u);
}

} // namespace
} // namespace kv32test
