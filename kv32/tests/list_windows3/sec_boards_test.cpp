// The Securities on Boards window in the application: a row per short name,
// a group of columns per board showing that board's own security, repaints of
// only the rows whose securities changed, Go To and the command rules.
#include "../list_windows/list_fixture.h"

#include <QHeaderView>
#include <QTableView>

#include "fw/core/gridsource.h"
#include "kv32/lists/sec_boards_list.h"
#include "kv32/res/market_window_strings.h"
#include "kv32/tables/table_updates.h"
#include "kv32/windows/sec_boards_view.h"

namespace kv32test {
namespace {

constexpr int kGroup = CSecBrdsDoc::kGroupColumns;
// Column ids within a board group.
constexpr int kShortName = 0;
constexpr int kBid = 4;
constexpr int kLast = 6;

class SecBoards : public ListWindows {
protected:
    void SetUp() override
    {
        ListWindows::SetUp();
        Feed(BoardTable(), 22, BoardRecord(2, "BRD2", "Second board", 'A'));
        Feed(BoardTable(), 22, BoardRecord(3, "BRD3", "Third board", 'A'));
        // Table order: ALFA/BRD1 (the fixture's), BETA/BRD3, ALFA/BRD2, BETA/BRD2.
        // The record after ALFA/BRD1 is BETA's: a group must not read it.
        AddSecurity(2, "BETA", "BRD3", 301);
        AddSecurity(3, "ALFA", "BRD2", 202, "INSTR0000001");
        AddSecurity(4, "BETA", "BRD2", 302);
        SecurityTable().GetRec(0)->dBid = CDouble(101, 2);
    }
    static void AddSecurity(int key, const char* shortName, const char* board, int bid,
        const char* instrument = "INSTR0000002")
    {
        SecuritySpec spec;
        spec.key = key;
        spec.shortName = shortName;
        spec.board = board;
        spec.instrument = instrument;
        SecurityTable().DecodeSnapshot(SecuritySnapshot(spec));
        SecurityTable().GetRec(SecurityTable().GetCount() - 1)->dBid = CDouble(bid, 2);
    }
    CSecBrdsView* OpenView() { return Open<CSecBrdsView>(CSecBrdsDoc::kTableId); }
    static std::string Cell(const CSecBrdsDoc& doc, int row, int columnId)
    {
        fw::CellStyle style;
        // Grid rows are 1-based; the document keeps its rows in their order here.
        const std::uint8_t* record = doc.GetRowData(row);
        if (record == nullptr)
            return "?";
        if (columnId == 0)
            return reinterpret_cast<const char*>(record);
        doc.OwnerDrawCell(record, columnId, row + 1, style);
        return style.value;
    }
};

TEST_F(SecBoards, EachBoardGroupShowsTheSecurityOfItsOwnBoard)
{
    CSecBrdsView* view = OpenView();
    ASSERT_NE(view, nullptr);
    auto* doc = view->GetSecBrdsDoc();
    ASSERT_NE(doc, nullptr);
    ASSERT_EQ(doc->GetRowCount(), 2);
    EXPECT_EQ(doc->GetMaxColumns(), 3 * kGroup) << "73 columns a board";
    struct Case {
        int row;
        int board;
        const char* shortName;
        const char* bid;
    } cases[] = {
        { 0, 0, "ALFA", "101.00" },
        { 0, 1, "ALFA", "202.00" },
        { 0, 2, "", "" }, // ALFA does not trade on the third board
        { 1, 0, "", "" }, // nor BETA on the first
        { 1, 1, "BETA", "302.00" },
        { 1, 2, "BETA", "301.00" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "row " << c.row << " board " << c.board);
        // The first board's short name column is the row's own.
        if (c.board > 0) {
            EXPECT_EQ(Cell(*doc, c.row, c.board * kGroup + kShortName), c.shortName);
        }
        EXPECT_EQ(Cell(*doc, c.row, c.board * kGroup + kBid), c.bid);
    }
    EXPECT_EQ(Cell(*doc, 1, 0), "BETA") << "the first column is the row's own short name";
}

TEST_F(SecBoards, TitlesAreMadeFromTheBoardNamesAndTheDefaultsArePricesOfEveryBoard)
{
    CSecBrdsView* view = OpenView();
    ASSERT_NE(view, nullptr);
    auto* doc = view->GetSecBrdsDoc();
    std::vector<std::string> titles;
    for (int col = 1; col <= doc->GetColumnNumber(); ++col)
        titles.push_back(doc->GetColumnTitle(col));
    EXPECT_EQ(titles,
        (std::vector<std::string> { "Short Name", "Main board Bid", "Main board Offer", "Main board Last",
            "Second board Bid", "Second board Offer", "Second board Last", "Third board Bid", "Third board Offer",
            "Third board Last" }));
    EXPECT_EQ(doc->GetColumnTitleText(kGroup), "Short Name") << "each group has its own short name";
    EXPECT_EQ(doc->GetColumnTitleText(2 * kGroup + 72), "Third board Indicative price");
    EXPECT_EQ(doc->title(), "Securities on Boards");
}

TEST_F(SecBoards, AStoredLayoutKeepsOnlyTheColumnsOfTheBoardsThereAre)
{
    if (session.m_settings.layouts.size() <= CSecBrdsDoc::kTableId)
        session.m_settings.layouts.resize(CSecBrdsDoc::kTableId + 1);
    CSecBrdsView* view = OpenView();
    ASSERT_NE(view, nullptr);
    auto* doc = view->GetSecBrdsDoc();
    doc->m_selected = { 0, static_cast<std::uint16_t>(2 * kGroup + kLast), static_cast<std::uint16_t>(3 * kGroup + 1) };
    doc->StoreDocumentInfo();
    app->CloseAllDocuments();
    // One board fewer: the third board's column goes, as does a column past every board.
    BoardTable().Free();
    Feed(BoardTable(), 22, BoardRecord(1, "BRD1", "Main board", 'A'));
    Feed(BoardTable(), 22, BoardRecord(2, "BRD2", "Second board", 'A'));
    view = OpenView();
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->GetSecBrdsDoc()->m_selected, (std::vector<std::uint16_t> { 0 }));
}

TEST_F(SecBoards, AChangedSecurityRepaintsOnlyItsRow)
{
    CSecBrdsView* view = OpenView();
    ASSERT_NE(view, nullptr);
    auto* doc = view->GetSecBrdsDoc();
    const struct {
        int security;
        std::vector<int> rows;
    } cases[] = { { 0, { 0 } }, { 1, { 1 } }, { 2, { 0 } }, { 3, { 1 } } };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.security);
        SecurityTable().GetRec(c.security)->dLast = CDouble(777, 2);
        fw::RowHint hint(SecurityTable().GetCount());
        hint.AddRow(c.security);
        UpdateLinkedDocuments(&hint);
        std::vector<int> rows;
        for (int r = 0; r < doc->GetRowCount(); ++r)
            if (doc->LastRowHint().GetRow(r))
                rows.push_back(r);
        EXPECT_EQ(rows, c.rows);
    }
    EXPECT_EQ(Cell(*doc, 1, 1 * kGroup + kLast), "777.00");
}

