// The trades window's document and rules: the trades of the trade table that
// pass the window's filter, their columns, which cancellation commands the
// current trade's status allows, and the texts of the cancellation
// transactions.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>

#include "kv32/lists/list_actions.h"
#include "kv32/lists/table_index_doc.h"
#include "kv32/tables/trade_table.h"

class CTradesDoc : public CTableIndexDocT<CTradeTable, CTradeRec> {
public:
    static constexpr std::uint32_t kTableId = CTradeTable::kTableId;
    static constexpr int kFirstColumn = 2530;
    static constexpr int kColumns = 26;

    CTradesDoc();
    int GetMaxColumns() override { return kColumns; }
    int GetFirstColumnID() override { return kFirstColumn; }
    std::span<const KvListColumn> Columns() const override;
    int ColorIndexOffset() const override;
};

// The criteria a new trades window starts with.
std::unique_ptr<CListCriteria> KvMakeTradesCriteria();

// Transaction codes of the cancellation commands; 0 for another command.
int TradeCancelCode(unsigned commandId);
// Whether the trade's state allows the command (null: no current trade);
// permission is not asked here.
bool TradeCommandAllowed(unsigned commandId, const CTradeRec* trade);

// 24 characters: the user in 12, the trade number zero-padded in 12.
std::string BuildTradeCancelText(std::uint32_t tradeNo);
// 25 characters: the user in 12, operator code 53, the trade number in 12.
std::string BuildTradeOperatorCancelText(std::uint32_t tradeNo);
// The transaction of a cancellation command for one trade; none when the
// command is not one or the text cannot be built.
std::optional<KvRowTransaction> TradeCancelTransaction(unsigned commandId, const CTradeRec& trade);
