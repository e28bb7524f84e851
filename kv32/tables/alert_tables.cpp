#include "kv32/tables/alert_tables.h"

#include <vector>

#include "fw/core/msgbox.h"
#include "kv32/shell/option_files.h"
#include "kv32/shell/session.h"
#include "kv32/tables/alert_file_codec.h"
#include "kv32/tables/alert_strings.h"
#include "kv32/tables/all_tables.h"
#include "kv32/tables/table_updates.h"
#include "kvcore/app/logon.h"
#include "kvcore/app/message_box.h"

namespace {

constexpr size_t kMaxFileRecords = 0xFFFF;

std::string PathOr(const char* path, const std::string& fallback)
{
    return path == nullptr || *path == '\0' ? fallback : std::string(path);
}

bool SessionSavesAlerts()
{
    const CSession* session = KvSession();
    return session != nullptr && session->m_bSaveAlerts != 0;
}

void ShowStop(unsigned id)
{
    KvMessageBox(Kv32AlertString(id), fw::MB_ICONSTOP);
}

// Reads the magic, the count and the records of an alert file into `read`;
// the table is replaced by the caller only when this succeeded.
template <class TRecord>
KvAlertFileRead ReadAlertFile(fw::Archive& ar, uint16_t magic, std::vector<TRecord>& read)
{
    try {
        if (ar.readWord() != magic) {
            ShowStop(IDS_INVALID_ALERTS_FILE);
            return KvAlertFileRead::BadMagic;
        }
        const uint16_t count = ar.readWord();
        NeedRecords(ar, count, TRecord::kFileBytes);
        read.resize(count);
        for (TRecord& rec : read)
            rec.Load(ar);
    } catch (const fw::ArchiveError&) {
        ShowStop(IDS_CANNOT_RESTORE_ALERTS);
        return KvAlertFileRead::Damaged;
    }
    return KvAlertFileRead::Loaded;
}

template <class TTable> int WriteAlertFile(fw::Archive& ar, uint16_t magic, TTable& table)
{
    if (static_cast<size_t>(table.GetCount()) > kMaxFileRecords) {
        ShowStop(IDS_CANNOT_SAVE_ALERTS);
        return 0;
    }
    ar.writeWord(magic);
    ar.writeWord(static_cast<uint16_t>(table.GetCount()));
    for (int i = 0; i < table.GetCount(); ++i)
        table.GetRec(i)->Store(ar);
    return 1;
}

template <class TTable> int SaveTo(TTable& table, const std::string& file)
{
    KvWaitCursor wait;
    fw::Archive ar;
    if (table.Serialize(ar) == 0)
        return 0;
    return ar.saveFile(file) ? 1 : 0;
}

// Loading replaces the table only when the whole file was read; a bad magic
// leaves it as it was.
template <class TBase, class TRecord, class TTable>
int SerializeAlerts(TTable& table, fw::Archive& ar, uint16_t magic)
{
    if (ar.isStoring())
        return WriteAlertFile(ar, magic, table);
    std::vector<TRecord> read;
    switch (ReadAlertFile(ar, magic, read)) {
    case KvAlertFileRead::BadMagic:
        return 1;
    case KvAlertFileRead::Damaged:
        return 0;
    case KvAlertFileRead::Loaded:
        break;
    }
    table.TBase::Free();
    for (const TRecord& rec : read)
        table.AddRec(rec);
    return 1;
}

// The definitions are saved at session end when the user keeps alerts.
template <class TBase, class TTable> void FreeAlerts(TTable& table)
{
    if (SessionSavesAlerts() && table.Save(nullptr) == 0)
        ShowStop(IDS_CANNOT_SAVE_ALERTS);
    table.TBase::Free();
}

} // namespace

CPartyAlertTable::CPartyAlertTable(uint16_t tableId, uint16_t magic, const char* fileName, bool firms)
    : CHostTable<CAlertLimits>(tableId, 8)
    , m_nMagic(magic)
    , m_pszFileName(fileName)
    , m_bFirms(firms)
{
}

