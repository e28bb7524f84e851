// One-letter codes (trade sources) with a name and an enabled flag: decoders
// name a record's code letter with it, dialogs offer the enabled entries.
#pragma once

#include <string>
#include <vector>

#include "kv32/tables/snapshot_table.h"

struct FlagRec {
    char cLetter = 0;
    char cSecond = 0;
    char cEnabled = 0; // 'Y' enabled
    char szName[31] = {};
};

class CFlagTable : public CSnapshotTable<CHostPtrTable<FlagRec>> {
public:
    static constexpr int kRequest = 116;

    CFlagTable();
    int Decode(CRecordReader& reader) override;

    // The first record of the letter; -1 when none.
    int FindByLetter(char letter) const;
    // The name of the letter's record; empty when none.
    std::string NameOf(char letter) const;
    // The n-th enabled record (from 0); -1 when none.
    int GetNthEnabled(int n) const;
    // Every name; the result is the index of the last enabled record (0 when none).
    int FillList(std::vector<std::string>& names) const;
    // The enabled names; the result is the index of the last one added (0 when none).
    int FillEnabled(std::vector<std::string>& names) const;
};
