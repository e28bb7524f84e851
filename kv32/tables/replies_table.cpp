#include "kv32/tables/replies_table.h"

#include "kv32/tables/record_text.h"

CRepliesTable::CRepliesTable()
    : CHostTable<RepliesRec>(kTableId, 4)
{
}

int CRepliesTable::AddReply(std::string_view identifier)
{
    RepliesRec rec {};
    rec.nIndex = GetCount();
    CopyText(rec.szIdentifier, identifier);
    return AddRec(rec);
}

void CRepliesTable::SetMessage(int i, std::string_view text)
{
    if (i < 0 || i >= GetCount())
        return;
    CopyText(GetRec(i)->szMessage, text);
}
