// The Trading Events window's document: every event of the trading schedule,
// in the schedule's order, and the removal record of an event.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "kv32/lists/table_index_doc.h"
#include "kv32/tables/schedule_table.h"

class CTimesDoc : public CTableIndexDoc {
public:
    static constexpr std::uint32_t kTableId = CFlagTable2::kTableId;
    static constexpr int kFirstColumn = 2050;
    static constexpr int kColumns = 7;

    CTimesDoc();
    int GetMaxColumns() override { return kColumns; }
    int GetFirstColumnID() override { return kFirstColumn; }
    std::span<const KvListColumn> Columns() const override;
    int HostCount() const override;
    const std::uint8_t* HostRecord(int i) const override;
    bool HostChangedInPlace() const override { return true; }
    std::vector<std::uint32_t>& HostColors() override { return m_noColors; }
    std::vector<std::uint16_t>& HostColorNames() override { return m_noColorNames; }
    // The window's name alone: it has no filter, and the schedule is short.
    void MakeTitle(std::string& title) override;

    // The event of a row; null outside the rows.
    const ScheduleRec* GetRowRecord(int row) const { return reinterpret_cast<const ScheduleRec*>(GetRowData(row)); }

private:
    std::vector<std::uint32_t> m_noColors;
    std::vector<std::uint16_t> m_noColorNames;
};

// 53 bytes removing the event: the user, operator code 43, the event's time,
// its priority in two digits, its transition and the codes of its board,
// instrument and security. Empty when a field does not fit (a priority
// outside 0..99 among them).
std::string BuildScheduleRemoveRecord(std::string_view user, const ScheduleRec& event);
