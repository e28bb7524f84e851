// The orders window sending orders again and keeping them, and the private
// order book window: golden new-order and market maker records, the move to
// the book with a refusal, the release with the host's answers on their
// replies lines, export and import, delete in a sorted view, and the
// commands' rules.
#include <filesystem>
#include <fstream>

#include "kv32/dialogs/order_entry_dlg.h"
#include "kv32/dialogs/wai_dlg.h"
#include "kv32/lists/order_copies.h"
#include "kv32/lists/private_orders_list.h"
#include "kv32/res/deal_dialogs_ids.h"
#include "kv32/res/order_entry_ids.h"
#include "kv32/trading/order_record.h"
#include "kv32/windows/private_orders_view.h"
#include "kvcore/res/grid_ids.h"
#include "list_fixture.h"

namespace {

using namespace kv32test;

std::string Blanks(std::size_t n)
{
    return std::string(n, ' ');
}

std::string Zeros(std::size_t n)
{
    return std::string(n, '0');
}

class OrderTransfer : public ListWindows {
protected:
    // Answers the WAI dialog with the identifier.
    static void AnswerWorkArea(const std::string& wai)
    {
        fw::Dialog::setModalHook([wai](fw::Dialog& d) {
            if (dynamic_cast<CWAIDlg*>(&d) == nullptr) {
                d.endDialog(fw::IDCANCEL);
                return;
            }
            d.userType(IDC_WAI_NAME, wai);
            d.userClick(fw::kIdOk);
        });
    }
    // Answers each transaction in turn, accepted or refused.
    void Answer(std::vector<bool> accepts)
    {
        router->AnswerWith([this, accepts](const std::vector<Msg>&) {
            const std::size_t i = answered++;
            const bool ok = i < accepts.size() && accepts[i];
            return std::vector<Msg> { { ok ? 193 : 192, WithZero(ok ? "taken " + std::to_string(i) : "refused") } };
        });
    }
    static CLocalOrderRec Local(const char* wai, const char* side, std::string flags, double price, double yield,
        double qty, double hidden = 0)
    {
        CLocalOrderRec rec;
        std::snprintf(rec.szWorkArea, sizeof rec.szWorkArea, "%s", wai);
        std::snprintf(rec.szSecurityCode, sizeof rec.szSecurityCode, "0BRD1INSTR0000001");
        std::snprintf(rec.szSecurity, sizeof rec.szSecurity, "ALFA");
        std::snprintf(rec.szBoardName, sizeof rec.szBoardName, "Main board");
        std::snprintf(rec.szTrdAcc, sizeof rec.szTrdAcc, "ACC2");
        std::snprintf(rec.szBuySell, sizeof rec.szBuySell, "%s", side);
        std::snprintf(rec.szType, sizeof rec.szType, "%s", flags.c_str());
        std::snprintf(rec.szReference, sizeof rec.szReference, "MM REF");
        rec.dPrice = CDouble(price, 2);
        rec.dYield = CDouble(yield, 3);
        rec.dQty = CDouble(qty, 0);
        rec.dHidden = CDouble(hidden, 0);
        rec.dTriggerPrice = CDouble(0, 2);
        rec.dFillMinQty = CDouble(0, 0);
        return rec;
    }
    static std::vector<std::string> States()
    {
        std::vector<std::string> states;
        for (int i = 0; i < LocalOrderTable().GetSize(); ++i)
            states.emplace_back(LocalOrderTable().GetAt(i)->szStatus);
        return states;
    }
    std::size_t answered = 0;
};

TEST_F(OrderTransfer, CopyToTradingEngineSendsGoldenNewOrders)
{
    const std::string limit = KvOrderFlags({ kFlagLimit, kFlagDay });
    OrderSpec plain;
    plain.number = 61;
    plain.flags = limit;
    OrderSpec yield = plain;
    yield.number = 62;
    yield.flags = KvOrderFlags({ kFlagLimit, kFlagYield, kFlagDay });
    yield.yield = 4567;
    OrderSpec fill = plain;
    fill.number = 63;
    fill.side = 'S';
    fill.flags = KvOrderFlags({ kFlagLimit, kFlagAllOrNone, kFlagDay });
    fill.minimumFill = 50; // the all-or-none quantity is the fill minimum
    for (const OrderSpec& s : { plain, yield, fill })
        Order(s);
    auto* view = Open<COrdersView>(8);
    ASSERT_NE(view, nullptr);
    Answer({ true, true, true });
    Select(*view, { 2, 0, 1 });
    EXPECT_TRUE(Enabled(*view, ID_ORDER_COPY_TO_ENGINE));
    view->routeCommand(ID_ORDER_COPY_TO_ENGINE);

    const std::string tail = "REF1" + Blanks(36) + "20261231" + "000000" + "000000000" + "20261214";
    const std::vector<std::string> expected = {
        "TRADER01    ACC1        B" + limit + "0BRD1INSTR0000001" + "000012345" + Blanks(9) + "0000000000000100"
            + Zeros(16) + tail + Zeros(16),
        "TRADER01    ACC1        B" + yield.flags + "0BRD1INSTR0000001" + Blanks(9) + "000004567"
            + "0000000000000100" + Zeros(16) + tail + Zeros(16),
        "TRADER01    ACC1        S" + fill.flags + "0BRD1INSTR0000001" + "000012345" + Blanks(9)
            + "0000000000000100" + Zeros(16) + tail + "0000000000000100",
    };
    const std::vector<std::string> sent = Sent(132);
    EXPECT_EQ(sent, expected);
    for (const std::string& text : sent)
        EXPECT_EQ(text.size(), 211u);
    ASSERT_EQ(RepliesTable().GetCount(), 3);
    EXPECT_STREQ(RepliesTable().GetRec(1)->szIdentifier, "          62");
    EXPECT_EQ(fMulti, 0);
}

TEST_F(OrderTransfer, ValuesTheHostCannotReadSendNothing)
{
    const COrderRec* order = nullptr;
    OrderSpec s;
    s.number = 71;
    s.flags = KvOrderFlags({ kFlagLimit, kFlagDay });
    struct Case {
        const char* what;
        long long OrderSpec::*field;
        long long value;
    };
    const Case cases[] = {
        { "no-value price", &OrderSpec::price, -99999999 },
        { "negative trigger", &OrderSpec::trigger, -5 },
        { "negative hidden quantity", &OrderSpec::hidden, -3 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        OrderTable().Free();
        OrderSpec bad = s;
        bad.*(c.field) = c.value;
        Order(bad);
        ASSERT_EQ(OrderTable().GetCount(), 1);
        order = OrderTable().GetRec(0);
        EXPECT_FALSE(BuildNewOrderText(*order).Ok());
        EXPECT_FALSE(OrderTransaction(ID_ORDER_COPY_TO_ENGINE, *order).has_value());
    }
    auto* view = Open<COrdersView>(8);
    ASSERT_NE(view, nullptr);
    Select(*view, { 0 });
    boxes.clear();
    view->routeCommand(ID_ORDER_COPY_TO_ENGINE);
    EXPECT_TRUE(Sent(132).empty());
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].find("Nothing was sent"), std::string::npos);
}

