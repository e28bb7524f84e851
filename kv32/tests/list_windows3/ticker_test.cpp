// The Ticker window in the application: the strip of trades, its own timer
// per view, smooth and trade-by-trade scrolling, a strip that fits standing
// still, and the trade at the left edge kept when old trades are dropped.
#include "../list_windows/list_fixture.h"

#include <QScrollBar>
#include <QTableView>

#include "kv32/lists/ticker_list.h"
#include "kvcore/gridview/table_dialogs.h"
#include "kvcore/res/table_ids.h"
#include "kv32/windows/ticker_view.h"

namespace kv32test {
namespace {

std::string Num(long long value, int width)
{
    std::string text = std::to_string(value);
    return std::string(static_cast<std::size_t>(width) - text.size(), '0') + text;
}

class Ticker : public ListWindows {
protected:
    void LastTrade(long long number, long long price)
    {
        SecuritySpec alfa;
        alfa.shortName = "ALFA";
        const std::string r = Num(++seq, 10) + Num(number, 12) + Padded(SecurityCode(alfa), 17) + Num(price, 9)
            + Num(0, 9) + Num(100, 16) + Num(price * 100, 16) + "20261210" + "101112" + "E" + "20261214" + "N";
        Feed(LastTradeTable(), CTable118::kRequest, r);
    }
    void Trades(int from, int to)
    {
        for (int n = from; n <= to; ++n)
            LastTrade(n, 1000 + n);
        LastTradeTable().OnPostReceive();
    }
    CTickerView* OpenTicker()
    {
        return Open<CTickerView>(38);
    }
};

TEST_F(Ticker, TheStripShowsOneColumnPerTradeAndTheChosenFields)
{
    Trades(1, 3);
    CTickerView* view = OpenTicker();
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->colCount(), 3);
    EXPECT_EQ(view->rowCount(), 2) << "Price and Qty under the Security header line";
    CTickerDoc& doc = *view->GetTickerDoc();
    EXPECT_EQ(doc.CellText(0, 2), "ALFA");
    EXPECT_EQ(doc.CellText(1, 2), "10.02");
    EXPECT_EQ(doc.CellText(2, 3), "100");
    EXPECT_EQ(doc.CellText(1, 4), "") << "a column beyond the trades is empty";
    EXPECT_EQ(doc.LineTitle(1), "Price");
    EXPECT_EQ(doc.CheckTable(nullptr), 0);
    EXPECT_FALSE(Enabled(*view, 35994)) << "no sorting";
}

TEST_F(Ticker, TheColumnChooserPicksTheFieldsAndTheirOrder)
{
    Trades(1, 2);
    CTickerView* view = OpenTicker();
    ASSERT_NE(view, nullptr);
    CTickerDoc& doc = *view->GetTickerDoc();
    std::vector<std::string> offered;
    // Trade, Time and Price, in that order.
    KvTableDialogs().chooseColumns = [&](KvColumnChooserArgs& args) {
        for (const KvColumnTitle& title : args.titles)
            offered.push_back(fw::loadString(title.stringId));
        *args.selection = { 0, 7, 3 };
        return 1;
    };
    view->routeCommand(ID_OPTIONS_DISPLAYORDER);
    KvTableDialogs().chooseColumns = nullptr;
    EXPECT_EQ(offered.size(), 13u) << "every Last N Trades column is offered";
    EXPECT_EQ(view->rowCount(), 2) << "Time and Price under the Trade header line";
    EXPECT_EQ(doc.LineTitle(0), "Trade");
    EXPECT_EQ(doc.LineTitle(1), "Time");
    EXPECT_EQ(doc.CellText(0, 2), "2");
    EXPECT_EQ(doc.CellText(2, 1), "10.01");
    EXPECT_EQ(view->colCount(), 2) << "still a column per trade";

    // The choice is the ticker's layout: the next ticker starts with it.
    app->CloseAllDocuments();
    view = OpenTicker();
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->GetTickerDoc()->LineTitle(0), ps->GetLayout(38) != nullptr ? "Trade" : "Security");
}

