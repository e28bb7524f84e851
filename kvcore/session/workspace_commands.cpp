#include "kvcore/session/workspace_commands.h"

#include <cstdio>
#include <filesystem>

#include "fw/core/msgbox.h"
#include "fw/core/strings.h"
#include "kvcore/app/message_box.h"
#include "kvcore/app/session_core.h"

std::string KvFileDialogFolder(const std::string& settingsPath)
{
    if (settingsPath.size() > 1 && settingsPath.back() == '/')
        return settingsPath.substr(0, settingsPath.size() - 1);
    return settingsPath;
}

int KvWorkspaceSlotCommand(CSessionCore& session, int slot)
{
    const std::string file = session.WorkspaceSlotFile(slot);
    std::error_code ec;
    if (std::filesystem::exists(file, ec)) {
        session.SaveWorkspace(session.m_settings.workspaceFile.c_str());
        return session.RestoreWorkspace(file.c_str());
    }
    const std::string pattern = fw::loadString(IDS_WORKSPACE_SAVE_AS_SLOT);
    char question[128];
    std::snprintf(question, sizeof question, pattern.c_str(), slot);
    if (KvMessageBox(question, fw::MB_YESNO | fw::MB_ICONQUESTION) != fw::IDYES)
        return 0;
    return session.SaveWorkspace(file.c_str());
}
