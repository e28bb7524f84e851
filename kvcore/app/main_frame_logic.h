// The main window's session life without the window: logon and logoff in their
// order, the two timers that show the trading-system time and date and drive
// the poll, high-speed polling, and the guards that suspend it. The windowed
// main frame (CMainFrameCore) derives from it and supplies the platform hooks;
// tests drive it with a call log.
#pragma once

#include <memory>
#include <span>
#include <string>
#include <vector>

#include "fw/core/records.h"
#include "fw/ui/syscommand.h"
#include "kvcore/kvcore_api.h"

class CSessionCore;

namespace fw {
class Archive;
class CmdUI;
} // namespace fw

enum KvFrameCommandId : unsigned {
    ID_KV_OPTIONS_MOUSE = 35942,
    ID_KV_OPTIONS_CALCULATOR = 35943,
    ID_KV_OPTIONS_SAVER_START = 35944,
    ID_KV_OPTIONS_SAVER_SETUP = 35945,
    ID_KV_OPTIONS_PASSWORD = 35949,
    ID_KV_CUSTOMIZE = 35951,
    ID_KV_OPTIONS_UI = 35953,
    ID_KV_SESSION_END_NO_LOGOFF = 35955,
    ID_KV_TICKER_WINDOW = 35960,
    ID_KV_WINDOW_CLOSE_ALL = 35961,
    ID_KV_WINDOW_RESTORE = 35963,
    ID_KV_WINDOW_MOVE = 35964,
    ID_KV_WINDOW_SIZE = 35965,
    ID_KV_WINDOW_MINIMIZE = 35966,
    ID_KV_WINDOW_MAXIMIZE = 35967,
    ID_KV_REFRESH = 35968,
    ID_KV_WORKSPACE_AUTOSAVE = 35975,
    ID_KV_WORKSPACE_SAVE = 35976,
    ID_KV_WORKSPACE_RESTORE = 35977,
    ID_KV_WORKSPACE_1 = 35978,
    ID_KV_WORKSPACE_5 = 35982,
    ID_KV_LINK_TO = 35993,
    ID_KV_WINDOWS_DIALOG = 45071,
};

// Messages of the frame's commands.
enum KvFrameMessage : unsigned {
    IDS_CHOOSE_FILE_FAILED = 30029, // 30004 is the choosers' "Selected:"
    IDS_CALCULATOR_NOT_STARTED = 30005,
    IDS_COMMANDS_PAGE = 30015,
    IDS_CUSTOMIZE = 20624,
};

// What the file dialog of GetFilename asks; texts are Windows-1250.
struct KvFileRequest {
    bool open = true;
    std::string folder; // where the dialog starts
    std::string defaultName;
    std::string title;
    std::string filter; // "description|patterns|...||"
    std::string defaultExt;
};
enum class KvFileChoice { Ok, Cancel, Failed };

class KVCORE_API CMainFrameCoreLogic {
public:
    // Timer 1 ticks every second, timer 2 every five minutes; both count as poll ticks.
    static constexpr unsigned kClockTimer = 1;
    static constexpr unsigned kDateTimer = 2;
    static constexpr int kClockPeriodMs = 1000;
    static constexpr int kDatePeriodMs = 300000;
    // Status bar panes, in creation order.
    enum Pane { PaneMessage, PaneNumLock, PaneCapsLock, PaneScrollLock, PaneOrders, PaneDate, PaneTime, PaneCount };

    CMainFrameCoreLogic();
    virtual ~CMainFrameCoreLogic();
    CMainFrameCoreLogic(const CMainFrameCoreLogic&) = delete;
    CMainFrameCoreLogic& operator=(const CMainFrameCoreLogic&) = delete;