TEST_F(OrderTransfer, MarketMakerOrdersFillTheBlockOfTheirSide)
{
    const std::string flags = KvOrderFlags({ kFlagLimit, kFlagMarketMaker, kFlagYield, kFlagDay });
    const std::string emptyBlock = Blanks(12) + Zeros(32) + Blanks(18) + Zeros(32) + Blanks(40);
    const std::string block = "ACC2        " + flags + Blanks(9) + "000004567" + "0000000000000200"
        + "0000000000000050" + "MM REF" + Blanks(34);
    struct Case {
        const char* side;
        std::string expected;
    };
    const Case cases[] = {
        { "S", "TRADER01    0BRD1INSTR0000001S0" + emptyBlock + block },
        { "B", "TRADER01    0BRD1INSTR0000001B0" + block + emptyBlock },
    };
    for (const Case& c : cases) {
        const CLocalOrderRec order = Local("MM", c.side, flags, 0, 4.567, 200, 50);
        const std::optional<KvOrderText> text = ReleaseTransaction(order);
        ASSERT_TRUE(text.has_value()) << c.side;
        EXPECT_EQ(text->code, 140);
        EXPECT_EQ(text->text, c.expected);
        EXPECT_EQ(text->text.size(), 299u);
    }
    // A plain order goes out as a new order.
    const std::optional<KvOrderText> plain
        = ReleaseTransaction(Local("W", "B", KvOrderFlags({ kFlagLimit, kFlagDay }), 123.45, 0, 10));
    ASSERT_TRUE(plain.has_value());
    EXPECT_EQ(plain->code, 132);
    EXPECT_EQ(plain->text.size(), 211u);
    EXPECT_EQ(plain->text.substr(74, 18), "000012345" + Blanks(9));
}

