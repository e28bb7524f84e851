#include "kvcore/dialogs/shortcut_keys_page_logic.h"

#include <algorithm>

#include "kvcore/session/shortcut_table.h"

namespace {

constexpr std::uint8_t kKeyBits = fw::AccelVirtKey | fw::AccelShift | fw::AccelControl | fw::AccelAlt;

bool IsSysCommand(std::uint32_t id)
{
    return id >= kFirstSysCommand && id <= kLastSysCommand;
}

} // namespace

bool KvSameKey(const fw::AccelRecord& a, const fw::AccelRecord& b)
{
    return (a.flags & kKeyBits) == (b.flags & kKeyBits) && a.key == b.key;
}

KvShortcutKeys::KvShortcutKeys(
    KvCommandList commands, std::vector<fw::AccelRecord> table, std::vector<fw::AccelRecord> defaults)
    : m_commands(std::move(commands))
    , m_table(std::move(table))
    , m_defaults(std::move(defaults))
{
}

std::vector<KvCustomizeCommand> KvShortcutKeys::Macros() const
{
    std::vector<KvCustomizeCommand> macros;
    for (const KvCustomizeCommand& entry : m_commands)
        if (!IsSysCommand(entry.id))
            macros.push_back(entry);
    return macros;
}

const KvCustomizeCommand* KvShortcutKeys::Find(std::uint32_t command) const
{
    const auto found = std::find_if(
        m_commands.begin(), m_commands.end(), [command](const KvCustomizeCommand& e) { return e.id == command; });
    return found == m_commands.end() ? nullptr : &*found;
}

std::vector<KvShortcutKeys::Assigned> KvShortcutKeys::AssignedTo(std::uint32_t command) const
{
    std::vector<Assigned> keys;
    for (std::size_t i = 0; i < m_table.size(); ++i)
        if (m_table[i].cmd == command)
            keys.push_back({ static_cast<int>(i), fw::accelKeyName(m_table[i]) });
    return keys;
}

std::uint32_t KvShortcutKeys::CommandOfKey(const fw::AccelRecord& key) const
{
    for (const fw::AccelRecord& record : m_table)
        if (KvSameKey(record, key))
            return record.cmd;
    return 0;
}

bool KvShortcutKeys::Assign(std::uint32_t command, fw::AccelRecord key)
{
    // A command id travels in 16 bits in the stored record.
    if (key.key == 0 || command == 0 || command > 0xFFFF)
        return false;
    key.cmd = static_cast<std::uint16_t>(command);
    std::erase_if(m_table, [&](const fw::AccelRecord& record) { return KvSameKey(record, key); });
    m_table.push_back(key);
    m_modified = true;
    return true;
}

bool KvShortcutKeys::Remove(int index)
{
    if (index < 0 || static_cast<std::size_t>(index) >= m_table.size())
        return false;
    m_table.erase(m_table.begin() + index);
    m_modified = true;
    return true;
}

void KvShortcutKeys::ResetAll()
{
    KvShortcutTable defaults { m_defaults };
    defaults.Permission();
    m_table = std::move(defaults.m_entries);
    m_modified = true;
}
