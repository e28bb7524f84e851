// The session's workspace files: the arrangement of the table windows. A workspace is
// written whole to a temporary file and renamed over the old one. Reading applies each part
// as it comes (windows open from their records); damaged bytes stop it with a message.
#include "fw/core/msgbox.h"
#include "kvcore/app/main_frame_logic.h"
#include "kvcore/app/message_box.h"
#include "kvcore/app/session_core.h"
#include "kvcore/router/vorl_target.h"
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
    CMainFrameCoreLogic* frame = CMainFrameCoreLogic::Current();
    // The windows of the workspace replace those open now.
    if (!ar.isStoring() && frame != nullptr)
        frame->MDIDestroyAll();
    for (CVorlPermTarget* target : CVorlPermTarget::apPermTargets)
        target->SerializeColors(ar);
    if (ar.isStoring()) {
        if (frame != nullptr)
            frame->StoreAllDocumentsInfo();
        WriteWorkspaceLayouts(ar, m_settings.layouts);
    } else {
        // The entries change only once all of them have been read.
        std::vector<KvLayoutEntry> staged = m_settings.layouts;
        ReadWorkspaceLayouts(ar, staged);
        m_settings.layouts = std::move(staged);
    }
    if (frame != nullptr) {
        frame->SerializeAllDocuments(ar);
        frame->SerializeWorkspace(ar);
    } else {
        CMainFrameCoreLogic::SerializeNoDocuments(ar);
    }
}

void CSessionCore::PostSerializeWorkspace()
{
    if (CMainFrameCoreLogic* frame = CMainFrameCoreLogic::Current()) {
        frame->MDIClientShow();
        frame->UpdateActiveFrameTitle();
    }
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
    } catch (const fw::ArchiveError&) {
        KvMessageBoxId(IDS_WORKSPACE_RESTORE_FAILED, fw::MB_ICONSTOP);
        return 0;
    }
    CMainFrameCoreLogic* frame = CMainFrameCoreLogic::Current();
    if (frame != nullptr)
        frame->MDIClientHide();
    int restored = 1;
    try {
        SerializeWorkspace(*ar);
    } catch (const fw::ArchiveError&) {
        restored = 0;
    }
    // The windows show again whether or not the whole workspace could be read.
    PostSerializeWorkspace();
    if (!restored) {
        KvMessageBoxId(IDS_WORKSPACE_RESTORE_FAILED, fw::MB_ICONSTOP);
        return 0;
    }
    m_settings.workspaceFile = file;
    return 1;
}
