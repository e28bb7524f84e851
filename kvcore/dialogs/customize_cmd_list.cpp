#include "kvcore/dialogs/customize_cmd_list.h"

#include "fw/core/archive.h"
#include "fw/core/menu.h"
#include "fw/core/strings.h"

#include <algorithm>

namespace {

std::string FirstLine(const std::string& text) { return text.substr(0, text.find('\n')); }

} // namespace

void CCustomizeCmdList::Fill(const fw::Menu& menu)
{
    m_entries.clear();
    Add(menu);
}

void CCustomizeCmdList::Add(const fw::Menu& popup)
{
    for (const fw::Menu& item : popup.items()) {
        if (item.isPopup()) {
            Add(item);
            continue;
        }
        if (item.isSeparator() || item.id() == 0 || Find(item.id()))
            continue;
        std::string prompt;
        fw::loadString(item.id(), prompt);
        m_entries.push_back({ item.id(), item.plainText(), FirstLine(prompt) });
    }
}

const KvCustomizeCommand* CCustomizeCmdList::Find(std::uint32_t id) const
{
    const auto it = std::find_if(m_entries.begin(), m_entries.end(), [id](const KvCustomizeCommand& e) { return e.id == id; });
    return it == m_entries.end() ? nullptr : &*it;
}

void CCustomizeCmdList::Serialize(fw::Archive& ar)
{
    if (ar.isStoring()) {
        ar.writeCount(static_cast<std::uint32_t>(m_entries.size()));
        for (const KvCustomizeCommand& e : m_entries) {
            ar.writeDWord(e.id);
            ar.writeString(e.name);
            ar.writeString(e.description);
        }
        return;
    }
    // Each entry takes at least its id and two one-byte string lengths.
    const std::uint32_t count = ar.readCount(6);
    std::vector<KvCustomizeCommand> loaded;
    loaded.reserve(count);
    for (std::uint32_t i = 0; i < count; ++i) {
        KvCustomizeCommand e;
        e.id = ar.readDWord();
        e.name = ar.readString();
        e.description = ar.readString();
        loaded.push_back(std::move(e));
    }
    m_entries = std::move(loaded);
}
