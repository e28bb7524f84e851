#include "kv32/tables/exch_message_table.h"

#include <cstdlib>

#include "kv32/res/news_strings.h"
#include "kv32/shell/ui_port.h"
#include "kv32/tables/alert_log_port.h"
#include "kv32/tables/record_text.h"
#include "kv32/tables/table_updates.h"
#include "fw/core/msgbox.h"

namespace {
constexpr int kNameWidth = 12;

bool IsBlank(std::string_view field)
{
    return field.find_first_not_of(' ') == std::string_view::npos;
}
} // namespace

std::string JoinCrLf(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            out.push_back(' ');
            ++i;
        } else {
            out.push_back(text[i]);
        }
    }
    return out;
}

CExchMessageTable::CExchMessageTable()
    : CHostTable<ExchMessageRec>(kTableId, 8)
{
}

int CExchMessageTable::Decode(CRecordReader& reader)
{
    const std::string key = reader.Text(8);
    ExchMessageRec rec {};
    CopyText(rec.szFromFirm, reader.Text(kNameWidth));
    CopyText(rec.szFromUser, reader.Text(kNameWidth));
    CopyText(rec.szToFirm, reader.Text(kNameWidth));
    CopyText(rec.szToUser, reader.Text(kNameWidth));
    rec.cDataFeed = reader.Char();
    rec.time = reader.Time6();
    rec.cDisplayMode = reader.Char();
    rec.cStatus = reader.Char();
    const std::string received = reader.Text(640);
    const std::string reference = reader.TextNoStrip(4);
    if (!reader.Ok())
        return 0;
    CopyText(rec.szKey, key);
    CopyText(rec.szReceived, received);
    CopyText(rec.szMessage, JoinCrLf(received));
    rec.nReference = IsBlank(reference) ? -1 : std::atoi(reference.c_str());

    const int seqNum = std::atoi(key.c_str());
    const bool isNew = seqNum > m_nLastSeqNum;
    if (isNew)
        m_nLastSeqNum = seqNum;

    const bool announce = rec.cStatus == 'S' || rec.cStatus == 's';
    if (announce) {
        if (rec.cDisplayMode == 'P') {
            KvBeep(0);
            ++m_nPopupCount;
        } else if (rec.cDisplayMode == 'S') {
            m_bBeepPending = true;
            KvSetStatusText(rec.szMessage);
        }
    }

    int row = isNew ? -1 : FindFirstRow(*this, [&](const ExchMessageRec& r) { return key == r.szKey; });
    if (row >= 0) {
        ExchMessageRec* old = GetRec(row);
        rec.nIndex = old->nIndex;
        *old = rec;
    } else {
        rec.nIndex = GetCount();
        row = AddRec(rec);
        KvLogNote note;
        note.nKind = LOG_KIND_MESSAGE;
        note.time = rec.time;
        note.user = rec.szToUser;
        note.text = rec.szMessage;
        KvLogOnce(note);
    }
    if (announce && rec.cDisplayMode == 'P')
        m_nLastPopup = row;
    return 1;
}

void CExchMessageTable::OnPostReceive()
{
    if (m_bBeepPending)
        KvBeep(fw::MB_ICONEXCLAMATION);
    m_bBeepPending = false;
    KvUpdateAllDocuments(kTableId);
}

void CExchMessageTable::Free()
{
    CHostTable<ExchMessageRec>::Free();
    m_nPopupCount = 0;
    m_nLastPopup = -1;
    m_nLastSeqNum = 0;
    m_bBeepPending = false;
}

std::string CExchMessageTable::GetMessageText(const char* key)
{
    const int row = FindFirstRow(*this, [&](const ExchMessageRec& r) { return std::string_view(key) == r.szKey; });
    return row >= 0 ? std::string(GetRec(row)->szReceived) : Kv32NewsString(IDS_NO_MESSAGE_FOUND);
}
