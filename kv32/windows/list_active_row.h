// The active list window as the order and deal forms read it: the table id,
// the host record behind the current row and the current column of whichever
// list window is in front.
#pragma once

#include "kv32/trading/active_row.h"

// The program's one reader of the front list window (none in front: table 0,
// record -1).
KvActiveRow& KvFrontListRow();
