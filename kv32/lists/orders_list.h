// The orders window's document and rules: the orders of the order table that
// pass the window's filter, their columns, which commands the current
// order's status allows, and the texts of the approve and withdraw
// transactions.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>

#include "kv32/lists/list_actions.h"
#include "kv32/lists/table_index_doc.h"
#include "kv32/tables/order_table.h"

class COrdersDoc : public CTableIndexDocT<COrderTable, COrderRec> {
public:
    static constexpr std::uint32_t kTableId = COrderTable::kTableId;
    static constexpr int kFirstColumn = 2500;
    static constexpr int kColumns = 26;

    COrdersDoc();
    int GetMaxColumns() override { return kColumns; }
    int GetFirstColumnID() override { return kFirstColumn; }
    std::span<const KvListColumn> Columns() const override;
    int ColorIndexOffset() const override;
};

// The criteria a new orders window starts with.
std::unique_ptr<CListCriteria> KvMakeOrdersCriteria();

// Whether the order's state allows the command (null: no current order);
// permission is not asked here. Moving to the private order book takes only
// the orders the host can still withdraw.
bool OrderCommandAllowed(unsigned commandId, const COrderRec* order);

// 36 characters: the user in 12, the order number zero-padded in 12, 12 blanks.
std::string BuildOrderApproveText(std::uint32_t orderNo);
// 105 characters: the order by number with its board and security.
std::string BuildOrderWithdrawText(const COrderRec& order);
// 105 characters: the withdrawal of every order entered today ("TODAY" at 73).
std::string BuildWithdrawTodayText();
// The transaction of the approve (133), withdraw (138), move to the private
// order book (138 without the security) or copy to the trading engine (132)
// command for one order.
std::optional<KvRowTransaction> OrderTransaction(unsigned commandId, const COrderRec& order);
