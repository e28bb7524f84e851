#pragma once
// The resource check a module's test runs over its tables: ids are unique, every text is
// given in English and Hungarian (a missing Hungarian text is reported apart, so a module
// can decide whether it is allowed yet), every text converts to Windows-1250, menus are
// well formed, dialog cells do not collide, and every id that code uses exists.
#include "fw/core/fw_core_api.h"
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "fw/core/resources.h"

namespace fw {

struct FW_CORE_API ControlRef {
    std::uint32_t dialog;
    std::uint32_t control;
};

// The ids that a module's code refers to (usually its res/ids.h enumerations, listed once in the test).
struct FW_CORE_API UsedIds {
    std::span<const std::uint32_t> strings = {};
    std::span<const std::uint32_t> dialogs = {};
    std::span<const std::uint32_t> menus = {};
    std::span<const std::uint32_t> accels = {};
    std::span<const ControlRef> controls = {};
};

struct FW_CORE_API ResourceReport {
    std::vector<std::string> errors;
    std::vector<std::string> missingHungarian;
    bool ok() const { return errors.empty() && missingHungarian.empty(); }
    // Both lists, one line each, for a test's failure message.
    std::string text() const;
};

// Checks the sets together (ids must be unique across them, as they share one table each);
// used ids may be found in any of them.
FW_CORE_API ResourceReport checkResources(std::span<const ResourceSet> sets, const UsedIds& used = {});
inline ResourceReport checkResources(const ResourceSet& set, const UsedIds& used = {})
{
    return checkResources(std::span<const ResourceSet>(&set, 1), used);
}

} // namespace fw
