// The handlers of the application's and the main frame's own commands, bound
// into their command maps. Window-free: opening a list window goes through
// the function the application gives.
#pragma once

#include <cstdint>
#include <functional>
#include <span>

namespace fw {
class CommandMap;
}

// Opens the window of a table id as the application does (activate flag, visible flag).
using KvOpenTableFn = std::function<void(std::uint32_t tableId, bool activate, bool visible)>;

struct CKvOpenCommand {
    unsigned commandId;
    std::uint32_t tableId;
    bool activate = true;
};
// The commands that open a list window with no filter of their own.
std::span<const CKvOpenCommand> KvOpenCommands();

// The menu commands of the application: windows, toggles, the operator
// transaction, traffic average, print log, diagnostic file. `diagnose` writes
// the diagnostic file (the windows know their frames).
void KvBindAppCommands(fw::CommandMap& map, KvOpenTableFn open, std::function<void()> diagnose);

// The main frame's commands: the message and news dialogs, the option files,
// the save-at-logoff toggles, the print-log failure message, the commands of
// list windows that leave a menu when the active window does not handle them,
// and the alert-log and audit notifications (registered message ids; 0 none).
void KvBindFrameCommands(fw::CommandMap& map, unsigned logNotify = 0, unsigned auditNotify = 0);
std::span<const unsigned> KvWindowOnlyCommands();

inline constexpr unsigned ID_SAVE_ALERTS_AT_LOGOFF = 33015;
inline constexpr unsigned ID_SAVE_LOGS_AT_LOGOFF = 33016;
inline constexpr unsigned ID_SEND_MESSAGE = 32802;
inline constexpr unsigned ID_SEND_NEWS = 32966;
