// The summary by board opened over a fake active list window: the board it
// takes from the boards, summary and securities windows, its rows, caption
// and total.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "auction_dialogs/auction_fixture.h"
#include "kv32/dialogs/supervision/board_summary_dlg.h"
#include "kv32/dialogs/supervision/board_summary_form.h"
#include "kv32/res/auction_ids.h"
#include "kv32/tables/all_tables.h"

namespace {

using namespace auctiontest;

// The summary window holds a board of its own.
struct FakeSummaryWindow : dealtest::FakeActiveRow {
    explicit FakeSummaryWindow(int board)
        : FakeActiveRow(kListSummary, 3)
        , board(board)
    {
    }
    int BoardIndex() const override { return board; }
    int board;
};

class BoardSummary : public AuctionFixture {
protected:
    BoardSummary()
    {
        BoardRec empty;
        std::strcpy(empty.szCode, "EMPT");
        std::strcpy(empty.szName, "Empty Board");
        BoardTable().AddRec(empty);
        // Today's values: the main board's add up to 1,750.25; the 12 belongs to the bond board.
        const double values[] = { 1500, 250.25, 0, 0, 0, 0, 12 };
        for (int i = 0; i < SecurityTable().GetCount(); ++i) {
            SecurityRec* rec = SecurityTable().GetRec(i);
            rec->dVolumeToday = CDouble(1000.0 * (i + 1), 0);
            rec->dValueToday = CDouble(values[i], 2);
        }
    }
};

TEST_F(BoardSummary, TakesItsBoardFromTheActiveWindow)
{
    struct Case {
        const char* name;
        uint32_t table;
        int record;
        int board; // of the summary window
        int expected;
    };
    const Case cases[] = {
        { "boards window", kListBoards, 1, -1, 1 },
        { "summary window", kListSummary, 3, 0, 0 },
        { "securities window", kListSecurities, dealtest::kGovt, -1, 1 },
        { "securities window without a row", kListSecurities, -1, -1, -1 },
        { "boards window, row out of range", kListBoards, 9, -1, -1 },
        { "orders window", kListOrders, 0, -1, -1 },
    };
    for (const Case& c : cases) {
        FakeSummaryWindow window(c.board);
        window.table = c.table;
        window.record = c.record;
        EXPECT_EQ(BoardSummaryBoard(&window), c.expected) << c.name;
    }
    EXPECT_EQ(BoardSummaryBoard(nullptr), -1);
}

TEST_F(BoardSummary, ListsTheBoardsSecuritiesAndTheirTotal)
{
    FakeSummaryWindow window(0);
    CBoardSummaryDlg dlg;
    fw::test::runModal(dlg, [](fw::Dialog& d) {
        EXPECT_EQ(d.windowTitle().toStdString(), "Summary by Main Board");
        EXPECT_EQ(d.itemText(IDC_BS_TOTAL), "1,750.25");
        d.userClick(fw::kIdCancel);
    });
    const KvGridCells& cells = dlg.Cells();
    EXPECT_EQ(cells.Text(0, 1), "Short Name");
    EXPECT_EQ(cells.Text(0, 2), "Vol. Today");
    EXPECT_EQ(cells.Text(0, 3), "Val. Today");
    const std::vector<std::vector<std::string>> rows = {
        { "ALFA", "1,000", "1,500.00" },
        { "BETA", "2,000", "250.25" },
        { "OWNS", "4,000", "0.00" },
        { "PRIM", "5,000", "0.00" },
        { "SELLONLY", "6,000", "0.00" },
    };
    ASSERT_EQ(cells.RowCount(), 5);
    for (int r = 1; r <= 5; ++r)
        for (int c = 1; c <= 3; ++c)
            EXPECT_EQ(cells.Text(r, c), rows[static_cast<size_t>(r - 1)][static_cast<size_t>(c - 1)]) << r << "/" << c;
    EXPECT_TRUE(router.Requests().empty()) << "nothing is asked of the host";
}

TEST_F(BoardSummary, AnEmptyBoardOrNoBoardGivesAnEmptyGridAndZero)
{
    for (const int board : { 2, -1 }) {
        dealtest::FakeActiveRow window(kListBoards, board);
        CBoardSummaryDlg dlg;
        fw::test::runModal(dlg, [board](fw::Dialog& d) {
            EXPECT_EQ(d.windowTitle().toStdString(), board == 2 ? "Summary by Empty Board" : "Summary by Board");
            EXPECT_EQ(d.itemText(IDC_BS_TOTAL), "0.00");
            d.userClick(fw::kIdCancel);
        });
        EXPECT_EQ(dlg.Cells().RowCount(), 0) << board;
        EXPECT_EQ(dlg.Cells().ColumnCount(), 3);
    }
}

} // namespace
