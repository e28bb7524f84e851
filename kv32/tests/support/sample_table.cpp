#include "support/sample_table.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "kv32/tables/selection.h"
#include "kv32/tables/table_updates.h"
#include "kvcore/app/app_core_base.h"
#include "kvcore/values/field_codecs.h"
#include "kvcore/values/field_writer.h"

namespace kv32test {

CSampleTable::CSampleTable()
    : CHostPtrTable<SampleRec>(kTableId, 8)
{
}

int CSampleTable::Load()
{
    ResetNextKey();
    const int result
        = RunSnapshotLoop(kSnapshotRequest, this, [this](KvFieldWriter& w) { AppendNextKey(w); });
    ResetSeqNum();
    return result;
}

int CSampleTable::UpdateReq()
{
    return SendStandingRequest(kChangeRequest, this, [this](KvFieldWriter& w) { AppendSeqNum(w); });
}

void CSampleTable::TakeRecord(int type, std::string_view record)
{
    if (type == kSnapshotRequest)
        Decode(record);
    else if (type == kChangeRequest)
        DecodeUpdate(record);
}

void CSampleTable::Decode(std::string_view record)
{
    if (record.size() < static_cast<size_t>(kSnapshotLength)) {
        TraceDroppedRecord(GetID(), kSnapshotRequest, static_cast<int>(record.size()));
        return;
    }
    const char* p = record.data();
    TakeNextKey(record.substr(0, kNextKeyWidth));
    SampleRec rec;
    rec.nIndex = GetCount();
    Vorl2Str0(rec.szCode, p + 8, 4);
    Vorl2Str0(rec.szName, p + 12, 30);
    rec.dPrice.SetVORL(p + 42, 12, 2);
    fLastRec = p[54] == '1' ? 1 : 0;
    AddRec(rec);
}

void CSampleTable::DecodeUpdate(std::string_view record)
{
    if (record.size() < static_cast<size_t>(kChangeLength)) {
        TraceDroppedRecord(GetID(), kChangeRequest, static_cast<int>(record.size()));
        return;
    }
    const char* p = record.data();
    TakeSeqNum(record.substr(0, kSeqNumWidth));
    const int row = Vorl2Int(p + 10, 8);
    // A report for a row the table does not hold (yet) is ignored.
    if (row < 0 || row >= GetCount())
        return;
    SampleRec* rec = GetRec(row);
    char code[5];
    Vorl2Str0(code, p + 18, 4);
    if (std::string_view(code) != std::string_view(rec->szCode))
        return;
    rec->dPrice.SetVORL(p + 22, 12, 2);
    rec->nVolume = Vorl2Long(p + 34, 12);
    rec->cStatus = p[46];
    NoteChanged(row);
}

void CSampleTable::NoteChanged(int row)
{
    if (m_changed.size() < static_cast<size_t>(GetCount()))
        m_changed.resize(static_cast<size_t>(GetCount()), 0);
    if (m_changed[static_cast<size_t>(row)] == 0) {
        m_changed[static_cast<size_t>(row)] = 1;
        m_pending.push_back(row);
    }
}

void CSampleTable::OnPostReceive()
{
    if (m_pending.empty())
        return;
    KvUpdateAllDocuments(GetID(), &m_pending);
    for (int row : m_pending)
        m_changed[static_cast<size_t>(row)] = 0;
    m_pending.clear();
}

int CSampleTable::FindByCode(const char* code)
{
    char key[5];
    Vorl2Str0(key, code, static_cast<int>(strnlen(code, 4)));
    for (int i = 0; i < GetCount(); ++i) {
        if (std::strcmp(GetRec(i)->szCode, key) == 0)
            return i;
    }
    return -1;
}

int CSampleTable::SerializeSelection(fw::Archive& ar, std::vector<int>& selection)
{
    SelectionCodes codes;
    codes.rowCount = GetCount();
    codes.codeOf = [this](int row) { return std::string(GetRec(row)->szCode); };
    codes.findByCode = [this](const std::string& code) { return FindByCode(code.c_str()); };
    return ::SerializeSelection(ar, selection, codes);
}

std::string SampleSnapshotRecord(
    int key, const std::string& code, const std::string& name, int64_t priceCents, bool last)
{
    KvFieldWriter w;
    w.Number(key, 8).Text(code, 4).Text(name, 30).Number(priceCents, 12).Char(last ? '1' : '0');
    return w.Str();
}

std::string SampleChangeRecord(
    int64_t seq, int row, const std::string& code, int64_t priceCents, int64_t volume, char status)
{
    KvFieldWriter w;
    w.Number(seq, 10).Number(row, 8).Text(code, 4).Number(priceCents, 12).Number(volume, 12).Char(status);
    return w.Str();
}

} // namespace kv32test
