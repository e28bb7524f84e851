#include "kv32/tables/alert_log_table.h"

#include <cstring>
#include <new>
#include <vector>

#include "fw/core/msgbox.h"
#include "kv32/shell/app_startup.h"
#include "kv32/shell/session.h"
#include "kv32/shell/ui_port.h"
#include "kv32/shell/text_format.h"
#include "kv32/tables/alert_file_codec.h"
#include "kv32/tables/all_tables.h"
#include "kv32/tables/ord_count_records.h"
#include "kv32/tables/alert_strings.h"
#include "kv32/tables/table_updates.h"
#include "kvcore/app/logon.h"
#include "kvcore/app/message_box.h"
#include "kvcore/app/profile_settings.h"
#include "kvcore/router/kv_trace.h"

int nCurrentLog = -1;

namespace {
// The system's window colour: the window layer resolves it when it paints.
constexpr uint32_t kSystemWindowColor = 0x80000005u;
constexpr size_t kHeaderBytes = 4;
constexpr int kMaxFileEntries = 0xFFFF;
} // namespace

CAlertLogTable::CAlertLogTable()
    : CHostTable<CLogEntry>(kTableId, 32)
{
    KvSetAlertLog(this);
}

CAlertLogTable::~CAlertLogTable()
{
    if (KvAlertLog() == this)
        KvSetAlertLog(nullptr);
}

std::string CAlertLogTable::DefaultPath()
{
    return KvSettingsFile("logs", "kvl");
}

void CAlertLogTable::AddEntry(const CLogEntry& entry, int show)
{
    CLogEntry copy = entry;
    copy.nIndex = GetCount();
    try {
        AddRec(copy);
    } catch (const std::bad_alloc&) {
        ShowLowMemory();
        return;
    }
    if (show != 0) {
        nCurrentLog = GetCount() - 1;
        ShowLogEntry(copy);
    }
}

void CAlertLogTable::ShowLogEntry(const CLogEntry& entry)
{
    if (fLogDisplay != 0) {
        KvBeep(fw::MB_ICONEXCLAMATION);
        KvSetLogStatusText(entry.szText);
        return;
    }
    fLogDisplay = 1;
    KvPostNotify(KvNotifications().logNotify);
}

void CAlertLogTable::UpdateViews()
{
    KvUpdateAllDocuments(kTableId);
}

int CAlertLogTable::Load()
{
    if (m_aColors.empty()) {
        for (int i = 0; i < kCategories; ++i) {
            m_aColors.push_back(kSystemWindowColor);
            m_aColorNames.push_back(static_cast<uint16_t>(IDS_LOG_CATEGORY_FIRST + i));
        }
    }
    // A damaged file has shown its message; the session starts all the same.
    Load(nullptr);
    return 1;
}

int CAlertLogTable::Load(const char* path)
{
    const std::string file = path == nullptr || *path == '\0' ? DefaultPath() : std::string(path);
    KvWaitCursor wait;
    auto ar = fw::Archive::loadFile(file);
    if (!ar)
        return 1;
    const int result = Serialize(*ar);
    UpdateViews();
    return result;
}

int CAlertLogTable::Save(const char* path)
{
    const std::string file = path == nullptr || *path == '\0' ? DefaultPath() : std::string(path);
    KvWaitCursor wait;
    fw::Archive ar;
    if (Serialize(ar) == 0)
        return 0;
    return ar.saveFile(file) ? 1 : 0;
}

int CAlertLogTable::Serialize(fw::Archive& ar)
{
    if (ar.isStoring()) {
        // The count is 16 bits: a longer log keeps its newest entries.
        const int first = GetCount() > kMaxFileEntries ? GetCount() - kMaxFileEntries : 0;
        if (first > 0)
            KvTrace("alert log: the file keeps the newest " + std::to_string(kMaxFileEntries) + " of "
                + std::to_string(GetCount()) + " entries");
        ar.writeWord(kMagic);
        ar.writeWord(static_cast<uint16_t>(GetCount() - first));
        for (int i = first; i < GetCount(); ++i)
            GetRec(i)->Store(ar);
        return 1;
    }
    std::vector<CLogEntry> read;
    try {
        ar.need(kHeaderBytes);
        if (ar.readWord() != kMagic) {
            KvMessageBox(Kv32AlertString(IDS_INVALID_LOGS_FILE), fw::MB_ICONSTOP);
            return 1;
        }
        const uint16_t count = ar.readWord();
        NeedRecords(ar, count, CLogEntry::kFileBytes);
        read.resize(count);
        for (uint16_t i = 0; i < count; ++i) {
            read[i].Load(ar);
            read[i].nIndex = i;
        }
    } catch (const fw::ArchiveError&) {
        KvMessageBox(Kv32AlertString(IDS_CANNOT_RESTORE_LOGS), fw::MB_ICONSTOP);
        return 0;
    }
    CHostTable<CLogEntry>::Free();
    m_noteIds.clear();
    for (const CLogEntry& e : read)
        AddRec(e);
    return 1;
}

