#include "kv32/tables/right_table.h"

#include <cstring>

#include "kv32/shell/msgtypes.h"
#include "kv32/shell/request_fields.h"
#include "kv32/tables/all_tables.h"
#include "kvcore/app/app_core_base.h"
#include "kvcore/values/field_codecs.h"

namespace {
constexpr int kKeyWidth = 3;
constexpr int kValueWidth = 16;
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

void CRightTable::TakeRecord(int type, CRecordReader& reader)
{
    if (type == kRequest)
        Decode(reader);
}

int CRightTable::Decode(CRecordReader& reader)
{
    const std::string typeKey = reader.TextNoStrip(kKeyWidth);
    const std::string codeKey = reader.TextNoStrip(kKeyWidth);
    RightRec rec {};
    rec.nIndex = GetCount();
    rec.nMsgType = Vorl2Int(typeKey.data(), static_cast<int>(typeKey.size()));
    rec.nOprCode = Vorl2Int(codeKey.data(), static_cast<int>(codeKey.size()));
    rec.nValue = reader.Int(kValueWidth);
    const char last = reader.Char();
    if (!reader.Ok())
        return 0;
    Vorl2Str0NoStrip(m_szTypeKey, typeKey.data(), static_cast<int>(typeKey.size()));
    Vorl2Str0NoStrip(m_szCodeKey, codeKey.data(), static_cast<int>(codeKey.size()));
    fLastRec = last == '1' ? 1 : 0;
    AddRec(rec);
    return 1;
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
