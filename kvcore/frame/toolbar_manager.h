// The main window's toolbar manager: the application's button groups become
// command bars cut to the user's rights, shown by interface, and their layout
// travels in the workspace.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "kvcore/app/toolbar_model.h"
#include "kvcore/dialogs/toolbar_pages_logic.h"
#include "kvcore/kvcore_api.h"

class QObject;

namespace fw {
class Archive;
class CommandBars;
class MainFrame;
} // namespace fw

class KVCORE_API CKvToolBarManager {
public:
    explicit CKvToolBarManager(fw::MainFrame& frame);
    ~CKvToolBarManager();
    CKvToolBarManager(const CKvToolBarManager&) = delete;
    CKvToolBarManager& operator=(const CKvToolBarManager&) = delete;

    void AddDefaultButtonGroup(
        const uint32_t* buttons, unsigned count, const std::string& name, bool showLoggedOff, bool showLoggedOn);
    void PermissionToolBars() { m_model.PermissionToolBars(); }
    // Every bar back to its buttons cut by the rights of the moment, shown or hidden
    // by the interface's flags.
    void SetLogOffDockState();
    void SetLogOnDockState();
    // The three display settings, then the layout record. Loading puts the bars
    // back to their defaults first and drops what the user may not use.
    bool Serialize(fw::Archive& ar);

    // The bars as the "Customize" sheet edits them: how they are now, what each gives back on
    // "Reset" and the commands the user may put on them (the groups cut to the rights).
    KvToolBarCustomize Customize();
    // The sheet's edit in force: buttons (cut to the rights again), shown bars, display settings.
    void ApplyCustomize(const KvToolBarCustomize& edit);
    // The display settings on the bars: tool tips, help in the status bar, large buttons.
    void ApplyDisplay();

    const CKvToolBarModel& Model() const { return m_model; }
    fw::CommandBars& Bars() { return *m_pBars; }

private:
    void SetDockState(bool loggedOn);

    fw::MainFrame& m_frame;
    CKvToolBarModel m_model;
    std::unique_ptr<fw::CommandBars> m_pBars;
    bool m_bLoggedOn = false;
    std::unique_ptr<QObject> m_pTipFilter;
};
