// The trades and negotiated deals windows offscreen in the application: opened
// by table id with the tables' data, coloured and titled, following the
// tables' changes, their commands enabled by the current record and sending
// their records for the selected rows, dialogs of other parts enabled once
// installed, Go To, and pictures of both windows in both languages (written
// to KV32_SHOT_DIR when it is set).
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include <QDir>
#include <QImage>
#include <QPixmap>

#include "fw/core/codepage.h"
#include "fw/core/msgbox.h"
#include "fw/core/strings.h"
#include "fw/test/fwtest.h"
#include "fw/ui/childframe.h"
#include "fw/ui/dialog.h"
#include "kv32/dialogs/amend_dlg.h"
#include "kv32/dialogs/order_info_dlg.h"
#include "kv32/dialogs/withdraw_dlg.h"
#include "kv32/filters/dialogs/filter_dlgs.h"
#include "kv32/dialogs/selection_dlgs.h"
#include "kv32/lists/list_dialogs.h"
#include "kv32/lists/neg_deals_list.h"
#include "kv32/lists/orders_list.h"
#include "kv32/lists/trades_list.h"
#include "kv32/res/list_window_strings.h"
#include "kv32/res/shell_dialog_ids.h"
#include "kv32/shell/app/kv_app.h"
#include "kv32/shell/app_settings.h"
#include "kv32/shell/reply_partners.h"
#include "kv32/tables/all_tables.h"
#include "kv32/trading/active_row.h"
#include "kv32/windows/neg_deals_view.h"
#include "kv32/windows/orders_view.h"
#include "kv32/windows/trades_view.h"
#include "kvcore/app/profile_settings.h"
#include "kvcore/app/session_core.h"
#include "support/scratch_dir.h"
#include "support/scripted_router.h"
#include "support/security_records.h"
#include "support/trading_records.h"

