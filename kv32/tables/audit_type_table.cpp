#include "kv32/tables/audit_type_table.h"

#include <cstring>
#include <optional>

#include "fw/core/archive.h"
#include "fw/core/msgbox.h"
#include "kv32/tables/alert_strings.h"
#include "kv32/tables/all_tables.h"
#include "kv32/tables/record_text.h"
#include "kv32/tables/table_settings.h"
#include "kv32/tables/table_updates.h"
#include "kvcore/app/logon.h"
#include "kvcore/app/message_box.h"
#include "kvcore/app/session_core.h"
#include "kvcore/router/kv_trace.h"

namespace {

constexpr size_t kCodeField = 5;
constexpr size_t kOverrideEntryBytes = 2 * kCodeField + 2;

// A code field of the file: up to its first zero, never past the field.
std::string CodeFromField(const uint8_t* field)
{
    const char* text = reinterpret_cast<const char*>(field);
    return std::string(text, strnlen(text, kCodeField - 1));
}

} // namespace

bool IsDisplayModeLetter(char letter)
{
    return letter == 'S' || letter == 'P' || letter == 'N';
}

char EffectiveDisplayMode(char eventLetter, const AuditTypeRec* type)
{
    if (IsDisplayModeLetter(eventLetter))
        return eventLetter;
    if (type == nullptr)
        return 0;
    if (IsDisplayModeLetter(type->szOverride[0]))
        return type->szOverride[0];
    return IsDisplayModeLetter(type->cDisplayMode) ? type->cDisplayMode : 0;
}

CAuditGroupTable::CAuditGroupTable()
    : CSnapshotTable(kTableId, 32, kRequest)
{
}

int CAuditGroupTable::Decode(CRecordReader& reader)
{
    const std::string key = reader.TextNoStrip(kNextKeyWidth);
    AuditGroupRec rec {};
    CopyText(rec.szCode, reader.Text(4));
    CopyText(rec.szName, reader.Text(40));
    const char last = reader.Char();
    if (!reader.Ok())
        return 0;
    TakeNextKey(key);
    fLastRec = last == '1' ? 1 : 0;
    rec.nIndex = GetCount();
    AddRec(rec);
    return 1;
}

void CAuditGroupTable::Free()
{
    CSnapshotTable::Free();
    ResetNextKey();
}

int CAuditGroupTable::FindByCode(std::string_view code)
{
    return FindFirstRow(*this, [&](const AuditGroupRec& r) { return SameStripped(r.szCode, code, 4); });
}

std::vector<std::string> CAuditGroupTable::FillList()
{
    std::vector<std::string> names;
    for (int i = 0; i < GetCount(); ++i)
        names.emplace_back(GetRec(i)->szName);
    return names;
}

bool ReadAuditOverrides(std::span<const uint8_t> bytes, std::vector<AuditOverride>& out)
{
    out.clear();
    if (bytes.size() < 2)
        return false;
    const size_t count = static_cast<size_t>(bytes[0]) | static_cast<size_t>(bytes[1]) << 8;
    if (count > (bytes.size() - 2) / kOverrideEntryBytes)
        return false;
    const uint8_t* entry = bytes.data() + 2;
    for (size_t i = 0; i < count; ++i, entry += kOverrideEntryBytes) {
        AuditOverride o;
        o.group = CodeFromField(entry);
        o.type = CodeFromField(entry + kCodeField);
        o.letter = static_cast<char>(entry[2 * kCodeField]);
        if (o.letter != 0 && !IsDisplayModeLetter(o.letter)) {
            KvTrace("audits.kv: entry " + std::to_string(i) + " has no display mode letter; left out");
            continue;
        }
        out.push_back(std::move(o));
    }
    return true;
}

bool WriteAuditOverrides(const std::vector<AuditOverride>& entries, std::vector<uint8_t>& out)
{
    out.clear();
    if (entries.size() > 0xFFFF)
        return false;
    out.reserve(2 + entries.size() * kOverrideEntryBytes);
    out.push_back(static_cast<uint8_t>(entries.size() & 0xFF));
    out.push_back(static_cast<uint8_t>(entries.size() >> 8));
    for (const AuditOverride& e : entries) {
        if (e.group.size() >= kCodeField || e.type.size() >= kCodeField)
            return false;
        for (const std::string* code : { &e.group, &e.type }) {
            uint8_t field[kCodeField] = {};
            std::memcpy(field, code->data(), code->size());
            out.insert(out.end(), field, field + kCodeField);
        }
        out.push_back(static_cast<uint8_t>(e.letter));
        out.push_back(0);
    }
    return true;
}

