// The Audit Events window's document, whose rows only grow as events arrive,
// and the Audit Types window's document, every type in table order.
#pragma once

#include <cstdint>
#include <span>

#include "kv32/lists/table_index_doc.h"
#include "kv32/tables/audit_table.h"
#include "kv32/tables/audit_type_table.h"

class CAuditsDoc : public CTableIndexDocT<CAuditTable, AuditEventRec> {
public:
    static constexpr std::uint32_t kTableId = CAuditTable::kTableId;
    static constexpr int kFirstColumn = 5580;
    static constexpr int kColumns = 11;

    CAuditsDoc();
    int GetMaxColumns() override { return kColumns; }
    int GetFirstColumnID() override { return kFirstColumn; }
    std::span<const KvListColumn> Columns() const override;
    // Events are only appended: a hint adds the accepted events after the last row.
    bool HostChangedInPlace() const override { return false; }
};

class CAuditTypesDoc : public CTableIndexDocT<CAuditEventTypeTable, AuditTypeRec> {
public:
    static constexpr std::uint32_t kTableId = CAuditEventTypeTable::kTableId;
    static constexpr int kFirstColumn = 5600;
    static constexpr int kColumns = 4;

    CAuditTypesDoc();
    int GetMaxColumns() override { return kColumns; }
    int GetFirstColumnID() override { return kFirstColumn; }
    std::span<const KvListColumn> Columns() const override;
    // The host's display-mode letter.
    void OwnerDrawCell(const std::uint8_t* value, int col, int row, fw::CellStyle& style) const override;
    int OwnerDrawSort(const std::uint8_t* a, const std::uint8_t* b, int col) const override;
};
