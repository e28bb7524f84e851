// The security statuses: a 3-character code, a kind letter ('A' active,
// 'S' suspended, others) and a name; the security table turns status letters
// into names and decides activity from them. Snapshot only, no window.
#pragma once

#include <cstdint>

#include "kv32/tables/snapshot_table.h"

struct StatusRec {
    char szCode[4];
    char cKind;
    char szName[41];
    int32_t nTextLen; // 0..32
    char szText[32]; // nTextLen bytes, not terminated when full
};

class CStatusTable : public CSnapshotTable<CHostTable<StatusRec>> {
public:
    static constexpr int kRequest = 115;
    static constexpr int kTextRoom = 32;

    CStatusTable();

    int Decode(CRecordReader& reader) override;

    // The first status with this kind letter, -1 when none.
    int FindByKind(char kind);
    // 40 characters, stripped, against the status name; -1 when none.
    int FindByName(const char* name);
};