CAuditEventTypeTable::CAuditEventTypeTable()
    : CSnapshotTable(kTableId, 32, kRequest)
{
}

int CAuditEventTypeTable::Load()
{
    if (CSnapshotTable::Load() == 0)
        return 0;
    return LoadOverrides();
}

int CAuditEventTypeTable::Decode(CRecordReader& reader)
{
    const std::string key = reader.TextNoStrip(kNextKeyWidth);
    AuditTypeRec rec {};
    CopyText(rec.szGroupCode, reader.Text(4));
    CopyText(rec.szTypeCode, reader.Text(4));
    CopyText(rec.szTypeText, reader.Text(40));
    rec.cDisplayMode = reader.Char();
    const char last = reader.Char();
    if (!reader.Ok())
        return 0;
    TakeNextKey(key);
    CAuditGroupTable& groups = KvTables().auditGroups;
    const int group = groups.FindByCode(rec.szGroupCode);
    if (group >= 0)
        CopyText(rec.szGroupName, groups.GetRec(group)->szName);
    fLastRec = last == '1' ? 1 : 0;
    rec.nIndex = GetCount();
    AddRec(rec);
    return 1;
}

void CAuditEventTypeTable::OnPostReceive()
{
    KvUpdateAllDocuments(kTableId);
}

void CAuditEventTypeTable::Free()
{
    if (ps != nullptr)
        SaveOverrides();
    CSnapshotTable::Free();
    ResetNextKey();
}

int CAuditEventTypeTable::FindByKeys(std::string_view group, std::string_view type)
{
    return FindFirstRow(*this, [&](const AuditTypeRec& r) {
        return SameStripped(r.szGroupCode, group, 4) && SameStripped(r.szTypeCode, type, 4);
    });
}

int CAuditEventTypeTable::FindByName(std::string_view text)
{
    return FindFirstRow(*this, [&](const AuditTypeRec& r) { return SameStripped(r.szTypeText, text, 40); });
}

std::vector<std::string> CAuditEventTypeTable::FillList()
{
    std::vector<std::string> texts;
    for (int i = 0; i < GetCount(); ++i)
        texts.emplace_back(GetRec(i)->szTypeText);
    return texts;
}

std::filesystem::path CAuditEventTypeTable::DefaultOverridesPath()
{
    // The types load before the session exists, so the folder may not be
    // known to the tables yet at the first logon of a run.
    std::filesystem::path folder = KvTableSettings().settingsPath;
    if (folder.empty()) {
        if (sSettingsPath.empty())
            CSessionCore::FindSettingsFolder();
        folder = sSettingsPath;
    }
    return folder / kOverridesFile;
}

int CAuditEventTypeTable::LoadOverrides(const std::filesystem::path& path)
{
    KvWaitCursor wait;
    const std::filesystem::path file = path.empty() ? DefaultOverridesPath() : path;
    std::optional<fw::Archive> ar = fw::Archive::loadFile(file);
    if (!ar)
        return 1;
    std::vector<AuditOverride> entries;
    if (!ReadAuditOverrides(ar->bytes(), entries)) {
        KvTrace("audits.kv: " + file.string() + " is damaged");
        KvMessageBox(Kv32AlertString(IDS_CANNOT_RESTORE_ALERTS), fw::MB_ICONHAND);
        return 0;
    }
    for (const AuditOverride& e : entries) {
        const int row = FindByKeys(e.group, e.type);
        if (row < 0)
            continue;
        AuditTypeRec* rec = GetRec(row);
        rec->szOverride[0] = e.letter;
        rec->szOverride[1] = '\0';
    }
    return 1;
}

int CAuditEventTypeTable::SaveOverrides(const std::filesystem::path& path)
{
    KvWaitCursor wait;
    const std::filesystem::path file = path.empty() ? DefaultOverridesPath() : path;
    std::vector<AuditOverride> entries;
    entries.reserve(static_cast<size_t>(GetCount()));
    for (int i = 0; i < GetCount(); ++i) {
        const AuditTypeRec* rec = GetRec(i);
        entries.push_back({ rec->szGroupCode, rec->szTypeCode, rec->szOverride[0] });
    }
    std::vector<uint8_t> bytes;
    bool saved = WriteAuditOverrides(entries, bytes);
    if (saved) {
        fw::Archive ar;
        ar.writeBytes(bytes);
        saved = ar.saveFile(file);
    }
    if (!saved) {
        KvMessageBox(Kv32AlertString(IDS_CANNOT_SAVE_ALERTS), fw::MB_ICONHAND);
        return 0;
    }
    return 1;
}
