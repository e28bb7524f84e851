#include "kvcore/session/shortcut_table.h"

#include <algorithm>

#include "kvcore/app/app_core_logic.h"

void KvShortcutTable::Permission()
{
    std::erase_if(m_entries, [](const fw::AccelRecord& entry) { return CanAccess(entry.cmd, 0) == 0; });
}
