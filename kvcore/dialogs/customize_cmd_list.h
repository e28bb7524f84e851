// The command list of the "Customize" sheet: every command of the main frame's menu with its
// name (the menu text without its mnemonic and shortcut hint) and its description (the first
// line of the command's prompt string). The shortcut keys page lists and describes commands
// from it. Qt-free.
#pragma once

#include "kvcore/kvcore_api.h"

#include <cstdint>
#include <string>
#include <vector>

namespace fw {
class Archive;
class Menu;
}

struct KVCORE_API KvCustomizeCommand {
    std::uint32_t id = 0;
    std::string name;
    std::string description;
    bool operator==(const KvCustomizeCommand&) const = default;
};

class KVCORE_API CCustomizeCmdList {
public:
    CCustomizeCmdList() = default;
    // Filled from the frame's menu.
    explicit CCustomizeCmdList(const fw::Menu& menu) { Fill(menu); }

    // Every command item below the menu, in menu order; a command that the menu holds twice is
    // listed once, by its first item.
    void Fill(const fw::Menu& menu);
    const std::vector<KvCustomizeCommand>& Entries() const { return m_entries; }
    // The entry of a command id, or null.
    const KvCustomizeCommand* Find(std::uint32_t id) const;

    // A count, then per entry the command id (double word) and the two strings. Loading
    // replaces the list only when the whole record was read (fw::ArchiveError otherwise).
    void Serialize(fw::Archive& ar);

private:
    void Add(const fw::Menu& popup);

    std::vector<KvCustomizeCommand> m_entries;
};