void CAlertLogTable::Free()
{
    if (const CSession* session = KvSession(); session != nullptr && session->m_bSaveLogs != 0) {
        if (Save(nullptr) == 0)
            KvMessageBox(Kv32AlertString(IDS_CANNOT_SAVE_LOGS), fw::MB_ICONSTOP);
    }
    CHostTable<CLogEntry>::Free();
    m_noteIds.clear();
    nCurrentLog = -1;
    // No entry of the ended session stays on the status bar.
    fLogDisplay = 0;
}

void CAlertLogTable::SerializeColors(fw::Archive& ar)
{
    if (ar.isStoring()) {
        ar.writeDWordArray(m_aColors);
        return;
    }
    std::vector<uint32_t> colors = ar.readDWordArray();
    if (colors.size() == m_aColorNames.size() || m_aColorNames.empty())
        m_aColors = std::move(colors);
}

bool CAlertLogTable::Holds(const KvLogNote& note) const
{
    const CLogEntry wanted = LogEntryOf(note);
    auto* self = const_cast<CAlertLogTable*>(this);
    for (int i = GetCount() - 1; i >= 0; --i) {
        if (!SameLoggedEntry(*self->GetRec(i), wanted))
            continue;
        // A news heading is also told apart by its id where the entry knows it.
        const int32_t id = static_cast<size_t>(i) < m_noteIds.size() ? m_noteIds[static_cast<size_t>(i)] : -1;
        if (note.nKind == LOG_KIND_NEWS && id >= 0 && id != note.nId)
            continue;
        return true;
    }
    return false;
}

void CAlertLogTable::Append(const KvLogNote& note)
{
    const int before = GetCount();
    AddEntry(LogEntryOf(note), 0);
    if (note.nKind == LOG_KIND_NEWS && GetCount() > before) {
        m_noteIds.resize(static_cast<size_t>(GetCount()), -1);
        m_noteIds.back() = note.nId;
    }
    UpdateViews();
}

namespace {

void RaiseOrderCountAlert(COrdCountRec& rec, int side, int mode, double value, uint32_t limit, int show)
{
    const std::string text = KvFillText(Kv32AlertString(IDS_ORDCOUNT_ALERT_FIRST + static_cast<unsigned>(mode + 2 * side)),
        { rec.szFirm, std::to_string(limit) });
    CLogEntry entry;
    entry.InitKind7000(rec.szBoard, rec.szFirm, text, value, std::string_view(rec.szLastTime, strnlen(rec.szLastTime, 6)));
    CAlertLogTable& log = AlertLogTable();
    log.AddEntry(entry, show);
    log.UpdateViews();
}

} // namespace

void EvaluateFigureAlert(const COrdCountAlertRec* definition, COrdCountRec& rec, int side, int mode)
{
    if (side < 0 || side > 1)
        return;
    if (definition == nullptr || definition->bDeleted != 0) {
        rec.bAlerting = 0;
        return;
    }
    if (mode == 0) {
        const uint32_t limit = definition->DayLimit(side);
        if (limit == 0 || rec.anOrders[side] <= 0 || static_cast<uint32_t>(rec.anOrders[side]) <= limit) {
            rec.anCountAlerted[side] = 0;
        } else if (rec.anCountAlerted[side] == 0) {
            rec.anCountAlerted[side] = 1;
            RaiseOrderCountAlert(rec, side, 0, rec.anOrders[side], limit, 1);
        }
    } else {
        const uint32_t limit = definition->SpeedLimit(side);
        const double speed = rec.adAverageSpeed[side];
        if (limit != 0 && speed > static_cast<double>(limit)) {
            // Every update above the limit is logged; only the first of a run is shown.
            const int show = rec.anSpeedAlertRun[side] == 0 ? 1 : 0;
            ++rec.anSpeedAlertRun[side];
            ++rec.anSpeedAlerts[side];
            RaiseOrderCountAlert(rec, side, 1, speed, limit, show);
        } else {
            rec.anSpeedAlertRun[side] = 0;
            if (limit == 0)
                rec.anSpeedAlerts[side] = 0;
        }
    }
    rec.bAlerting = rec.anCountAlerted[0] != 0 || rec.anCountAlerted[1] != 0 || rec.anSpeedAlertRun[0] != 0
            || rec.anSpeedAlertRun[1] != 0
        ? 1
        : 0;
}
