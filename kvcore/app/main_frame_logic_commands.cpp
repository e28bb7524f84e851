// The main frame's commands beside logon and logoff: workspaces, the user's options, the
// window commands on the active list window, the file dialog and the shortcut table in force.
#include <cstdio>

#include "fw/core/archive.h"
#include "fw/core/archive_throw.h"
#include "fw/core/command.h"
#include "fw/core/msgbox.h"
#include "fw/core/strings.h"
#include "kvcore/app/app_core_logic.h"
#include "kvcore/app/main_frame_logic.h"
#include "kvcore/app/message_box.h"
#include "kvcore/app/session_core.h"
#include "kvcore/session/option_programs.h"
#include "kvcore/session/workspace_commands.h"

CMainFrameCoreLogic* CMainFrameCoreLogic::Current()
{
    const CKvAppCoreLogic* app = CKvAppCoreLogic::CurrentLogic();
    return app != nullptr ? app->MainFrameLogic() : nullptr;
}

void CMainFrameCoreLogic::OnUpdateInSession(fw::CmdUI& ui)
{
    ui.enable(ps != nullptr);
}

void CMainFrameCoreLogic::OnWorkspaceAutoSave()
{
    if (ps != nullptr)
        ps->m_settings.options.autosave = ps->m_settings.options.autosave ? 0 : 1;
}

void CMainFrameCoreLogic::OnUpdateWorkspaceAutoSave(fw::CmdUI& ui)
{
    ui.enable(ps != nullptr);
    ui.setCheck(ps != nullptr && ps->m_settings.options.autosave ? 1 : 0);
}

void CMainFrameCoreLogic::OnWorkspaceSave()
{
    if (ps == nullptr)
        return;
    const std::string path = GetFilename(
        false, ps->m_settings.workspaceFile, fw::loadString(IDS_WORKSPACE_SAVE_TITLE), IDS_WORKSPACE_FILTER, "wks");
    if (!path.empty())
        ps->SaveWorkspace(path.c_str());
}

void CMainFrameCoreLogic::OnWorkspaceRestore()
{
    if (ps == nullptr)
        return;
    const std::string path
        = GetFilename(true, "*.wks", fw::loadString(IDS_WORKSPACE_RESTORE_TITLE), IDS_WORKSPACE_FILTER, "wks");
    if (!path.empty())
        ps->RestoreWorkspace(path.c_str());
}

void CMainFrameCoreLogic::OnWorkspaceN(unsigned id)
{
    if (ps == nullptr || id < ID_KV_WORKSPACE_1 || id > ID_KV_WORKSPACE_5)
        return;
    KvWorkspaceSlotCommand(*ps, static_cast<int>(id - ID_KV_WORKSPACE_RESTORE));
    RecalcLayout();
}

void CMainFrameCoreLogic::OnUpdateWorkspaceN(fw::CmdUI& ui)
{
    if (ps == nullptr || ui.id() < ID_KV_WORKSPACE_1 || ui.id() > ID_KV_WORKSPACE_5) {
        ui.enable(false);
        return;
    }
    ui.enable(true);
    ui.setCheck(ps->IsCurrentWorkspaceSlot(static_cast<int>(ui.id() - ID_KV_WORKSPACE_RESTORE)) ? 1 : 0);
}

void CMainFrameCoreLogic::OnOptionsPassword()
{
    // The change is a transaction of the logged-on user.
    if (ps != nullptr)
        RunPasswordDialog();
}

void CMainFrameCoreLogic::OnOptionsCalculator()
{
    const std::string program = KvOptionProgramCommand(KvOptionProgram::Calculator);
    if (program.empty())
        return;
    if (!StartProgram(program, {}))
        KvMessageBoxId(IDS_CALCULATOR_NOT_STARTED, fw::MB_ICONSTOP);
}

void CMainFrameCoreLogic::OnUpdateOptionsCalculator(fw::CmdUI& ui)
{
    ui.enable(!KvOptionProgramCommand(KvOptionProgram::Calculator).empty());
}

