// The main window's toolbar manager: the application's button groups become
// command bars cut to the user's rights, shown by interface, and their layout
// travels in the workspace.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "kvcore/app/toolbar_model.h"
#include "kvcore/kvcore_api.h"

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

    const CKvToolBarModel& Model() const { return m_model; }
    fw::CommandBars& Bars() { return *m_pBars; }

private:
    void SetDockState(bool loggedOn);

    fw::MainFrame& m_frame;
    CKvToolBarModel m_model;
    std::unique_ptr<fw::CommandBars> m_pBars;
    bool m_bLoggedOn = false;
};
