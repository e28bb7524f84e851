#pragma once
// Raising the archive exception from modules outside fw_core: the exception object is built and
// thrown inside libfw_core.so, so a caller never emits its own copy of the class's vtable.
#include "fw/core/archive.h"
#include "fw/core/fw_core_api.h"

#include <string>

namespace fw {

[[noreturn]] FW_CORE_API void throwArchiveError(ArchiveError::Cause cause, const std::string& what);

} // namespace fw
