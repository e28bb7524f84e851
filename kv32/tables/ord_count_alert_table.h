// The user's order-counting limits per board and firm (or "*" for every firm
// of a board), kept in "ordcount.kva" in the settings folder. Removed
// definitions stay in the table, marked, until the file is next written.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "kv32/tables/host_tables.h"
#include "kv32/tables/ord_count_records.h"

class COrdCountAlertTable : public CHostTable<COrdCountAlertRec> {
public:
    static constexpr uint16_t kTableId = 41;
    static constexpr uint16_t kMagic = 0x5555;

    COrdCountAlertTable();

    // Session start: a damaged file has shown its message; the session starts all the same.
    int Load() override
    {
        Load(nullptr);
        return 1;
    }
    // A null or empty path is the default file; a missing file changes nothing (1).
    int Load(const char* path);
    // Saved by Free at session end.
    int Save() override { return 1; }
    int Save(const char* path);
    // Loading replaces the table only when the whole file was read.
    int Serialize(fw::Archive& ar);
    // Saves first when the session's SaveAlerts is on.
    void Free() override;
    int Decode(CRecordReader&) override { return 0; }
    // Announces the queued rows.
    void OnPostReceive() override;

    // The row of that board and firm ("*" when allFirms), deleted or not; -1 when none.
    int Find(std::string_view board, std::string_view firm, bool allFirms);
    int FillMatching(std::string_view board, std::string_view firm, bool allFirms) { return Find(board, firm, allFirms); }
    // The first live definition of the board and firm, else the board's last live "*" one; -1 when none.
    int FindByKeys(std::string_view board, std::string_view firm);
    // The new row; -1 when memory ran out.
    int AddAlert(std::string_view board, std::string_view firm, bool allFirms, uint32_t normalLimit, uint32_t mmLimit,
        uint32_t normalSpeed, uint32_t mmSpeed);
    void ModifyAlert(int i, uint32_t normalLimit, uint32_t mmLimit, uint32_t normalSpeed, uint32_t mmSpeed);
    void RemoveAlert(int i);

    static std::string DefaultPath();

    int m_bChanged = 0;
    std::vector<int> m_pendingRows;

private:
    void Queue(int row);
};
