// The news types (a 4-character code and a name) that name a news head's
// type. Snapshot only.
#pragma once

#include <string_view>

#include "kv32/tables/snapshot_table.h"

struct NewsTypeRec {
    char szKey[9];
    char szCode[5];
    char szName[31];
};

class CSubTable73 : public CSnapshotTable<CHostTable<NewsTypeRec>> {
public:
    static constexpr int kRequest = 73;

    CSubTable73();
    void Free() override;
    int Decode(CRecordReader& reader) override;
    void GetRec(int i, NewsTypeRec& out) { CopyRec(i, out); }
    using CSnapshotTable<CHostTable<NewsTypeRec>>::GetRec;
    // The type with this code; -1 when none.
    int FindByCode(std::string_view code);
};