    // The operations an application's main frame fills in.
    // The logon checks; false refuses the session.
    virtual int DoCheck();
    virtual std::unique_ptr<CSessionCore> CreateSession();
    // After every poll.
    virtual void OnPollEvent() { }
    // At the start of every logon, before the checks.
    virtual void ResetTables() { }
    virtual unsigned GetLoggedOnIDR() const { return 0; }
    virtual unsigned GetLoggedOffIDR() const { return 0; }
    virtual unsigned GetLoggedOnLargeIDR() const { return 0; }
    virtual void SetButtonGroups() { }
    // Ends the session: settings saved, targets stored, the host told (when
    // bLogoff and the link holds), disconnected, windows closed, data freed.
    // Nothing happens without a session.
    virtual void EndSession(int bLogoff);

    void LockUpdates(bool lock) { m_bLocked = lock; }
    bool IsLocked() const { return m_bLocked; }
    void PreviewOpen(bool open) { m_bPreviewOpen = open; }
    bool IsPreviewOpen() const { return m_bPreviewOpen; }
    void SetScreenSaverRunning(bool running) { m_bSaverRunning = running; }
    bool IsScreenSaverRunning() const { return m_bSaverRunning; }
    void SetRefreshDate() { m_bRefreshDate = true; }
    unsigned GetCurrentIDR() const { return m_nCurrentIDR; }
    // Switches menus, accelerators, bars and title to the interface of nIDR.
    void SetInterface(unsigned nIDR);

    // Handlers.
    void OnTimer(unsigned timerId);
    // One poll: receive while requests await replies, else collect and send.
    void DoReceiveRequest();
    void OnTableRefresh(); // "Refresh"
    void OnSessionBegin(); // "Log on"
    void OnSessionEnd() { EndSession(1); } // "Log off"
    void OnSessionEndNoLogoff() { EndSession(0); }
    void OnForceLogoff(); // "Force Logoff"
    // The main window is about to close: a session is logged off first.
    void OnClose();
    // The desktop session ends; true lets it end.
    bool OnQueryEndSession();
    void OnSettingChange();
    void OnTimeChange();
    void SetOrderNumOnStatusBar(int n);

    // Widths of the order-count pane: 60 pixels while it is shown, else 0.
    static int OrderPaneWidth();
    static bool OrderPaneShown();

    // The main frame of the current application, or null.
    static CMainFrameCoreLogic* Current();

    // Workspaces: autosave switch, save and restore through the file dialog, slots 1-5.
    void OnWorkspaceAutoSave();
    void OnUpdateWorkspaceAutoSave(fw::CmdUI& ui);
    void OnWorkspaceSave();
    void OnWorkspaceRestore();
    void OnUpdateInSession(fw::CmdUI& ui);
    void OnWorkspaceN(unsigned id);
    void OnUpdateWorkspaceN(fw::CmdUI& ui);
    // Options.
    void OnOptionsPassword();
    void OnOptionsCalculator();
    void OnUpdateOptionsCalculator(fw::CmdUI& ui);
    void OnOptionsMouse();
    void OnUpdateOptionsMouse(fw::CmdUI& ui);
    void OnOptionsUi();
    void OnUpdateOptionsUi(fw::CmdUI& ui);
    void OnOptionsSaverStart() { RunScreenSaver(true); }
    void OnOptionsSaverSetup() { RunScreenSaver(false); }
    void OnUpdateOptionsSaver(fw::CmdUI& ui);
    // Window commands on the active list window; enabled only while one is active.
    void DoSysMenu(fw::SysCommand command);
    void OnUpdateWindowOptions(fw::CmdUI& ui);
    void OnWindowCloseAll() { MDIDestroyAll(); }
    // A command that this program does not offer leaves the menu the first time it is shown.
    void OnUpdateRemoveMenuItem(fw::CmdUI& ui);

    // The file dialog in the settings folder; the chosen path, or empty when cancelled (a
    // failed dialog also says so).
    std::string GetFilename(bool bOpen, const std::string& strDefaultName, const std::string& strTitle,
        unsigned nFilterId, const std::string& strDefaultExt);

