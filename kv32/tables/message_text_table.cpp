#include "kv32/tables/message_text_table.h"

#include <utility>

#include "kv32/tables/record_text.h"
#include "kvcore/app/app_core_base.h"

CMessageTextTable::CMessageTextTable()
    : CHostTable<MessageTextRec>(0, 8)
{
}

int CMessageTextTable::Load()
{
    ResetNextKey();
    m_bFirstRequest = true;
    return RunSnapshotLoop(kRequest, this, [this](KvFieldWriter& w) {
        if (std::exchange(m_bFirstRequest, false))
            w.Text("0000000000", 10);
        else
            AppendNextKey(w);
    });
}

void CMessageTextTable::Free()
{
    CHostTable<MessageTextRec>::Free();
    ResetNextKey();
}

void CMessageTextTable::TakeRecord(int type, CRecordReader& reader)
{
    if (type == kRequest)
        Decode(reader);
}

int CMessageTextTable::Decode(CRecordReader& reader)
{
    const std::string key = reader.TextNoStrip(kNextKeyWidth);
    MessageTextRec rec {};
    CopyText(rec.szName, reader.Text(30));
    CopyText(rec.szText, reader.Text(255));
    const char last = reader.Char();
    if (!reader.Ok())
        return 0;
    CopyText(rec.szKey, key);
    TakeNextKey(key);
    fLastRec = last == '1' ? 1 : 0;
    AddRec(rec);
    return 1;
}
