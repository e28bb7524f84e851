// The dialogs that list windows open but that other parts of the program
// provide: each installs its runner here when it exists. A command whose
// dialog is not installed stays disabled.
#pragma once

#include <cstdint>
#include <functional>

class CListCriteria;

// Runs the dialog of a command with the command's argument (e.g. 1 for the
// amendment of a matched deal); the dialog's result.
using KvCommandDialog = std::function<int(int argument)>;
// Runs a window's filter dialog on its criteria; IDOK when they changed.
using KvFilterDialog = std::function<int(CListCriteria& criteria)>;

// An empty runner removes the one installed.
void KvSetCommandDialog(unsigned commandId, KvCommandDialog dialog);
void KvSetFilterDialog(std::uint32_t tableId, KvFilterDialog dialog);
// Null when none is installed.
const KvCommandDialog* KvFindCommandDialog(unsigned commandId);
const KvFilterDialog* KvFindFilterDialog(std::uint32_t tableId);

// The table ids that have a list window in this program (the windowed
// application registers them): a command opens the replies window only when
// it exists.
void KvSetListWindowIds(std::function<bool(std::uint32_t tableId)> exists);
bool KvHasListWindow(std::uint32_t tableId);
