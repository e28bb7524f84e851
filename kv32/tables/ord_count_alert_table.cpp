#include "kv32/tables/ord_count_alert_table.h"

#include <cstring>
#include <new>

#include "fw/core/msgbox.h"
#include "kv32/shell/session.h"
#include "kv32/tables/alert_file_codec.h"
#include "kv32/tables/alert_strings.h"
#include "kv32/tables/record_text.h"
#include "kv32/tables/table_updates.h"
#include "kvcore/app/logon.h"
#include "kvcore/app/message_box.h"

namespace {

constexpr std::string_view kAllFirms = "*";

bool Matches(const COrdCountAlertRec& r, std::string_view board, std::string_view firm)
{
    return SameStripped(r.szBoard, board, 4) && SameStripped(r.szFirm, firm, 12);
}

} // namespace

bool IsStarMarked(const COrdCountAlertRec& definition)
{
    return std::string_view(definition.szFirm) == kAllFirms;
}

COrdCountAlertTable::COrdCountAlertTable()
    : CHostTable<COrdCountAlertRec>(kTableId, 8)
{
}

std::string COrdCountAlertTable::DefaultPath()
{
    return KvSettingsFile("ordcount", "kva");
}

int COrdCountAlertTable::Load(const char* path)
{
    KvWaitCursor wait;
    auto ar = fw::Archive::loadFile(path == nullptr || *path == '\0' ? DefaultPath() : std::string(path));
    if (!ar)
        return 1;
    const int result = Serialize(*ar);
    KvUpdateAllDocuments(kTableId);
    return result;
}

int COrdCountAlertTable::Save(const char* path)
{
    KvWaitCursor wait;
    fw::Archive ar;
    if (Serialize(ar) == 0)
        return 0;
    return ar.saveFile(path == nullptr || *path == '\0' ? DefaultPath() : std::string(path)) ? 1 : 0;
}

int COrdCountAlertTable::Serialize(fw::Archive& ar)
{
    if (ar.isStoring()) {
        uint32_t live = 0;
        for (int i = 0; i < GetCount(); ++i)
            live += GetRec(i)->bDeleted == 0 ? 1 : 0;
        if (live > 0xFFFF) {
            KvMessageBox(Kv32AlertString(IDS_CANNOT_SAVE_ALERTS), fw::MB_ICONSTOP);
            return 0;
        }
        ar.writeWord(kMagic);
        ar.writeWord(static_cast<uint16_t>(live));
        for (int i = 0; i < GetCount(); ++i) {
            const COrdCountAlertRec& r = *GetRec(i);
            if (r.bDeleted != 0)
                continue;
            PutFixedText(ar, r.szBoard, sizeof r.szBoard);
            PutFixedText(ar, r.szFirm, sizeof r.szFirm);
            ar.writeDWord(r.nNormalLimit);
            ar.writeDWord(r.nMMLimit);
            ar.writeDWord(r.nNormalSpeed);
            ar.writeDWord(r.nMMSpeed);
        }
        return 1;
    }
    std::vector<COrdCountAlertRec> read;
    try {
        if (ar.readWord() != kMagic) {
            KvMessageBox(Kv32AlertString(IDS_INVALID_ALERTS_FILE), fw::MB_ICONSTOP);
            return 1;
        }
        const uint16_t count = ar.readWord();
        NeedRecords(ar, count, COrdCountAlertRec::kFileBytes);
        read.resize(count);
        for (uint16_t i = 0; i < count; ++i) {
            COrdCountAlertRec& r = read[i];
            std::memset(&r, 0, sizeof r);
            r.nIndex = i;
            GetFixedText(ar, r.szBoard, sizeof r.szBoard);
            GetFixedText(ar, r.szFirm, sizeof r.szFirm);
            r.nNormalLimit = ar.readDWord();
            r.nMMLimit = ar.readDWord();
            r.nNormalSpeed = ar.readDWord();
            r.nMMSpeed = ar.readDWord();
        }
    } catch (const fw::ArchiveError&) {
        KvMessageBox(Kv32AlertString(IDS_CANNOT_RESTORE_ALERTS), fw::MB_ICONSTOP);
        return 0;
    }
    CHostTable<COrdCountAlertRec>::Free();
    for (const COrdCountAlertRec& r : read)
        AddRec(r);
    m_pendingRows.clear();
    m_bChanged = 0;
    return 1;
}