TEST_F(SecBoards, SortingByABoardColumnUsesThatBoardsSecurities)
{
    CSecBrdsView* view = OpenView();
    ASSERT_NE(view, nullptr);
    auto* doc = view->GetSecBrdsDoc();
    const int bidOnFirst = kBid;
    EXPECT_LT(doc->OwnerDrawSort(doc->GetRowData(1), doc->GetRowData(0), bidOnFirst), 0)
        << "an empty group sorts first";
    const int bidOnSecond = kGroup + kBid;
    EXPECT_LT(doc->OwnerDrawSort(doc->GetRowData(0), doc->GetRowData(1), bidOnSecond), 0) << "202 before 302";
    const int bidOnThird = 2 * kGroup + kBid;
    EXPECT_GT(doc->OwnerDrawSort(doc->GetRowData(1), doc->GetRowData(0), bidOnThird), 0);
}

TEST_F(SecBoards, GoToTakesAnExactShortNameAndOnlyTheTradingCommandsAreOn)
{
    CSecBrdsView* view = OpenView();
    ASSERT_NE(view, nullptr);
    auto* doc = view->GetSecBrdsDoc();
    EXPECT_EQ(doc->FindRowOfShortName("BETA"), 1);
    EXPECT_EQ(doc->FindRowOfShortName("BET"), -1);
    EXPECT_EQ(doc->CheckTable(nullptr), 1) << "one window";
    EXPECT_EQ(app->OpenTable(CSecBrdsDoc::kTableId, true, true, nullptr), doc);
    Select(*view, { 1 });
    for (unsigned id : { ID_MW_ORDER_BOOK, ID_MW_MARKET_BY_ORDER, ID_MW_ORDERS, ID_MW_TRADES, ID_MW_NEG_DEALS })
        EXPECT_FALSE(Enabled(*view, id)) << id;
    // The trading commands are the main frame's; the user's rights decide.
    for (unsigned id : { ID_MW_BUY, ID_MW_SELL })
        EXPECT_FALSE(Enabled(*view, id)) << id << ": no right to order yet";
    Grant(132, 0);
    for (unsigned id : { ID_MW_BUY, ID_MW_SELL })
        EXPECT_TRUE(Enabled(*view, id)) << id;
    EXPECT_EQ(Enabled(*view, ID_MW_DEAL), view->parentFrame()->hasCommandHandler(ID_MW_DEAL))
        << "a deal while the program has a deal form";
    view->clearSelection();
    view->setCurrentCell(-1, 1);
    EXPECT_FALSE(Enabled(*view, ID_MW_BUY)) << "no current row";
}

TEST_F(SecBoards, PicturesInBothLanguages)
{
    const char* dirName = std::getenv("KV32_SHOT_DIR");
    for (int i = 0; i < SecurityTable().GetCount(); ++i) {
        SecurityRec& rec = *SecurityTable().GetRec(i);
        rec.dOffer = CDouble(static_cast<double>(rec.dBid) + 0.05, 2);
        rec.dLast = CDouble(static_cast<double>(rec.dBid) + 0.02, 2);
    }
    for (const auto& [language, suffix] :
        { std::pair { fw::Language::English, "en" }, std::pair { fw::Language::Hungarian, "hu" } }) {
        fw::setLanguage(language);
        CSecBrdsView* view = OpenView();
        ASSERT_NE(view, nullptr);
        view->OnGridSizeToContent();
        view->parentFrame()->resize(900, 160);
        const QHeaderView* header = view->scrollTable()->horizontalHeader();
        EXPECT_GE(header->height(), 2 * header->fontMetrics().height()) << "two lines of title";
        const QImage image = view->parentFrame()->grab().toImage();
        EXPECT_FALSE(image.isNull());
        if (dirName != nullptr)
            image.save(QDir(dirName).filePath(QStringLiteral("list-sec-boards-%1.png").arg(suffix)));
        const bool english = language == fw::Language::English;
        EXPECT_EQ(view->GetDocument()->GetColumnTitle(2), english ? "Main board Bid" : "Main board V\xE9tel");
        app->CloseAllDocuments();
    }
}

} // namespace
} // namespace kv32test
