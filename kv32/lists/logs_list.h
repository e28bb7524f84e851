// The Logs window's document: the alert log's entries that pass the log
// filter, with the filter's words and the count in the title.
#pragma once

#include <cstdint>
#include <span>

#include "kv32/lists/table_index_doc.h"
#include "kv32/tables/alert_log_table.h"

class CLogsDoc : public CTableIndexDocT<CAlertLogTable, CLogEntry> {
public:
    static constexpr std::uint32_t kTableId = CAlertLogTable::kTableId;
    static constexpr int kFirstColumn = 5471;
    static constexpr int kColumns = 9;

    CLogsDoc();
    int GetMaxColumns() override { return kColumns; }
    int GetFirstColumnID() override { return kFirstColumn; }
    std::span<const KvListColumn> Columns() const override;
};
