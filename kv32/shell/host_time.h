// The moment the session last asked the host for its time, on the steady
// scale of the process's clock, so that only a prompt answer moves the
// program's time offset.
#pragma once

#include <cstdint>

// A reply that comes this late or later leaves the offset alone.
inline constexpr int64_t kHostTimeReplyLimitMs = 400;

void KvMarkHostTimeRequest();
void KvClearHostTimeRequest();
// A time request was made and fewer than 400 ms have passed since.
bool KvIsHostTimeReplyPrompt();
