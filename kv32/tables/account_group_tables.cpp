#include "kv32/tables/account_group_tables.h"

#include <algorithm>

#include "kv32/res/table_strings.h"
#include "kv32/shell/request_fields.h"
#include "kv32/tables/record_text.h"
#include "kv32/tables/trader_table.h"
#include "kvcore/app/app_core_base.h"
#include "kvcore/app/message_box.h"

template <class TRecord> int CCodeTableBase<TRecord>::RunRequest(const std::string* group)
{
    fLastRec = 0;
    const std::string firm = OwnFirmCode();
    if (firm.empty())
        KvMessageBox(Kv32TableString(IDS_NO_USER_FIRM), fw::MB_ICONEXCLAMATION);
    RunSnapshotLoop(m_nRequest, this, [&](KvFieldWriter& w) {
        AppendPaddedField(w, 8, this->m_szNextKey, true);
        AppendPaddedField(w, 12, firm.c_str(), false);
        if (group != nullptr)
            AppendPaddedField(w, 12, group->c_str(), false);
    });
    return 1;
}

template <class TRecord> int CCodeTableBase<TRecord>::ReadHeader(CRecordReader& reader, size_t entryWidth)
{
    const std::string key = reader.TextNoStrip(8);
    reader.Skip(m_nEndByte - 8);
    const char end = reader.Char();
    const int32_t count = reader.Int(8);
    if (!reader.Ok())
        return -1;
    this->TakeNextKey(key);
    const int32_t held = static_cast<int32_t>(reader.Remaining() / entryWidth);
    const int32_t rows = std::clamp(count, 0, held);
    // Any non-zero end byte ends the loop; so does a page without rows, which
    // could only be followed by more of the same.
    fLastRec = end != '\0' || rows == 0 ? 1 : 0;
    return rows;
}

template class CCodeTableBase<GroupRec>;
template class CCodeTableBase<GroupAccountRec>;
template class CCodeTableBase<GroupUserRec>;

CCodeTable60::CCodeTable60()
    : CCodeTableBase<GroupRec>(60, 20)
{
}

int CCodeTable60::Decode(CRecordReader& reader)
{
    CRecordReader owner = reader;
    owner.Skip(8);
    const std::string ownerCode = owner.Text(12);
    const int count = ReadHeader(reader, 42);
    if (count < 0)
        return 0;
    for (int i = 0; i < count; ++i) {
        GroupRec rec {};
        CopyText(rec.szCode, reader.Text(12));
        CopyText(rec.szName, reader.Text(30));
        CopyText(rec.szOwner, ownerCode);
        DecodeGuarded([&] { AddRec(rec); });
    }
    return 1;
}

CCodeTable61::CCodeTable61()
    : CCodeTableBase<GroupAccountRec>(61, 32)
{
}

int CCodeTable61::Decode(CRecordReader& reader)
{
    const int count = ReadHeader(reader, 42);
    if (count < 0)
        return 0;
    for (int i = 0; i < count; ++i) {
        GroupAccountRec rec {};
        CopyText(rec.szCode, reader.Text(12));
        CopyText(rec.szName, reader.Text(30));
        DecodeGuarded([&] { AddRec(rec); });
    }
    return 1;
}

CCodeTable62::CCodeTable62()
    : CCodeTableBase<GroupUserRec>(62, 32)
{
}

int CCodeTable62::Decode(CRecordReader& reader)
{
    const int count = ReadHeader(reader, 13);
    if (count < 0)
        return 0;
    for (int i = 0; i < count; ++i) {
        GroupUserRec rec {};
        CopyText(rec.szCode, reader.Text(12));
        if (reader.Char() == 'A')
            DecodeGuarded([&] { AddRec(rec); });
    }
    return 1;
}
