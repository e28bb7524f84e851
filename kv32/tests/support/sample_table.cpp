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

void CSampleTable::TakeRecord(int type, CRecordReader& reader)
{
    if (type == kSnapshotRequest)
        Decode(reader);
    else if (type == kChangeRequest)
        DecodeUpdate(reader);
}

int CSampleTable::Decode(CRecordReader& reader)
{
    const std::string key = reader.TextNoStrip(kNextKeyWidth);
    SampleRec rec;
    rec.nIndex = GetCount();
    const std::string code = reader.Text(4);
    const std::string name = reader.Text(30);
    rec.dPrice = reader.Decimal(12, 2);
    const char last = reader.Char();
    if (!reader.Ok())
        return 0;
    TakeNextKey(key);
    std::memcpy(rec.szCode, code.c_str(), code.size() + 1);
    std::memcpy(rec.szName, name.c_str(), name.size() + 1);
    fLastRec = last == '1' ? 1 : 0;
    AddRec(rec);
    return 1;
}

int CSampleTable::DecodeUpdate(CRecordReader& reader)
{
    const std::string_view seq = reader.Raw(kSeqNumWidth);
    const int row = reader.Int(8);
    // Start fetching the row while the rest of the report is read: with rows
    // spread over megabytes, that fetch is most of a change's cost.
    if (row >= 0 && row < GetCount())
        __builtin_prefetch(GetRec(row));
    char code[sizeof SampleRec::szCode];
    reader.TextInto(code, sizeof code, 4);
    const CDouble price = reader.Decimal(12, 2);
    const int32_t volume = reader.Long(12);
    const char status = reader.Char();
    if (!reader.Ok())
        return 0;
    TakeSeqNum(seq);
    // A report for a row the table does not hold (yet), or whose code the row
    // does not carry, is ignored.
    if (row < 0 || row >= GetCount())
        return 0;
    SampleRec* rec = GetRec(row);
    if (std::strcmp(code, rec->szCode) != 0)
        return 0;
    rec->dPrice = price;
    rec->nVolume = volume;
    rec->cStatus = status;
    NoteChanged(row);
    return 1;
}

void CSampleTable::NoteChanged(int row)
{
    if (m_hint.GetRow(row) == 0) {
        m_hint.AddRow(row);
        m_pending.push_back(row);
    }
}

void CSampleTable::OnPostReceive()
{
    if (m_pending.empty())
        return;
    KvUpdateAllDocuments(GetID(), &m_hint);
    for (int row : m_pending)
        m_hint.ClearRow(row);
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