    // The shortcut table in force: the interface's own, or the user's once the settings put
    // theirs in force. The settings file stores this table.
    const std::vector<fw::AccelRecord>& GetShortcutTable() const { return m_aShortcuts; }
    void SetShortcutTable(std::vector<fw::AccelRecord> table);

    // What the session's workspace record asks of the windows. The frame's own record
    // (toolbars, then the main window's placement); throws fw::ArchiveError on damaged bytes.
    virtual void SerializeWorkspace(fw::Archive& /*ar*/) { }
    // Every open document keeps its window's layout in the session's entry.
    virtual void StoreAllDocumentsInfo() { }
    // The open table windows, front-most first; loading opens them. Without windows the
    // count is 0.
    virtual void SerializeAllDocuments(fw::Archive& ar) { SerializeNoDocuments(ar); }
    // A workspace without windows: the count 0; reading refuses a workspace that lists any.
    static void SerializeNoDocuments(fw::Archive& ar);
    virtual void MDIClientHide() { }
    virtual void MDIClientShow() { }
    // The active list window's frame shows its document's title again.
    virtual void UpdateActiveFrameTitle() { }
    // Closes every document and removes the document templates.
    virtual void MDIDestroyAll() { }
    // Queues a command to the frame, as the window system posts it.
    void PostCommand(unsigned id) { PostFrameCommand(id); }

protected:
    // Platform hooks of the window.
    virtual bool IsFrameIconic() const { return false; }
    // False while a modal dialog or box runs.
    virtual bool IsFrameEnabled() const { return true; }
    virtual bool IsMenuOpen() const { return false; }
    virtual bool InModalState() const { return false; }
    virtual void SetPaneText(int /*pane*/, const std::string& /*text*/) { }
    virtual void SetPaneInfo() { }
    // The logon dialog: true when it connected; resetLogPrinting is its check box.
    virtual bool RunLogonDialog(int& /*resetLogPrinting*/) { return false; }
    virtual void PostFrameCommand(unsigned /*id*/) { }
    // Runs the command now, when its update handler enables it.
    virtual void SendFrameCommand(unsigned /*id*/) { }
    // Dock state, accelerators, menu, status bar and title of the interface.
    virtual void ApplyInterface(unsigned /*nIDR*/, bool /*loggedOn*/) { }
    virtual void ClosePrintPreview() { }
    virtual void UpdateAllDocuments() { }
    // The file dialog; path receives the choice on Ok.
    virtual KvFileChoice ChooseFile(const KvFileRequest& /*request*/, std::string& /*path*/)
    {
        return KvFileChoice::Cancel;
    }
    // The password dialog in its change mode.
    virtual void RunPasswordDialog() { }
    virtual bool HasActiveChild() const { return false; }
    virtual void SysCommandToActiveChild(fw::SysCommand /*command*/) { }
    // Puts the table in force as the window's keyboard shortcuts.
    virtual void InstallAccelerators(std::span<const fw::AccelRecord> /*table*/) { }
    // Removes the command's items from the frame's menu, and the popups left empty.
    virtual void RemoveMenuCommand(unsigned /*id*/) { }
    virtual void RecalcLayout() { }
    // Starts an option program (calculator, screen saver); false when it could not start.
    virtual bool StartProgram(const std::string& commandLine, const std::string& argument);

private:
    void ShowClock();
    // The failed logon's clean-up: the host told (unless the link is lost), disconnected,
    // every target's data freed.
    void AbandonLogon();

    void DropSession();
    void RunScreenSaver(bool start);

    std::unique_ptr<CSessionCore> m_pSession; // what ps points to
    bool m_bEnding = false; // EndSession runs
    bool m_bLocked = true;
    bool m_bPreviewOpen = false;
    bool m_bSaverRunning = false;
    bool m_bRefreshDate = true;
    unsigned m_nCurrentIDR = 0;
    std::string m_sShownDate; // the date the pane shows, as yyyymmdd
    std::vector<fw::AccelRecord> m_aShortcuts;
};
