#include "kv32/tables/schedule_table.h"

#include "kv32/res/table_strings.h"
#include "kv32/tables/all_tables.h"
#include "kv32/tables/record_text.h"
#include "kv32/tables/table_updates.h"
#include "kvcore/app/app_core_base.h"

CFlagTable2::CFlagTable2()
    : CHostPtrTable<ScheduleRec>(kTableId, 8)
{
}

int CFlagTable2::Load()
{
    CHostPtrTable<ScheduleRec>::Free();
    m_bLoaded = true;
    return 1;
}

int CFlagTable2::UpdateReq()
{
    if (!m_bLoaded)
        return 0;
    return SendStandingRequest(kRequest, this, [this](KvFieldWriter& w) { AppendSeqNum(w); });
}

void CFlagTable2::Free()
{
    CHostPtrTable<ScheduleRec>::Free();
    m_bLoaded = false;
}

void CFlagTable2::OnPostReceive()
{
    KvUpdateAllDocuments(GetID());
}

void CFlagTable2::TakeRecord(int type, CRecordReader& reader)
{
    // Types 26 and 91 reach this table too; they carry nothing it keeps.
    if (type == kRequest)
        Decode(reader);
}

int CFlagTable2::Decode(CRecordReader& reader)
{
    const std::string seq = reader.TextNoStrip(kSeqNumWidth);
    const std::string code = reader.Text(12);
    const std::string timeText = reader.TextNoStrip(6);
    const int32_t priority = reader.Int(2);
    const std::string transition = reader.Text(12);
    const std::string board = reader.Text(4);
    const std::string instrument = reader.Text(4);
    const std::string security = reader.TextNoStrip(12);
    const char pending = reader.Char();
    const char second = reader.Char();
    if (!reader.Ok())
        return 0;
    TakeSeqNum(seq);

    const int found = FindByCode(code);
    ScheduleRec rec = found >= 0 ? *GetRec(found) : ScheduleRec {};
    if (found < 0) {
        rec.nIndex = GetCount();
        CopyText(rec.szCode, code);
    }
    CopyText(rec.szTime, timeText);
    rec.time = CDateTime();
    if (timeText.size() == 6)
        rec.time.SetTimeVORL(timeText.c_str());
    rec.nPriority = priority;
    CopyText(rec.szTransition, transition);
    CopyText(rec.szBoard, board);
    const int b = BoardTable().FindByCode(board.c_str());
    CopyText(rec.szBoardName, b >= 0 ? BoardTable().GetRec(b)->szName : "");
    CopyText(rec.szInstrument, instrument);
    const int in = InstrumentTable().FindByCode(instrument.c_str());
    CopyText(rec.szInstrumentName, in >= 0 ? InstrumentTable().GetRec(in)->szName : "");
    CopyText(rec.szSecurity, security);
    const int s = SecurityTable().FindByInstrument(security);
    CopyText(rec.szSecurityName, s >= 0 ? SecurityTable().GetRec(s)->szShortName : "");
    CopyText(rec.szPending, Kv32TableString(pending == 'Y' ? IDS_YES : IDS_NO));
    rec.nSecondFlag = second == '1' ? 1 : 0;
    if (found >= 0)
        *GetRec(found) = rec;
    else
        AddRec(rec);
    return 1;
}

int CFlagTable2::FindByCode(std::string_view code)
{
    return FindFirstRow(*this, [&](const ScheduleRec& r) { return SameStripped(r.szCode, code, 12); });
}
