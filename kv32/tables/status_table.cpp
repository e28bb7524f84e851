#include "kv32/tables/status_table.h"

#include "kv32/tables/record_text.h"
#include "kvcore/app/app_core_base.h"

CStatusTable::CStatusTable()
    : CSnapshotTable<CHostTable<StatusRec>>(0, 4, kRequest)
{
}

int CStatusTable::Decode(CRecordReader& reader)
{
    const std::string key = reader.TextNoStrip(kNextKeyWidth);
    StatusRec rec {};
    CopyText(rec.szCode, reader.Text(3));
    rec.cKind = reader.Char();
    CopyText(rec.szName, reader.Text(40));
    const char last = reader.Char();
    if (!reader.Ok())
        return 0;
    // The text is optional: a record that ends before it, or states more than
    // it carries, keeps what is there (never more than the record's room).
    int length = reader.Remaining() >= 2 ? reader.Int(2) : 0;
    length = length < 0 ? 0 : length > kTextRoom ? kTextRoom : length;
    if (static_cast<size_t>(length) > reader.Remaining())
        length = static_cast<int>(reader.Remaining());
    for (int i = 0; i < length; ++i)
        rec.szText[i] = reader.Char();
    rec.nTextLen = length;
    TakeNextKey(key);
    fLastRec = last == '1' ? 1 : 0;
    AddRec(rec);
    return 1;
}

int CStatusTable::FindByKind(char kind)
{
    return FindFirstRow(*this, [&](const StatusRec& r) { return r.cKind == kind; });
}

int CStatusTable::FindByName(const char* name)
{
    return FindFirstRow(*this, [&](const StatusRec& r) { return SameStripped(r.szName, name, 40); });
}
