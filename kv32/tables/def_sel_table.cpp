#include "kv32/tables/def_sel_table.h"

#include <algorithm>

#include "fw/core/msgbox.h"
#include "kv32/tables/alert_file_codec.h"
#include "kv32/tables/alert_strings.h"
#include "kvcore/app/logon.h"
#include "kvcore/app/message_box.h"
#include "kvcore/app/session_core.h"

namespace {

constexpr size_t kTextField = CDefSelTable::kTextChars + 1;
constexpr size_t kNameField = CDefSelEntry::kNameChars + 1;

std::string Cut(std::string_view text, size_t chars)
{
    return std::string(text.substr(0, std::min(text.size(), chars)));
}

void PutText(fw::Archive& ar, const std::string& text, size_t width)
{
    PutFixedText(ar, text.c_str(), width);
}

std::string GetText(fw::Archive& ar, size_t width)
{
    std::string field(width, '\0');
    GetFixedText(ar, field.data(), width);
    field.resize(field.find('\0'));
    return field;
}

void ShowStop(unsigned id)
{
    KvMessageBox(Kv32AlertString(id), fw::MB_ICONSTOP);
}

} // namespace

std::string CDefSelTable::DefaultPath()
{
    if (ps == nullptr || ps->m_sUser.empty())
        return {};
    return KvSettingsFile(ps->m_sUser, "kvd");
}

int CDefSelTable::Load()
{
    m_bChanged = 0;
    // A damaged file has shown its message; the session starts all the same.
    Load(nullptr);
    return 1;
}

int CDefSelTable::Load(const char* path)
{
    const std::string file = path == nullptr || *path == '\0' ? DefaultPath() : std::string(path);
    if (file.empty())
        return 1;
    m_sFileName = file;
    KvWaitCursor wait;
    auto ar = fw::Archive::loadFile(file);
    if (!ar)
        return 1;
    return Serialize(*ar);
}

int CDefSelTable::Save(const char* path)
{
    const bool explicitPath = path != nullptr && *path != '\0';
    if (!explicitPath && m_bChanged == 0)
        return 1;
    const std::string file = explicitPath ? std::string(path) : DefaultPath();
    if (file.empty())
        return 1; // no user logged on: there is no file of his to write

    KvWaitCursor wait;
    fw::Archive ar;
    if (Serialize(ar) == 0 || !ar.saveFile(file))
        return 0;
    if (!explicitPath)
        m_bChanged = 0;
    return 1;
}

int CDefSelTable::Serialize(fw::Archive& ar)
{
    if (ar.isStoring()) {
        const auto live = std::count_if(m_entries.begin(), m_entries.end(), [](const CDefSelEntry& e) { return e.bDeleted == 0; });
        if (live > 0xFFFF) {
            ShowStop(IDS_CANNOT_SAVE_DEFAULTS);
            return 0;
        }
        ar.writeWord(kMagic);
        for (uint16_t choice : m_anChoice)
            ar.writeWord(choice);
        PutText(ar, m_sText, kTextField);
        PutText(ar, m_sCurrent, kNameField);
        ar.writeWord(static_cast<uint16_t>(live));
        for (const CDefSelEntry& e : m_entries) {
            if (e.bDeleted == 0)
                PutText(ar, e.name, kNameField);
        }
        return 1;
    }
    uint16_t choices[3] = {};
    std::string text, current;
    std::vector<CDefSelEntry> entries;
    try {
        if (ar.readWord() != kMagic) {
            ShowStop(IDS_INVALID_DEFAULTS_FILE);
            return 1;
        }
        for (uint16_t& choice : choices)
            choice = ar.readWord();
        text = GetText(ar, kTextField);
        current = GetText(ar, kNameField);
        const uint16_t count = ar.readWord();
        NeedRecords(ar, count, kNameField);
        entries.resize(count);
        for (CDefSelEntry& e : entries)
            e.name = GetText(ar, kNameField);
    } catch (const fw::ArchiveError&) {
        ShowStop(IDS_CANNOT_RESTORE_DEFAULTS);
        return 0;
    }
    std::copy(std::begin(choices), std::end(choices), std::begin(m_anChoice));
    m_sText = std::move(text);
    m_sCurrent = std::move(current);
    m_entries = std::move(entries);
    return 1;
}

void CDefSelTable::Free()
{
    if (Save(nullptr) == 0)
        ShowStop(IDS_CANNOT_SAVE_DEFAULTS);
    m_entries.clear();
    m_sText.clear();
    m_sCurrent.clear();
    std::fill(std::begin(m_anChoice), std::end(m_anChoice), uint16_t { 0 });
    m_bChanged = 0;
    m_sFileName.clear();
}

void CDefSelTable::AddSelection(std::string_view name)
{
    const std::string cut = Cut(name, CDefSelEntry::kNameChars);
    const auto it = std::find_if(m_entries.begin(), m_entries.end(), [&](const CDefSelEntry& e) { return e.name == cut; });
    if (it != m_entries.end()) {
        if (it->bDeleted == 0)
            return;
        it->bDeleted = 0;
    } else {
        m_entries.push_back({ cut, 0, 0 });
    }
    m_bChanged = 1;
}

void CDefSelTable::FillList(std::vector<std::string>& items, int& selected) const
{
    items.clear();
    selected = -1;
    for (const CDefSelEntry& e : m_entries) {
        if (e.bDeleted != 0)
            continue;
        if (m_anChoice[1] != 0 && e.name == m_sCurrent)
            selected = static_cast<int>(items.size());
        items.push_back(e.name);
    }
}

void CDefSelTable::UpdateFromDialog(bool first, std::string_view text, bool second,
    const std::vector<std::string>& items, int selectedItem, bool third)
{
    const bool choices[3] = { first, second, third };
    for (int i = 0; i < 3; ++i) {
        if ((m_anChoice[i] != 0) != choices[i]) {
            m_anChoice[i] = choices[i] ? 1 : 0;
            m_bChanged = 1;
        }
    }
    if (m_anChoice[0] != 0) {
        const std::string cut = Cut(text, kTextChars);
        if (cut != m_sText) {
            m_sText = cut;
            m_bChanged = 1;
        }
    }
    if (selectedItem >= 0 && static_cast<size_t>(selectedItem) < items.size()) {
        const std::string cut = Cut(items[static_cast<size_t>(selectedItem)], CDefSelEntry::kNameChars);
        if (cut != m_sCurrent) {
            m_sCurrent = cut;
            m_bChanged = 1;
        }
    }
    for (CDefSelEntry& e : m_entries)
        e.bWork = 0;
    for (const std::string& item : items) {
        const std::string cut = Cut(item, CDefSelEntry::kNameChars);
        auto it = std::find_if(m_entries.begin(), m_entries.end(), [&](const CDefSelEntry& e) { return e.name == cut; });
        if (it == m_entries.end()) {
            m_entries.push_back({ cut, 0, 1 });
            m_bChanged = 1;
            continue;
        }
        if (it->bDeleted != 0) {
            it->bDeleted = 0;
            m_bChanged = 1;
        }
        it->bWork = 1;
    }
    for (CDefSelEntry& e : m_entries) {
        if (e.bWork == 0 && e.bDeleted == 0) {
            e.bDeleted = 1;
            m_bChanged = 1;
        }
        e.bWork = 0;
    }
}