namespace {

using namespace kv32test;

void Feed(CVorlTarget& table, int type, std::string bytes)
{
    tagTMSG m;
    m.nType = type;
    m.nLength = static_cast<int32_t>(bytes.size());
    m.pText = reinterpret_cast<unsigned char*>(bytes.data());
    table.StoreDataItem(&m);
}

std::string Padded(std::string text, std::size_t width)
{
    text.resize(width, ' ');
    return text;
}

std::string WithZero(const std::string& text)
{
    return text + std::string(1, '\0') + "0";
}

class ListWindows : public ::testing::Test {
protected:
    void SetUp() override
    {
        fw::setMessageBoxHook([this](const std::string& text, uint32_t) {
            boxes.push_back(fw::cp1250ToUtf8(text));
            return fw::IDYES;
        });
        dir.Write("kv32.ini", "[general]\nLogoPeriod=0\n");
        app = std::make_unique<CKvApp>();
        app->m_aCommandLine = { "kv32", "/NOCHECKVERSION" };
        ASSERT_TRUE(app->start());
        session.OnNewDocument();
        ps = &session;
        router = std::make_unique<ScriptedRouter>("TRADER01");
        KvSetReplyPartners(nullptr);
        FreeTables();
        Feed(StatusTable(), 115, StatusRecord(1, "001", 'A', "Active", "0110"));
        Feed(BoardTable(), 22, BoardRecord(1, "BRD1", "Main board", 'A'));
        Feed(MarketTable(), 20, MarketRecord(1, "MKT1", "Equities", 'A'));
        SecuritySpec alfa;
        alfa.shortName = "ALFA";
        SecurityTable().DecodeSnapshot(SecuritySnapshot(alfa));
        Feed(FlagTable(), 116, "00000001E Y" + Padded("Electronic", 30) + "0");
        Feed(FlagTable(), 116, "00000002N Y" + Padded("Negotiated deal", 30) + "1");
        // The user may use every command of the two windows.
        for (int type : { 47, 49, 133, 134, 135, 138, 139, 151, 155, 160, 161, 162 })
            Grant(type, 0);
        Grant(142, 53);
    }
    static void Grant(int type, int code)
    {
        RightRec rec { RightTable().GetCount(), type, code, 0 };
        RightTable().AddRec(rec);
    }
    void TearDown() override
    {
        router->AnswerWith(nullptr);
        app->CloseAllDocuments();
        FreeTables();
        router.reset();
        ps = nullptr;
        app->finish();
        app.reset();
        fw::setMessageBoxHook({});
        fw::Dialog::setModalHook({});
        KvAppSettings() = CKvAppSettings();
        fw::setLanguage(fw::Language::English);
        for (unsigned id : { ID_SUMMARY_TRADING_ACCOUNT, ID_LIST_AMEND })
            KvSetCommandDialog(id, nullptr);
    }
    static void FreeTables()
    {
        for (CVorlPermTarget* t : CVorlPermTarget::apPermTargets)
            t->Free();
        for (char* last : { OrderTable().m_szLastOrderNo, TradeTable().m_szLastOrderNo, NegDealTable().m_szLastOrderNo })
            std::memcpy(last, "000000000000", 13);
        OrderTable().m_nMaxOrderNo = 0;
    }
    void Order(long long number, char status, char side = 'B')
    {
        OrderSpec s;
        s.seq = ++seq;
        s.number = number;
        s.status = status;
        s.side = side;
        s.price = 12000 + number;
        Feed(OrderTable(), COrderTable::kRequest, OrderRecord(s));
    }
    void Trade(long long number, char status, long long price = 12345)
    {
        TradeSpec s;
        s.seq = ++seq;
        s.number = number;
        s.status = status;
        s.price = price;
        s.buyOrder = 100 + number;
        s.sellOrder = 200 + number;
        Feed(TradeTable(), CTradeTable::kRequest, TradeRecord(s));
    }
    void Deal(long long number, char status, char side = 'B')
    {
        DealSpec s;
        s.seq = ++seq;
        s.number = number;
        s.status = status;
        s.side = side;
        Feed(NegDealTable(), CNegDealTable::kRequest, DealRecord(s));
    }
    template <class View> View* Open(std::uint32_t id)
    {
        CTDoc* doc = app->OpenTable(id, true, true, nullptr);
        if (doc == nullptr)
            return nullptr;
        auto* view = dynamic_cast<View*>(doc->firstView());
        if (view != nullptr)
            view->parentFrame()->resize(900, 260);
        return view;
    }
    static bool Enabled(CListView& view, unsigned id)
    {
        fw::CmdUI ui(id);
        view.routeUpdate(ui);
        return ui.enabled();
    }
    static void Select(CListView& view, std::initializer_list<int> rows)
    {
        view.clearSelection();
        bool add = false;
        for (int row : rows) {
            view.selectRange({ row + 1, 1, row + 1, 1 }, add);
            add = true;
        }
        view.setCurrentCell(*rows.begin() + 1, 1);
    }
    std::vector<std::string> Sent(int code) const
    {
        std::vector<std::string> texts;
        for (const Msg& m : router->Requests())
            if (m.type == code)
                texts.push_back(m.bytes);
        return texts;
    }

