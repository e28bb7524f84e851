#include "fw/core/archive_throw.h"

namespace fw {

void throwArchiveError(ArchiveError::Cause cause, const std::string& what)
{
    throw ArchiveError(cause, what);
}

} // namespace fw