TEST_F(OrderTransfer, MoveKeepsCopiesOnlyOfTheOrdersTheHostWithdrew)
{
    Order(81, 'O');
    Order(82, 'O');
    Order(83, 'M'); // no longer on the book: skipped
    Order(84, 'U');
    auto* view = Open<COrdersView>(8);
    ASSERT_NE(view, nullptr);
    Answer({ true, false, true });
    AnswerWorkArea("DESK1");
    Select(*view, { 3, 2, 1, 0 });
    view->routeCommand(ID_ORDER_MOVE_TO_POB);
    fw::Dialog::setModalHook({});

    const std::vector<std::string> sent = Sent(138);
    ASSERT_EQ(sent.size(), 3u);
    const std::string blankSecurity = "TRADER01    A 0000000000";
    for (std::size_t i = 0; i < sent.size(); ++i) {
        EXPECT_EQ(sent[i].size(), 105u);
        EXPECT_EQ(sent[i].substr(0, 24), blankSecurity);
        EXPECT_EQ(sent[i].substr(26, 79), "=" + Blanks(78)) << "no security, no board";
    }
    EXPECT_EQ(sent[2].substr(24, 2), "84");
    // Order 82 was refused: no local copy of it.
    CLocalOrderTable& book = LocalOrderTable();
    ASSERT_EQ(book.GetSize(), 2);
    EXPECT_STREQ(book.GetAt(0)->szWorkArea, "DESK1");
    EXPECT_STREQ(book.GetAt(0)->szStatus, "Copy");
    EXPECT_EQ(RepliesTable().GetCount(), 3);
    EXPECT_STREQ(RepliesTable().GetRec(1)->szMessage, "refused");

    // Copy keeps every selected order, sending nothing.
    router->ClearRecord();
    AnswerWorkArea("DESK2");
    Select(*view, { 2, 0 });
    view->routeCommand(ID_ORDER_COPY_TO_POB);
    fw::Dialog::setModalHook({});
    EXPECT_TRUE(router->Requests().empty());
    ASSERT_EQ(book.GetSize(), 4);
    EXPECT_STREQ(book.GetAt(3)->szWorkArea, "DESK2");
    EXPECT_EQ(book.FillWorkAreas(), (std::vector<std::string> { "DESK1", "DESK2" }));
}

TEST_F(OrderTransfer, AmendToTradingEngineOpensTheOrderFormOnTheCurrentOrder)
{
    Order(91, 'O', 'S');
    auto* view = Open<COrdersView>(8);
    ASSERT_NE(view, nullptr);
    Select(*view, { 0 });
    int side = 0;
    std::string quantity;
    fw::Dialog::setModalHook([&](fw::Dialog& d) {
        if (auto* entry = dynamic_cast<COrderEntryDlg*>(&d)) {
            side = entry->Form().Side();
            quantity = entry->Form().Control(IDC_OE_QUANTITY).text;
        }
        d.endDialog(fw::IDCANCEL);
    });
    EXPECT_TRUE(Enabled(*view, ID_ORDER_AMEND_TO_ENGINE));
    view->routeCommand(ID_ORDER_AMEND_TO_ENGINE);
    fw::Dialog::setModalHook({});
    EXPECT_EQ(side, 2) << "the order's side";
    EXPECT_EQ(quantity, "100") << "prefilled from the current row";
}

