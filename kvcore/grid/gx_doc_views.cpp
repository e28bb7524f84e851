// What the grid document reads from the grid views that show it.
#include "kvcore/grid/gx_doc.h"
#include "kvcore/grid/gx_grid_access.h"

#include <algorithm>

namespace kvcore {

std::vector<const GXGridAccess*> CTGXDoc::GridViews() const
{
    std::vector<const GXGridAccess*> grids;
    for (const fw::DocumentView* view : views())
        if (const auto* grid = dynamic_cast<const GXGridAccess*>(view))
            grids.push_back(grid);
    return grids;
}

namespace {

// The first grid view's current cell when it is a data cell, else an invalid cell.
fw::GridCell CurrentDataCell(const std::vector<const GXGridAccess*>& grids)
{
    if (grids.empty())
        return {};
    const fw::GridCell cell = grids.front()->GridCurrentCell();
    return cell.valid() && cell.row > 0 ? cell : fw::GridCell {};
}

} // namespace

int CTGXDoc::GetCurrentIndex() const
{
    const fw::GridCell cell = CurrentDataCell(GridViews());
    return cell.valid() ? MapRowView2Doc(cell.row) : -1;
}

int CTGXDoc::GetCurrentColumn() const
{
    const fw::GridCell cell = CurrentDataCell(GridViews());
    return cell.valid() ? MapColView2Doc(cell.col) : -1;
}

int CTGXDoc::GetColWidth(int pos) const
{
    const auto grids = GridViews();
    return grids.empty() || pos < 0 ? 0 : grids.front()->GetColWidth(static_cast<unsigned>(pos));
}

void CTGXDoc::StoreColumnWidths()
{
    const bool live = !GridViews().empty();
    for (std::size_t pos = 0; pos < m_selected.size(); ++pos) {
        if (!live && pos >= m_displayWidths.size())
            break;
        const std::size_t id = m_selected[pos];
        if (id >= m_width.size())
            m_width.resize(id + 1, 0);
        m_width[id] = live ? static_cast<std::uint16_t>(std::clamp(GetColWidth(static_cast<int>(pos)), 0, 0xFFFF))
                           : m_displayWidths[pos];
    }
}

template <typename Row> int CTGXDoc::CollectSelectedRows(std::vector<Row>& rows) const
{
    rows.clear();
    for (const GXGridAccess* grid : GridViews()) {
        if (!grid->IsGridVisible())
            continue;
        for (int viewRow : grid->GridSelectedRows()) {
            const int docRow = MapRowView2Doc(viewRow);
            if (docRow >= 0)
                rows.push_back(static_cast<Row>(docRow));
        }
    }
    return static_cast<int>(rows.size());
}

int CTGXDoc::GetSelectedRows(std::vector<unsigned>& rows) const { return CollectSelectedRows(rows); }
int CTGXDoc::GetSelectedRows(std::vector<std::uint16_t>& rows) const { return CollectSelectedRows(rows); }

} // namespace kvcore
