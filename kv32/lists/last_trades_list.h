// The Last N Trades window's document: the trades of the last-trades table
// that pass the window's filter, in table order. The table only appends
// trades while it drops none, so a broadcast adds rows at the bottom; when it
// dropped trades it asks for a full rebuild.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "kv32/lists/table_index_doc.h"
#include "kv32/tables/last_trade_table.h"

class CLastNDoc : public CTableIndexDoc {
public:
    static constexpr std::uint32_t kTableId = CTable118::kLastTradesWindow;
    static constexpr int kFirstColumn = 576;
    static constexpr int kColumns = 13;

    CLastNDoc();
    int GetMaxColumns() override { return kColumns; }
    int GetFirstColumnID() override { return kFirstColumn; }
    std::span<const KvListColumn> Columns() const override;
    int HostCount() const override;
    const std::uint8_t* HostRecord(int i) const override;
    // A trade the table replaced where it stands is repainted as well as the
    // appended ones.
    bool HostChangedInPlace() const override { return true; }
    std::vector<std::uint32_t>& HostColors() override;
    std::vector<std::uint16_t>& HostColorNames() override;

    // The trade of a row; null outside the rows.
    const LastTradeRec* GetRowRecord(int row) const
    {
        return reinterpret_cast<const LastTradeRec*>(GetRowData(row));
    }

    // The first row that shows the trade number, or -1.
    int RowOfTradeNo(std::uint32_t tradeNo) const;
};

// The criteria a new Last N Trades window starts with.
std::unique_ptr<CListCriteria> KvMakeLastNCriteria();
