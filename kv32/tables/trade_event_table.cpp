#include "kv32/tables/trade_event_table.h"

#include "kv32/res/news_strings.h"
#include "kv32/tables/alert_log_port.h"
#include "kv32/tables/all_tables.h"
#include "kv32/tables/news_table.h"
#include "kv32/tables/record_text.h"
#include "kv32/tables/table_updates.h"

namespace {
constexpr int kNumberWidth = 9;
constexpr int kLimitDecimals = 3;
} // namespace

CTradeEventTable::CTradeEventTable()
    : CHostPtrTable<TradeEventRec>(kTableId, 8)
{
}

int CTradeEventTable::Load()
{
    m_bStarted = true;
    return 1;
}

int CTradeEventTable::UpdateReq()
{
    if (!m_bStarted)
        return 0;
    return SendStandingRequest(kRequest, this, [this](KvFieldWriter& w) { AppendSeqNum(w); });
}

std::string CTradeEventTable::KindText(char letter)
{
    // The kind letters read as the news status letters do.
    return CNewsTable::GetStatusText(letter);
}

std::string CTradeEventTable::EventText(char type)
{
    switch (type) {
    case 'A':
        return Kv32NewsString(IDS_EVENT_SEC_SUSPEND);
    case 'B':
        return Kv32NewsString(IDS_EVENT_SEC_UNSUSPEND);
    case 'C':
        return Kv32NewsString(IDS_EVENT_ALL_SUSPEND);
    case 'D':
        return Kv32NewsString(IDS_EVENT_ALL_UNSUSPEND);
    case 'E':
        return Kv32NewsString(IDS_EVENT_ISSUER_SUSPEND);
    case 'F':
        return Kv32NewsString(IDS_EVENT_ISSUER_UNSUSPEND);
    case 'G':
        return Kv32NewsString(IDS_EVENT_REF_PRICE_CHANGE);
    case 'H':
        return Kv32NewsString(IDS_EVENT_PRICE_LIMIT_CHANGE);
    default:
        return {};
    }
}

int CTradeEventTable::FindEventSecurity(const TradeEventRec& rec)
{
    return rec.szObjectCode[0] == '\0' ? -1 : SecurityTable().FindByName(rec.szObjectCode);
}

// The object name, and the prices of the types that carry them: read only
// when the named security is held (its decimals are needed); the number
// fields are passed over otherwise.
void CTradeEventTable::FillObject(TradeEventRec& rec, CRecordReader& reader)
{
    int security = -1;
    switch (rec.cEventType) {
    case 'A':
    case 'B':
    case 'G':
    case 'H':
        security = FindEventSecurity(rec);
        if (security >= 0)
            CopyText(rec.szObjectName, SecurityTable().GetRec(security)->szShortName);
        break;
    case 'C':
    case 'D':
        CopyText(rec.szObjectName, Kv32NewsString(IDS_ALL));
        break;
    case 'E':
    case 'F':
        if (const int p = ParticipantTable().FindByCode(rec.szObjectCode); p >= 0)
            CopyText(rec.szObjectName, ParticipantTable().GetRec(p)->szName);
        break;
    default:
        break;
    }
    if (security >= 0 && rec.cEventType == 'G') {
        rec.dRefPrice = reader.Decimal(kNumberWidth, SecurityTable().GetRec(security)->nPriceDec);
        reader.Skip(kNumberWidth);
    } else if (security >= 0 && rec.cEventType == 'H') {
        rec.dUpperLimit = reader.Decimal(kNumberWidth, kLimitDecimals);
        rec.dLowerLimit = reader.Decimal(kNumberWidth, kLimitDecimals);
    } else {
        reader.Skip(2 * kNumberWidth);
    }
}

int CTradeEventTable::Decode(CRecordReader& reader)
{
    const std::string seqNum = reader.TextNoStrip(kSeqNumWidth);
    TradeEventRec rec;
    rec.nEventId = reader.Int(4);
    rec.time = reader.Time6();
    rec.cEventType = reader.Char();
    CopyText(rec.szText12, reader.Text(12));
    CopyText(rec.szMessageKey, reader.Text(8));
    CopyText(rec.szObjectCode, reader.Text(20));
    const char kind = reader.Char();
    CopyText(rec.szEventText, EventText(rec.cEventType));
    CopyText(rec.szKind, KindText(kind));
    FillObject(rec, reader);
    if (!reader.Ok())
        return 0;
    TakeSeqNum(seqNum);

    const int row = FindFirstRow(*this, [&](const TradeEventRec& r) { return r.nEventId == rec.nEventId; });
    if (row >= 0) {
        // The event text, object name and prices stay those first received.
        TradeEventRec* old = GetRec(row);
        old->time = rec.time;
        old->cEventType = rec.cEventType;
        CopyText(old->szText12, rec.szText12);
        CopyText(old->szMessageKey, rec.szMessageKey);
        CopyText(old->szObjectCode, rec.szObjectCode);
        CopyText(old->szKind, rec.szKind);
        KvUpdateAllDocuments(kTableId);
        return 1;
    }
    rec.nIndex = GetCount();
    AddRec(rec);
    KvLogNote note;
    note.nKind = LOG_KIND_TRADING_EVENT;
    note.time = rec.time;
    note.user = rec.szText12;
    note.text = std::string(rec.szEventText) + ' ' + rec.szObjectName;
    note.nId = rec.nEventId;
    KvLogOnce(note);
    KvUpdateAllDocuments(kTableId);
    return 1;
}

void CTradeEventTable::OnPostReceive()
{
    KvUpdateAllDocuments(kTableId);
}

void CTradeEventTable::Free()
{
    CHostPtrTable<TradeEventRec>::Free();
    m_bStarted = false;
}
