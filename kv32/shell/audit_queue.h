// The audit events waiting to be shown in a dialog: record indexes of the
// audit trail table, -1 marking a free slot. The audit trail table fills it,
// the main frame empties it.
#pragma once

#include <array>
#include <cstdint>

inline constexpr int kAuditQueueSize = 100;

std::array<int32_t, kAuditQueueSize>& AuditDisplayQueue();
// Every slot free.
void ClearAuditDisplayQueue();
