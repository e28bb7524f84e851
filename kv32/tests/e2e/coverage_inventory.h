// What the program offers, for the coverage check: the list windows of the
// document template table, the commands of the permission table, of the
// application's and the main frame's handlers and of every list window's
// context menu, and the dialog templates of kvcore and kv32, read from the
// running program's own tables (nothing here is a list of ids).
#pragma once

#include <string>

class CKvApp;

// One line a thing: "table ID", "command ID FROM" (FROM: permission,
// handler, menu-TABLE), "never ID" (a command the permission table never
// allows) and "dialog ID".
std::string KvCoverageInventory(CKvApp& app);
