// The filter dialogs of the list windows, installed for Options > Filter by
// table id; each runs on the window's own criteria.
#pragma once

void KvInstallListFilterDialogs();
