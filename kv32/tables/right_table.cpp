#include "kv32/tables/right_table.h"

#include <cstring>

#include "kv32/shell/msgtypes.h"
#include "kv32/shell/request_fields.h"
#include "kv32/tables/all_tables.h"
#include "kvcore/app/app_core_base.h"
#include "kvcore/values/field_codecs.h"

namespace {
constexpr int kKeyWidth = 3;
constexpr int kValueOffset = 6;
constexpr int kValueWidth = 16;
constexpr int kLastFlagOffset = 22;
} // namespace

CRightTable::CRightTable()
    : CHostTable<RightRec>(kTableId, 8)
{
    ResetKeys();
}

void CRightTable::ResetKeys()
{
    std::memcpy(m_szTypeKey, "000", sizeof m_szTypeKey);
    std::memcpy(m_szCodeKey, "000", sizeof m_szCodeKey);
}

int CRightTable::Load()
{
    ResetKeys();
    return RunSnapshotLoop(kRequest, this, [this](KvFieldWriter& w) {
        AppendPaddedField(w, kKeyWidth, m_szTypeKey, true);
        AppendPaddedField(w, kKeyWidth, m_szCodeKey, true);
    });
}

void CRightTable::Free()
{
    CHostTable<RightRec>::Free();
    ResetKeys();
}

void CRightTable::TakeRecord(int type, std::string_view record)
{
    if (type == kRequest)
        DecodeRight(record);
}

void CRightTable::DecodeRight(std::string_view record)
{
    if (record.size() < static_cast<size_t>(kRecordLength)) {
        TraceDroppedRecord(GetID(), kRequest, static_cast<int>(record.size()));
        return;
    }
    const char* bytes = record.data();
    Vorl2Str0NoStrip(m_szTypeKey, bytes, kKeyWidth);
    Vorl2Str0NoStrip(m_szCodeKey, bytes + kKeyWidth, kKeyWidth);
    RightRec rec {};
    rec.nIndex = GetCount();
    rec.nMsgType = Vorl2Int(bytes, kKeyWidth);
    rec.nOprCode = Vorl2Int(bytes + kKeyWidth, kKeyWidth);
    rec.nValue = Vorl2Int(bytes + kValueOffset, kValueWidth);
    fLastRec = bytes[kLastFlagOffset] == '1' ? 1 : 0;
    AddRec(rec);
}

int CRightTable::FindByType(int msgType)
{
    for (int i = 0; i < GetCount(); ++i) {
        if (GetRec(i)->nMsgType == msgType)
            return i;
    }
    return -1;
}

int CRightTable::FindTrans142(int oprCode)
{
    for (int i = 0; i < GetCount(); ++i) {
        const RightRec* rec = GetRec(i);
        if (rec->nMsgType == MSGTYPE_OPERATOR && rec->nOprCode == oprCode)
            return i;
    }
    return -1;
}

int CRightTable::GetValue(int msgType)
{
    const int i = FindByType(msgType);
    return i < 0 ? -1 : GetRec(i)->nValue;
}

CRightTable& RightTable()
{
    return KvTables().rights;
}
