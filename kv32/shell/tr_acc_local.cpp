#include "kv32/shell/tr_acc_local.h"

#include <algorithm>

#include "fw/core/archive.h"
#include "kvcore/router/kv_trace.h"

namespace {
// An entry takes at least its two string prefixes.
constexpr std::size_t kMinEntryBytes = 2;
} // namespace

void CTrAccLocalArray::Serialize(fw::Archive& ar)
{
    if (ar.isStoring()) {
        ar.writeCount(static_cast<std::uint32_t>(m_entries.size()));
        for (const CTrAccLocal& entry : m_entries) {
            ar.writeString(entry.account);
            ar.writeString(entry.text);
        }
        return;
    }
    std::vector<CTrAccLocal> read;
    try {
        const std::uint32_t count = ar.readCount(kMinEntryBytes);
        read.reserve(count);
        for (std::uint32_t i = 0; i < count; ++i) {
            CTrAccLocal entry;
            entry.account = ar.readString();
            entry.text = ar.readString();
            read.push_back(std::move(entry));
        }
    } catch (const fw::ArchiveError&) {
        m_entries = std::move(read);
        throw;
    }
    m_entries = std::move(read);
}

bool CTrAccLocalArray::LoadFile(const std::filesystem::path& path)
{
    auto ar = fw::Archive::loadFile(path);
    if (!ar)
        return true; // no file: the user has no local trading accounts
    try {
        Serialize(*ar);
    } catch (const fw::ArchiveError& e) {
        KvTrace("trading accounts file " + path.string() + " is damaged: " + e.what());
        return false;
    }
    return true;
}

bool CTrAccLocalArray::SaveFile(const std::filesystem::path& path) const
{
    fw::Archive ar;
    const_cast<CTrAccLocalArray*>(this)->Serialize(ar); // storing only reads the entries
    return ar.saveFile(path);
}

bool CTrAccLocalArray::FindName(std::string_view account, std::string& text) const
{
    bool found = false;
    for (const CTrAccLocal& entry : m_entries) {
        if (entry.account == account) {
            text = entry.text;
            found = true;
        }
    }
    return found;
}

bool CTrAccLocalArray::FillList(std::vector<std::string>& items, int& selected, std::string_view preset) const
{
    items.clear();
    selected = -1;
    if (m_entries.empty())
        return false;
    for (const CTrAccLocal& entry : m_entries)
        items.push_back(entry.account);
    if (!preset.empty()) {
        auto it = std::find(items.begin(), items.end(), preset);
        if (it == items.end())
            it = items.insert(items.end(), std::string(preset));
        selected = static_cast<int>(it - items.begin());
    }
    return true;
}
