// The session's workspace files: the arrangement of the table windows. A workspace is read
// whole before any of it is applied, and written through a temporary file.
#include "fw/core/msgbox.h"
#include "kvcore/app/message_box.h"
#include "kvcore/app/session_core.h"
#include "kvcore/session/session_files.h"

std::string CSessionCore::DefaultWorkspaceFile() const
{
    return KvDefaultWorkspaceFile(sSettingsPath, m_sUser);
}

std::string CSessionCore::WorkspaceSlotFile(int slot) const
{
    return KvWorkspaceSlotFile(sSettingsPath, m_sUser, slot);
}

bool CSessionCore::IsCurrentWorkspaceSlot(int slot) const
{
    return m_settings.workspaceFile == WorkspaceSlotFile(slot);
}

void CSessionCore::SerializeWorkspace(fw::Archive& ar)
{
    if (ar.isStoring()) {
        WriteWorkspaceLayouts(ar, m_settings.layouts);
        return;
    }
    std::vector<KvLayoutEntry> staged = m_settings.layouts;
    ReadWorkspaceLayouts(ar, staged);
    m_settings.layouts = std::move(staged);
}

int CSessionCore::SaveWorkspace(const char* path)
{
    const std::string file = path != nullptr && *path != '\0' ? std::string(path) : DefaultWorkspaceFile();
    bool saved = false;
    try {
        fw::Archive ar;
        if (!PreSerializeWorkspace(ar))
            return 0;
        SerializeWorkspace(ar);
        saved = ar.saveFile(file);
    } catch (const fw::ArchiveError&) {
        saved = false;
    }
    if (!saved) {
        KvMessageBoxId(IDS_WORKSPACE_SAVE_FAILED, fw::MB_ICONSTOP);
        return 0;
    }
    m_settings.workspaceFile = file;
    return 1;
}

int CSessionCore::RestoreWorkspace(const char* path)
{
    const std::string file = path != nullptr && *path != '\0' ? std::string(path) : DefaultWorkspaceFile();
    auto ar = fw::Archive::loadFile(file);
    if (!ar) {
        // No workspace used yet (a first logon): nothing to say.
        if (!m_settings.workspaceFile.empty())
            KvMessageBoxId(IDS_WORKSPACE_RESTORE_FAILED, fw::MB_ICONSTOP);
        return 0;
    }
    try {
        if (!PreSerializeWorkspace(*ar))
            return 0;
        SerializeWorkspace(*ar);
    } catch (const fw::ArchiveError&) {
        KvMessageBoxId(IDS_WORKSPACE_RESTORE_FAILED, fw::MB_ICONSTOP);
        return 0;
    }
    m_settings.workspaceFile = file;
    return 1;
}
