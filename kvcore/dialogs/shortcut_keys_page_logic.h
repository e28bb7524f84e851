// What the "Shortcut Keys" page does to a shortcut table, without the window: the commands it
// offers, the keys assigned to one of them, and assigning, removing and resetting keys. The
// page works on its own copy of the table, so nothing reaches the keys in force before the
// user applies.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "fw/core/records.h"
#include "kvcore/dialogs/customize_cmd_list.h"
#include "kvcore/kvcore_api.h"

// The commands the customisation offers (the "Customize" sheet's command list).
using KvCommandList = std::vector<KvCustomizeCommand>;

// The window-system commands (size, move, close, ..., context help) are the window manager's,
// never the user's to put on a key.
inline constexpr std::uint32_t kFirstSysCommand = 61440;
inline constexpr std::uint32_t kLastSysCommand = 61824;

class KVCORE_API KvShortcutKeys {
public:
    // table: the keys in force (copied); defaults: what "Reset All" returns to.
    KvShortcutKeys(KvCommandList commands, std::vector<fw::AccelRecord> table, std::vector<fw::AccelRecord> defaults);

    // The commands the page lists, in command-list order.
    std::vector<KvCustomizeCommand> Macros() const;
    // The entry of a command, null when the list has none.
    const KvCustomizeCommand* Find(std::uint32_t command) const;

    // The keys of one command in table order: the record's index and the key's name.
    struct Assigned {
        int index = 0;
        std::string keyName;
    };
    std::vector<Assigned> AssignedTo(std::uint32_t command) const;
    // The command a key reaches in the working table, 0 when none.
    std::uint32_t CommandOfKey(const fw::AccelRecord& key) const;

    // Puts the key on the command. A key reaches one command only, so a record of the same
    // key for another command goes. False (nothing changes) for no key or no command.
    bool Assign(std::uint32_t command, fw::AccelRecord key);
    // Removes the record at index; later records move up. False for an index outside the table.
    bool Remove(int index);
    // The defaults, cut down to the commands the user may use.
    void ResetAll();

    bool Modified() const { return m_modified; }
    const std::vector<fw::AccelRecord>& Table() const { return m_table; }

private:
    KvCommandList m_commands;
    std::vector<fw::AccelRecord> m_table;
    std::vector<fw::AccelRecord> m_defaults;
    bool m_modified = false;
};

// The same key (kind, modifiers and code), whatever command it carries.
KVCORE_API bool KvSameKey(const fw::AccelRecord& a, const fw::AccelRecord& b);
