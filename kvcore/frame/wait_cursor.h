// The wait cursor over every window of the program (nested calls count). Without a
// screen (the offscreen platform) there is no cursor to change, and none is set.
#pragma once

void KvShowWaitCursor(bool on);