    kvtest::ScratchIniDir dir;
    fw::test::ManualClock clock;
    CSessionCore session;
    std::unique_ptr<CKvApp> app;
    std::unique_ptr<ScriptedRouter> router;
    std::vector<std::string> boxes;
    long long seq = 0;
};

TEST_F(ListWindows, TradesWindowShowsTheTableAndFollowsItsChanges)
{
    Trade(1, 'M');
    Trade(2, 'W');
    Trade(3, 'U');
    auto* view = Open<CTradesView>(9);
    ASSERT_NE(view, nullptr);
    auto* doc = dynamic_cast<CTradesDoc*>(view->GetDocument());
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(doc->title(), "Trades - 3");
    EXPECT_EQ(view->model().rowCount(), 3);
    // A second opening makes a second window.
    CTDoc* second = app->OpenTable(9, true, true, nullptr);
    EXPECT_NE(second, doc);
    second->onCloseDocument();

    Trade(4, 'M');
    Trade(2, 'M'); // in place
    TradeTable().OnPostReceive();
    EXPECT_EQ(doc->title(), "Trades - 4");
    EXPECT_STREQ(doc->GetRowRecord(1)->szStatus, "Matched");
    EXPECT_EQ(doc->GetRowRecord(3)->nTradeNo, 4u);
    EXPECT_TRUE(boxes.empty());
}

TEST_F(ListWindows, TradeCommandsFollowTheCurrentTradeAndSendForEverySelectedOne)
{
    Trade(11, 'M');
    Trade(12, 'P');
    Trade(13, 'M');
    auto* view = Open<CTradesView>(9);
    ASSERT_NE(view, nullptr);
    EXPECT_FALSE(Enabled(*view, ID_TRADE_REQUEST_CANCEL)) << "no current trade";
    Select(*view, { 0 });
    EXPECT_TRUE(Enabled(*view, ID_TRADE_REQUEST_CANCEL));
    EXPECT_FALSE(Enabled(*view, ID_TRADE_CONFIRM_CANCEL));
    EXPECT_TRUE(Enabled(*view, ID_TRADE_OPERATOR_CANCEL));
    EXPECT_FALSE(Enabled(*view, ID_SUMMARY_TRADING_ACCOUNT)) << "its dialog is not there";
    Select(*view, { 1 });
    EXPECT_FALSE(Enabled(*view, ID_TRADE_REQUEST_CANCEL)) << "pending";

    // A dialog that other parts provide enables its command once installed.
    int summaries = 0;
    KvSetCommandDialog(ID_SUMMARY_TRADING_ACCOUNT, [&](int) { return ++summaries; });
    EXPECT_TRUE(Enabled(*view, ID_SUMMARY_TRADING_ACCOUNT));
    view->routeCommand(ID_SUMMARY_TRADING_ACCOUNT);
    EXPECT_EQ(summaries, 1);
    // The order summary shows the orders of the current trade of the window in front.
    EXPECT_EQ(KvActiveListRow()->TableId(), 9u);
    EXPECT_EQ(KvActiveListRow()->RecordIndex(), 1);
    bool shown = false;
    fw::Dialog::setModalHook([&](fw::Dialog& d) {
        shown = dynamic_cast<COrderInfoDlg*>(&d) != nullptr;
        d.endDialog(fw::IDCANCEL);
    });
    EXPECT_TRUE(Enabled(*view, ID_SUMMARY_ORDER));
    view->routeCommand(ID_SUMMARY_ORDER);
    EXPECT_TRUE(shown);
    fw::Dialog::setModalHook({});

    // Three selected trades: three records; the answers on their replies lines.
    int asked = 0;
    router->AnswerWith([&](const std::vector<Msg>&) {
        return std::vector<Msg> { { 193, WithZero("answer " + std::to_string(asked++)) } };
    });
    Select(*view, { 2, 0, 1 });
    view->routeCommand(ID_TRADE_OPERATOR_CANCEL);
    EXPECT_EQ(Sent(142), (std::vector<std::string> { "TRADER01    5000000000011", "TRADER01    5000000000012",
                             "TRADER01    5000000000013" }));
    ASSERT_EQ(RepliesTable().GetCount(), 3);
    EXPECT_STREQ(RepliesTable().GetRec(1)->szIdentifier, "          12");
    EXPECT_STREQ(RepliesTable().GetRec(1)->szMessage, "answer 1");
    EXPECT_EQ(fMulti, 0);

    // One selected trade: one record and the host's answer in a box.
    router->ClearRecord();
    Select(*view, { 0 });
    view->routeCommand(ID_TRADE_REQUEST_CANCEL);
    EXPECT_EQ(Sent(151), (std::vector<std::string> { "TRADER01    000000000011" }));
    EXPECT_EQ(RepliesTable().GetCount(), 3) << "the replies stay as they were";
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0], "answer 3");
}

