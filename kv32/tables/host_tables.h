// The two families of host data tables. CHostTable keeps fixed-size records
// of plain data in kvcore's record store; CHostPtrTable keeps records of any
// copyable type in blocks of its own. In both a record never moves while the table holds
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
#include "kvcore/router/record_reader.h"
#include "kvcore/router/vorl_target.h"

// The router-target side of both families: each received message reaches
// TakeRecord with its type and a bounded reader of its bytes; by default the
// table's Decode reads it. A record that ends before its last field is left
// out by its decoder (reader.Ok() is false) and reported on the trace.
template <class TPermBase> class CHostTarget : public TPermBase, public CHostTableState {
public:
    using TPermBase::TPermBase;

    int StoreDataItem(tagTMSG* message) override
    {
        if (message == nullptr || message->pText == nullptr || message->nLength < 0)
            return 1;
        CRecordReader reader(
            reinterpret_cast<const char*>(message->pText), static_cast<size_t>(message->nLength));
        DecodeGuarded([&] { TakeRecord(message->nType, reader); });
        if (!reader.Ok())
            TraceShortRecord(*message);
        return 1;
    }

protected:
    // One message of a type the table asked for; tables with more than one
    // type dispatch here.
    virtual void TakeRecord(int /*type*/, CRecordReader& reader) { this->Decode(reader); }
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

    int GetCount() const { return m_nCount; }
    // 0 <= i < GetCount().
    TRecord* GetRec(int i) { return &m_blocks[Block(i)][Slot(i)]; }
    const TRecord* GetRec(int i) const { return &m_blocks[Block(i)][Slot(i)]; }
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
        m_blocks.clear();
        m_blocks.shrink_to_fit();
        m_nCount = 0;
        ResetSeqNum();
    }

private:
    // Records are appended into blocks of 256 and never move, so record i
    // is found from its index alone and neighbours share cache lines.
    static constexpr int kBlockShift = 8;
    static constexpr int kBlockRecords = 1 << kBlockShift;
    static size_t Block(int i) { return static_cast<size_t>(i) >> kBlockShift; }
    static size_t Slot(int i) { return static_cast<size_t>(i) & (kBlockRecords - 1); }

    void GrowByOne()
    {
        if (Slot(m_nCount) == 0)
            m_blocks.push_back(std::make_unique<TRecord[]>(kBlockRecords));
        ++m_nCount;
    }

    std::vector<std::unique_ptr<TRecord[]>> m_blocks;
    int m_nCount = 0;
};