std::string CPartyAlertTable::DefaultPath() const
{
    return KvSettingsFile(m_pszFileName, "kva");
}

int CPartyAlertTable::Load(const char* path)
{
    KvWaitCursor wait;
    auto ar = fw::Archive::loadFile(PathOr(path, DefaultPath()));
    if (!ar)
        return 1;
    const int result = Serialize(*ar);
    LinkAlerts();
    UpdateViews();
    return result;
}

int CPartyAlertTable::Save(const char* path)
{
    return SaveTo(*this, PathOr(path, DefaultPath()));
}

int CPartyAlertTable::Serialize(fw::Archive& ar)
{
    return SerializeAlerts<CHostTable<CAlertLimits>, CAlertLimits>(*this, ar, m_nMagic);
}

void CPartyAlertTable::Free()
{
    FreeAlerts<CHostTable<CAlertLimits>>(*this);
}

int CPartyAlertTable::FindByCode(std::string_view code)
{
    return FindFirstRow(*this, [&](const CAlertLimits& r) { return SameStripped(r.szCode, code, 12); });
}

void CPartyAlertTable::LinkAlerts()
{
    for (int i = 0; i < GetCount(); ++i)
        GetRec(i)->nLink = -1;
    const auto find = [this](std::string_view code) { return FindByCode(code); };
    const auto link = [this](int definition, int row) { GetRec(definition)->nLink = row; };
    if (m_bFirms)
        ParticipantTable().LinkAlerts(find, link);
    else
        TraderTable().LinkAlerts(find, link);
}

void CPartyAlertTable::TestFigure(int32_t link, int figure, const CDouble& value)
{
    if (link >= 0 && link < GetCount())
        GetRec(link)->TestValue(figure, value, m_bFirms);
}

void CPartyAlertTable::UpdateViews()
{
    KvUpdateAllDocuments(m_wID);
}

CSecAlertTable::CSecAlertTable()
    : CHostPtrTable<CSecAlertLimits>(0, 8)
{
}

std::string CSecAlertTable::DefaultPath()
{
    return KvSettingsFile("secs", "kva");
}

int CSecAlertTable::Load(const char* path)
{
    KvWaitCursor wait;
    auto ar = fw::Archive::loadFile(PathOr(path, DefaultPath()));
    if (!ar)
        return 1;
    Serialize(*ar);
    LinkAlerts();
    UpdateViews();
    return 1;
}

int CSecAlertTable::Save(const char* path)
{
    return SaveTo(*this, PathOr(path, DefaultPath()));
}

int CSecAlertTable::Serialize(fw::Archive& ar)
{
    return SerializeAlerts<CHostPtrTable<CSecAlertLimits>, CSecAlertLimits>(*this, ar, kMagic);
}

void CSecAlertTable::Free()
{
    FreeAlerts<CHostPtrTable<CSecAlertLimits>>(*this);
}

int CSecAlertTable::FindByCode(std::string_view code)
{
    if (code.size() > 17)
        code = code.substr(0, 17);
    return FindFirstRow(*this, [&](const CSecAlertLimits& r) { return std::string_view(r.szCode) == code; });
}

void CSecAlertTable::LinkAlerts()
{
    for (int i = 0; i < GetCount(); ++i)
        GetRec(i)->nLink = -1;
    SecurityTable().LinkAlerts([this](std::string_view code) { return FindByCode(code); },
        [this](int definition, int row) { GetRec(definition)->nLink = row; });
}

void CSecAlertTable::TestFigure(int32_t link, int figure)
{
    if (link < 0 || link >= GetCount())
        return;
    const int row = GetRec(link)->nLink;
    if (row >= 0 && row < SecurityTable().GetCount())
        GetRec(link)->TestField(figure, *SecurityTable().GetRec(row));
}

void CSecAlertTable::UpdateViews()
{
    KvUpdateAllDocuments(kWindowId);
}

