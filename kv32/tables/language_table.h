// The languages of news heads: a 2-character code and a name. Snapshot only.
#pragma once

#include <cstdint>
#include <string_view>

#include "kv32/tables/snapshot_table.h"

struct LanguageRec {
    char szKey[9];
    char szCode[3];
    char szName[31];
};

class CTable65 : public CSnapshotTable<CHostTable<LanguageRec>> {
public:
    static constexpr int kRequest = 65;

    CTable65();
    void Free() override;
    int Decode(CRecordReader& reader) override;
    // The language with this 2-character code; -1 when none.
    int FindByCode(std::string_view code);
};
