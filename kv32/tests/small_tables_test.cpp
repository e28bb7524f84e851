#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "kv32/shell/app_settings.h"
#include "kv32/tables/table_updates.h"
#include "kvcore/router/info_req.h"
#include "security_test_fixture.h"

namespace {

using namespace kv32test;

std::string Num(long long v, int width)
{
    char text[40];
    std::snprintf(text, sizeof text, "%0*lld", width, v);
    return text;
}

std::string Pad(const std::string& s, size_t width)
{
    std::string out = s.substr(0, width);
    out.resize(width, ' ');
    return out;
}

class Heard : public CTableUpdateListener {
public:
    Heard() { KvAddTableListener(this); }
    ~Heard() override { KvRemoveTableListener(this); }
    void OnTableUpdate(uint16_t id, const fw::RowHint* hint) override
    {
        std::vector<int> rows;
        for (int i = 0; hint != nullptr && i < hint->GetSize(); ++i) {
            if (hint->GetRow(i) != 0)
                rows.push_back(i);
        }
        heard.push_back({ id, hint != nullptr, rows });
    }
    struct Update {
        uint16_t id;
        bool hinted;
        std::vector<int> rows;
        bool operator==(const Update&) const = default;
    };
    std::vector<Update> heard;
};

class SmallTables : public SecurityFixture {
protected:
    SmallTables() { Reset(); }
    ~SmallTables() override
    {
        Reset();
        KvAppSettings().nLastTrades = 0;
    }
    static void Reset()
    {
        LanguageTable().Free();
        MessageTextTable().Free();
        FlagTable().Free();
        ScheduleTable().Free();
        LastTradeTable().Free();
    }
    std::vector<std::string> Keys(int code) const { return RequestKeys(router, code); }
};

// Last trade (118): seq 10, trade number 12, code 17, price 9, second 9,
// quantity 16, value 16, date 8, time 6, letter 1, second date 8, flag 1, parties 12 + 12.
std::string Trade(long long seq, long long number, const std::string& code, long long price, bool parties = false)
{
    std::string r = Num(seq, 10) + Num(number, 12) + Pad(code, 17) + Num(price, 9) + Num(1500, 9) + Num(100, 16)
        + Num(price * 100, 16) + "20261210" + "101112" + "X" + "20261214" + (parties ? "Y" : "N");
    if (parties)
        r += Pad("FIRM1", 12) + Pad("FIRM2", 12);
    return r;
}

TEST_F(SmallTables, LanguagesAndMessageTexts)
{
    router.Reply({ { 65, "00000001" + std::string("HU") + Pad("Hungarian", 30) + "0" },
        { 65, "00000002" + std::string("EN") + Pad("English", 30) + "1" }, End() });
    EXPECT_EQ(LanguageTable().Load(), 1);
    EXPECT_EQ(Keys(65), std::vector<std::string> { "TRADER01    00000000" });
    EXPECT_EQ(LanguageTable().FindByCode("EN"), 1);
    EXPECT_STREQ(LanguageTable().GetRec(0)->szName, "Hungarian");

    router.Reply({ { 66, "00000005" + Pad("Opening", 30) + Pad("The market opens at nine.", 255) + "0" }, End() });
    router.Reply({ { 66, "00000006" + Pad("Closing", 30) + Pad("", 255) + "1" }, End() });
    EXPECT_EQ(MessageTextTable().Load(), 1);
    EXPECT_EQ(Keys(66), (std::vector<std::string> { "TRADER01    0000000000", "TRADER01    00000005" }))
        << "the first request sends the 10-digit start key";
    ASSERT_EQ(MessageTextTable().GetCount(), 2);
    EXPECT_STREQ(MessageTextTable().GetRec(0)->szText, "The market opens at nine.");
    EXPECT_STREQ(MessageTextTable().GetRec(1)->szName, "Closing");
}

TEST_F(SmallTables, LetterCodes)
{
    const char* enabled = "YNNYNY";
    for (int i = 0; i < 6; ++i)
        Feed(FlagTable(), 116,
            Num(i + 1, 8) + std::string(1, static_cast<char>('A' + i)) + "-" + std::string(1, enabled[i])
                + Pad("Source " + std::to_string(i), 30) + (i == 5 ? "1" : "0"));
    EXPECT_EQ(FlagTable().GetNthEnabled(1), 3);
    EXPECT_EQ(FlagTable().GetNthEnabled(3), -1);
    EXPECT_EQ(FlagTable().FindByLetter('C'), 2);
    EXPECT_EQ(FlagTable().NameOf('D'), "Source 3");
    std::vector<std::string> names;
    EXPECT_EQ(FlagTable().FillEnabled(names), 2);
    EXPECT_EQ(names, (std::vector<std::string> { "Source 0", "Source 3", "Source 5" }));

    FlagTable().Free();
    Feed(FlagTable(), 116, Num(1, 8) + "AxN" + Pad("Only", 30) + "1");
    names.clear();
    EXPECT_EQ(FlagTable().FillList(names), 0) << "no enabled record";
    EXPECT_EQ(names, std::vector<std::string> { "Only" });
}

TEST_F(SmallTables, ScheduleUpdatesInPlaceAndAppendsNewEvents)
{
    Feed(InstrumentTable(), 21, MarketRecord(1, "INS1", "Shares", 'A', true));
    SecuritySpec spec;
    AddSecurity(spec);
    auto event = [](long long seq, const std::string& code, const std::string& time, char pending) {
        return Num(seq, 10) + Pad(code, 12) + time + "07" + Pad("OPEN", 12) + "BRD1" + "INS1" + "INSTR0000001"
            + std::string(1, pending) + "1";
    };
    EXPECT_EQ(ScheduleTable().Load(), 1);
    Feed(ScheduleTable(), 85, event(1, "EV1", "090000", 'Y'));
    Feed(ScheduleTable(), 85, event(2, "EV2", "100000", 'N'));
    Feed(ScheduleTable(), 85, event(3, "EV1", "093000", 'N'));
    Feed(ScheduleTable(), 26, event(4, "EV3", "110000", 'N'));
    Feed(ScheduleTable(), 91, event(5, "EV4", "120000", 'N'));
    ASSERT_EQ(ScheduleTable().GetCount(), 2);
    const ScheduleRec& first = *ScheduleTable().GetRec(0);
    EXPECT_STREQ(first.szTime, "093000");
    EXPECT_EQ(first.time.GetMinute(), 30);
    EXPECT_EQ(first.nPriority, 7);
    EXPECT_STREQ(first.szTransition, "OPEN");
    EXPECT_STREQ(first.szBoardName, "Main board");
    EXPECT_STREQ(first.szInstrumentName, "Shares");
    EXPECT_STREQ(first.szSecurityName, "SEC1");
    EXPECT_STREQ(first.szPending, "No");
    EXPECT_EQ(first.nSecondFlag, 1);
    EXPECT_STREQ(ScheduleTable().GetRec(1)->szPending, "No");
    EXPECT_STREQ(ScheduleTable().m_szSeqNum, "0000000003");
}

TEST_F(SmallTables, LastTradesTrimToTheLimitAndRebuildTheWindows)
{
    SecuritySpec spec;
    AddSecurity(spec);
    Feed(FlagTable(), 116, Num(1, 8) + "XxY" + Pad("Continuous", 30) + "1");
    Heard heard;
    CTable118& trades = LastTradeTable();
    KvAppSettings().nLastTrades = 50;
    for (int i = 1; i <= 53; ++i)
        Feed(trades, 118, Trade(i, i * 10, SecurityCode(spec), 1000 + i, i == 53));
    trades.OnPostReceive();
    ASSERT_EQ(trades.GetCount(), 50);
    EXPECT_EQ(trades.GetRec(0)->nTradeNo, 40u);
    EXPECT_EQ(trades.LastBatchDrops(), 3);
    EXPECT_EQ(heard.heard, (std::vector<Heard::Update> { { 30, false, {} }, { 38, false, {} } }));

    const LastTradeRec& last = *trades.GetRec(49);
    EXPECT_STREQ(last.szShortName, "SEC1");
    EXPECT_STREQ(last.szBoardName, "Main board");
    EXPECT_STREQ(last.szSourceName, "Continuous");
    EXPECT_DOUBLE_EQ(last.dPrice, 10.53);
    EXPECT_DOUBLE_EQ(last.dValue, 1053.0);
    EXPECT_DOUBLE_EQ(last.dQuantity, 100.0);
    EXPECT_DOUBLE_EQ(last.dSecondAmount, 1.5);
    EXPECT_EQ(last.dtTrade.GetSecond(), 12);
    EXPECT_EQ(last.dtSecond.GetDay(), 14);
    EXPECT_STREQ(last.szParty1, "FIRM1");
    EXPECT_STREQ(last.szParty2, "FIRM2");

    // A known older trade is replaced in place; an unknown older one is dropped.
    heard.heard.clear();
    Feed(trades, 118, Trade(60, 90, SecurityCode(spec), 2000));
    Feed(trades, 118, Trade(61, 95, SecurityCode(spec), 3000));
    trades.OnPostReceive();
    EXPECT_EQ(trades.GetCount(), 50);
    EXPECT_DOUBLE_EQ(trades.GetRec(5)->dPrice, 20.0);
    EXPECT_EQ(trades.LastBatchDrops(), 0);
    EXPECT_EQ(heard.heard, (std::vector<Heard::Update> { { 30, true, { 5 } }, { 38, true, { 5 } } }));

    // No limit keeps every trade; an unknown security leaves the names empty.
    KvAppSettings().nLastTrades = 0;
    Feed(trades, 118, Trade(62, 1000, "0BRD9NOSUCHSEC000", 5));
    EXPECT_EQ(trades.GetCount(), 51);
    EXPECT_STREQ(trades.GetRec(50)->szShortName, "");
    EXPECT_DOUBLE_EQ(trades.GetRec(50)->dPrice, 5.0);
}

TEST_F(SmallTables, LastTradesSubscribeAfterTheirStart)
{
    EXPECT_EQ(LastTradeTable().UpdateReq(), 0);
    LastTradeTable().Load();
    app.CollectAllRequests();
    ASSERT_TRUE(VORLInfoReqEnd());
    EXPECT_EQ(Keys(118), std::vector<std::string> { "TRADER01    0000000000000000000000 " });
}

} // namespace