TEST_F(ListWindows, GoToSelectsTheRowOfAShownTradeOnly)
{
    Trade(5, 'M');
    Trade(9, 'M');
    Trade(7, 'M');
    auto* view = Open<CTradesView>(9);
    ASSERT_NE(view, nullptr);
    const auto goTo = [&](const char* number) {
        fw::Dialog::setModalHook([number](fw::Dialog& d) {
            d.userType(IDC_GOTO_TEXT, number);
            d.userClick(fw::kIdOk);
        });
        view->routeCommand(ID_VIEW_GOTO);
        return view->GetDocument()->GetCurrentIndex();
    };
    EXPECT_EQ(goTo("7"), 2);
    EXPECT_EQ(goTo("9"), 1);
    EXPECT_EQ(goTo("8"), 1) << "an unknown trade leaves the selection";
}

TEST_F(ListWindows, DealCommandsAndTheAmendDialogsArgument)
{
    Deal(21, 'O');
    Deal(22, 'U');
    Deal(23, 'M');
    auto* view = Open<CNDealsView>(10);
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->GetDocument()->title(), "Negotiated Deals - 3");
    Select(*view, { 1 });
    EXPECT_TRUE(Enabled(*view, ID_LIST_WITHDRAW)) << "unapproved";
    EXPECT_TRUE(Enabled(*view, ID_DEAL_APPROVE));
    EXPECT_FALSE(Enabled(*view, ID_DEAL_CONFIRM));
    EXPECT_FALSE(Enabled(*view, ID_LIST_EXPORT)) << "no export form yet";

    std::vector<int> amended;
    KvSetCommandDialog(ID_LIST_AMEND, [&](int matched) {
        amended.push_back(matched);
        return fw::IDOK;
    });
    Select(*view, { 0 });
    EXPECT_TRUE(Enabled(*view, ID_LIST_AMEND));
    view->routeCommand(ID_LIST_AMEND);
    Select(*view, { 2 });
    EXPECT_FALSE(Enabled(*view, ID_LIST_AMEND)) << "matched";
    EXPECT_EQ(amended, (std::vector<int> { 0 }));

    // Withdraw asks first when the user wants confirmations.
    session.m_bConfirm = 1;
    router->AnswerWith([](const std::vector<Msg>&) { return std::vector<Msg> { { 193, WithZero("ok") } }; });
    Select(*view, { 0, 1 });
    view->routeCommand(ID_LIST_WITHDRAW);
    EXPECT_EQ(Sent(139), (std::vector<std::string> { "TRADER01    000000000021                        ",
                             "TRADER01    000000000022                        " }));
    ASSERT_FALSE(boxes.empty());
    EXPECT_EQ(boxes[0], "Do you really want to withdraw one or more orders?");
    view->routeCommand(ID_DEAL_APPROVE);
    EXPECT_EQ(Sent(135).size(), 2u);
}

// Which dialog a command opened; the dialog is closed at once.
template <class Dlg> bool Opens(CListView& view, unsigned id)
{
    bool opened = false;
    fw::Dialog::setModalHook([&](fw::Dialog& d) {
        opened = dynamic_cast<Dlg*>(&d) != nullptr;
        d.endDialog(fw::IDCANCEL);
    });
    view.routeCommand(id);
    fw::Dialog::setModalHook({});
    return opened;
}

