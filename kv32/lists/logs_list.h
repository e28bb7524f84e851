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
    // The entry's tag when it names a category (0-5), else its kind's:
    // users 0, firms 1, securities 2, order counting 3, messages 4, news 5;
    // trading events keep the default colours.
    int RowColorIndex(const std::uint8_t* record) const override;
};
