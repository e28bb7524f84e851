#include "kv32/tables/audit_table.h"

#include <algorithm>

#include "fw/core/msgbox.h"
#include "kv32/shell/app_startup.h"
#include "kv32/shell/audit_queue.h"
#include "kv32/shell/ui_port.h"
#include "kv32/tables/all_tables.h"
#include "kv32/tables/record_text.h"
#include "kv32/tables/table_updates.h"

namespace {

constexpr int kNameWidth = 12;

// A resume key in its full width: the digits as received, zeros to the left.
void AppendKey(KvFieldWriter& w, const char* key)
{
    const std::string_view text(key);
    if (text.size() > CAuditTable::kKeyWidth) {
        w.Text(text, CAuditTable::kKeyWidth); // fails the request
        return;
    }
    w.Raw(std::string(CAuditTable::kKeyWidth - text.size(), '0')).Raw(text);
}

} // namespace

CAuditTable::CAuditTable()
    : CHostTable<AuditEventRec>(kTableId, 32)
{
}

int CAuditTable::Load()
{
    m_bStarted = true;
    return 1;
}

int CAuditTable::UpdateReq()
{
    if (!m_bStarted)
        return 0;
    return SendStandingRequest(kRequest, this, [this](KvFieldWriter& w) {
        AppendKey(w, m_szKeyY);
        AppendKey(w, m_szKeyOther);
    });
}

int CAuditTable::Decode(CRecordReader& reader)
{
    const std::string key = reader.Text(kKeyWidth);
    const char stream = reader.Char();
    AuditEventRec rec {};
    CopyText(rec.szGroupCode, reader.Text(4));
    CopyText(rec.szTypeCode, reader.Text(4));
    rec.time = reader.Time6();
    rec.szDisplayMode[0] = reader.Char();
    CopyText(rec.szToUser, reader.Text(kNameWidth));
    CopyText(rec.szToFirm, reader.Text(kNameWidth));
    CopyText(rec.szFromUser, reader.Text(kNameWidth));
    const std::string board = reader.TextNoStrip(4);
    const std::string instrument = reader.TextNoStrip(12);
    CopyText(rec.szUser, reader.Text(kNameWidth));
    CopyText(rec.szFirm, reader.Text(kNameWidth));
    const int announced = reader.Int(3);
    if (!reader.Ok())
        return 0;
    // The text as far as the message and the record's field reach.
    const size_t length = std::min({ static_cast<size_t>(std::max(announced, 0)), static_cast<size_t>(kMaxText),
        reader.Remaining() });
    CopyText(rec.szText, reader.Text(static_cast<int>(length)));

    CopyText(stream == 'Y' ? m_szKeyY : m_szKeyOther, key);
    CopyText(rec.szSecurityCode, "0" + board + instrument);
    CKvTables& tables = KvTables();
    const int boardRow = tables.boards.FindByCode(board.c_str());
    if (boardRow >= 0)
        CopyText(rec.szBoardName, tables.boards.GetRec(boardRow)->szName);
    const int security = tables.securities.FindByInstrument(instrument);
    if (security >= 0)
        CopyText(rec.szSecurity, tables.securities.GetRec(security)->szShortName);
    const int typeRow = tables.auditTypes.FindByKeys(rec.szGroupCode, rec.szTypeCode);
    const AuditTypeRec* type = typeRow >= 0 ? tables.auditTypes.GetRec(typeRow) : nullptr;
    if (type != nullptr) {
        CopyText(rec.szGroupName, type->szGroupName);
        CopyText(rec.szTypeText, type->szTypeText);
    }
    const char mode = EffectiveDisplayMode(rec.szDisplayMode[0], type);

    rec.nIndex = GetCount();
    const int row = AddRec(rec);
    if (m_nFirstNew < 0)
        m_nFirstNew = row;
    Announce(row, mode);
    return 1;
}

void CAuditTable::Announce(int row, char mode)
{
    if (mode == 'P') {
        AuditQueuePush(row);
        if (!AuditPopupPending()) {
            AuditPopupPending() = true;
            KvPostNotify(KvNotifications().auditNotify);
            return;
        }
        mode = 'S';
    }
    if (mode == 'S') {
        m_bBeepPending = true;
        KvSetLogStatusText(GetRec(row)->szText); // highlight colours, like the alert log
    }
}

void CAuditTable::OnPostReceive()
{
    if (m_bBeepPending)
        KvBeep(fw::MB_ICONEXCLAMATION);
    m_bBeepPending = false;
    if (m_nFirstNew < 0) {
        KvUpdateAllDocuments(kTableId);
        return;
    }
    // The events of the batch only: a window does not test the whole trail again.
    m_newRows.Clear();
    m_newRows.SetSize(GetCount());
    for (int row = m_nFirstNew; row < GetCount(); ++row)
        m_newRows.AddRow(row);
    m_nFirstNew = -1;
    KvUpdateAllDocuments(kTableId, &m_newRows);
}

void CAuditTable::Free()
{
    CHostTable<AuditEventRec>::Free();
    m_szKeyY[0] = '\0';
    m_szKeyOther[0] = '\0';
    m_bStarted = false;
    m_bBeepPending = false;
    m_nFirstNew = -1;
    m_newRows = fw::RowHint();
}