TEST_F(ListWindows, OrdersWindowAmendsWithdrawsAndApproves)
{
    Order(41, 'O');
    Order(42, 'U');
    Order(43, 'M');
    Order(44, 'U', 'S');
    auto* view = Open<COrdersView>(8);
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->GetDocument()->title(), "Orders - 4");
    Select(*view, { 2 });
    EXPECT_FALSE(Enabled(*view, ID_LIST_AMEND)) << "matched";
    EXPECT_FALSE(Enabled(*view, ID_LIST_WITHDRAW));
    EXPECT_TRUE(Enabled(*view, ID_ORDER_WITHDRAW_ALL));
    Select(*view, { 0 });
    EXPECT_TRUE(Enabled(*view, ID_LIST_AMEND));
    EXPECT_FALSE(Enabled(*view, ID_ORDER_APPROVE));
    EXPECT_TRUE(Opens<CAmendDlg>(*view, ID_LIST_AMEND));
    EXPECT_TRUE(Opens<CWithdrawDlg>(*view, ID_LIST_WITHDRAW)) << "one order: the withdraw dialog";
    EXPECT_TRUE(router->Requests().empty());

    router->AnswerWith([](const std::vector<Msg>& request) {
        return std::vector<Msg> { { 193, WithZero("done " + request.front().bytes.substr(12, 12)) } };
    });
    // Several orders: one withdrawal each, answered on their replies lines.
    Select(*view, { 3, 0, 1 });
    view->routeCommand(ID_LIST_WITHDRAW);
    const std::vector<std::string> withdrawn = Sent(138);
    ASSERT_EQ(withdrawn.size(), 3u);
    for (std::size_t i = 0; i < withdrawn.size(); ++i) {
        EXPECT_EQ(withdrawn[i].size(), 105u);
        EXPECT_EQ(withdrawn[i].substr(12, 14), "A 0000000000" + std::to_string(i == 2 ? 44 : 41 + i));
        EXPECT_EQ(withdrawn[i].substr(57, 16), "BRD1INSTR0000001");
    }
    ASSERT_EQ(RepliesTable().GetCount(), 3);
    EXPECT_STREQ(RepliesTable().GetRec(2)->szIdentifier, "          44");
    EXPECT_STREQ(RepliesTable().GetRec(2)->szMessage, "done A 0000000000");

    // Approve the unapproved ones.
    router->ClearRecord();
    Select(*view, { 1, 3 });
    EXPECT_TRUE(Enabled(*view, ID_ORDER_APPROVE));
    view->routeCommand(ID_ORDER_APPROVE);
    EXPECT_EQ(Sent(133), (std::vector<std::string> { "TRADER01    000000000042            ",
                             "TRADER01    000000000044            " }));

    // Today's orders and all orders, asked first.
    router->ClearRecord();
    session.m_bConfirm = 1;
    boxes.clear();
    view->routeCommand(ID_ORDER_WITHDRAW_TODAY);
    view->routeCommand(ID_ORDER_WITHDRAW_ALL);
    const std::vector<std::string> all = Sent(138);
    ASSERT_EQ(all.size(), 2u);
    EXPECT_EQ(all[0], "TRADER01    A" + std::string(60, ' ') + "TODAY   " + std::string(24, ' '));
    EXPECT_EQ(all[1], "TRADER01    A" + std::string(2036, ' '));
    ASSERT_GE(boxes.size(), 2u);
    EXPECT_EQ(boxes[0], "Do you really want to withdraw all today orders?");

    // Go To an order by number.
    fw::Dialog::setModalHook([](fw::Dialog& d) {
        d.userType(IDC_GOTO_TEXT, "43");
        d.userClick(fw::kIdOk);
    });
    view->routeCommand(ID_VIEW_GOTO);
    fw::Dialog::setModalHook({});
    EXPECT_EQ(view->GetDocument()->GetCurrentIndex(), 2);
}

