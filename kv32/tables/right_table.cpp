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

// A bit set sent as a decimal of up to 16 digits: read as 64 bits (blanks, a
// sign, digits), its low 32 bits kept, so no bit is lost to saturation.
int32_t LowBits(const std::string& field)
{
    size_t i = 0;
    while (i < field.size() && field[i] == ' ')
        ++i;
    const bool negative = i < field.size() && field[i] == '-';
    if (i < field.size() && (field[i] == '-' || field[i] == '+'))
        ++i;
    uint64_t value = 0;
    for (; i < field.size() && field[i] >= '0' && field[i] <= '9'; ++i)
        value = value * 10 + static_cast<uint64_t>(field[i] - '0');
    if (negative)
        value = ~value + 1;
    return static_cast<int32_t>(static_cast<uint32_t>(value));
}
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
    // A bit set in 16 digits: read whole, its low 32 bits kept.
    rec.nValue = LowBits(reader.TextNoStrip(kValueWidth));
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
