// The private order book window's document and commands without a window:
// the locally kept orders that pass the window's filter, their columns, and
// what the commands do to the book: release the selected orders to the
// trading engine, file them under another work area, delete them, clear the
// book, and take in the orders of an imported file.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "kv32/lists/list_actions.h"
#include "kv32/lists/table_index_doc.h"
#include "kv32/tables/local_order_table.h"

class CPrivateOrderDoc : public CTableIndexDoc {
public:
    static constexpr std::uint32_t kTableId = CLocalOrderTable::kTableId;
    static constexpr int kFirstColumn = 60528;
    static constexpr int kColumns = 15;

    CPrivateOrderDoc();
    int GetMaxColumns() override { return kColumns; }
    int GetFirstColumnID() override { return kFirstColumn; }
    std::span<const KvListColumn> Columns() const override;
    // One window of the kind.
    int CheckTable(void*) override { return 1; }

    int HostCount() const override;
    const std::uint8_t* HostRecord(int i) const override;
    bool HostChangedInPlace() const override;
    std::vector<std::uint32_t>& HostColors() override;
    std::vector<std::uint16_t>& HostColorNames() override;

    CLocalOrderRec* GetRowOrder(int row) const;
    // The host indices of the rows, sorted, each once, rows outside left out.
    std::vector<int> HostIndicesOf(const std::vector<unsigned>& rows) const;

protected:
    // An order that just arrived is shown whatever the filter says, so the
    // user sees what was filed; the filter applies again at the next full filtering.
    bool MatchHinted(int) override { return true; }
};

// The criteria a new private order book window starts with.
std::unique_ptr<CListCriteria> KvMakePrivateOrdersCriteria();

// The identifier of the i-th released order in the replies window.
std::string PrivateOrderReplyIdentifier(int i);

// Sends each selected order (132, or 140 for a market maker's order), after
// the confirmation, and marks it "Accepted" or "Rejected" by the host's
// answer; several orders collect their answers in the replies window. A
// field that does not fit sends nothing. The window is filtered again.
// Returns the orders sent.
int ReleasePrivateOrders(CPrivateOrderDoc& doc, const std::vector<unsigned>& rows, CListWindowPort& port);

// Files the selected orders under the work area; false, changing nothing,
// when the identifier is empty or too long.
bool MovePrivateOrders(CPrivateOrderDoc& doc, const std::vector<unsigned>& rows, std::string_view workArea);

// Removes exactly the selected orders (the others keep their order), after
// the confirmation, since they exist nowhere else. The orders removed.
int DeletePrivateOrders(CPrivateOrderDoc& doc, const std::vector<unsigned>& rows);

// Empties the book after the confirmation; false when declined.
bool ClearPrivateOrders(CPrivateOrderDoc& doc);

// Appends imported orders in the state "New"; the number appended.
int AppendImportedOrders(CPrivateOrderDoc& doc, std::vector<CLocalOrderRec>& orders);