void CMainFrameCoreLogic::OnOptionsMouse()
{
    if (ps != nullptr)
        ps->m_bMouse = ps->m_bMouse ? 0 : 1;
}

void CMainFrameCoreLogic::OnUpdateOptionsMouse(fw::CmdUI& ui)
{
    ui.enable(ps != nullptr);
    ui.setCheck(ps != nullptr && ps->m_bMouse ? 1 : 0);
}

void CMainFrameCoreLogic::OnOptionsUi()
{
    if (ps != nullptr)
        ps->m_bWindowsManipulation = ps->m_bWindowsManipulation ? 0 : 1;
}

void CMainFrameCoreLogic::OnUpdateOptionsUi(fw::CmdUI& ui)
{
    ui.enable(ps != nullptr);
    ui.setCheck(ps != nullptr && ps->m_bWindowsManipulation ? 1 : 0);
}

void CMainFrameCoreLogic::RunScreenSaver(bool start)
{
    // A second start while the first saver runs does nothing.
    if (ps == nullptr || m_bSaverRunning)
        return;
    const std::string program = KvOptionProgramCommand(KvOptionProgram::ScreenSaver);
    if (program.empty())
        return;
    if (!StartProgram(program, start ? "-S" : "-C")) {
        KvMessageBoxId(IDS_SAVER_NOT_INSTALLED, fw::MB_ICONSTOP);
        return;
    }
    // Polling rests until the next key or mouse input.
    if (start)
        m_bSaverRunning = true;
}

void CMainFrameCoreLogic::OnUpdateOptionsSaver(fw::CmdUI& ui)
{
    ui.enable(ps != nullptr && !m_bSaverRunning && !KvOptionProgramCommand(KvOptionProgram::ScreenSaver).empty());
}

bool CMainFrameCoreLogic::StartProgram(const std::string& commandLine, const std::string& argument)
{
    return KvStartProgram(commandLine, argument);
}

void CMainFrameCoreLogic::DoSysMenu(fw::SysCommand command)
{
    if (HasActiveChild())
        SysCommandToActiveChild(command);
}

void CMainFrameCoreLogic::OnUpdateWindowOptions(fw::CmdUI& ui)
{
    ui.enable(HasActiveChild());
}

void CMainFrameCoreLogic::OnUpdateRemoveMenuItem(fw::CmdUI& ui)
{
    if (!ui.isMenu())
        return;
    ui.remove();
    RemoveMenuCommand(ui.id());
}

std::string CMainFrameCoreLogic::GetFilename(bool bOpen, const std::string& strDefaultName,
    const std::string& strTitle, unsigned nFilterId, const std::string& strDefaultExt)
{
    KvFileRequest request;
    request.open = bOpen;
    request.folder = KvFileDialogFolder(sSettingsPath);
    request.defaultName = strDefaultName;
    request.title = strTitle;
    request.filter = fw::loadString(nFilterId);
    request.defaultExt = strDefaultExt;
    std::string path;
    switch (ChooseFile(request, path)) {
    case KvFileChoice::Ok:
        return path;
    case KvFileChoice::Failed:
        KvMessageBoxId(IDS_CHOOSE_FILE_FAILED, fw::MB_ICONEXCLAMATION);
        return {};
    case KvFileChoice::Cancel:
        break;
    }
    return {};
}

void CMainFrameCoreLogic::SetShortcutTable(std::vector<fw::AccelRecord> table)
{
    m_aShortcuts = std::move(table);
    InstallAccelerators(m_aShortcuts);
}

void CMainFrameCoreLogic::SerializeNoDocuments(fw::Archive& ar)
{
    if (ar.isStoring()) {
        ar.writeWord(0);
        return;
    }
    // Without windows the documents a workspace lists cannot be read past.
    if (const std::uint16_t count = ar.readWord(); count != 0)
        fw::throwArchiveError(fw::ArchiveError::Cause::BadIndex, "workspace: windows without a main window");
}
