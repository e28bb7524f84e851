// The security positions windows of a firm (14) and of a trading account
// (39): their golden requests, reply records filling the row of their
// security, a security twice in one reply giving one row, short records
// left out, the averages, and the windows opened in the program.
#include "kv32/lists/cash_positions_list.h"
#include "kv32/lists/position_lists.h"
#include "kv32/res/list_window_strings.h"
#include "kv32/shell/session.h"
#include "kv32/windows/position_views.h"
#include "kvcore/frame/main_frame_core.h"
#include "list_fixture.h"

namespace {

using namespace kv32test;

std::string Number(long long value)
{
    char text[24];
    std::snprintf(text, sizeof text, "%016lld", value);
    return text;
}

// Type 45: the sequence number, 12 characters before the instrument, then
// open, current, planned buy, planned sell, buy value, sell value, buy and
// sell quantity and the multiplier.
std::string FirmPosition(const char* seq, const char* code, long long buyValue, long long sellValue, long long buyQty,
    long long sellQty, long long multiplier)
{
    return std::string(seq) + Padded("", 12) + Padded(code, 12) + Number(1000) + Number(900) + Number(10)
        + Number(20) + Number(buyValue) + Number(sellValue) + Number(buyQty) + Number(sellQty) + Number(multiplier);
}

// Type 126: the sequence number, the instrument, buy and sell value, buy and
// sell quantity, the multiplier.
std::string AccountPosition(const char* seq, const char* code, long long buyValue, long long sellValue,
    long long buyQty, long long sellQty, long long multiplier)
{
    return std::string(seq) + Padded(code, 12) + Number(buyValue) + Number(sellValue) + Number(buyQty)
        + Number(sellQty) + Number(multiplier);
}

class Positions : public ListWindows {
protected:
    void SetUp() override
    {
        ListWindows::SetUp();
        own = std::make_unique<CSession>("TRADER01");
        own->m_sUserFirm = "FIRM1";
        ps = own.get();
    }
    void TearDown() override
    {
        app->CloseAllDocuments();
        ps = &session;
        own.reset();
        ListWindows::TearDown();
    }
    std::string Requested(CRequestDoc& doc)
    {
        router->ClearRecord();
        if (doc.UpdateReq() == 0)
            return {};
        ScriptedRouter::Reply({ End() });
        VORLInfoReqEnd();
        VORLInfoReqRecv();
        const std::vector<Msg> sent = router->Requests();
        return sent.empty() ? std::string() : std::to_string(sent[0].type) + ":" + sent[0].bytes;
    }
    std::unique_ptr<CSession> own;
};

TEST_F(Positions, GoldenRequests)
{
    CCurPosSecsDoc firm;
    EXPECT_EQ(Requested(firm), "45:TRADER01    0000000000FIRM1                   ") << "the user's own firm";
    EXPECT_EQ(Requested(firm).size(), 3u + 46u);
    CTrdAccSummDoc account;
    account.Criteria().m_strFirm = "FIRM2";
    account.Criteria().m_strAccount = "ACC7";
    account.TakeFilter();
    EXPECT_EQ(Requested(account), "126:TRADER01    0000000000FIRM2       ACC7        ");
    account.Criteria().m_strAccount = std::string(13, 'A');
    account.TakeFilter();
    EXPECT_EQ(Requested(account), "") << "an account wider than its field asks nothing";
}

TEST_F(Positions, RepliesFillTheRowOfTheirSecurity)
{
    CCurPosSecsDoc doc;
    Feed(doc, 45, FirmPosition("0000000003", "INSTR0000001", 1000000, 250000, 100, 50, 1));
    Feed(doc, 45, FirmPosition("0000000004", "UNKNOWN", 5000, 0, 0, 10, 1));
    Feed(doc, 45, FirmPosition("0000000005", "INSTR0000001", 2000000, 500000, 200, 50, 1)); // twice in the batch
    Feed(doc, 45, FirmPosition("0000000006", "SHORT", 1, 2, 3, 4, 5).substr(0, 100));
    doc.OnPostReceive();
    ASSERT_EQ(doc.GetRowCount(), 2);
    // Sorted by short name: "ALFA" before the unknown instrument shown by its code.
    const KvSecPositionRow* alfa = doc.Row(0);
    const KvSecPositionRow* unknown = doc.Row(1);
    EXPECT_STREQ(alfa->szShortName, "ALFA");
    EXPECT_STREQ(unknown->szShortName, "UNKNOWN");
    EXPECT_DOUBLE_EQ(static_cast<double>(alfa->dOpen), 1000);
    EXPECT_DOUBLE_EQ(static_cast<double>(alfa->dNettQty), 150);
    EXPECT_DOUBLE_EQ(static_cast<double>(alfa->dNettValue), -1500000);
    EXPECT_EQ(doc.SeqNum(), "0000000005");

    struct Case {
        const char* what;
        long long buyValue, sellValue, buyQty, sellQty, multiplier;
        double buyWap, sellWap, wap;
        unsigned decimals;
    };
    const Case cases[] = {
        { "plain", 123450, 60000, 100, 50, 10, 123.45, 120, 126.9, 4 },
        { "no buy quantity", 0, 60000, 0, 50, 10, 0, 120, 120, 4 },
        { "sign of the netts dropped", 100000, 0, 0, 40, 5, 0, 0, 500, 4 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        KvSecPositionRow row;
        std::snprintf(row.szCode, sizeof row.szCode, "INSTR0000001");
        KvSetPositionFigures(row, CDouble(c.buyValue, 0), CDouble(c.sellValue, 0), CDouble(c.buyQty, 0),
            CDouble(c.sellQty, 0), CDouble(c.multiplier, 0));
        EXPECT_NEAR(static_cast<double>(row.dBuyWap), c.buyWap, 1e-9);
        EXPECT_NEAR(static_cast<double>(row.dSellWap), c.sellWap, 1e-9);
        EXPECT_NEAR(static_cast<double>(row.dWap), c.wap, 1e-3);
        EXPECT_EQ(row.dWap.GetDecimal(), c.decimals) << "price decimals + 2";
    }
    // Multiplier 0 leaves the averages as they were; an unknown instrument has 2 decimals.
    KvSecPositionRow row;
    std::snprintf(row.szCode, sizeof row.szCode, "NOSUCH");
    KvSetPositionFigures(row, CDouble(100, 0), CDouble(0, 0), CDouble(10, 0), CDouble(0, 0), CDouble(1, 0));
    EXPECT_EQ(row.dBuyWap.GetDecimal(), 2u);
    EXPECT_DOUBLE_EQ(static_cast<double>(row.dBuyWap), 10);
    KvSetPositionFigures(row, CDouble(900, 0), CDouble(0, 0), CDouble(10, 0), CDouble(0, 0), CDouble(0, 0));
    EXPECT_DOUBLE_EQ(static_cast<double>(row.dBuyWap), 10);
    EXPECT_DOUBLE_EQ(static_cast<double>(row.dBuyValue), 900);
}

TEST_F(Positions, WindowsInTheProgram)
{
    CTDoc* firm = app->OpenTable(14, true, true, nullptr);
    ASSERT_NE(dynamic_cast<CCurPosSecsDoc*>(firm), nullptr);
    EXPECT_NE(dynamic_cast<CCurPosSecsView*>(firm->firstView()), nullptr);
    auto* doc = dynamic_cast<CCurPosSecsDoc*>(firm);
    doc->SetFirm("FIRM1");
    Feed(*doc, 45, FirmPosition("0000000001", "INSTR0000001", 1000, 0, 10, 0, 1));
    doc->OnPostReceive();
    EXPECT_EQ(firm->GetRowCount(), 1);
    EXPECT_EQ(firm->GetColumnTitle(1), "Security");
    const std::string key = "FIRM1";
    EXPECT_EQ(app->OpenTable(14, true, true, const_cast<std::string*>(&key)), firm) << "the same firm's window";
    // Trading Accounts opens that window for the current security.
    auto* view = dynamic_cast<CCurPosSecsView*>(firm->firstView());
    ASSERT_NE(view, nullptr);
    fw::CmdUI before(ID_POSITION_TRADING_ACCOUNTS);
    view->routeUpdate(before);
    EXPECT_FALSE(before.enabled()) << "no current row";
    view->setCurrentCell(1, 1);
    fw::CmdUI ui(ID_POSITION_TRADING_ACCOUNTS);
    view->routeUpdate(ui);
    EXPECT_TRUE(ui.enabled());
    view->routeCommand(ID_POSITION_TRADING_ACCOUNTS);
    auto* accounts = dynamic_cast<CTrAccDoc*>(app->GetFirstDoc(15));
    ASSERT_NE(accounts, nullptr);
    EXPECT_EQ(accounts->Security(), "INSTR0000001");
    EXPECT_EQ(accounts->title(), "Trading Accounts ALFA");

    CTDoc* first = app->OpenTable(39, true, true, nullptr);
    CTDoc* second = app->OpenTable(39, true, true, nullptr);
    ASSERT_NE(dynamic_cast<CTrdAccSummDoc*>(first), nullptr);
    EXPECT_NE(first, second) << "every opening a window of its own";
    auto* account = dynamic_cast<CTrdAccSummDoc*>(first);
    account->Criteria().m_strFirm = "FIRM1";
    account->Criteria().m_strAccount = "ACC1";
    account->TakeFilter();
    Feed(*account, 126, AccountPosition("0000000002", "INSTR0000001", 12345, 0, 10, 0, 1));
    account->OnPostReceive();
    EXPECT_EQ(first->GetRowCount(), 1);
    EXPECT_EQ(first->title().rfind("Trading Account Security Position ACC1 - ", 0), 0u) << first->title();
    EXPECT_TRUE(boxes.empty());
}

// Type 47: the sequence number, the account, 12 characters, the depository
// account, the position mark, 11 characters, then open, current (11 each),
// planned buy and planned sell (10 each).
std::string AccountCash(const char* seq, const char* account, char mark, long long open, long long current)
{
    char numbers[64];
    std::snprintf(numbers, sizeof numbers, "%011lld%011lld%010d%010d", open, current, 5, 6);
    return std::string(seq) + Padded(account, 12) + Padded("", 12) + Padded(std::string("DEP-") + account, 12) + mark
        + Padded("", 11) + numbers;
}

TEST_F(Positions, TradingAccountsAskEachOwnAccountAndShowThemInOrder)
{
    own->GetTrAccLocal()->m_entries = { { "ACC3", "Third client" }, { "ACC1", "First client" }, { "ACC2", "" } };
    CTrAccDoc doc;
    doc.SetSecurity("0BRD1INSTR0000001");
    const auto cycle = [&] {
        router->ClearRecord();
        ScriptedRouter::Reply({ End() });
        const int asked = doc.UpdateReq();
        VORLInfoReqEnd();
        VORLInfoReqRecv();
        return asked != 0 ? router->Requests() : std::vector<Msg> {};
    };
    const std::vector<Msg> sent = cycle();
    EXPECT_EQ(doc.RequestsSent(), 3);
    ASSERT_EQ(sent.size(), 3u);
    EXPECT_EQ(sent[0].type, 47);
    EXPECT_EQ(sent[0].bytes, "TRADER01    0000000000ACC3                    INSTR0000001");
    EXPECT_EQ(sent[0].bytes.size(), 58u);

    // Arriving in descending order, shown ascending; '#' is no position.
    Feed(doc, 47, AccountCash("0000000011", "ACC3", ' ', 300, 310));
    Feed(doc, 47, AccountCash("0000000012", "ACC2", '#', 200, 210));
    Feed(doc, 47, AccountCash("0000000013", "ACC1", ' ', -100, 110));
    doc.OnPostReceive();
    ASSERT_EQ(doc.GetRowCount(), 3);
    EXPECT_STREQ(doc.Row(0)->szAccount, "ACC1");
    EXPECT_STREQ(doc.Row(0)->szClient, "First client");
    EXPECT_STREQ(doc.Row(0)->szDepository, "DEP-ACC1");
    EXPECT_DOUBLE_EQ(static_cast<double>(doc.Row(0)->dOpen), -100);
    EXPECT_DOUBLE_EQ(static_cast<double>(doc.Row(1)->dCurrent), 0) << "no position";
    EXPECT_DOUBLE_EQ(static_cast<double>(doc.Row(2)->dPlannedSell), 6);

    // The next cycle asks each account with its own sequence number and keeps the rows.
    const std::vector<Msg> again = cycle();
    ASSERT_EQ(again.size(), 3u);
    EXPECT_EQ(again[1].bytes.substr(12, 14), "0000000013ACC1");
    Feed(doc, 47, AccountCash("0000000014", "acc1", ' ', 1, 1));
    EXPECT_EQ(doc.GetRowCount(), 4) << "the reply's account is compared exactly";
}

TEST_F(Positions, CashPositionsOpenTheCurrentAccountsPools)
{
    own->GetTrAccLocal()->m_entries = { { "ACC1", "First client" }, { "ACC2", "" } };
    auto* accounts = dynamic_cast<CTrAccDoc*>(app->OpenTable(15, true, true, nullptr));
    ASSERT_NE(accounts, nullptr);
    Feed(*accounts, 47, AccountCash("0000000003", "ACC2", ' ', 250000, 248000));
    Feed(*accounts, 47, AccountCash("0000000004", "ACC1", ' ', -1200, 5300));
    accounts->OnPostReceive();
    auto* view = dynamic_cast<CTrAccView*>(accounts->firstView());
    ASSERT_NE(view, nullptr);
    const auto enabled = [view] {
        fw::CmdUI ui(ID_ACCOUNT_CASH_POSITIONS);
        view->routeUpdate(ui);
        return ui.enabled();
    };
    EXPECT_FALSE(enabled()) << "no current row";
    view->routeCommand(ID_ACCOUNT_CASH_POSITIONS);
    EXPECT_EQ(app->GetFirstDoc(CCurPosDoc::kTableId), nullptr);

    view->setCurrentCell(2, 1);
    EXPECT_FALSE(enabled()) << "no right to ask an account's cash positions";
    Grant(86, 0);
    ASSERT_TRUE(enabled());
    view->routeCommand(ID_ACCOUNT_CASH_POSITIONS);
    auto* cash = dynamic_cast<CCurPosDoc*>(app->GetFirstDoc(CCurPosDoc::kTableId));
    ASSERT_NE(cash, nullptr);
    EXPECT_EQ(cash->Criteria().m_nKind, CCurPosFilter::kTradingAccounts);
    EXPECT_EQ(cash->Criteria().m_strAccount, "ACC2");
    EXPECT_EQ(cash->Criteria().m_strFirm, "FIRM1") << "the user's own firm";
    EXPECT_TRUE(cash->Criteria().m_strUser.empty());
    router->ClearRecord();
    ASSERT_NE(cash->UpdateReq(), 0);
    VORLInfoReqEnd();
    ASSERT_EQ(router->Requests().size(), 1u);
    EXPECT_EQ(router->Requests()[0].type, 86);
    EXPECT_EQ(router->Requests()[0].bytes.substr(22, 24), "ACC2        FIRM1       ");
}

TEST_F(Positions, TheMainFramesOpenersReachTheWindows)
{
    CMainFrameCore* frame = app->GetMainFrame();
    ASSERT_NE(frame, nullptr);
    const auto run = [frame](unsigned id) {
        const fw::CommandMap::Handler* handler = frame->commands().findCommand(id);
        ASSERT_NE(handler, nullptr) << id;
        (*handler)(id);
    };
    run(ID_POSITION_TRADING_ACCOUNTS);
    EXPECT_NE(dynamic_cast<CTrAccDoc*>(app->GetFirstDoc(15)), nullptr);
    // The criteria first; Cancel opens nothing.
    fw::Dialog::setModalHook([](fw::Dialog& d) { d.endDialog(fw::IDCANCEL); });
    run(ID_ACCOUNT_POSITIONS);
    EXPECT_EQ(app->GetFirstDoc(39), nullptr);
    fw::Dialog::setModalHook([](fw::Dialog& d) { d.endDialog(fw::IDOK); });
    run(ID_ACCOUNT_POSITIONS);
    fw::Dialog::setModalHook({});
    auto* summary = dynamic_cast<CTrdAccSummDoc*>(app->GetFirstDoc(39));
    ASSERT_NE(summary, nullptr);
    router->ClearRecord();
    ASSERT_NE(summary->UpdateReq(), 0);
    VORLInfoReqEnd();
    ASSERT_EQ(router->Requests().size(), 1u);
    EXPECT_EQ(router->Requests()[0].bytes.substr(22, 12), "FIRM1       ") << "the user's own firm";
}

TEST_F(Positions, PicturesInBothLanguages)
{
    const char* dirName = std::getenv("KV32_SHOT_DIR");
    own->GetTrAccLocal()->m_entries = { { "ACC1", "First client" }, { "ACC2", "Second client" } };
    for (const auto& [language, suffix] :
        { std::pair { fw::Language::English, "en" }, std::pair { fw::Language::Hungarian, "hu" } }) {
        fw::setLanguage(language);
        auto* firm = dynamic_cast<CCurPosSecsDoc*>(app->OpenTable(14, true, true, nullptr));
        auto* accounts = dynamic_cast<CTrAccDoc*>(app->OpenTable(15, true, true, nullptr));
        auto* summary = dynamic_cast<CTrdAccSummDoc*>(app->OpenTable(39, true, true, nullptr));
        ASSERT_TRUE(firm && accounts && summary);
        firm->SetFirm("FIRM1");
        Feed(*firm, 45, FirmPosition("0000000001", "INSTR0000001", 1234500, 617250, 100, 50, 1));
        Feed(*firm, 45, FirmPosition("0000000002", "INSTR0000009", 98000, 0, 40, 0, 1));
        firm->OnPostReceive();
        Feed(*accounts, 47, AccountCash("0000000003", "ACC2", ' ', 250000, 248000));
        Feed(*accounts, 47, AccountCash("0000000004", "ACC1", ' ', -1200, 5300));
        accounts->OnPostReceive();
        summary->Criteria().m_strFirm = "FIRM1";
        summary->Criteria().m_strAccount = "ACC1";
        summary->TakeFilter();
        Feed(*summary, 126, AccountPosition("0000000005", "INSTR0000001", 1234500, 617250, 100, 50, 1));
        summary->OnPostReceive();
        for (auto [doc, name] : { std::pair<CTDoc*, const char*> { firm, "firm-positions" },
                 { accounts, "trading-accounts" }, { summary, "account-positions" } }) {
            auto* view = dynamic_cast<kvcore::CTGXView*>(doc->firstView());
            ASSERT_NE(view, nullptr);
            view->OnGridSizeToContent();
            view->parentFrame()->resize(1400, 160);
            const QImage image = view->parentFrame()->grab().toImage();
            EXPECT_FALSE(image.isNull());
            if (dirName != nullptr)
                image.save(QDir(dirName).filePath(QStringLiteral("list-%1-%2.png").arg(name, suffix)));
        }
        EXPECT_EQ(firm->GetRowCount(), 2);
        EXPECT_EQ(accounts->GetRowCount(), 2);
        EXPECT_EQ(summary->GetRowCount(), 1);
        app->CloseAllDocuments();
    }
}

} // namespace
