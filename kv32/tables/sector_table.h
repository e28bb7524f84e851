// The sectors by 4-character code; the security table names a security's
// sector from here. Snapshot only, no window.
#pragma once

#include <cstdint>

#include "kv32/tables/snapshot_table.h"

struct SectorRec {
    int32_t nIndex;
    char szCode[5];
    char szName[31];
};

class CSectorTable : public CSnapshotTable<CHostTable<SectorRec>> {
public:
    static constexpr int kRequest = 23;

    CSectorTable();

    int Decode(CRecordReader& reader) override;
    // 4 characters, stripped, against the sector code; -1 when none.
    int FindByCode(const char* code);
};
