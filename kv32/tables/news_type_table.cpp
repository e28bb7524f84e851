#include "kv32/tables/news_type_table.h"

#include "kv32/tables/record_text.h"
#include "kvcore/app/app_core_base.h"

CSubTable73::CSubTable73()
    : CSnapshotTable<CHostTable<NewsTypeRec>>(0, 8, kRequest)
{
}

void CSubTable73::Free()
{
    CSnapshotTable<CHostTable<NewsTypeRec>>::Free();
    ResetNextKey();
}

int CSubTable73::Decode(CRecordReader& reader)
{
    const std::string key = reader.TextNoStrip(kNextKeyWidth);
    NewsTypeRec rec {};
    CopyText(rec.szCode, reader.Text(4));
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

int CSubTable73::FindByCode(std::string_view code)
{
    return FindFirstRow(*this, [&](const NewsTypeRec& r) { return SameStripped(r.szCode, code, 4); });
}
