// The Last N Trades window in the application: the trades of the last-trades
// table that its filter accepts, appended as broadcasts arrive and rebuilt
// when the table dropped trades, its cells, Go To and its pictures.
#include "../list_windows/list_fixture.h"

#include "kv32/filters/trading_filters.h"
#include "kv32/lists/last_trades_list.h"
#include "kv32/windows/last_trades_view.h"

namespace kv32test {
namespace {

std::string Num(long long value, int width)
{
    std::string text = std::to_string(value);
    return std::string(static_cast<std::size_t>(width) - text.size(), '0') + text;
}

class LastTrades : public ListWindows {
protected:
    void SetUp() override
    {
        ListWindows::SetUp();
        SecuritySpec alfa;
        alfa.shortName = "ALFA";
        code = SecurityCode(alfa);
    }
    // A trade of ALFA as the host broadcasts it: letter E is "Electronic", N "Negotiated deal".
    void LastTrade(long long number, long long price, char letter = 'E')
    {
        const std::string r = Num(++seq, 10) + Num(number, 12) + Padded(code, 17) + Num(price, 9) + Num(0, 9)
            + Num(100, 16) + Num(price * 100, 16) + "20261210" + "101112" + std::string(1, letter) + "20261214" + "Y"
            + Padded("FIRM1", 12) + Padded("FIRM2", 12);
        Feed(LastTradeTable(), CTable118::kRequest, r);
    }
    void Broadcast() { LastTradeTable().OnPostReceive(); }
    static CLastNFilter& FilterOf(CLastNDoc& doc)
    {
        return dynamic_cast<CCriteriaOf<CLastNFilter, LastTradeRec>&>(doc.Filter()).Get();
    }
    static std::vector<std::uint32_t> Numbers(const CLastNDoc& doc)
    {
        std::vector<std::uint32_t> numbers;
        for (int row = 0; row < doc.GetRowCount(); ++row)
            numbers.push_back(doc.GetRowRecord(row)->nTradeNo);
        return numbers;
    }
    static std::string Cell(const CLastNDoc& doc, int row, int col)
    {
        fw::CellStyle cell;
        return doc.GetStyleRowCol(row, col, cell) ? cell.value : "<none>";
    }
    CLastNDoc* OpenDoc(CLastNView** viewOut = nullptr)
    {
        auto* view = Open<CLastNView>(30);
        if (viewOut != nullptr)
            *viewOut = view;
        return view == nullptr ? nullptr : dynamic_cast<CLastNDoc*>(view->GetDocument());
    }
    std::string code;
};

TEST_F(LastTrades, ABroadcastAppendsOnlyTheTradesTheFilterAccepts)
{
    LastTrade(1, 1000);
    Broadcast();
    CLastNDoc* doc = OpenDoc();
    ASSERT_NE(doc, nullptr);
    CLastNFilter& filter = FilterOf(*doc);
    filter.m_bNoFiltering = 0;
    filter.m_strType = "Electronic";
    doc->UpdateDocument(0, nullptr);
    ASSERT_EQ(Numbers(*doc), std::vector<std::uint32_t> { 1 });
    const std::string title = doc->title();
    ASSERT_EQ(title.substr(title.size() - 4), " - 1");

    LastTrade(2, 1010, 'E');
    LastTrade(3, 1020, 'N');
    LastTrade(4, 1030, 'E');
    Broadcast();
    EXPECT_EQ(Numbers(*doc), (std::vector<std::uint32_t> { 1, 2, 4 }));
    EXPECT_EQ(doc->title(), title.substr(0, title.size() - 1) + "3") << "the count grows by two";
}

TEST_F(LastTrades, AFilterThatAcceptsNothingGivesAnEmptyWindowWithoutACount)
{
    LastTrade(1, 1000);
    Broadcast();
    CLastNDoc* doc = OpenDoc();
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(doc->title(), "Last N Trades - 1");
    CLastNFilter& filter = FilterOf(*doc);
    filter.m_bNoFiltering = 0;
    filter.m_strType = "Negotiated deal";
    doc->UpdateDocument(0, nullptr);
    EXPECT_EQ(doc->GetRowCount(), 0);
    EXPECT_EQ(doc->GetRowData(0), nullptr);
    EXPECT_EQ(doc->title().find(" - "), std::string::npos) << doc->title();
}

TEST_F(LastTrades, TradesDroppedByTheLimitRebuildTheRows)
{
    KvAppSettings().nLastTrades = 3;
    for (int n = 1; n <= 3; ++n)
        LastTrade(n, 1000 + n);
    Broadcast();
    CLastNDoc* doc = OpenDoc();
    ASSERT_NE(doc, nullptr);
    ASSERT_EQ(Numbers(*doc), (std::vector<std::uint32_t> { 1, 2, 3 }));
    LastTrade(4, 1004);
    LastTrade(5, 1005);
    Broadcast();
    EXPECT_EQ(Numbers(*doc), (std::vector<std::uint32_t> { 3, 4, 5 }));
    EXPECT_EQ(doc->title(), "Last N Trades - 3");
}

TEST_F(LastTrades, CellsShowTheTradeAsTheHostSentIt)
{
    LastTrade(77, 1234);
    Broadcast();
    CLastNDoc* doc = OpenDoc();
    ASSERT_NE(doc, nullptr);
    ASSERT_EQ(doc->GetColumnNumber(), 13);
    const struct {
        int col;
        const char* title;
        const char* value;
    } cells[] = {
        { 1, "Trade", "77" },
        { 2, "Security", "ALFA" },
        { 3, "Board", "Main board" },
        { 9, "Trade Source", "Electronic" },
        { 10, "Buy Firm", "FIRM1" },
        { 11, "Sell Firm", "FIRM2" },
    };
    for (const auto& c : cells) {
        EXPECT_EQ(doc->GetColumnTitle(c.col), c.title);
        EXPECT_EQ(Cell(*doc, 1, c.col), c.value) << c.title;
    }
    for (int col : { 4, 5, 6 })
        EXPECT_NE(Cell(*doc, 1, col), "") << doc->GetColumnTitle(col);
    EXPECT_EQ(doc->CheckTable(nullptr), 0) << "every opening makes a new window";
}

TEST_F(LastTrades, GoToSelectsTheFirstRowOfAShownTradeOnly)
{
    for (int n : { 5, 7, 9 })
        LastTrade(n, 1000 + n);
    Broadcast();
    CLastNView* view = nullptr;
    CLastNDoc* doc = OpenDoc(&view);
    ASSERT_NE(doc, nullptr);
    const auto goTo = [&](const char* number) {
        fw::Dialog::setModalHook([number](fw::Dialog& d) {
            d.userType(IDC_GOTO_TEXT, number);
            d.userClick(fw::kIdOk);
        });
        view->routeCommand(ID_VIEW_GOTO);
        fw::Dialog::setModalHook({});
        return doc->GetCurrentIndex();
    };
    EXPECT_EQ(goTo("9"), 2);
    EXPECT_EQ(goTo("7"), 1);
    EXPECT_EQ(goTo("8"), 1) << "an unknown trade leaves the selection";
}

TEST_F(LastTrades, OptionsFilterOpensTheLastTradesFilterDialog)
{
    CLastNView* view = nullptr;
    ASSERT_NE(OpenDoc(&view), nullptr);
    EXPECT_TRUE(Opens<CFilterLastNDlg>(*view, ID_OPTIONS_FILTER));
}

TEST_F(LastTrades, PicturesInBothLanguages)
{
    const char* dirName = std::getenv("KV32_SHOT_DIR");
    for (const auto& [language, suffix] :
        { std::pair { fw::Language::English, "en" }, std::pair { fw::Language::Hungarian, "hu" } }) {
        fw::setLanguage(language);
        LastTradeTable().Free();
        LastTrade(101, 12345, 'E');
        LastTrade(102, 12400, 'N');
        LastTrade(103, 12310, 'E');
        Broadcast();
        CLastNView* view = nullptr;
        CLastNDoc* doc = OpenDoc(&view);
        ASSERT_NE(doc, nullptr);
        view->OnGridSizeToContent();
        view->parentFrame()->resize(1400, 200);
        const QImage image = view->parentFrame()->grab().toImage();
        EXPECT_FALSE(image.isNull());
        if (dirName != nullptr)
            image.save(QDir(dirName).filePath(QStringLiteral("list-last-trades-%1.png").arg(suffix)));
        const bool english = language == fw::Language::English;
        EXPECT_EQ(doc->GetColumnTitle(1), english ? "Trade" : "K\xF6t\xE9s");
        EXPECT_EQ(doc->title(), english ? "Last N Trades - 3" : "Utols\xF3 N k\xF6t\xE9s - 3");
        app->CloseAllDocuments();
    }
}

} // namespace
} // namespace kv32test