TEST_F(Ticker, EachTickerRunsAndStopsItsOwnTimer)
{
    CTickerView* first = OpenTicker();
    CTickerView* second = OpenTicker();
    ASSERT_TRUE(first && second);
    EXPECT_NE(first->TimerId(), second->TimerId());
    EXPECT_TRUE(first->TimerRunning());
    EXPECT_TRUE(second->TimerRunning());
    const std::uint32_t secondId = second->TimerId();
    first->GetDocument()->onCloseDocument();
    EXPECT_TRUE(fw::App::instance()->hasTimer(second, secondId)) << "closing one leaves the other running";
}

TEST_F(Ticker, SmoothScrollTogglesBetweenTwentyMillisecondsAndOneSecond)
{
    CTickerView* view = OpenTicker();
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->Period(), 20);
    fw::CmdUI ui(CTickerView::kSmoothScroll);
    view->routeUpdate(ui);
    EXPECT_EQ(ui.check(), 1);
    view->routeCommand(CTickerView::kSmoothScroll);
    EXPECT_EQ(view->Period(), 1000);
    EXPECT_FALSE(view->GetTickerDoc()->Smooth());
    EXPECT_TRUE(view->TimerRunning());
    view->routeCommand(CTickerView::kSmoothScroll);
    EXPECT_EQ(view->Period(), 20);
}

TEST_F(Ticker, AStripThatFitsStandsStill)
{
    Trades(1, 2);
    CTickerView* view = OpenTicker();
    ASSERT_NE(view, nullptr);
    view->parentFrame()->resize(1400, 200);
    QScrollBar* bar = view->scrollTable()->horizontalScrollBar();
    for (int i = 0; i < 10; ++i)
        view->ScrollStep();
    EXPECT_EQ(bar->value(), 0);
    EXPECT_EQ(view->LeftColumn(), 1);
}

TEST_F(Ticker, DroppedTradesKeepTheLeftmostTrade)
{
    KvAppSettings().nLastTrades = 5;
    Trades(1, 5);
    CTickerView* view = OpenTicker();
    ASSERT_NE(view, nullptr);
    CTickerDoc& doc = *view->GetTickerDoc();
    doc.NoteLeftColumn(3); // trade 3 at the left edge
    Trades(6, 7);
    ASSERT_EQ(doc.TradeCount(), 5);
    EXPECT_EQ(doc.GetRowRecord(0)->nTradeNo, 3u);
    EXPECT_EQ(doc.LeftColumn(), 1) << "trade 3 is now the first column";
    doc.NoteLeftColumn(1);
    KvAppSettings().nLastTrades = 2;
    Trades(8, 8);
    EXPECT_EQ(doc.LeftColumn(), 1) << "a dropped trade gives the first column";
}

TEST_F(Ticker, PicturesInBothLanguages)
{
    const char* dirName = std::getenv("KV32_SHOT_DIR");
    for (const auto& [language, suffix] :
        { std::pair { fw::Language::English, "en" }, std::pair { fw::Language::Hungarian, "hu" } }) {
        fw::setLanguage(language);
        LastTradeTable().Free();
        Trades(101, 106);
        CTickerView* view = OpenTicker();
        ASSERT_NE(view, nullptr);
        view->parentFrame()->resize(700, 140);
        const QImage image = view->parentFrame()->grab().toImage();
        EXPECT_FALSE(image.isNull());
        if (dirName != nullptr)
            image.save(QDir(dirName).filePath(QStringLiteral("list-ticker-%1.png").arg(suffix)));
        EXPECT_EQ(view->GetTickerDoc()->LineTitle(2), language == fw::Language::English ? "Qty" : "Mennyis\xE9g");
        app->CloseAllDocuments();
    }
}

} // namespace
} // namespace kv32test
