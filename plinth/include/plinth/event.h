#pragma once
// Named events shared between processes by an integer key. Key 0 makes a
// private event that only this process (and children it forks) can use.
#include "plinth/export.h"

typedef struct PlinthEvent PlinthEvent;

// Creates a manual-reset event, initially blocked. Null when the key is already
// in use or the persist server could not take a hold on it.
PLINTH_API PlinthEvent* EventCreate(int key);
// Opens an existing event; null when there is none.
PLINTH_API PlinthEvent* EventOpen(int key);
// Releases every waiter; the event stays unblocked until set blocked. 1 or 0.
PLINTH_API int EventSetToUnblocked(PlinthEvent* handle);
PLINTH_API int EventSetToBlocked(PlinthEvent* handle);
// Waits until the event is unblocked: seconds < 0 without limit, 0 only tests.
// 1 when unblocked, 0 on time-out or failure. Does not block the event again.
PLINTH_API int EventWait(PlinthEvent* handle, int seconds);
// Marks the handle so that its Close lets the persist server drop the event too.
PLINTH_API PlinthEvent* EventCondemn(PlinthEvent* handle);
// Closes and frees the handle. 1 on success.
PLINTH_API int EventClose(PlinthEvent* handle);