TEST_F(OrderTransfer, ReleaseMarksEachOrderByTheHostsAnswer)
{
    const std::string limit = KvOrderFlags({ kFlagLimit, kFlagDay });
    CLocalOrderTable& book = LocalOrderTable();
    book.Insert(Local("W1", "B", limit, 100.5, 0, 10));
    book.Insert(Local("W1", "S", KvOrderFlags({ kFlagLimit, kFlagMarketMaker, kFlagDay }), 101, 0, 20));
    book.Insert(Local("W2", "B", limit, 99, 0, 30));
    auto* view = Open<CPrivateOrderView>(32);
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->GetDocument()->title(), "Private Order Book - 3");
    EXPECT_EQ(app->OpenTable(32, true, true, nullptr), view->GetDocument()) << "one window of the kind";

    Answer({ true, false, true });
    Select(*view, { 2, 0, 1 });
    view->routeCommand(ID_POB_RELEASE);
    EXPECT_EQ(Sent(132).size(), 2u);
    ASSERT_EQ(Sent(140).size(), 1u);
    EXPECT_EQ(States(), (std::vector<std::string> { "Accepted", "Rejected", "Accepted" }));
    ASSERT_EQ(RepliesTable().GetCount(), 3);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(std::string(RepliesTable().GetRec(i)->szIdentifier), "PrivateOrder_" + std::to_string(i));
    EXPECT_STREQ(RepliesTable().GetRec(1)->szMessage, "refused");
    EXPECT_EQ(book.GetSize(), 3) << "released orders stay";

    // A rejected current order greys Release, whatever else is selected.
    Select(*view, { 1, 0 });
    EXPECT_FALSE(Enabled(*view, ID_POB_RELEASE));
    Select(*view, { 0, 1 });
    EXPECT_TRUE(Enabled(*view, ID_POB_RELEASE));

    // One order: no replies line, the answer in a box.
    router->ClearRecord();
    RepliesTable().Free();
    answered = 0;
    boxes.clear();
    Select(*view, { 2 });
    view->routeCommand(ID_POB_RELEASE);
    EXPECT_EQ(Sent(132).size(), 1u);
    EXPECT_EQ(RepliesTable().GetCount(), 0);
    ASSERT_FALSE(boxes.empty());
    EXPECT_EQ(boxes.back(), "taken 0");
}

TEST_F(OrderTransfer, ExportThenImportGivesTheSameOrders)
{
    const std::string limit = KvOrderFlags({ kFlagLimit, kFlagDay });
    for (const char* name : { "book.odl", "book.TXT" }) {
        SCOPED_TRACE(name);
        CLocalOrderTable& book = LocalOrderTable();
        book.RemoveAll();
        book.Insert(Local("W1", "B", limit, 100.5, 0, 10, 4));
        book.Insert(Local("W2", "S", limit, 101.25, 0, 20));
        auto* view = Open<CPrivateOrderView>(32);
        ASSERT_NE(view, nullptr);
        view->GetDocument()->UpdateDocument(0, nullptr);
        const std::string path = (std::filesystem::path(dir.Path()) / name).string();
        fw::test::Script script;
        script.answerFile(path);
        script.answerFile(path);
        view->routeCommand(ID_LIST_EXPORT_ALL);
        ASSERT_TRUE(std::filesystem::exists(path));
        view->routeCommand(ID_POB_CLEAR);
        EXPECT_EQ(book.GetSize(), 0);
        EXPECT_EQ(view->GetDocument()->GetRowCount(), 0);
        view->routeCommand(ID_POB_IMPORT);
        ASSERT_EQ(book.GetSize(), 2);
        EXPECT_EQ(view->GetDocument()->GetRowCount(), 2);
        const CLocalOrderRec& first = *book.GetAt(0);
        EXPECT_STREQ(first.szWorkArea, "W1");
        EXPECT_STREQ(first.szStatus, "New");
        EXPECT_STREQ(first.szSecurityCode, "0BRD1INSTR0000001");
        EXPECT_STREQ(first.szType, limit.c_str());
        EXPECT_DOUBLE_EQ(static_cast<double>(first.dPrice), 100.5);
        EXPECT_DOUBLE_EQ(static_cast<double>(first.dHidden), 4);
        EXPECT_STREQ(book.GetAt(1)->szBuySell, "S");
        EXPECT_DOUBLE_EQ(static_cast<double>(book.GetAt(1)->dQty), 20);
        EXPECT_EQ(script.fileRequests().size(), 2u);
        app->CloseAllDocuments();
    }
}

