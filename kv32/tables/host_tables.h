// The two families of host data tables. CHostTable keeps fixed-size records
// of plain data in kvcore's record store; CHostPtrTable keeps records of any
// copyable type behind a pointer array. In both a record never moves while the table holds
// it, so windows keep row numbers (row = record index), and records are only
// appended during a session.
#pragma once

#include <cstdint>
#include <cstring>
#include <memory>
#include <string_view>
#include <type_traits>
#include <vector>

#include "kv32/tables/host_table.h"
#include "kvcore/router/vorl_target.h"

// The router-target side of both families: each received message reaches
// TakeRecord with its type and its bytes, its length known.
template <class TPermBase> class CHostTarget : public TPermBase, public CHostTableState {
public:
    using TPermBase::TPermBase;

    int StoreDataItem(tagTMSG* message) override
    {
        if (message == nullptr || message->pText == nullptr || message->nLength < 0)
            return 1;
        const std::string_view record(
            reinterpret_cast<const char*>(message->pText), static_cast<size_t>(message->nLength));
        DecodeGuarded([&] { TakeRecord(message->nType, record); });
        return 1;
    }
    int Decode(CRecordReader& /*reader*/) final { return 0; }

protected:
    // One message of a type the table asked for.
    virtual void TakeRecord(int type, std::string_view record) = 0;
};

template <class TRecord> class CHostTable : public CHostTarget<CArrayPerm> {
    static_assert(std::is_trivially_copyable_v<TRecord>, "CHostTable records are copied as bytes");

public:
    CHostTable(uint16_t tableId, int growBy)
        : CHostTarget<CArrayPerm>(sizeof(TRecord), growBy)
    {
        m_wID = tableId;
    }

    int GetCount() const { return GetSize(); }
    // 0 <= i < GetCount().
    TRecord* GetRec(int i) { return static_cast<TRecord*>(GetData()[i]); }
    void CopyRec(int i, TRecord& out) { out = *GetRec(i); }
    int AddRec(const TRecord& rec)
    {
        const int i = GetSize();
        SetRec(i, rec);
        return i;
    }
    void SetRec(int i, const TRecord& rec)
    {
        if (i < 0)
            return;
        if (i >= GetSize())
            SetSize(i + 1);
        std::memcpy(GetData()[i], &rec, sizeof rec);
    }
    void Free() override
    {
        CArrayPerm::Free();
        ResetSeqNum();
    }
};

template <class TRecord> class CHostPtrTable : public CHostTarget<CVorlPermTarget> {
public:
    CHostPtrTable(uint16_t tableId, int /*growBy*/) { m_wID = tableId; }

    int GetCount() const { return static_cast<int>(m_records.size()); }
    // 0 <= i < GetCount().
    TRecord* GetRec(int i) { return m_records[static_cast<size_t>(i)]; }
    const TRecord* GetRec(int i) const { return m_records[static_cast<size_t>(i)]; }
    void CopyRec(int i, TRecord& out) const { out = *GetRec(i); }
    int AddRec(const TRecord& rec)
    {
        const int i = GetCount();
        SetRec(i, rec);
        return i;
    }
    void SetRec(int i, const TRecord& rec)
    {
        if (i < 0)
            return;
        while (GetCount() <= i)
            GrowByOne();
        *GetRec(i) = rec;
    }
    void Free() override
    {
        m_records.clear();
        m_records.shrink_to_fit();
        m_blocks.clear();
        m_nBlockUsed = kBlockRecords;
        ResetSeqNum();
    }

private:
    // Records are carved from blocks, so neighbours share cache lines; a
    // record never moves. The pointer array grows geometrically: a fixed
    // step would copy it again for every few records of a large table.
    static constexpr size_t kBlockRecords = 256;

    void GrowByOne()
    {
        if (m_nBlockUsed == kBlockRecords) {
            m_blocks.push_back(std::make_unique<TRecord[]>(kBlockRecords));
            m_nBlockUsed = 0;
        }
        TRecord* record = &m_blocks.back()[m_nBlockUsed];
        *record = TRecord();
        m_records.push_back(record);
        ++m_nBlockUsed;
    }

    std::vector<TRecord*> m_records; // into m_blocks
    std::vector<std::unique_ptr<TRecord[]>> m_blocks;
    size_t m_nBlockUsed = kBlockRecords;
};
