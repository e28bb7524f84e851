// Markets (CTable20) and instruments (CTable21): twin tables of a 4-character
// code, a name and a trading state, each with a snapshot and a change stream.
// A security's market code is matched against the markets; the trading
// schedule names instruments from the instruments.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "kv32/tables/subscribed_table.h"

struct MarketRec {
    int32_t nIndex;
    char szCode[5];
    char szName[31];
    char szState[33]; // "S" suspended, "A" active (in the user's language), else empty
    int32_t nState; // 0 suspended, -1 active
};

class CCodeNameStateTable : public CSubscribedTable<CHostTable<MarketRec>> {
public:
    CCodeNameStateTable(uint16_t tableId, int snapshotRequest, int changeRequest);

    int Decode(CRecordReader& reader) override;
    int DecodeUpdate(CRecordReader& reader);

    // 4 characters, stripped; -1 when none.
    int FindByCode(const char* code);
    // The names in row order.
    std::vector<std::string> FillList();

    // The entry the user works on; -1 when none.
    int m_nCurrent = -1;

protected:
    void TakeChange(CRecordReader& reader) override { DecodeUpdate(reader); }
};

class CTable20 : public CCodeNameStateTable {
public:
    static constexpr uint16_t kTableId = 3;
    CTable20()
        : CCodeNameStateTable(kTableId, 20, 42)
    {
    }
};

class CTable21 : public CCodeNameStateTable {
public:
    static constexpr uint16_t kTableId = 5;
    CTable21()
        : CCodeNameStateTable(kTableId, 21, 43)
    {
    }
};
