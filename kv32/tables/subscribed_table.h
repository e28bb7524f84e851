// A host data table that loads by one snapshot request and, once loaded,
// keeps itself in step through one standing request with sequence numbers.
// Tables built on it decode the snapshot records and, where the change
// reports reach them through TakeRecord, the change records.
#pragma once

#include <cstdint>

#include "kv32/tables/host_tables.h"
#include "kv32/tables/table_updates.h"

template <class TFamily> class CSubscribedTable : public TFamily {
public:
    CSubscribedTable(uint16_t tableId, int snapshotRequest, int changeRequest)
        : TFamily(tableId, 8)
        , m_nSnapshotRequest(snapshotRequest)
        , m_nChangeRequest(changeRequest)
    {
    }

    int Load() override
    {
        OnLoad();
        this->ResetNextKey();
        this->ResetSeqNum();
        m_bLoaded = true;
        return RunSnapshotLoop(m_nSnapshotRequest, this, [this](KvFieldWriter& w) { this->AppendNextKey(w); });
    }

    // The standing request goes out only once the table has been loaded.
    int UpdateReq() override
    {
        if (!m_bLoaded)
            return 0;
        return SendStandingRequest(m_nChangeRequest, this, [this](KvFieldWriter& w) { this->AppendSeqNum(w); });
    }

    void Free() override
    {
        TFamily::Free();
        m_bLoaded = false;
    }

    void OnPostReceive() override { KvUpdateAllDocuments(this->GetID()); }

protected:
    // Runs at the start of every Load, before the first request.
    virtual void OnLoad() {}
    // A change record that reached TakeRecord; tables that read their change
    // reports from the whole message override StoreDataItem instead.
    virtual void TakeChange(CRecordReader&) {}

    void TakeRecord(int type, CRecordReader& reader) override
    {
        if (type == m_nSnapshotRequest)
            this->Decode(reader);
        else if (type == m_nChangeRequest)
            TakeChange(reader);
    }

private:
    const int m_nSnapshotRequest;
    const int m_nChangeRequest;
    bool m_bLoaded = false;
};
