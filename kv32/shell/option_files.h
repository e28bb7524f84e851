// The main frame's option-file commands: the user saves the alert
// definitions (of users, firms, securities, order counting), the alert log
// and the default selections to a file of their choice, or restores them
// from one. Each command asks for the file in the settings folder and hands
// the chosen path to the table that owns the data.
#pragma once

#include <functional>
#include <span>
#include <string>

enum class KvOptionKind { UserAlerts, FirmAlerts, SecurityAlerts, OrderCountAlerts, AlertLogs, DefaultSelections };

struct CKvOptionFileCommand {
    unsigned commandId;
    KvOptionKind kind;
    bool save;
};
std::span<const CKvOptionFileCommand> KvOptionFileCommands();

// The file dialog as the command asks for it.
struct CKvOptionDialog {
    bool save = true; // a save dialog asks before overwriting
    std::string title;
    std::string filter; // "description|patterns|...||"
    std::string defaultName; // in the start folder
    std::string defaultExt;
    std::string folder; // the settings folder without its trailing separator
};
enum class KvDialogResult { Ok, Cancel, Failed };

// The file dialog (the main frame's) and the tables that write and read each
// kind; a table installs its calls when it joins the program. Without one the
// command does nothing.
struct CKvOptionFilesPort {
    std::function<KvDialogResult(const CKvOptionDialog& dialog, std::string& path)> fileDialog;
    std::function<void(KvOptionKind kind, const std::string& path)> save;
    std::function<void(KvOptionKind kind, const std::string& path)> restore;
};
CKvOptionFilesPort& KvOptionFilesPort();

// What the command shows: its title, filter and default name.
CKvOptionDialog KvOptionDialogOf(KvOptionKind kind, bool save);
// Runs the command: the dialog, then the table's save or restore; a dialog
// that failed shows the kind's failure message.
void KvRunOptionFileCommand(KvOptionKind kind, bool save);
