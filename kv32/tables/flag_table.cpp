#include "kv32/tables/flag_table.h"

#include "kv32/tables/record_text.h"
#include "kvcore/app/app_core_base.h"

CFlagTable::CFlagTable()
    : CSnapshotTable<CHostPtrTable<FlagRec>>(0, 8, kRequest)
{
}

int CFlagTable::Decode(CRecordReader& reader)
{
    const std::string key = reader.TextNoStrip(kNextKeyWidth);
    FlagRec rec;
    rec.cLetter = reader.Char();
    rec.cSecond = reader.Char();
    rec.cEnabled = reader.Char();
    CopyText(rec.szName, reader.Text(30));
    const char last = reader.Char();
    if (!reader.Ok())
        return 0;
    TakeNextKey(key);
    fLastRec = last == '1' ? 1 : 0;
    AddRec(rec);
    return 1;
}

int CFlagTable::FindByLetter(char letter) const
{
    return FindFirstRow(*const_cast<CFlagTable*>(this), [&](const FlagRec& r) { return r.cLetter == letter; });
}

std::string CFlagTable::NameOf(char letter) const
{
    const int i = FindByLetter(letter);
    return i < 0 ? std::string() : std::string(GetRec(i)->szName);
}

int CFlagTable::GetNthEnabled(int n) const
{
    for (int i = 0; i < GetCount(); ++i) {
        if (GetRec(i)->cEnabled == 'Y' && n-- == 0)
            return i;
    }
    return -1;
}

int CFlagTable::FillList(std::vector<std::string>& names) const
{
    int lastEnabled = 0;
    for (int i = 0; i < GetCount(); ++i) {
        names.emplace_back(GetRec(i)->szName);
        if (GetRec(i)->cEnabled == 'Y')
            lastEnabled = i;
    }
    return lastEnabled;
}

int CFlagTable::FillEnabled(std::vector<std::string>& names) const
{
    int lastAdded = 0;
    for (int i = 0; i < GetCount(); ++i) {
        if (GetRec(i)->cEnabled == 'Y') {
            names.emplace_back(GetRec(i)->szName);
            lastAdded = static_cast<int>(names.size()) - 1;
        }
    }
    return lastAdded;
}