TEST_F(ListWindows, RelatedWindowsOpenWithTheirCriteriaPreset)
{
    for (long long n : { 141, 142, 143, 145 })
        Order(n, n == 142 ? 'M' : 'O');
    for (long long n : { 41, 42, 43, 45, 46 })
        Trade(n, 'M'); // buy order 100 + n
    auto* orders = Open<COrdersView>(8);
    ASSERT_NE(orders, nullptr);
    const std::size_t before = app->GetDocTemplate(9)->documents().size();
    Select(*orders, { 2, 0 }); // orders 143 and 141, out of order
    orders->routeCommand(ID_ORDER_TRADES);
    ASSERT_EQ(app->GetDocTemplate(9)->documents().size(), before + 1);
    auto* trades = dynamic_cast<CTradesDoc*>(app->GetDocTemplate(9)->documents().back().get());
    ASSERT_NE(trades, nullptr);
    ASSERT_EQ(trades->GetRowCount(), 3) << "the trades of orders 141 to 143";
    EXPECT_EQ(trades->GetRowRecord(2)->nTradeNo, 43u);

    orders->routeCommand(ID_ORDER_OUTSTANDING);
    auto* open = dynamic_cast<COrdersDoc*>(app->GetDocTemplate(8)->documents().back().get());
    ASSERT_NE(open, nullptr);
    ASSERT_NE(static_cast<CTDoc*>(open), orders->GetDocument()) << "always a further orders window";
    EXPECT_EQ(open->GetRowCount(), 3);
    EXPECT_EQ(orders->GetDocument()->GetRowCount(), 4);

    // Options > Filter runs the window's filter dialog on its criteria.
    auto* tradesView = dynamic_cast<CTradesView*>(trades->firstView());
    ASSERT_NE(tradesView, nullptr);
    EXPECT_TRUE(Enabled(*tradesView, ID_OPTIONS_FILTER));
    bool filterDialog = false;
    fw::Dialog::setModalHook([&](fw::Dialog& d) {
        filterDialog = dynamic_cast<CFilterTradeDlg*>(&d) != nullptr;
        d.endDialog(fw::IDCANCEL);
    });
    tradesView->routeCommand(ID_OPTIONS_FILTER);
    fw::Dialog::setModalHook({});
    EXPECT_TRUE(filterDialog);
}

TEST_F(ListWindows, PicturesInBothLanguages)
{
    const char* dirName = std::getenv("KV32_SHOT_DIR");
    for (const auto& [language, suffix] :
        { std::pair { fw::Language::English, "en" }, std::pair { fw::Language::Hungarian, "hu" } }) {
        // The records take their texts in the language in force when they arrive.
        fw::setLanguage(language);
        TradeTable().Free();
        NegDealTable().Free();
        OrderTable().Free();
        OrderTable().m_nMaxOrderNo = 0;
        Order(51, 'O');
        Order(52, 'U', 'S');
        Order(53, 'M');
        Trade(1, 'M', 12345);
        Trade(2, 'W', 12400);
        Trade(3, 'U', 12510);
        Trade(4, 'Y', 12250);
        Deal(31, 'O', 'B');
        Deal(32, 'C', 'S');
        Deal(33, 'M', 'B');
        auto* orders = Open<COrdersView>(8);
        auto* trades = Open<CTradesView>(9);
        auto* deals = Open<CNDealsView>(10);
        ASSERT_TRUE(orders && trades && deals);
        for (auto [view, name] : { std::pair<CListView*, const char*> { orders, "orders" }, { trades, "trades" },
                 { deals, "deals" } }) {
            view->parentFrame()->resize(1100, 200);
            const QImage image = view->parentFrame()->grab().toImage();
            EXPECT_FALSE(image.isNull());
            if (dirName != nullptr)
                image.save(QDir(dirName).filePath(QStringLiteral("list-%1-%2.png").arg(name, suffix)));
        }
        const bool english = language == fw::Language::English;
        EXPECT_EQ(trades->GetDocument()->GetColumnTitle(1), english ? "Trade" : "K\xF6t\xE9s");
        EXPECT_EQ(deals->GetDocument()->title(), english ? "Negotiated Deals - 3" : "T\xE1rgyal\xE1sos \xFCgyletek - 3");
        app->CloseAllDocuments();
    }
}

} // namespace