TEST_F(OrderTransfer, AnOverlongImportedFieldNeverEntersTheBook)
{
    auto* view = Open<CPrivateOrderView>(32);
    ASSERT_NE(view, nullptr);
    const std::string path = (std::filesystem::path(dir.Path()) / "long.odl").string();
    {
        std::ofstream out(path, std::ios::binary);
        out << "<Order>\r\n<Security>\r\n" << std::string(40, 'X') << "\r\n</Security>\r\n"
            << "<WorkArea>\r\nW1\r\n</WorkArea>\r\n</Order>\r\n";
    }
    fw::test::Script script;
    script.answerFile(path);
    script.answerMessageBox(fw::IDOK);
    view->routeCommand(ID_POB_IMPORT);
    for (int i = 0; i < LocalOrderTable().GetSize(); ++i)
        EXPECT_EQ(std::string(LocalOrderTable().GetAt(i)->szSecurity).find("XXXXXXXXXXXXXXXXXXXX"),
            std::string::npos);
    EXPECT_FALSE(script.messageBoxes().empty()) << "the wrong field is reported";
}

TEST_F(OrderTransfer, DeleteRemovesExactlyTheSelectedOrdersOfASortedView)
{
    const std::string limit = KvOrderFlags({ kFlagLimit, kFlagDay });
    CLocalOrderTable& book = LocalOrderTable();
    for (const char* wai : { "A", "B", "C", "D" })
        book.Insert(Local(wai, "B", limit, 100, 0, 10));
    auto* view = Open<CPrivateOrderView>(32);
    ASSERT_NE(view, nullptr);
    auto* doc = dynamic_cast<CPrivateOrderDoc*>(view->GetDocument());
    ASSERT_NE(doc, nullptr);
    doc->SetSortColumn(1, 0); // descending work area: D, C, B, A
    Select(*view, { 0, 2 }); // D and B
    session.m_bConfirm = 1;
    boxes.clear();
    view->routeCommand(ID_POB_DELETE);
    ASSERT_EQ(book.GetSize(), 2);
    EXPECT_STREQ(book.GetAt(0)->szWorkArea, "A");
    EXPECT_STREQ(book.GetAt(1)->szWorkArea, "C");
    EXPECT_EQ(doc->GetRowCount(), 2);
    EXPECT_EQ(boxes.size(), 1u) << "asked first";

    // Declined: nothing goes.
    fw::setMessageBoxHook([](const std::string&, uint32_t) { return fw::IDNO; });
    Select(*view, { 0 });
    view->routeCommand(ID_POB_DELETE);
    view->routeCommand(ID_POB_CLEAR);
    EXPECT_EQ(book.GetSize(), 2);
}

TEST_F(OrderTransfer, AnEmptyBookOffersTheImportOnTheGridMenu)
{
    auto* view = Open<CPrivateOrderView>(32);
    ASSERT_NE(view, nullptr);
    const std::optional<fw::Menu> menu = view->EmptyWindowMenu();
    ASSERT_TRUE(menu.has_value());
    bool import = false;
    for (int i = 0; i < static_cast<int>(menu->itemCount()); ++i)
        import = import || (menu->itemAt(i)->id() == ID_POB_IMPORT && menu->itemAt(i)->text() == "&Import...");
    EXPECT_TRUE(import);
    EXPECT_TRUE(Enabled(*view, ID_POB_IMPORT));
    EXPECT_FALSE(Enabled(*view, ID_POB_CLEAR));
    EXPECT_FALSE(Enabled(*view, ID_LIST_EXPORT_ALL));

    // A local order arriving while the filter hides its work area is shown until the next filtering.
    auto* doc = dynamic_cast<CPrivateOrderDoc*>(view->GetDocument());
    auto* criteria = dynamic_cast<CCriteriaOf<CPrivateOrderFilter, CLocalOrderRec>*>(&doc->Filter());
    ASSERT_NE(criteria, nullptr);
    criteria->Get().m_bNoFiltering = 0;
    criteria->Get().m_bAllWAI = 0;
    criteria->Get().m_aWAI = { "OTHER" };
    LocalOrderTable().Insert(Local("MINE", "B", KvOrderFlags({ kFlagLimit }), 1, 0, 1));
    EXPECT_EQ(doc->GetRowCount(), 1);
    doc->UpdateDocument(0, nullptr);
    EXPECT_EQ(doc->GetRowCount(), 0);
}

} // namespace
