// The Indices window's document: the securities the host marks as indices,
// taken from the security table once when the window opens (an index marked
// later shows in the next window), with their prices repainted as the
// security table changes them.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "kv32/lists/table_index_doc.h"
#include "kv32/tables/security_record.h"

class CIndicesDoc : public CTableIndexDoc {
public:
    static constexpr std::uint32_t kTableId = 23;
    static constexpr int kFirstColumn = 690;
    static constexpr int kColumns = 8;

    CIndicesDoc();
    int GetMaxColumns() override { return kColumns; }
    int GetFirstColumnID() override { return kFirstColumn; }
    std::span<const KvListColumn> Columns() const override;
    int HostCount() const override;
    const std::uint8_t* HostRecord(int i) const override;
    bool HostChangedInPlace() const override { return true; }
    std::vector<std::uint32_t>& HostColors() override { return m_noColors; }
    std::vector<std::uint16_t>& HostColorNames() override { return m_noColorNames; }
    // The indices are collected when the window opens; later the rows stay
    // and only the title is made again.
    int ApplyFilter(bool retitle) override;

    // The security of a row; null outside the rows.
    const SecurityRec* GetRowRecord(int row) const { return reinterpret_cast<const SecurityRec*>(GetRowData(row)); }

protected:
    // A changed security is repainted when the window shows it.
    bool MatchHinted(int hostIndex) override { return RowOfHostIndex(hostIndex) >= 0; }

private:
    std::vector<std::uint32_t> m_noColors;
    std::vector<std::uint16_t> m_noColorNames;
};
