// The dialogs that the main frame opens on its commands and notifications:
// sending and reading user messages, sending and reading news, the alert-log
// message and the audit display. Each dialog installs its runner when it
// joins the program; until then the command does nothing.
#pragma once

#include <functional>

enum Kv32ShellDialog : unsigned {
    IDD_SEND_MESSAGE = 129,
    IDD_RECEIVED_MESSAGE = 130,
    IDD_ALERT_LOG_MESSAGE = 134,
    IDD_NEWS = 194, // in its sending mode
    IDD_RECEIVED_NEWS = 195,
};

struct CKvShellDialogsPort {
    // Runs the dialog modally; its result (IDOK, IDCANCEL), 0 when there is none.
    std::function<int(unsigned dialogId)> run;
    // Shows the audit display dialog for the queued audit events; it takes at
    // least the first queued one off the queue.
    std::function<void()> auditDisplay;
    // The audit trail table's flag that a display dialog is up.
    std::function<void()> clearAuditDialogOpen;
};
CKvShellDialogsPort& KvShellDialogsPort();

int KvRunShellDialog(unsigned dialogId);
// WM_LOGNOTIFY: the alert-log message dialog while a session exists.
int KvOnLogNotify();
// WM_AUDITNOTIFY: the audit display again and again while the queue holds an
// event, then the table's flag is cleared. A display that takes nothing off
// the queue ends the loop.
void KvOnAuditNotify();
