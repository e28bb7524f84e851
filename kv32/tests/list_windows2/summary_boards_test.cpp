// The summary window's request cycle and its rows by sector with their total,
// and the boards, markets and instruments windows: their status columns,
// which of Suspend and Unsuspend the status allows in both languages, and the
// 19-byte suspension records for one or several entries.
#include "list_windows2/market_fixture.h"

#include "fw/core/archive.h"
#include "kv32/lists/boards_list.h"
#include "kv32/lists/summary_list.h"
#include "kv32/res/market_window_strings.h"
#include "kv32/shell/session.h"
#include "kv32/windows/boards_view.h"
#include "kv32/windows/summary_view.h"
#include "kvcore/app/app_core_base.h"
#include "kvcore/app/profile_settings.h"

namespace {

using namespace kv32test;

std::string Digits(long long value, int width)
{
    std::string text = std::to_string(value);
    return std::string(static_cast<std::size_t>(width) - text.size(), '0') + text;
}

struct SumFigures {
    long long orders = 0, trades = 0, volume = 0, value = 0, up = 0, down = 0, same = 0, open = 0;
};

// An 89-byte reply record of request 27.
std::string SumRecord(const std::string& sector, const SumFigures& f, const std::string& board = "BRD1",
    const std::string& market = "MKT1", bool last = false)
{
    std::string pad4 = sector;
    pad4.resize(4, ' ');
    std::string m = market, b = board;
    m.resize(4, ' ');
    b.resize(4, ' ');
    return "00000001" + pad4 + m + b + Digits(f.orders, 6) + Digits(f.trades, 6) + Digits(f.volume, 16)
        + Digits(f.value, 16) + Digits(f.up, 6) + Digits(f.down, 6) + Digits(f.same, 6) + Digits(f.open, 6)
        + (last ? "1" : "0");
}

class SummaryWindow : public MarketWindows {
protected:
    void SetUp() override
    {
        MarketWindows::SetUp();
        Feed(SectorTable(), CSectorTable::kRequest, SectorRecord(1, "BNK", "Banks"));
        Feed(SectorTable(), CSectorTable::kRequest, SectorRecord(2, "ENR", "Energy"));
        MarketTable().m_nCurrent = 0;
        BoardTable().m_nCurrent = 0;
    }
    std::vector<std::string> Names(const CSumDoc& doc) const
    {
        std::vector<std::string> names;
        for (int i = 0; i < doc.GetRowCount(); ++i)
            names.push_back(doc.GetSummaryRow(i)->szName);
        return names;
    }
    static double Value(const CSumDoc& doc, int row, int figure)
    {
        return doc.GetSummaryRow(row)->aValues[figure];
    }
    std::vector<std::string> Collect()
    {
        router->ClearRecord();
        app->CollectAllRequests();
        VORLInfoReqEnd();
        const std::vector<std::string> sent = Sent(27);
        std::vector<Msg> ends(router->Requests().size(), End());
        router->Reply(ends);
        app->VORLInfoReqRecv();
        return sent;
    }
};

TEST_F(SummaryWindow, AsksEveryCycleWithItsTwentyOneByteKey)
{
    iSumInfoCycle = 10;
    auto* doc = dynamic_cast<CSumDoc*>(app->OpenTable(7, true, true, nullptr));
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(doc->title(), "Summary Equities/Main board");
    EXPECT_EQ(Collect(), (std::vector<std::string> { std::string("TRADER01    00000000") + '\0' }));
    clock.advance(9000);
    EXPECT_TRUE(Collect().empty()) << "9 s after the last request";
    clock.advance(1000);
    EXPECT_EQ(Collect().size(), 1u) << "10 s after it";
    // The same market and board find this window again.
    EXPECT_EQ(app->OpenTable(7, true, true, nullptr), doc);
}

TEST_F(SummaryWindow, SectorRowsAndTheirTotal)
{
    CSumDoc doc;
    doc.m_nMarket = doc.m_nBoard = 0;
    struct Step {
        const char* name;
        std::string record;
        std::vector<std::string> rows;
        double totalOrders;
    };
    const Step steps[] = {
        { "the first sector and its total", SumRecord("BNK", { 10, 2, 500, 7000, 1, 1, 0, 8 }), { "Banks", "Total" }, 10 },
        { "a new sector takes the total's place", SumRecord("ENR", { 5, 1, 100, 900, 0, 1, 0, 4 }),
            { "Banks", "Energy", "Total" }, 15 },
        { "the same figures change nothing", SumRecord("BNK", { 10, 2, 500, 7000, 1, 1, 0, 8 }),
            { "Banks", "Energy", "Total" }, 15 },
        { "changed figures overwrite the row", SumRecord("BNK", { 12, 2, 500, 7000, 1, 1, 0, 8 }),
            { "Banks", "Energy", "Total" }, 17 },
        { "another board", SumRecord("ENR", { 99, 1, 1, 1, 1, 1, 1, 1 }, "BRD2"), { "Banks", "Energy", "Total" }, 17 },
        { "another market", SumRecord("ENR", { 99, 1, 1, 1, 1, 1, 1, 1 }, "BRD1", "MKT2"),
            { "Banks", "Energy", "Total" }, 17 },
        { "an unknown sector goes by its code", SumRecord("ZZ1", { 1, 0, 0, 0, 0, 0, 0, 0 }),
            { "Banks", "Energy", "ZZ1", "Total" }, 18 },
        { "a second unknown sector does not merge", SumRecord("ZZ2", { 1, 0, 0, 0, 0, 0, 0, 0 }),
            { "Banks", "Energy", "ZZ1", "ZZ2", "Total" }, 19 },
        { "a short record", SumRecord("ZZ3", { 1 }).substr(0, 88), { "Banks", "Energy", "ZZ1", "ZZ2", "Total" }, 19 },
        { "a figure that is no number", SumRecord("ZZ3", { 1 }).replace(22, 2, "x1"),
            { "Banks", "Energy", "ZZ1", "ZZ2", "Total" }, 19 },
    };
    for (const Step& s : steps) {
        doc.TakeRecord(s.record);
        EXPECT_EQ(Names(doc), s.rows) << s.name;
        EXPECT_DOUBLE_EQ(Value(doc, doc.GetRowCount() - 1, 0), s.totalOrders) << s.name;
    }
    EXPECT_DOUBLE_EQ(Value(doc, 4, 3), 7900) << "the total's value";
    EXPECT_EQ(doc.m_szNextKey, "00000000");

    // The total row goes by the current language's name.
    fw::setLanguage(fw::Language::Hungarian);
    CSumDoc hu;
    hu.m_nMarket = hu.m_nBoard = 0;
    hu.TakeRecord(SumRecord("BNK", { 1 }));
    hu.TakeRecord(SumRecord("BNK", { 2 }));
    ASSERT_EQ(hu.GetRowCount(), 2);
    EXPECT_EQ(std::string(hu.GetSummaryRow(1)->szName), "\xD6sszes");
    EXPECT_DOUBLE_EQ(Value(hu, 1, 0), 2);
}

TEST_F(SummaryWindow, AStoredBoardBeyondTheTableOpensOnTheFirstMarketAndBoard)
{
    CSumDoc stored;
    stored.m_nMarket = 0;
    stored.m_nBoard = 7;
    fw::Archive store;
    stored.Serialize(store);
    CSumDoc loaded;
    loaded.m_nMarket = loaded.m_nBoard = 3;
    fw::Archive load(store.bytes());
    loaded.Serialize(load);
    EXPECT_EQ(loaded.m_nMarket, 0);
    EXPECT_EQ(loaded.m_nBoard, 0);
}

TEST(StateSuspendText, NineteenBytesWithOperatorNotifyAndDisplayType)
{
    ScriptedRouter router("TRADER01");
    struct Case {
        char op;
        const char* code;
        bool notify;
        char display;
        std::string text;
    };
    const Case cases[] = {
        { 5, "BRD1", true, 'P', std::string("TRADER01    \x05") + "BRD1YP" },
        { 1, "MKT1", false, 'P', std::string("TRADER01    \x01") + "MKT1NP" },
        { 3, "INS", true, ' ', std::string("TRADER01    \x03") + "INS Y " },
        { 6, "TOOLONG", true, ' ', "" },
    };
    for (const Case& c : cases) {
        const std::string text = BuildStateSuspendText(c.op, c.code, c.notify, c.display);
        EXPECT_EQ(text, c.text) << c.code;
        if (!c.text.empty()) {
            EXPECT_EQ(text.size(), 19u);
        }
    }
}

TEST(StateCommands, SuspendAndUnsuspendFollowTheStatusTextInBothLanguages)
{
    struct Case {
        fw::Language language;
        const char* status;
        bool suspend, unsuspend;
    };
    const Case cases[] = {
        { fw::Language::English, "A", true, false },
        { fw::Language::English, "S", false, true },
        { fw::Language::Hungarian, "A", true, false },
        { fw::Language::Hungarian, "F", false, true },
        { fw::Language::Hungarian, "S", false, false },
        { fw::Language::English, "", false, false },
    };
    for (const Case& c : cases) {
        fw::setLanguage(c.language);
        EXPECT_EQ(StateCommandAllowed(true, c.status), c.suspend) << c.status;
        EXPECT_EQ(StateCommandAllowed(false, c.status), c.unsuspend) << c.status;
    }
    EXPECT_FALSE(StateCommandAllowed(true, nullptr));
    fw::setLanguage(fw::Language::English);
}

TEST_F(MarketWindows, BoardsSuspendOneOrSeveralAndMarketsTheirOwn)
{
    Feed(BoardTable(), 22, BoardRecord(3, "BRD3", "Third board", 'S'));
    auto* boards = Open<CStateListView>(2);
    ASSERT_NE(boards, nullptr);
    EXPECT_EQ(boards->GetDocument()->title(), "Boards");
    EXPECT_EQ(boards->GetDocument()->GetRowCount(), 3);
    EXPECT_EQ(boards->GetDocument()->GetColumnTitle(1), "Board");
    Select(*boards, { 2 });
    EXPECT_FALSE(Enabled(*boards, ID_MW_SUSPEND_BOARD)) << "suspended";
    EXPECT_TRUE(Enabled(*boards, ID_MW_UNSUSPEND_BOARD));
    EXPECT_FALSE(Enabled(*boards, ID_MW_SUSPEND_MARKET)) << "another window's command";
    EXPECT_TRUE(Enabled(*boards, ID_MW_BOARD_METHODS));

    int answer = 0;
    router->AnswerWith([&](const std::vector<Msg>&) {
        return std::vector<Msg> { { 193, WithZero("ok " + std::to_string(answer++)) } };
    });
    KvDisplayType() = 'P';
    Select(*boards, { 1, 0 });
    boards->routeCommand(ID_MW_SUSPEND_BOARD);
    EXPECT_EQ(Sent(142), (std::vector<std::string> { std::string("TRADER01    \x05") + "BRD1YP",
                             std::string("TRADER01    \x05") + "BRD2YP" }));
    ASSERT_EQ(RepliesTable().GetCount(), 2);
    EXPECT_STREQ(RepliesTable().GetRec(1)->szIdentifier, "Second board");
    EXPECT_STREQ(RepliesTable().GetRec(1)->szMessage, "ok 1");

    // One market, the notify flag off: one record, no replies lines.
    CSession notifying("TRADER01");
    notifying.m_bSuspendNotify = 0;
    ps = &notifying;
    router->ClearRecord();
    RepliesTable().Free();
    auto* markets = Open<CStateListView>(3);
    ASSERT_NE(markets, nullptr);
    Select(*markets, { 0 });
    EXPECT_TRUE(Enabled(*markets, ID_MW_SUSPEND_MARKET));
    markets->routeCommand(ID_MW_SUSPEND_MARKET);
    ps = &session;
    KvDisplayType() = ' ';
    EXPECT_EQ(Sent(142), (std::vector<std::string> { std::string("TRADER01    \x01") + "MKT1NP" }));
    EXPECT_EQ(RepliesTable().GetCount(), 0);

    // An empty table: both off.
    auto* instruments = Open<CStateListView>(5);
    ASSERT_NE(instruments, nullptr);
    EXPECT_FALSE(Enabled(*instruments, ID_MW_SUSPEND_INSTRUMENT));
    EXPECT_FALSE(Enabled(*instruments, ID_MW_UNSUSPEND_INSTRUMENT));
}

} // namespace
