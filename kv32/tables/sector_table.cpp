#include "kv32/tables/sector_table.h"

#include "kv32/tables/record_text.h"
#include "kvcore/app/app_core_base.h"

CSectorTable::CSectorTable()
    : CSnapshotTable<CHostTable<SectorRec>>(0, 8, kRequest)
{
}

int CSectorTable::Decode(CRecordReader& reader)
{
    const std::string key = reader.TextNoStrip(kNextKeyWidth);
    SectorRec rec {};
    rec.nIndex = GetCount();
    CopyText(rec.szCode, reader.Text(4));
    CopyText(rec.szName, reader.Text(30));
    const char last = reader.Char();
    if (!reader.Ok())
        return 0;
    TakeNextKey(key);
    fLastRec = last == '1' ? 1 : 0;
    AddRec(rec);
    return 1;
}

int CSectorTable::FindByCode(const char* code)
{
    return FindFirstRow(*this, [&](const SectorRec& r) { return SameStripped(r.szCode, code, 4); });
}
