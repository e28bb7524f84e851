// A host data table loaded by one snapshot request and nothing else: the
// resume-key loop and the dispatch of its reply records to Decode.
#pragma once

#include <cstdint>

#include "kv32/tables/host_tables.h"

template <class TFamily> class CSnapshotTable : public TFamily {
public:
    CSnapshotTable(uint16_t tableId, int growBy, int request)
        : TFamily(tableId, growBy)
        , m_nRequest(request)
    {
    }

    int Load() override
    {
        this->ResetNextKey();
        return RunSnapshotLoop(m_nRequest, this, [this](KvFieldWriter& w) { this->AppendNextKey(w); });
    }

protected:
    void TakeRecord(int type, CRecordReader& reader) override
    {
        if (type == m_nRequest)
            this->Decode(reader);
    }

private:
    const int m_nRequest;
};
