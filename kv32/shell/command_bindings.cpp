#include "kv32/shell/command_bindings.h"

#include "fw/core/command.h"
#include "fw/core/msgbox.h"
#include "kv32/res/ids.h"
#include "kv32/res/shell_strings.h"
#include "kv32/shell/app_commands.h"
#include "kv32/shell/option_files.h"
#include "kv32/shell/shell_dialogs.h"
#include "kv32/shell/permissions.h"
#include "kv32/shell/session.h"
#include "kvcore/app/message_box.h"

namespace {

const CKvOpenCommand kOpenCommands[] = {
    { 32797, 8 }, // orders
    { 32780, 40 }, // order counting
    { 32798, 9 }, // trades
    { 32946, 10 }, // negotiated deals
    { 32911, 2 }, // boards
    { 32944, 3 }, // markets
    { 32945, 5 }, // instruments
    { 32895, 14, false }, // firm security position
    { 32841, 17 }, // firms
    { 32919, 23 }, // indices
    { 32967, 19 }, // news
    { 32920, 18 }, // broadcast messages
    { 36000, 28 }, // control events
    { 32981, 20 }, // trading events
    { 33017, 22 }, // alert logs
    { 32983, 21 }, // securities on boards
    { 33144, 29 }, // replies
    { 33146, 30 }, // last trades
    { 33179, 38 }, // ticker
    { 33148, 32 }, // private order book
    { 33029, 33 }, // audit events
    { 33030, 34 }, // audit event types
};

// Commands of particular list windows; their update request reaches the main
// frame only when the active window does not handle them.
// Adding a trading event and suspending an issuer are main menu commands too.
constexpr unsigned kWindowOnlyCommands[] = { 32912, 32913, 32959, 32883, 32884, 32948, 32949, 32950, 32951, 32862,
    32863, 32866, 33006, 33028, 32871, 32872, 32893, 32973, 33005, 33027, 33190, 33191, 32874, 32875, 32876, 32877,
    32878, 32974, 33004, 33026, 32968, 33151, 33150, 33152, 33153, 33155, 33178, 33176, 33177 };

// Commands whose menu item or button follows the user's rights.
constexpr unsigned kAccessCheckedCommands[] = { 32796, 32780, 33076, 33077, 33187, 33188, 32994, 32995, 33091, 32970 };

// A session flag as a checked menu item.
void BindToggle(fw::CommandMap& map, unsigned id, int CSession::*flag, bool needsAccess)
{
    map.onCommand(id, [flag] {
        if (CSession* s = KvSession())
            s->*flag = s->*flag ? 0 : 1;
    });
    map.onUpdate(id, [id, flag, needsAccess](fw::CmdUI& ui) {
        CSession* s = KvSession();
        ui.enable(s != nullptr && (!needsAccess || IsCommandAllowed(id)));
        ui.setCheck(s != nullptr && s->*flag ? 1 : 0);
    });
}

} // namespace

std::span<const CKvOpenCommand> KvOpenCommands()
{
    return kOpenCommands;
}

std::span<const unsigned> KvWindowOnlyCommands()
{
    return kWindowOnlyCommands;
}

void KvBindAppCommands(fw::CommandMap& map, KvOpenTableFn open, std::function<void()> diagnose)
{
    for (const CKvOpenCommand& c : kOpenCommands)
        map.onCommand(c.commandId, [open, c] {
            if (open)
                open(c.tableId, c.activate, true);
        });
    // These are offered exactly when the user may use them, once their window
    // or dialog has joined the program (a command without a handler stays off).
    for (unsigned id : kAccessCheckedCommands) {
        map.onUpdate(id, [&map, id](fw::CmdUI& ui) { ui.enable(map.findCommand(id) != nullptr && IsCommandAllowed(id)); });
    }

    map.onCommand(ID_OPR_LOGON_VERIFY_ON, [] { KvSendLogonVerify(true); });
    map.onCommand(ID_OPR_LOGON_VERIFY_OFF, [] { KvSendLogonVerify(false); });
    map.onCommand(ID_TRAFFIC_AVERAGE, [] { KvShowTrafficAverage(); });
    map.onCommand(ID_PRINT_LOG_END, [] { KvEndPrintLog(); });
    map.onCommand(ID_DIAGNOSTIC_FILE, [diagnose] {
        if (diagnose)
            diagnose();
    });
    map.onCommand(ID_CONFIRM_OPERATIONS, [] {
        if (ps != nullptr)
            ps->m_bConfirm = ps->m_bConfirm ? 0 : 1;
    });
    map.onUpdate(ID_CONFIRM_OPERATIONS, [](fw::CmdUI& ui) {
        ui.enable(ps != nullptr);
        ui.setCheck(ps != nullptr && ps->m_bConfirm ? 1 : 0);
    });
    BindToggle(map, ID_SUSPEND_NOTIFY, &CSession::m_bSuspendNotify, false);
    map.onCommand(ID_NOTHING, [] { });
}

void KvBindFrameCommands(fw::CommandMap& map, unsigned logNotify, unsigned auditNotify)
{
    const auto inSession = [](unsigned dialog) {
        return [dialog] {
            if (ps != nullptr)
                KvRunShellDialog(dialog);
        };
    };
    map.onCommand(ID_SEND_MESSAGE, inSession(IDD_SEND_MESSAGE));
    map.onCommand(ID_MESSAGE_OPEN_NEXT, inSession(IDD_RECEIVED_MESSAGE));
    map.onCommand(ID_SEND_NEWS, [] { KvRunShellDialog(IDD_NEWS); });
    map.onCommand(ID_NEWS_NEW_HEADLINE, inSession(IDD_RECEIVED_NEWS));
    for (unsigned id : { ID_SEND_NEWS, ID_SEND_MESSAGE })
        map.onUpdate(id, [id](fw::CmdUI& ui) { ui.enable(IsCommandAllowed(id)); });
    for (const CKvOptionFileCommand& c : KvOptionFileCommands())
        map.onCommand(c.commandId, [c] { KvRunOptionFileCommand(c.kind, c.save); });
    if (logNotify != 0)
        map.onMessage(logNotify, [](uint64_t, int64_t) -> intptr_t { return KvOnLogNotify(); });
    if (auditNotify != 0)
        map.onMessage(auditNotify, [](uint64_t, int64_t) -> intptr_t {
            KvOnAuditNotify();
            return 0;
        });
    BindToggle(map, ID_SAVE_ALERTS_AT_LOGOFF, &CSession::m_bSaveAlerts, true);
    BindToggle(map, ID_SAVE_LOGS_AT_LOGOFF, &CSession::m_bSaveLogs, true);
    map.onCommand(ID_PRINT_LOG_FAILED,
        [] { KvMessageBox(Kv32ShellString(IDS_PRINT_LOG_ERROR), fw::MB_ICONEXCLAMATION); });
    for (unsigned id : kWindowOnlyCommands)
        map.onUpdate(id, [](fw::CmdUI& ui) { ui.remove(); });
}
