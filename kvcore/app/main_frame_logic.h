// The main window's session life without the window: logon and logoff in their
// order, the two timers that show the trading-system time and date and drive
// the poll, high-speed polling, and the guards that suspend it. The windowed
// main frame (CMainFrameCore) derives from it and supplies the platform hooks;
// tests drive it with a call log.
#pragma once

#include <memory>
#include <string>

#include "kvcore/kvcore_api.h"

class CSessionCore;

enum KvFrameCommandId : unsigned {
    ID_KV_SESSION_END_NO_LOGOFF = 35955,
    ID_KV_REFRESH = 35968,
};

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
    // Closes every document and removes the document templates.
    virtual void MDIDestroyAll() { }
    virtual void UpdateAllDocuments() { }

private:
    void ShowClock();
    // The failed logon's clean-up: the host told (unless the link is lost), disconnected,
    // every target's data freed.
    void AbandonLogon();

    void DropSession();

    std::unique_ptr<CSessionCore> m_pSession; // what ps points to
    bool m_bEnding = false; // EndSession runs
    bool m_bLocked = true;
    bool m_bPreviewOpen = false;
    bool m_bSaverRunning = false;
    bool m_bRefreshDate = true;
    unsigned m_nCurrentIDR = 0;
    std::string m_sShownDate; // the date the pane shows, as yyyymmdd
};
