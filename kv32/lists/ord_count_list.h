// The Order Counting window's document (the counting records that pass the
// order-counting filter, coloured by their alerted flag) and the Order
// Counting Alerts window's document (every definition not removed).
#pragma once

#include <cstdint>
#include <span>

#include "kv32/lists/list_criteria.h"
#include "kv32/lists/table_index_doc.h"
#include "kv32/tables/ord_count_alert_table.h"
#include "kv32/tables/ord_count_table.h"

class COrdCountDoc : public CTableIndexDocT<COrdCountTable, COrdCountRec> {
public:
    static constexpr std::uint32_t kTableId = COrdCountTable::kTableId;
    static constexpr int kFirstColumn = 3101;
    static constexpr int kColumns = 14;

    COrdCountDoc();
    int GetMaxColumns() override { return kColumns; }
    int GetFirstColumnID() override { return kFirstColumn; }
    std::span<const KvListColumn> Columns() const override;
    int ColorIndexOffset() const override;
};

class COAlertsDoc : public CTableIndexDocT<COrdCountAlertTable, COrdCountAlertRec> {
public:
    static constexpr std::uint32_t kTableId = COrdCountAlertTable::kTableId;
    static constexpr int kFirstColumn = 2680;
    static constexpr int kColumns = 6;

    COAlertsDoc();
    // One window: opening it again brings it to the front.
    int CheckTable(void*) override { return 1; }
    int GetMaxColumns() override { return kColumns; }
    int GetFirstColumnID() override { return kFirstColumn; }
    std::span<const KvListColumn> Columns() const override;
};

// A definition is listed until it is removed.
class COAlertsCriteria : public CListCriteria {
public:
    void Reset() override { }
    bool Match(const std::uint8_t* record) override
    {
        return reinterpret_cast<const COrdCountAlertRec*>(record)->bDeleted == 0;
    }
    void GetDescription(std::string&) override { }
    void Serialize(fw::Archive&) override { }
};
