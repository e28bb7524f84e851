#include "kv32/tables/market_table.h"

#include "kv32/res/table_strings.h"
#include "kv32/tables/record_text.h"
#include "kv32/tables/table_updates.h"
#include "kvcore/app/app_core_base.h"

CCodeNameStateTable::CCodeNameStateTable(uint16_t tableId, int snapshotRequest, int changeRequest)
    : CSubscribedTable<CHostTable<MarketRec>>(tableId, snapshotRequest, changeRequest)
{
}

int CCodeNameStateTable::Decode(CRecordReader& reader)
{
    const std::string key = reader.TextNoStrip(kNextKeyWidth);
    MarketRec rec {};
    rec.nIndex = GetCount();
    CopyText(rec.szCode, reader.Text(4));
    CopyText(rec.szName, reader.Text(30));
    const char state = reader.Char();
    const char last = reader.Char();
    if (!reader.Ok())
        return 0;
    TakeStateLetter(state, rec.szState, rec.nState);
    TakeNextKey(key);
    fLastRec = last == '1' ? 1 : 0;
    AddRec(rec);
    return 1;
}

int CCodeNameStateTable::DecodeUpdate(CRecordReader& reader)
{
    const std::string seq = reader.TextNoStrip(kSeqNumWidth);
    const std::string code = reader.Text(4);
    const char state = reader.Char();
    if (!reader.Ok())
        return 0;
    TakeSeqNum(seq);
    const int row = FindByCode(code.c_str());
    if (row < 0)
        return 0;
    TakeStateLetter(state, GetRec(row)->szState, GetRec(row)->nState);
    return 1;
}

int CCodeNameStateTable::FindByCode(const char* code)
{
    return FindFirstRow(*this, [&](const MarketRec& r) { return SameStripped(r.szCode, code, 4); });
}

std::vector<std::string> CCodeNameStateTable::FillList()
{
    std::vector<std::string> names;
    for (int i = 0; i < GetCount(); ++i)
        names.emplace_back(GetRec(i)->szName);
    return names;
}
