// The control events window's document and rules: every market-control event
// of the day with its columns, which commands the current event allows, and
// the text of an event's deletion; and the replies window's document, one row
// per line of the replies table.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "kv32/lists/list_actions.h"
#include "kv32/lists/table_index_doc.h"
#include "kv32/tables/replies_table.h"
#include "kv32/tables/trade_event_table.h"

class CSupervisorOperationsDoc : public CTableIndexDocT<CTradeEventTable, TradeEventRec> {
public:
    static constexpr std::uint32_t kTableId = CTradeEventTable::kTableId;
    static constexpr int kFirstColumn = 760;
    static constexpr int kColumns = 8;

    CSupervisorOperationsDoc();
    int GetMaxColumns() override { return kColumns; }
    int GetFirstColumnID() override { return kFirstColumn; }
    std::span<const KvListColumn> Columns() const override;
};

class CRepliesDoc : public CTableIndexDocT<CRepliesTable, RepliesRec> {
public:
    static constexpr std::uint32_t kTableId = CRepliesTable::kTableId;
    static constexpr int kFirstColumn = 560;
    static constexpr int kColumns = 2;

    CRepliesDoc();
    int GetMaxColumns() override { return kColumns; }
    int GetFirstColumnID() override { return kFirstColumn; }
    std::span<const KvListColumn> Columns() const override;
    // The table's title alone.
    void MakeTitle(std::string& title) override;
};

// Whether the current event allows the command (null: no current event);
// permission is not asked here.
bool EventCommandAllowed(unsigned commandId, const TradeEventRec* event);
// A reference price ('G') or price limit ('H') event: shown in its own dialog,
// never deleted from here.
bool IsPriceControlEvent(const TradeEventRec& event);
// 17 characters: the logged-on user in 12, the operator code 8 as one byte,
// the event id zero-padded in 4. Empty when the id does not fit.
std::string BuildEventDeleteText(std::int32_t eventId);
// The deletion of a pending event; none for a price control event.
std::optional<KvRowTransaction> EventDeleteTransaction(const TradeEventRec& event);
