#include "kv32/tables/news_table.h"

#include <cstdlib>

#include "fw/core/msgbox.h"
#include "kv32/res/news_strings.h"
#include "kv32/shell/ui_port.h"
#include "kv32/tables/alert_log_port.h"
#include "kv32/tables/all_tables.h"
#include "kv32/tables/record_text.h"
#include "kv32/tables/table_updates.h"

CNewsTable::CNewsTable()
    : CHostPtrTable<NewsRec>(kTableId, 8)
{
}

std::string CNewsTable::GetStatusText(char letter)
{
    switch (letter) {
    case 'P':
    case 'p':
        return Kv32NewsString(IDS_KIND_P);
    case 'F':
    case 'f':
        return Kv32NewsString(IDS_KIND_F);
    case 'R':
    case 'r':
        return Kv32NewsString(IDS_KIND_R);
    default:
        return Kv32NewsString(IDS_KIND_S);
    }
}

int CNewsTable::Decode(CRecordReader& reader)
{
    const std::string idText = reader.Text(8);
    NewsRec rec;
    CopyText(rec.szUser, reader.Text(12));
    CopyText(rec.szTypeCode, reader.Text(4));
    CopyText(rec.szLanguageCode, reader.Text(2));
    CopyText(rec.szIssuerCode, reader.Text(12));
    CopyText(rec.szSecurityCode, reader.Text(12));
    const std::string date = reader.TextNoStrip(8);
    const std::string time = reader.TextNoStrip(6);
    CopyText(rec.szTitle, reader.Text(40));
    CopyText(rec.szFileName, reader.Text(80));
    rec.cFlag1 = reader.Char();
    rec.cFlag2 = reader.Char();
    rec.cDisplayMode = reader.Char();
    const char status = reader.Char();
    if (!reader.Ok())
        return 0;
    rec.nNewsId = std::atoi(idText.c_str());
    rec.dateTime.SetDateTimeASN((date + time).c_str());

    CKvTables& tables = KvTables();
    if (const int t = tables.newsTypes.FindByCode(rec.szTypeCode); t >= 0)
        CopyText(rec.szType, tables.newsTypes.GetRec(t)->szName);
    if (const int l = tables.languages.FindByCode(rec.szLanguageCode); l >= 0)
        CopyText(rec.szLanguage, tables.languages.GetRec(l)->szName);
    if (rec.szIssuerCode[0] != '\0') {
        if (const int p = tables.participants.FindByCode(rec.szIssuerCode); p >= 0)
            CopyText(rec.szIssuer, tables.participants.GetRec(p)->szName);
    }
    if (rec.szSecurityCode[0] != '\0') {
        if (const int s = tables.securities.FindByInstrument(rec.szSecurityCode); s >= 0)
            CopyText(rec.szSecurity, tables.securities.GetRec(s)->szShortName);
    }
    CopyText(rec.szStatus, GetStatusText(status));

    // After a logon the last id is 0, so a head whose id is not above it but
    // is not held yet (id 0 included) is new rather than dropped.
    const bool repeat = rec.nNewsId <= m_nLastNewsId;
    m_nLastNewsId = rec.nNewsId;
    Announce(rec);

    bool updated = false;
    if (repeat) {
        for (int i = 0; i < GetCount(); ++i) {
            NewsRec* old = GetRec(i);
            if (old->nNewsId != rec.nNewsId)
                continue;
            rec.nIndex = old->nIndex;
            *old = rec;
            updated = true;
        }
    }
    if (updated)
        return 1;
    rec.nIndex = GetCount();
    AddRec(rec);
    KvLogNote note;
    note.nKind = LOG_KIND_NEWS;
    note.time = rec.dateTime;
    note.user = rec.szUser;
    note.text = rec.szTitle;
    note.nId = rec.nNewsId;
    KvLogOnce(note);
    return 1;
}

void CNewsTable::Announce(const NewsRec& rec)
{
    if (rec.cDisplayMode == 'P') {
        KvBeep(0);
        m_bPopup = true;
    } else if (rec.cDisplayMode == 'S') {
        KvSetStatusText(rec.szTitle);
        KvBeep(fw::MB_ICONEXCLAMATION);
    }
}

void CNewsTable::OnPostReceive()
{
    KvUpdateAllDocuments(kTableId);
}

void CNewsTable::Free()
{
    CHostPtrTable<NewsRec>::Free();
    m_bPopup = false;
    m_nLastNewsId = 0;
}

void CNewsTable::AttachBody(int i, std::string body)
{
    if (i < 0 || i >= GetCount())
        return;
    NewsRec* rec = GetRec(i);
    rec->nBodyLength = static_cast<int32_t>(body.size());
    rec->body = std::make_shared<const std::string>(std::move(body));
}
