// The order book and market by order windows: their standing requests, the
// decoders over whole and broken replies, the order book's colours and status
// bar, window reuse by security, and the orders window opened from a cell.
#include <QCoreApplication>
#include <QLabel>
#include <QPointer>

#include "list_windows2/market_fixture.h"

#include "fw/core/archive.h"
#include "kv32/filters/orders_filter.h"
#include "kv32/lists/market_orders_list.h"
#include "kv32/lists/order_book_list.h"
#include "kv32/lists/orders_list.h"
#include "kv32/lists/securities_list.h"
#include "kv32/res/market_window_strings.h"
#include "kv32/windows/child_bar_frame.h"
#include "kv32/windows/market_orders_view.h"
#include "kv32/windows/order_book_view.h"
#include "kv32/windows/securities_view.h"
#include "kvcore/app/app_core_base.h"
#include "kvcore/res/grid_ids.h"

namespace {

using namespace kv32test;

std::string Digits(long long value, int width)
{
    std::string text = std::to_string(value);
    return std::string(static_cast<std::size_t>(width) - text.size(), '0') + text;
}

// A level entry: price 9, yield 9, quantity 16, user quantity 16, a blank, the info and "#".
std::string Level(long long price, long long qty, const std::string& info, long long yield = 0, long long user = 0)
{
    return Digits(price, 9) + Digits(yield, 9) + Digits(qty, 16) + Digits(user, 16) + " " + info + "#";
}

std::string BookHeader(int bids, int offers, long long otherSide = 0, const std::string& seq = "0000000042")
{
    return seq + std::string(17, ' ') + Digits(otherSide, 7) + Digits(bids, 2) + Digits(offers, 2);
}

// A market order entry: owner 12, price 9, quantity 16, info 1.
std::string Order(const std::string& owner, long long price, long long qty, char info = 'L')
{
    std::string text = owner;
    text.resize(12, ' ');
    return text + Digits(price, 9) + Digits(qty, 16) + std::string(1, info);
}

std::string OrdersHeader(int buys, int sells)
{
    return "0000000007" + std::string(17, ' ') + Digits(buys, 2) + Digits(sells, 2);
}

TEST(OrderBookReply, LevelsMarksAndBrokenReplies)
{
    // 3 bid and 5 offer levels: 5 rows, the last two without a bid.
    std::string full = BookHeader(3, 5, 12);
    for (int i = 0; i < 3; ++i)
        full += Level(10000 - i * 10, 100 + i, "A");
    for (int i = 0; i < 5; ++i)
        full += Level(10100 + i * 10, 200 + i, "B");
    OrderBookReply r = DecodeOrderBookReply(full, 2, 3);
    ASSERT_EQ(r.levels.size(), 5u);
    EXPECT_EQ(r.otherSide, 12);
    EXPECT_DOUBLE_EQ(r.levels[2].dBid, 99.80);
    EXPECT_DOUBLE_EQ(r.levels[4].dOffer, 101.40);
    EXPECT_DOUBLE_EQ(r.levels[4].dOfferSize, 204);
    for (int row : { 3, 4 }) {
        EXPECT_EQ(r.levels[static_cast<std::size_t>(row)].dBid.Format(1, 0), "") << row;
        EXPECT_EQ(r.levels[static_cast<std::size_t>(row)].szBidInfo[0], '\0') << row;
        EXPECT_EQ(r.levels[static_cast<std::size_t>(row)].nRow, row);
    }

    struct Case {
        const char* name;
        std::string text;
        std::size_t rows;
        std::vector<int> colours;
    };
    const Case cases[] = {
        { "marks", BookHeader(4, 0) + Level(1, 1, "x!") + Level(1, 1, "x*") + Level(1, 1, "xN") + Level(1, 1, "xy"), 4,
            { 2, 0, 1, 0 } },
        { "top priority wins on either side", BookHeader(1, 1) + Level(1, 1, "N") + Level(2, 1, "!"), 1, { 2 } },
        { "empty info gives no mark", BookHeader(1, 0) + Level(1, 1, ""), 1, { 0 } },
        { "missing #", BookHeader(2, 0) + Level(1, 1, "N") + Level(1, 1, "N").substr(0, 52), 1, { 1 } },
        { "counts beyond the data", BookHeader(3, 2) + Level(1, 1, "N") + Level(1, 1, "N"), 2, { 1, 1 } },
        { "a cut entry", BookHeader(1, 1) + Level(1, 1, "N") + Level(1, 1, "N").substr(0, 20), 1, { 1 } },
        { "a broken bid hides the offers", BookHeader(2, 2) + "xx" + Level(1, 1, "N"), 0, {} },
        { "an overlong info", BookHeader(1, 0) + Level(1, 1, std::string(65, 'i')), 0, {} },
        { "a short header", "0000000042", 0, {} },
        { "empty", "", 0, {} },
    };
    for (const Case& c : cases) {
        r = DecodeOrderBookReply(c.text, 2, 3);
        ASSERT_EQ(r.levels.size(), c.rows) << c.name;
        for (std::size_t i = 0; i < c.colours.size(); ++i)
            EXPECT_EQ(r.levels[i].nColor, c.colours[i]) << c.name << " row " << i;
    }
}

TEST(MarketOrdersReply, BuysAndSellsSideBySide)
{
    std::vector<MarketOrderRow> rows = DecodeMarketOrdersReply(OrdersHeader(2, 4) + Order("BRK1T1", 9950, 10, 'L')
            + Order("BRK2T1", 9900, 20) + Order("BRK3T1", 10050, 30, 'M') + Order("BRK1T2", 10100, 40)
            + Order("BRK2T2", 10150, 50) + Order("BRK3T2", 10200, 60),
        2);
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_STREQ(rows[0].szBuyer, "BRK1T1");
    EXPECT_STREQ(rows[0].szBidInfo, "L");
    EXPECT_DOUBLE_EQ(rows[1].dBid, 99.00);
    EXPECT_STREQ(rows[0].szSeller, "BRK3T1");
    EXPECT_STREQ(rows[0].szOfferInfo, "M");
    EXPECT_DOUBLE_EQ(rows[3].dOfferSize, 60);
    for (int row : { 2, 3 }) {
        EXPECT_STREQ(rows[static_cast<std::size_t>(row)].szBuyer, "") << row;
        EXPECT_EQ(rows[static_cast<std::size_t>(row)].dBid.Format(1, 0), "") << row;
        EXPECT_EQ(rows[static_cast<std::size_t>(row)].nRow, row);
    }
    EXPECT_TRUE(DecodeMarketOrdersReply(OrdersHeader(0, 0), 2).empty());
    // A cut reply keeps the whole entries before the cut.
    EXPECT_EQ(DecodeMarketOrdersReply(OrdersHeader(1, 3) + Order("A", 1, 1) + Order("B", 2, 2) + "B   ", 2).size(), 1u);
    EXPECT_EQ(DecodeMarketOrdersReply(OrdersHeader(3, 0) + Order("A", 1, 1), 2).size(), 1u);
    EXPECT_TRUE(DecodeMarketOrdersReply("0000000007", 2).empty());
}

class BookWindows : public MarketWindows {
protected:
    void SetUp() override
    {
        MarketWindows::SetUp();
        alfa = Security("ALFA", "BRD1", "INSTR0000001");
        beta = Security("BETA", "BRD1", "INSTR0000002");
    }
    std::string Key(int row) const { return SecurityKey(*SecurityTable().GetRec(row)); }
    // One request step: the requests of every open document go out.
    std::vector<std::string> Collect(int code)
    {
        router->ClearRecord();
        app->CollectAllRequests();
        VORLInfoReqEnd();
        const std::vector<std::string> sent = Sent(code);
        // Every request is answered with nothing, so the next step may ask again.
        std::vector<Msg> ends(router->Requests().size(), End());
        router->Reply(ends);
        app->VORLInfoReqRecv();
        return sent;
    }
    int alfa = -1;
    int beta = -1;
};

TEST_F(BookWindows, StandingRequestsCarryTheSequenceNumberAndTheSecurity)
{
    auto* book = dynamic_cast<COrdBkDoc*>(KvOpenSecurityBook(11, Key(alfa)));
    ASSERT_NE(book, nullptr);
    EXPECT_EQ(book->title(), "Order Book ALFA/Main board");
    EXPECT_EQ(Collect(36), (std::vector<std::string> { "TRADER01    00000000000BRD1INSTR0000001" }));
    book->TakeReply(BookHeader(1, 1, 0, "0000000042") + Level(100, 1, "N") + Level(200, 1, "*"));
    EXPECT_EQ(book->GetRowCount(), 1);
    EXPECT_EQ(Collect(36), (std::vector<std::string> { "TRADER01    00000000420BRD1INSTR0000001" }));

    auto* orders = dynamic_cast<CMktOrdDoc*>(KvOpenSecurityBook(12, Key(beta)));
    ASSERT_NE(orders, nullptr);
    EXPECT_EQ(orders->title(), "Market By Order BETA/Main board");
    EXPECT_EQ(Collect(70), (std::vector<std::string> { "TRADER01    00000000000BRD1INSTR0000002" }));
    // A message that starts with "#" is no book.
    std::string none = "# nothing";
    tagTMSG m;
    m.nLength = static_cast<int32_t>(none.size());
    m.pText = reinterpret_cast<unsigned char*>(none.data());
    orders->TakeReply(OrdersHeader(1, 0) + Order("A", 1, 1));
    orders->StoreDataItem(&m);
    EXPECT_EQ(orders->GetRowCount(), 1);

    // A window without a security asks nothing.
    auto* empty = dynamic_cast<COrdBkDoc*>(app->OpenTable(11, false, true, nullptr));
    ASSERT_NE(empty, nullptr);
    EXPECT_NE(empty, book);
    EXPECT_EQ(empty->title(), "Order Book");
    EXPECT_EQ(Collect(36).size(), 1u);
}

TEST_F(BookWindows, ReopeningFromTheSameSecurityActivatesItsWindow)
{
    auto* secs = Open<CSecsView>(6);
    ASSERT_NE(secs, nullptr);
    secs->GetSecsDoc()->SetRows({ alfa, beta });
    Select(*secs, { 0 });
    secs->routeCommand(ID_MW_ORDER_BOOK);
    EXPECT_EQ(KvActiveListRow()->TableId(), 11u) << "the new window is in front";
    CTDocTemplate* tmpl = app->GetDocTemplate(11);
    ASSERT_EQ(tmpl->documents().size(), 1u);
    auto* first = dynamic_cast<COrdBkDoc*>(tmpl->documents().front().get());
    EXPECT_EQ(first->SecurityCode(), Key(alfa));
    // Back in the securities window: the same security finds its window, another makes one.
    Activate(*secs);
    Select(*secs, { 0 });
    ASSERT_EQ(KvActiveListRow()->TableId(), 6u);
    ASSERT_EQ(KvActiveListRow()->RecordIndex(), alfa);
    secs->routeCommand(ID_MW_ORDER_BOOK);
    EXPECT_EQ(tmpl->documents().size(), 1u);
    Activate(*secs);
    Select(*secs, { 1 });
    secs->onCellDoubleClicked(2, 1);
    ASSERT_EQ(tmpl->documents().size(), 2u);
    EXPECT_EQ(dynamic_cast<COrdBkDoc*>(tmpl->documents().back().get())->SecurityCode(), Key(beta));
}

TEST_F(BookWindows, AnOrderBookWhoseDocumentGoesBeforeItsFrameLeavesCleanly)
{
    auto* book = dynamic_cast<COrdBkDoc*>(KvOpenSecurityBook(11, Key(alfa)));
    ASSERT_NE(book, nullptr);
    auto* view = dynamic_cast<COrdBkView*>(book->firstView());
    ASSERT_NE(view, nullptr);
    QPointer<fw::ChildFrame> frame = view->parentFrame();
    // The document goes at once, the frame with its view on the next turn of
    // the event loop: the view must not reach back into the document.
    frame->closeWithoutAsking();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(frame.isNull());
}

TEST_F(BookWindows, OrderBookStatusBarColoursAndSorting)
{
    auto* book = dynamic_cast<COrdBkDoc*>(KvOpenSecurityBook(11, Key(alfa)));
    ASSERT_NE(book, nullptr);
    auto* view = dynamic_cast<COrdBkView*>(book->firstView());
    ASSERT_NE(view, nullptr);
    auto* frame = dynamic_cast<CTChildBarFrame*>(view->parentFrame());
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(book->GetColorElemArray(), (std::vector<std::uint16_t> { 2590, 2591, 2592 }));

    SecurityRec& rec = *SecurityTable().GetRec(alfa);
    rec.dLast = CDouble(1234.5, 2);
    rec.dQuantity = CDouble(1500, 0);
    book->TakeReply(BookHeader(1, 0, 3) + Level(100, 1, "N"));
    Collect(36);
    EXPECT_EQ(frame->GetPaneText(1), "Last Trade: Price - " + rec.dLast.Format(1, 1) + ", Qty - 1500.");
    EXPECT_EQ(frame->GetPaneText(2), "Num. orders on other - 3.");
    // The figures' panes are as wide as their texts, framed; the first takes the rest.
    for (int pane : { 1, 2 }) {
        const QLabel* label = frame->Pane(pane);
        const int text = label->fontMetrics().horizontalAdvance(label->text());
        EXPECT_GE(label->width(), text) << pane;
        EXPECT_LT(label->width(), text + 24) << pane;
        EXPECT_NE(label->frameShape(), QFrame::NoFrame) << pane;
    }
    book->TakeReply(BookHeader(1, 0, 0) + Level(100, 1, "N"));
    book->UpdateDocument(0, nullptr);
    Collect(36);
    EXPECT_EQ(frame->GetPaneText(2), "") << "no orders on the other side: an empty pane";
    EXPECT_EQ(frame->Pane(2)->frameShape(), QFrame::NoFrame) << "without a border";
    EXPECT_EQ(frame->Pane(2)->width(), 0);
    EXPECT_GT(frame->Pane(0)->width(), frame->Pane(1)->width()) << "the first pane takes what is left";
    EXPECT_EQ(book->GetRowCount(), 1);
    EXPECT_EQ(book->GetLevel(0)->nColor, 1);

    for (unsigned id : { ID_SORT_DLG, ID_SORT_ASCENDING, ID_SORT_DESCENDING })
        EXPECT_FALSE(Enabled(*view, id)) << id;
    EXPECT_FALSE(Enabled(*view, ID_MW_TICK)) << "no tick dialog in the program";
    Install(ID_MW_TICK, [](int) { return fw::IDOK; });
    Select(*view, { 0 });
    EXPECT_TRUE(Enabled(*view, ID_MW_TICK));

    // The colours go with the window into the workspace.
    book->m_aColors[2] = 0x00FF00;
    fw::Archive store;
    book->Serialize(store);
    COrdBkDoc restored;
    fw::Archive load(store.bytes());
    restored.Serialize(load);
    EXPECT_EQ(restored.SecurityCode(), Key(alfa));
    EXPECT_EQ(restored.m_aColors[2], 0x00FF00u);
    // A security the table no longer knows: nothing shown, one store skipped.
    SecurityTable().Free();
    fw::Archive again(store.bytes());
    COrdBkDoc unknown;
    unknown.Serialize(again);
    EXPECT_EQ(unknown.SecurityCode(), "");
    EXPECT_EQ(unknown.CanBeSerialized(), 0);
}

TEST_F(BookWindows, OrdersFromABidOrOfferCellTakeItsSideAndPriceWhereverTheColumnIs)
{
    auto* book = dynamic_cast<COrdBkDoc*>(KvOpenSecurityBook(11, Key(alfa)));
    ASSERT_NE(book, nullptr);
    auto* view = dynamic_cast<COrdBkView*>(book->firstView());
    ASSERT_NE(view, nullptr);
    book->TakeReply(BookHeader(1, 1) + Level(9950, 10, "N") + Level(10050, 20, "N"));
    book->UpdateDocument(0, nullptr);
    // The user moved Offer to the front: the pointed column still names the side.
    const auto order = [&](const std::vector<std::uint16_t>& columns) {
        book->m_selected = columns;
        book->UpdateDocument(0, nullptr);
        view->RestructControl();
    };
    struct Case {
        std::vector<std::uint16_t> columns;
        int displayColumn;
        int buy, sell;
        double price;
    };
    const Case cases[] = {
        { { 0, 1, 2, 3, 4, 5, 6, 7, 8, 9 }, 5, 1, 0, 99.50 }, // Bid
        { { 0, 1, 2, 3, 4, 5, 6, 7, 8, 9 }, 3, 1, 0, 99.50 }, // Bid Size
        { { 5, 0, 4, 7 }, 1, 0, 1, 100.50 }, // Offer, moved first
        { { 5, 0, 4, 7 }, 4, 0, 1, 100.50 }, // Offer Size
        { { 5, 0, 4, 7 }, 3, 1, 0, 99.50 }, // Bid, moved
    };
    for (const Case& c : cases) {
        order(c.columns);
        Select(*view, { 0 }, c.displayColumn);
        view->routeCommand(ID_MW_ORDERS);
        auto* orders = dynamic_cast<COrdersDoc*>(app->GetDocTemplate(8)->documents().back().get());
        ASSERT_NE(orders, nullptr);
        const COrdersFilter& f = dynamic_cast<CCriteriaOf<COrdersFilter, COrderRec>&>(orders->Filter()).Get();
        EXPECT_EQ(f.m_bShowBuy, c.buy) << c.displayColumn;
        EXPECT_EQ(f.m_bShowSell, c.sell) << c.displayColumn;
        EXPECT_EQ(f.m_bPrice, 1);
        EXPECT_DOUBLE_EQ(f.m_dPrice, c.price);
        EXPECT_EQ(f.m_aSecurities, std::vector<int> { alfa });
        EXPECT_EQ(f.m_bShowOpen, 1);
        EXPECT_EQ(f.m_bShowMatched, 0);
    }
}

} // namespace
