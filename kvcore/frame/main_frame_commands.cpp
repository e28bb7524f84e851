// The main window's commands beside the session: workspaces, options, the window commands,
// the "Customize" sheet, and the frame's part of the workspace file.
#include <QMdiArea>

#include "fw/core/archive.h"
#include "fw/core/archive_throw.h"
#include "fw/core/strings.h"
#include "fw/ui/childframe.h"
#include "fw/ui/commondlg.h"
#include "fw/ui/placement.h"
#include "fw/ui/propertysheet.h"
#include "fw/ui/view.h"
#include "kvcore/app/menu_access.h"
#include "kvcore/app/session_core.h"
#include "fw/core/resources.h"
#include "kvcore/dialogs/customize_cmd_list.h"
#include "kvcore/dialogs/grid_props_page.h"
#include "kvcore/dialogs/shortcut_keys_page.h"
#include "kvcore/dialogs/toolbar_pages.h"
#include "kvcore/dialogs/password_dlg.h"
#include "kvcore/frame/app_core.h"
#include "kvcore/frame/main_frame_core.h"
#include "kvcore/frame/menu_shortcuts.h"
#include "kvcore/frame/table_template.h"
#include "kvcore/frame/toolbar_manager.h"
#include "kvcore/gridview/child_frame.h"

void CMainFrameCore::MapFrameCommands()
{
    auto& map = commands();
    const auto update = [this](void (CMainFrameCoreLogic::*handler)(fw::CmdUI&)) {
        return [this, handler](fw::CmdUI& ui) { (this->*handler)(ui); };
    };
    map.onCommand(ID_KV_WORKSPACE_AUTOSAVE, [this] { OnWorkspaceAutoSave(); });
    map.onUpdate(ID_KV_WORKSPACE_AUTOSAVE, update(&CMainFrameCoreLogic::OnUpdateWorkspaceAutoSave));
    map.onCommand(ID_KV_WORKSPACE_SAVE, [this] { OnWorkspaceSave(); });
    map.onUpdate(ID_KV_WORKSPACE_SAVE, update(&CMainFrameCoreLogic::OnUpdateInSession));
    map.onCommand(ID_KV_WORKSPACE_RESTORE, [this] { OnWorkspaceRestore(); });
    map.onUpdate(ID_KV_WORKSPACE_RESTORE, update(&CMainFrameCoreLogic::OnUpdateInSession));
    map.onCommandRange(ID_KV_WORKSPACE_1, ID_KV_WORKSPACE_5, [this](uint32_t id) { OnWorkspaceN(id); });
    map.onUpdateRange(ID_KV_WORKSPACE_1, ID_KV_WORKSPACE_5, update(&CMainFrameCoreLogic::OnUpdateWorkspaceN));

    map.onCommand(ID_KV_OPTIONS_PASSWORD, [this] { OnOptionsPassword(); });
    map.onUpdate(ID_KV_OPTIONS_PASSWORD, update(&CMainFrameCoreLogic::OnUpdateInSession));
    map.onCommand(ID_KV_OPTIONS_CALCULATOR, [this] { OnOptionsCalculator(); });
    map.onUpdate(ID_KV_OPTIONS_CALCULATOR, update(&CMainFrameCoreLogic::OnUpdateOptionsCalculator));
    map.onCommand(ID_KV_OPTIONS_MOUSE, [this] { OnOptionsMouse(); });
    map.onUpdate(ID_KV_OPTIONS_MOUSE, update(&CMainFrameCoreLogic::OnUpdateOptionsMouse));
    map.onCommand(ID_KV_OPTIONS_UI, [this] { OnOptionsUi(); });
    map.onUpdate(ID_KV_OPTIONS_UI, update(&CMainFrameCoreLogic::OnUpdateOptionsUi));
    map.onCommand(ID_KV_OPTIONS_SAVER_START, [this] { OnOptionsSaverStart(); });
    map.onCommand(ID_KV_OPTIONS_SAVER_SETUP, [this] { OnOptionsSaverSetup(); });
    for (unsigned id : { ID_KV_OPTIONS_SAVER_START, ID_KV_OPTIONS_SAVER_SETUP })
        map.onUpdate(id, update(&CMainFrameCoreLogic::OnUpdateOptionsSaver));

    const std::pair<unsigned, fw::SysCommand> windowCommands[] = {
        { ID_KV_WINDOW_RESTORE, fw::SysCommand::Restore },
        { ID_KV_WINDOW_MOVE, fw::SysCommand::Move },
        { ID_KV_WINDOW_SIZE, fw::SysCommand::Size },
        { ID_KV_WINDOW_MINIMIZE, fw::SysCommand::Minimize },
        { ID_KV_WINDOW_MAXIMIZE, fw::SysCommand::Maximize },
    };
    for (const auto& entry : windowCommands) {
        const fw::SysCommand command = entry.second;
        map.onCommand(entry.first, [this, command] { DoSysMenu(command); });
        map.onUpdate(entry.first, update(&CMainFrameCoreLogic::OnUpdateWindowOptions));
    }
    map.onCommand(ID_KV_WINDOW_CLOSE_ALL, [this] { OnWindowCloseAll(); });
    map.onUpdate(ID_KV_WINDOW_CLOSE_ALL, update(&CMainFrameCoreLogic::OnUpdateWindowOptions));
    map.onCommand(ID_KV_CUSTOMIZE, [this] { OnCustomize(); });
    for (unsigned id : { ID_KV_LINK_TO, ID_KV_WINDOWS_DIALOG })
        map.onUpdate(id, update(&CMainFrameCoreLogic::OnUpdateRemoveMenuItem));
}

