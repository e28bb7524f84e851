#include "kv32/dialogs/supervision/board_summary_form.h"

#include <algorithm>

#include "kv32/res/auction_ids.h"
#include "kv32/shell/text_format.h"
#include "kv32/tables/all_tables.h"
#include "kv32/trading/active_row.h"

namespace {

constexpr int kColumns = 3;
constexpr unsigned kTotalDecimals = 2;

} // namespace

int BoardSummaryBoard(const KvActiveRow* active)
{
    if (active == nullptr)
        return -1;
    CBoardTable& boards = BoardTable();
    int board = -1;
    switch (active->TableId()) {
    case kListBoards:
        board = active->RecordIndex();
        break;
    case kListSummary:
        board = active->BoardIndex();
        break;
    case kListSecurities: {
        const int security = active->RecordIndex();
        if (security >= 0 && security < SecurityTable().GetCount()) {
            // The board code is the four characters after the code's kind.
            const std::string code(SecurityTable().GetRec(security)->szCode);
            if (code.size() >= 5)
                board = boards.FindByCode(code.substr(1, 4).c_str());
        }
        break;
    }
    default:
        break;
    }
    return board >= 0 && board < boards.GetCount() ? board : -1;
}

KvBoardSummary FillBoardSummary(int board, KvGridCells& cells)
{
    cells.Init(0, kColumns);
    cells.SetTitle(1, Kv32AuctionString(IDS_BS_SHORT_NAME));
    cells.SetTitle(2, Kv32AuctionString(IDS_BS_VOL_TODAY));
    cells.SetTitle(3, Kv32AuctionString(IDS_BS_VAL_TODAY));
    cells.SetAlign(1, fw::Align::Left);
    cells.SetWidth(1, 140);
    cells.SetWidth(2, 120);
    cells.SetWidth(3, 140);
    KvBoardSummary summary;
    double total = 0;
    unsigned decimals = kTotalDecimals;
    CBoardTable& boards = BoardTable();
    if (board >= 0 && board < boards.GetCount()) {
        summary.board = board;
        const BoardRec* rec = boards.GetRec(board);
        summary.caption = KvFillText(Kv32AuctionString(IDS_BS_CAPTION), { rec->szName });
        CSecurityTable& securities = SecurityTable();
        for (int i = 0; i < securities.GetCount(); ++i) {
            const SecurityRec* s = securities.GetRec(i);
            if (!CSecurityTable::CodeHasBoard(s->szCode, rec->szCode))
                continue;
            const int row = cells.RowCount() + 1;
            cells.SetRowCount(row);
            cells.SetText(row, 1, s->szShortName);
            cells.SetText(row, 2, s->dVolumeToday.Format(1, 1));
            cells.SetText(row, 3, s->dValueToday.Format(1, 1));
            if (!s->dValueToday.IsNoValue()) {
                total += s->dValueToday;
                decimals = std::max(decimals, s->dValueToday.GetDecimal());
            }
        }
    }
    summary.total = CDouble(total, decimals).Format(1, 1);
    return summary;
}