void COrdCountAlertTable::Free()
{
    const CSession* session = KvSession();
    if (session != nullptr && session->m_bSaveAlerts != 0 && Save(nullptr) == 0)
        KvMessageBox(Kv32AlertString(IDS_CANNOT_SAVE_ALERTS), fw::MB_ICONSTOP);
    CHostTable<COrdCountAlertRec>::Free();
    m_pendingRows.clear();
    m_bChanged = 0;
}

void COrdCountAlertTable::OnPostReceive()
{
    if (!m_pendingRows.empty()) {
        fw::RowHint hint(GetCount());
        for (int row : m_pendingRows)
            hint.AddRow(row);
        KvUpdateAllDocuments(kTableId, &hint);
    }
    m_pendingRows.clear();
    m_bChanged = 0;
}

int COrdCountAlertTable::Find(std::string_view board, std::string_view firm, bool allFirms)
{
    const std::string_view wanted = allFirms ? kAllFirms : firm;
    return FindFirstRow(*this, [&](const COrdCountAlertRec& r) { return Matches(r, board, wanted); });
}

int COrdCountAlertTable::FindByKeys(std::string_view board, std::string_view firm)
{
    const int own = FindFirstRow(
        *this, [&](const COrdCountAlertRec& r) { return r.bDeleted == 0 && Matches(r, board, firm); });
    if (own >= 0)
        return own;
    for (int i = GetCount() - 1; i >= 0; --i) {
        const COrdCountAlertRec& r = *GetRec(i);
        if (r.bDeleted == 0 && IsStarMarked(r) && SameStripped(r.szBoard, board, 4))
            return i;
    }
    return -1;
}

void COrdCountAlertTable::Queue(int row)
{
    m_pendingRows.push_back(row);
    m_bChanged = 1;
}

int COrdCountAlertTable::AddAlert(std::string_view board, std::string_view firm, bool allFirms, uint32_t normalLimit,
    uint32_t mmLimit, uint32_t normalSpeed, uint32_t mmSpeed)
{
    COrdCountAlertRec r;
    std::memset(&r, 0, sizeof r);
    r.nIndex = static_cast<uint32_t>(GetCount());
    CopyText(r.szBoard, StrippedField(board, 4));
    CopyText(r.szFirm, allFirms ? kAllFirms : StrippedField(firm, 12));
    r.nNormalLimit = normalLimit;
    r.nMMLimit = mmLimit;
    r.nNormalSpeed = normalSpeed;
    r.nMMSpeed = mmSpeed;
    r.bModified = 1;
    int row = -1;
    try {
        row = AddRec(r);
        Queue(row);
    } catch (const std::bad_alloc&) {
        ShowLowMemory();
        return -1;
    }
    OnPostReceive();
    return row;
}

void COrdCountAlertTable::ModifyAlert(
    int i, uint32_t normalLimit, uint32_t mmLimit, uint32_t normalSpeed, uint32_t mmSpeed)
{
    if (i < 0 || i >= GetCount())
        return;
    COrdCountAlertRec& r = *GetRec(i);
    if (r.nNormalLimit == normalLimit && r.nMMLimit == mmLimit && r.nNormalSpeed == normalSpeed
        && r.nMMSpeed == mmSpeed && r.bDeleted == 0)
        return;
    r.nNormalLimit = normalLimit;
    r.nMMLimit = mmLimit;
    r.nNormalSpeed = normalSpeed;
    r.nMMSpeed = mmSpeed;
    r.bDeleted = 0;
    r.bModified = 1;
    Queue(i);
    OnPostReceive();
}

void COrdCountAlertTable::RemoveAlert(int i)
{
    if (i < 0 || i >= GetCount())
        return;
    COrdCountAlertRec& r = *GetRec(i);
    r.bDeleted = 1;
    r.bModified = 1;
    Queue(i);
    OnPostReceive();
}
