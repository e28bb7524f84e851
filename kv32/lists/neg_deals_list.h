// The negotiated deals window's document and rules: the deals of the deal
// table that pass the window's filter, their columns, which commands the
// current deal's status allows, and the texts of the withdraw and approve
// transactions.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>

#include "kv32/lists/list_actions.h"
#include "kv32/lists/table_index_doc.h"
#include "kv32/tables/neg_deal_table.h"

class CNDealsDoc : public CTableIndexDocT<CNegDealTable, CNegDealRec> {
public:
    static constexpr std::uint32_t kTableId = CNegDealTable::kTableId;
    static constexpr int kFirstColumn = 2560;
    static constexpr int kColumns = 19;

    CNDealsDoc();
    int GetMaxColumns() override { return kColumns; }
    int GetFirstColumnID() override { return kFirstColumn; }
    std::span<const KvListColumn> Columns() const override;
    int ColorIndexOffset() const override;
};

// The criteria a new negotiated deals window starts with.
std::unique_ptr<CListCriteria> KvMakeDealsCriteria();

// Whether the deal's state allows the command (null: no current deal);
// permission is not asked here.
bool DealCommandAllowed(unsigned commandId, const CNegDealRec* deal);
// Whether the deal's status is "Matched" (the amendment dialog's argument).
bool DealIsMatched(const CNegDealRec& deal);

// 48 characters: the user in 12, the deal number zero-padded in 12, 24 blanks.
std::string BuildDealWithdrawText(std::uint32_t dealNo);
// 24 characters: the user in 12, the deal number zero-padded in 12.
std::string BuildDealApproveText(std::uint32_t dealNo);
// The transaction of the withdraw (139) or approve (135) command for one deal.
std::optional<KvRowTransaction> DealTransaction(unsigned commandId, const CNegDealRec& deal);