KvFileChoice CMainFrameCore::ChooseFile(const KvFileRequest& request, std::string& path)
{
    fw::FileDialogRequest dialog;
    dialog.open = request.open;
    dialog.title = request.title;
    dialog.filter = request.filter;
    dialog.defaultExt = request.defaultExt;
    // The dialog starts in the folder unless the name carries a folder of its own.
    dialog.defaultName = request.defaultName;
    if (!request.folder.empty() && (request.defaultName.empty() || request.defaultName.front() != '/'))
        dialog.defaultName = request.folder + (request.folder.back() == '/' ? "" : "/") + request.defaultName;
    const std::optional<std::string> chosen = fw::getFileName(dialog, this);
    if (!chosen)
        return KvFileChoice::Cancel;
    path = *chosen;
    return KvFileChoice::Ok;
}

void CMainFrameCore::RunPasswordDialog()
{
    CPasswordDlg dlg(0, nullptr);
    dlg.doModal();
}

bool CMainFrameCore::HasActiveChild() const
{
    return activeChild() != nullptr;
}

void CMainFrameCore::SysCommandToActiveChild(fw::SysCommand command)
{
    if (fw::ChildFrame* child = activeChild())
        child->sysCommand(command);
}

void CMainFrameCore::InstallAccelerators(std::span<const fw::AccelRecord> table)
{
    setAccelerators(table);
    // The menu names the keys in force.
    if (menuModel().itemCount() > 0) {
        fw::Menu menu = menuModel();
        KvWriteShortcutTexts(menu, table);
        setMenuModel(std::move(menu));
    }
}

void CMainFrameCore::RemoveMenuCommand(unsigned id)
{
    // The menu bar shows copies of its popups: the model loses the item for good, the popup
    // being shown loses it through the update request.
    menuModel().removeCommand(id);
    RemoveEmptyPopups(&menuModel());
}

void CMainFrameCore::OnCustomize()
{
    fw::PropertySheet sheet(fw::loadString(IDS_CUSTOMIZE), this);
    DoCustomize(sheet);
}

void CMainFrameCore::DoCustomize(fw::PropertySheet& sheet)
{
    // The frame's own pages come before those of the caller, in this order: the toolbars, the
    // commands the user may put on them, the shortcut keys, then the grid look of every table
    // window.
    const CCustomizeCmdList commandList(menuModel());
    KvToolBarCustomize bars = m_pToolBarManager->Customize();
    const KvToolBarApply applyBars = [this](const KvToolBarCustomize& edit) { m_pToolBarManager->ApplyCustomize(edit); };
    CToolBarsPage toolBars(bars, applyBars);
    CToolBarCmdPage toolBarCommands(bars, commandList.Entries(), applyBars);
    KvShortcutTable shortcuts { GetShortcutTable() };
    std::vector<fw::AccelRecord> defaults;
    if (const fw::AccelTable* table = fw::findAccel(GetCurrentIDR()))
        defaults.assign(table->entries.begin(), table->entries.end());
    CShortcutKeysPage keys(commandList.Entries(), shortcuts, std::move(defaults),
        [this](const KvShortcutTable& edited) { SetShortcutTable(edited.m_entries); });
    CTGXCustomizePage grid;
    std::vector<fw::PropertyPage*> own { &toolBars, &toolBarCommands, &keys, &grid };
    for (std::size_t i = 0; i < own.size(); ++i)
        sheet.insertPage(static_cast<int>(i), *own[i]);
    // The pages apply their own changes; the sheet's answer is not needed.
    if (sheet.pageCount() > 0)
        sheet.doModal();
}

void CMainFrameCore::SerializeWorkspace(fw::Archive& ar)
{
    if (!m_pToolBarManager->Serialize(ar))
        fw::throwArchiveError(fw::ArchiveError::Cause::BadSchema, "workspace: toolbar layout");
    if (ar.isStoring()) {
        fw::writePlacement(ar, fw::placementOf(*this));
        return;
    }
    const fw::WindowPlacement placement = fw::readPlacement(ar);
    fw::applyPlacement(*this, placement);
}

void CMainFrameCore::StoreAllDocumentsInfo()
{
    if (CKvAppCore* app = CKvAppCore::Instance())
        app->StoreAllDocumentsInfo();
}

void CMainFrameCore::SerializeAllDocuments(fw::Archive& ar)
{
    if (CKvAppCore* app = CKvAppCore::Instance())
        app->SerializeAllDocuments(ar);
    else
        CMainFrameCoreLogic::SerializeAllDocuments(ar);
}

void CMainFrameCore::MDIClientHide()
{
    mdiArea()->hide();
}

void CMainFrameCore::MDIClientShow()
{
    mdiArea()->show();
}

void CMainFrameCore::UpdateActiveFrameTitle()
{
    if (fw::ChildFrame* child = activeChild())
        child->syncTitle();
}

void CMainFrameCore::MDIDestroyAll()
{
    MDIClientHide();
    if (CKvAppCore* app = CKvAppCore::Instance()) {
        app->CloseAllDocuments();
        app->DeleteAllDocTemplates();
    }
    MDIClientShow();
}

void CMainFrameCore::FillChildZList(std::vector<CTChildFrame*>& list) const
{
    list.clear();
    for (fw::ChildFrame* frame : childFrames(true)) {
        if (auto* table = qobject_cast<CTChildFrame*>(frame))
            list.push_back(table);
    }
}
