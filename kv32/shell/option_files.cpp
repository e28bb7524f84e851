#include "kv32/shell/option_files.h"

#include "fw/core/msgbox.h"
#include "kv32/res/shell_strings.h"
#include "kv32/shell/text_format.h"
#include "kvcore/app/message_box.h"
#include "kvcore/app/session_core.h"
#include "kvcore/session/workspace_commands.h"

namespace {

constexpr CKvOptionFileCommand kCommands[] = {
    { 33007, KvOptionKind::UserAlerts, true },
    { 33008, KvOptionKind::FirmAlerts, true },
    { 33009, KvOptionKind::SecurityAlerts, true },
    { 33192, KvOptionKind::OrderCountAlerts, true },
    { 33010, KvOptionKind::AlertLogs, true },
    { 33194, KvOptionKind::DefaultSelections, true },
    { 33011, KvOptionKind::UserAlerts, false },
    { 33012, KvOptionKind::FirmAlerts, false },
    { 33013, KvOptionKind::SecurityAlerts, false },
    { 33193, KvOptionKind::OrderCountAlerts, false },
    { 33014, KvOptionKind::AlertLogs, false },
    { 33195, KvOptionKind::DefaultSelections, false },
};

struct KindText {
    unsigned kindTitle; // the table title that fills "%s" of an alerts title; 0 none
    const char* saveName;
};

KindText TextOf(KvOptionKind kind)
{
    switch (kind) {
    case KvOptionKind::UserAlerts:
        return { 16, "users" };
    case KvOptionKind::FirmAlerts:
        return { 17, "firms" };
    case KvOptionKind::SecurityAlerts:
        return { 6, "secs" };
    case KvOptionKind::OrderCountAlerts:
        return { 40, "ordcount" };
    case KvOptionKind::AlertLogs:
        return { 0, "logs" };
    case KvOptionKind::DefaultSelections:
        return { 0, "" };
    }
    return { 0, "" };
}

bool IsAlerts(KvOptionKind kind)
{
    return kind != KvOptionKind::AlertLogs && kind != KvOptionKind::DefaultSelections;
}

} // namespace

std::span<const CKvOptionFileCommand> KvOptionFileCommands()
{
    return kCommands;
}

CKvOptionFilesPort& KvOptionFilesPort()
{
    static CKvOptionFilesPort port;
    return port;
}

CKvOptionDialog KvOptionDialogOf(KvOptionKind kind, bool save)
{
    CKvOptionDialog d;
    d.save = save;
    d.folder = KvFileDialogFolder(sSettingsPath);
    const KindText text = TextOf(kind);
    if (IsAlerts(kind)) {
        d.title = KvFillText(Kv32ShellString(save ? IDS_SAVE_ALERTS_TITLE : IDS_RESTORE_ALERTS_TITLE),
            { Kv32ShellString(text.kindTitle) });
        d.filter = Kv32ShellString(save ? IDS_ALERTS_FILTER_SAVE : IDS_ALERTS_FILTER_RESTORE);
        d.defaultName = save ? text.saveName : "*.kva";
        d.defaultExt = "kva";
    } else if (kind == KvOptionKind::AlertLogs) {
        d.title = Kv32ShellString(save ? IDS_SAVE_LOGS_TITLE : IDS_RESTORE_LOGS_TITLE);
        d.filter = Kv32ShellString(save ? IDS_LOGS_FILTER_SAVE : IDS_LOGS_FILTER_RESTORE);
        d.defaultName = save ? "logs" : "*.kvl";
        d.defaultExt = "kvl";
    } else {
        d.title = Kv32ShellString(save ? IDS_SAVE_DEFAULTS_TITLE : IDS_RESTORE_DEFAULTS_TITLE);
        d.filter = Kv32ShellString(save ? IDS_DEFAULTS_FILTER_SAVE : IDS_DEFAULTS_FILTER_RESTORE);
        d.defaultName = save ? "" : "*.kvd";
        d.defaultExt = "kvd";
    }
    return d;
}

void KvRunOptionFileCommand(KvOptionKind kind, bool save)
{
    const CKvOptionFilesPort& port = KvOptionFilesPort();
    if (!port.fileDialog)
        return;
    std::string path;
    switch (port.fileDialog(KvOptionDialogOf(kind, save), path)) {
    case KvDialogResult::Ok:
        if (const auto& run = save ? port.save : port.restore)
            run(kind, path);
        return;
    case KvDialogResult::Cancel:
        return;
    case KvDialogResult::Failed:
        break;
    }
    unsigned failed = 0;
    if (IsAlerts(kind))
        failed = save ? IDS_ALERTS_SAVE_FAILED : IDS_ALERTS_RESTORE_FAILED;
    else if (kind == KvOptionKind::AlertLogs)
        failed = save ? IDS_LOGS_SAVE_FAILED : IDS_LOGS_RESTORE_FAILED;
    else
        failed = save ? IDS_DEFAULTS_SAVE_FAILED : IDS_DEFAULTS_RESTORE_FAILED;
    KvMessageBox(Kv32ShellString(failed), fw::MB_ICONEXCLAMATION);
}
