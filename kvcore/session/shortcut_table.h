// The user's keyboard shortcuts: accelerator records in the settings file's layout, cut down
// to the commands the logged-on user may use so that no key reaches a hidden command.
#pragma once

#include <vector>

#include "fw/core/records.h"
#include "kvcore/kvcore_api.h"

class KVCORE_API KvShortcutTable {
public:
    // Removes every entry whose command CanAccess(id, 0) refuses; the rest keep their order.
    void Permission();

    std::vector<fw::AccelRecord> m_entries;
};
