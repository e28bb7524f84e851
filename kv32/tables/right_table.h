// The rights of the logged-on user as the host grants them: one record per
// permitted message type, and for the operator transaction one per permitted
// operator code, each with a bit set of scope rights.
#pragma once

#include <cstdint>

#include "kv32/tables/host_tables.h"

struct RightRec {
    int32_t nIndex; // the table's count when the record was added
    int32_t nMsgType;
    int32_t nOprCode; // 0 for types other than the operator transaction
    int32_t nValue;
};
static_assert(sizeof(RightRec) == 16);

class CRightTable : public CHostTable<RightRec> {
public:
    static constexpr uint16_t kTableId = 37;
    static constexpr int kRequest = 93;

    CRightTable();

    int Load() override;
    void Free() override;

    // Index of the first record of the type, -1 when none.
    int FindByType(int msgType);
    // Index of the first operator-transaction record with the code, -1 when none.
    int FindTrans142(int oprCode);
    // Value of the first record of the type; -1 (every bit set) when none.
    int GetValue(int msgType);

    // One record of the reply to the rights request; nonzero when kept.
    int Decode(CRecordReader& reader) override;

protected:
    void TakeRecord(int type, CRecordReader& reader) override;

private:
    void ResetKeys();
    char m_szTypeKey[4];
    char m_szCodeKey[4];
};

// The program's rights table.
CRightTable& RightTable();
