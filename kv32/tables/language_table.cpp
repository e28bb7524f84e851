#include "kv32/tables/language_table.h"

#include "kv32/tables/record_text.h"
#include "kvcore/app/app_core_base.h"

CTable65::CTable65()
    : CSnapshotTable<CHostTable<LanguageRec>>(0, 8, kRequest)
{
}

void CTable65::Free()
{
    CSnapshotTable<CHostTable<LanguageRec>>::Free();
    ResetNextKey();
}

int CTable65::Decode(CRecordReader& reader)
{
    const std::string key = reader.TextNoStrip(kNextKeyWidth);
    LanguageRec rec {};
    CopyText(rec.szCode, reader.Text(2));
    CopyText(rec.szName, reader.Text(30));
    const char last = reader.Char();
    if (!reader.Ok())
        return 0;
    CopyText(rec.szKey, key);
    TakeNextKey(key);
    fLastRec = last == '1' ? 1 : 0;
    AddRec(rec);
    return 1;
}

int CTable65::FindByCode(std::string_view code)
{
    return FindFirstRow(*this, [&](const LanguageRec& r) { return SameStripped(r.szCode, code, 2); });
}
