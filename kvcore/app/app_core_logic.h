// The application core's decisions that need no window: the command line, the
// settings of section "general", the access check that every menu, bar and
// shortcut asks, and the input watch of the high-speed poll. The windowed
// application (CKvAppCore) derives from it; tests drive it directly.
#pragma once

#include "kvcore/app/app_core_base.h"
#include "kvcore/app/command_line.h"
#include "kvcore/kvcore_api.h"

class CMainFrameCoreLogic;

// What reached the application's input watch.
enum class KvInputKind {
    Key, // key down or up
    Mouse, // move, left or right button down or up
    MouseOther, // double clicks and the frame-border mouse messages
    Other,
};

class KVCORE_API CKvAppCoreLogic : public CKvAppCoreBase {
public:
    CKvAppCoreLogic();
    ~CKvAppCoreLogic() override;

    // The newest application object of this kind, or null.
    static CKvAppCoreLogic* CurrentLogic();

    // Whether the user may use the command; the base allows everything.
    virtual int CanAccess(unsigned /*id*/, unsigned /*param*/) { return 1; }
    // Reads section "general" of the application profile.
    virtual void LoadStdProfileSettings();
    // The main frame's session logic, when there is a main frame.
    virtual CMainFrameCoreLogic* MainFrameLogic() const { return nullptr; }

    // True when the event is to be swallowed. Keys and mouse use end the
    // high-speed poll and the idle count; with the session's mouse option off,
    // mouse messages do not reach the windows.
    bool WatchInput(KvInputKind kind);

    unsigned GetLogoPeriod() const { return m_nLogoPeriod; }
    void SetLogoPeriod(unsigned ms) { m_nLogoPeriod = ms; }

    CKvCommandLineInfo m_cmdInfo;

protected:
    unsigned m_nLogoPeriod = 5000;
    // Running as the desktop's shell is a Windows notion; always 0 here.
    int m_bShell = 0;

private:
    CKvAppCoreLogic* m_pPreviousLogic = nullptr;
};

// The application's access check (1 when there is no application object).
KVCORE_API int CanAccess(unsigned id, unsigned param);
