// The workstation's main window: the session's life (logon, polling, logoff)
// from CMainFrameCoreLogic on the framework's MDI frame, with the status bar
// panes, the toolbars by interface, the menus cut to the user's rights, and the
// one-second and five-minute timers.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "fw/ui/mainframe.h"
#include "kvcore/app/main_frame_logic.h"
#include "kvcore/frame/status_bar.h"
#include "kvcore/kvcore_api.h"

class CKvToolBarManager;
class CTChildFrame;

namespace fw {
class Archive;
class ChildFrame;
class PropertySheet;
} // namespace fw

class KVCORE_API CMainFrameCore : public fw::MainFrame, public CMainFrameCoreLogic {
    Q_OBJECT
public:
    explicit CMainFrameCore(QWidget* parent = nullptr);
    ~CMainFrameCore() override;

    // Builds panes, bars and accelerators, shows the logged-off interface and starts the
    // timers; the application calls it once the frame object is complete. 0 on success.
    virtual int OnCreate();
    // The "Customize" sheet; an override adds its pages and calls the base, which puts its
    // own pages first and runs the sheet.
    virtual void DoCustomize(fw::PropertySheet& sheet);
    void OnCustomize();

    // The workspace's frame record: the toolbars, then the main window's placement.
    void SerializeWorkspace(fw::Archive& ar) override;
    void StoreAllDocumentsInfo() override;
    void SerializeAllDocuments(fw::Archive& ar) override;
    void MDIClientHide() override;
    void MDIClientShow() override;
    void UpdateActiveFrameTitle() override;
    // Hides the MDI area, closes every document, removes the document templates, shows it again.
    void MDIDestroyAll() override;
    // The table windows, the active (top) one first; windows of other kinds are left out.
    void FillChildZList(std::vector<CTChildFrame*>& list) const;

    CKvStatusBar& GetStatusBar() { return m_statusBar; }
    CKvToolBarManager& GetToolBarManager() { return *m_pToolBarManager; }
    void AddDefaultButtonGroup(
        const uint32_t* buttons, unsigned count, const std::string& name, bool showLoggedOff, bool showLoggedOn);

    void onTimer(uint32_t timerId) override { OnTimer(timerId); }
    void SetPaneInfo() override;

protected:
    bool IsFrameIconic() const override;
    bool IsFrameEnabled() const override;
    bool IsMenuOpen() const override { return isMenuOpen(); }
    bool InModalState() const override;
    void SetPaneText(int pane, const std::string& text) override { setPaneText(pane, text); }
    bool RunLogonDialog(int& resetLogPrinting) override;
    void PostFrameCommand(unsigned id) override;
    void SendFrameCommand(unsigned id) override;
    void ApplyInterface(unsigned nIDR, bool loggedOn) override;
    void UpdateAllDocuments() override;
    KvFileChoice ChooseFile(const KvFileRequest& request, std::string& path) override;
    void RunPasswordDialog() override;
    bool HasActiveChild() const override;
    void SysCommandToActiveChild(fw::SysCommand command) override;
    void InstallAccelerators(std::span<const fw::AccelRecord> table) override;
    void RemoveMenuCommand(unsigned id) override;

    // With the maximise flag (command line M) the window stays maximised: moving, sizing,
    // minimising and restoring are refused.
    bool onSysCommand(fw::SysCommand command) override;
    // A session is always logged off before the window goes.
    bool onClose() override;
    bool onQueryEndSession() override { return OnQueryEndSession(); }
    // The user's locale changed: the locale record, the panes and every document follow.
    void changeEvent(QEvent* event) override;

private:
    void MapFrameCommands();

    std::unique_ptr<CKvToolBarManager> m_pToolBarManager;
    CKvStatusBar m_statusBar;
    bool m_bCreated = false;
};