void KvRetestChangedAlerts(CPartyAlertTable& table)
{
    for (int d = 0; d < table.GetCount(); ++d) {
        CAlertLimits& def = *table.GetRec(d);
        const int row = def.nLink;
        const bool linked = table.IsFirms() ? row >= 0 && row < ParticipantTable().GetCount()
                                            : row >= 0 && row < TraderTable().GetCount();
        for (int i = 0; i < CAlertLimits::kFigures; ++i) {
            if (!def.anChanged[i])
                continue;
            def.anChanged[i] = 0;
            if (!linked)
                continue;
            if (table.IsFirms())
                def.TestField(i, *ParticipantTable().GetRec(row));
            else
                def.TestUserField(i, *TraderTable().GetRec(row));
        }
    }
}

void KvRetestChangedAlerts(CSecAlertTable& table)
{
    for (int d = 0; d < table.GetCount(); ++d) {
        CSecAlertLimits& def = *table.GetRec(d);
        const int row = def.nLink;
        const bool linked = row >= 0 && row < SecurityTable().GetCount();
        for (int i = 0; i < CSecAlertLimits::kFigures; ++i) {
            if (!def.anChanged[i])
                continue;
            def.anChanged[i] = 0;
            if (linked)
                def.TestField(i, *SecurityTable().GetRec(row));
        }
    }
}

namespace {

void SaveOptionFile(KvOptionKind kind, const std::string& path)
{
    CKvTables& t = KvTables();
    int saved = 1;
    unsigned failed = IDS_CANNOT_SAVE_ALERTS;
    switch (kind) {
    case KvOptionKind::UserAlerts:
        saved = t.userAlerts.Save(path.c_str());
        break;
    case KvOptionKind::FirmAlerts:
        saved = t.firmAlerts.Save(path.c_str());
        break;
    case KvOptionKind::SecurityAlerts:
        saved = t.secAlerts.Save(path.c_str());
        break;
    case KvOptionKind::OrderCountAlerts:
        saved = t.ordCountAlerts.Save(path.c_str());
        break;
    case KvOptionKind::AlertLogs:
        saved = t.alertLog.Save(path.c_str());
        failed = IDS_CANNOT_SAVE_LOGS;
        break;
    case KvOptionKind::DefaultSelections:
        saved = t.defSel.Save(path.c_str());
        failed = IDS_CANNOT_SAVE_DEFAULTS;
        break;
    }
    // A file that could not be written is said so, not passed over.
    if (saved == 0)
        ShowStop(failed);
}

void RestoreOptionFile(KvOptionKind kind, const std::string& path)
{
    CKvTables& t = KvTables();
    switch (kind) {
    case KvOptionKind::UserAlerts:
        t.userAlerts.Load(path.c_str());
        break;
    case KvOptionKind::FirmAlerts:
        t.firmAlerts.Load(path.c_str());
        break;
    case KvOptionKind::SecurityAlerts:
        t.secAlerts.Load(path.c_str());
        break;
    case KvOptionKind::OrderCountAlerts:
        t.ordCountAlerts.Load(path.c_str());
        break;
    case KvOptionKind::AlertLogs:
        t.alertLog.Load(path.c_str());
        break;
    case KvOptionKind::DefaultSelections:
        t.defSel.Load(path.c_str());
        break;
    }
}

} // namespace

void KvConnectAlertTables(CKvTables& t)
{
    t.participants.m_alertTest
        = [&t](int32_t link, int figure, const CDouble& value) { t.firmAlerts.TestFigure(link, figure, value); };
    t.traders.m_alertTest
        = [&t](int32_t link, int figure, const CDouble& value) { t.userAlerts.TestFigure(link, figure, value); };
    t.securities.m_alertTest = [&t](int32_t link, int figure, const CDouble&) { t.secAlerts.TestFigure(link, figure); };
    KvSetAlertLog(&t.alertLog);
    CKvOptionFilesPort& port = KvOptionFilesPort();
    port.save = SaveOptionFile;
    port.restore = RestoreOptionFile;
}
