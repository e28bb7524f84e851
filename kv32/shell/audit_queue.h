// The audit events waiting to be shown in a dialog: record indexes of the
// audit trail table, -1 marking a free slot. The audit trail table fills it,
// the main frame empties it.
#pragma once

#include <array>
#include <cstdint>

inline constexpr int kAuditQueueSize = 100;

std::array<int32_t, kAuditQueueSize>& AuditDisplayQueue();
// Every slot free, and no notification pending.
void ClearAuditDisplayQueue();

// Queues an event index: the slot after the run of used slots that starts at
// the first used one, wrapping round to slot 0, so slots freed at the front
// are used again once the run reaches the end; slot 0 when every slot is
// free. False, with nothing written, when every slot is in use.
bool AuditQueuePush(int32_t index);

// Set when "WM_AUDITNOTIFY" has been posted and the main frame has not yet
// shown the queue; while it is set, further events are only queued.
bool& AuditPopupPending();
