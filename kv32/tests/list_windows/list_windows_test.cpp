// The trades and negotiated deals windows offscreen in the application: opened
// by table id with the tables' data, coloured and titled, following the
// tables' changes, their commands enabled by the current record and sending
// their records for the selected rows, dialogs of other parts enabled once
// installed, Go To, and pictures of both windows in both languages (written
// to KV32_SHOT_DIR when it is set).
#include "kv32/windows/private_orders_view.h"
#include "list_fixture.h"

namespace {

using namespace kv32test;

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
    KvSetCommandDialog(ID_SUMMARY_TRADING_ACCOUNT, nullptr);
    EXPECT_FALSE(Enabled(*view, ID_SUMMARY_TRADING_ACCOUNT)) << "without its dialog";
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
    EXPECT_EQ(all[0], "TRADER01    A " + std::string(12, ' ') + "=" + std::string(46, ' ') + "TODAY   " + std::string(24, ' '));
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
        LocalOrderTable().RemoveAll();
        const struct {
            const char* wai;
            char side;
            double price;
            double qty;
        } book[] = { { "Morning", 'B', 123.4, 100 }, { "Morning", 'S', 125.1, 40 }, { "Hedge", 'B', 119.75, 250 } };
        for (const auto& b : book) {
            CLocalOrderRec rec;
            std::snprintf(rec.szWorkArea, sizeof rec.szWorkArea, "%s", b.wai);
            std::snprintf(rec.szSecurityCode, sizeof rec.szSecurityCode, "0BRD1INSTR0000001");
            std::snprintf(rec.szBoardName, sizeof rec.szBoardName, "Main board");
            std::snprintf(rec.szTrdAcc, sizeof rec.szTrdAcc, "ACC1");
            std::snprintf(rec.szBuySell, sizeof rec.szBuySell, "%s", OrderTable().GetSideText(b.side).c_str());
            std::snprintf(rec.szReference, sizeof rec.szReference, "REF1");
            rec.dPrice = CDouble(b.price, 2);
            rec.dQty = CDouble(b.qty, 0);
            LocalOrderTable().Insert(rec);
        }
        auto* orders = Open<COrdersView>(8);
        auto* trades = Open<CTradesView>(9);
        auto* deals = Open<CNDealsView>(10);
        auto* privateOrders = Open<CPrivateOrderView>(32);
        ASSERT_TRUE(orders && trades && deals && privateOrders);
        for (auto [view, name] : { std::pair<CListView*, const char*> { orders, "orders" }, { trades, "trades" },
                 { deals, "deals" }, { privateOrders, "private-orders" } }) {
            view->OnGridSizeToContent(); // every title and value whole
            view->parentFrame()->resize(1400, 200);
            const QImage image = view->parentFrame()->grab().toImage();
            EXPECT_FALSE(image.isNull());
            if (dirName != nullptr)
                image.save(QDir(dirName).filePath(QStringLiteral("list-%1-%2.png").arg(name, suffix)));
        }
        const bool english = language == fw::Language::English;
        EXPECT_EQ(trades->GetDocument()->GetColumnTitle(1), english ? "Trade" : "K\xF6t\xE9s");
        EXPECT_EQ(deals->GetDocument()->title(), english ? "Negotiated Deals - 3" : "T\xE1rgyal\xE1sos \xFCgyletek - 3");
        EXPECT_EQ(privateOrders->GetDocument()->GetRowCount(), 3);
        app->CloseAllDocuments();
    }
}

} // namespace
