#include "kv32/dialogs/auction/auction_grid.h"

#include "fw/ui/dialog.h"
#include "kv32/dialogs/auction/dialog_grid.h"
#include "kv32/dialogs/order_entry_dlg.h"
#include "kv32/res/auction_ids.h"

void CAuctionGrid::Attach(fw::Dialog& owner, uint32_t id, CAuctionCells& cells, int side)
{
    m_pOwner = &owner;
    m_pCells = &cells;
    m_nSide = side;
    m_pGrid = KvDialogGrid::Place(owner, id, cells);
    if (m_pGrid != nullptr)
        m_pGrid->onClick = [this](int row, int column) { return OnRowClicked(row, column); };
}

void CAuctionGrid::Init(int rows, int columns, uint32_t firstTitleId)
{
    if (m_pCells == nullptr)
        return;
    m_pCells->Init(rows, columns, firstTitleId);
    Refresh();
}

bool CAuctionGrid::SetRow(int row, const KvAuctionValues& values)
{
    const bool written = m_pCells != nullptr && m_pCells->SetRow(row, values);
    Refresh();
    return written;
}

void CAuctionGrid::ClearValues()
{
    if (m_pCells != nullptr)
        m_pCells->ClearValues();
    Refresh();
}

int CAuctionGrid::GetRowCount() const
{
    return m_pCells != nullptr ? m_pCells->RowCount() : 0;
}

void CAuctionGrid::SetRowCount(int rows)
{
    if (m_pCells != nullptr)
        m_pCells->SetRowCount(rows);
    Refresh();
}

void CAuctionGrid::Refresh()
{
    if (m_pGrid != nullptr)
        m_pGrid->Refresh();
}

bool CAuctionGrid::OnRowClicked(int row, int /*column*/)
{
    if (m_pOwner == nullptr || m_pCells == nullptr)
        return false;
    const auto selected = [this](uint32_t id) {
        return m_pOwner->curSel(id) >= 0 ? m_pOwner->itemString(id, m_pOwner->curSel(id)) : std::string();
    };
    const std::optional<KvAuctionOrderPreset> order = AuctionRowOrder(*m_pCells, row, selected(IDC_AU_BOARD),
        selected(IDC_AU_SECURITY), m_pOwner->isButtonChecked(IDC_AU_YIELD) != 0);
    if (!order)
        return false;
    COrderEntryDlg dlg(m_nSide, 0, m_pOwner, 1);
    dlg.SetPreset(order->board, order->security, order->limit, order->quantity, order->yield);
    dlg.doModal();
    return true;
}

void CAuctionGrid::ExportCsv(uint32_t firstTitleId)
{
    if (m_pCells != nullptr)
        ExportAuctionCsv(*m_pCells, firstTitleId, AuctionCsvPath());
}
