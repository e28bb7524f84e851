// Ready-made message texts that the message sending dialog offers: a name
// and a text of up to 255 characters. Snapshot only.
#pragma once

#include <cstdint>

#include "kv32/tables/host_tables.h"

struct MessageTextRec {
    char szKey[9];
    char szName[31];
    char szText[256];
};

class CMessageTextTable : public CHostTable<MessageTextRec> {
public:
    static constexpr int kRequest = 66;

    CMessageTextTable();
    // The first request sends the 10-digit start key, later ones the 8-character key of the last reply.
    int Load() override;
    void Free() override;
    int Decode(CRecordReader& reader) override;

protected:
    void TakeRecord(int type, CRecordReader& reader) override;

private:
    bool m_bFirstRequest = true;
};
