// The session of a logged-on user: created by the main frame at logon, reached
// through `ps`, deleted at logoff. This is the part the application core and
// the main frame rely on; the settings and workspace files build on it.
#pragma once

#include <string>

#include "kvcore/kvcore_api.h"

class KVCORE_API CSessionCore {
public:
    CSessionCore();
    virtual ~CSessionCore();
    CSessionCore(const CSessionCore&) = delete;
    CSessionCore& operator=(const CSessionCore&) = delete;

    // Logon-time steps, in the order the main frame calls them.
    virtual int RequestTETime() { return 0; } // asks the host for the trading-system time
    int GetUserPermissions() { return 1; }
    virtual int GetUserFirm() { return 0; }
    virtual int OnNewDocument() { return 1; }
    // Information request 29 with the user name: the host starts sending the
    // user's broadcast messages.
    virtual int BCMessagesSwitch();
    // The user's settings file; null means the default one.
    virtual int RestoreSettings(const char* /*path*/) { return 1; }
    virtual int SaveSettings(const char* /*path*/) { return 1; }

    std::string m_sUser;
    std::string m_sPassword;
    int m_bMouse = 1; // the mouse may be used (option "Mouse")
    int m_bWindowsManipulation = 1;
    int m_nPollTicks = 0; // timer ticks since the last poll
    int m_nIdleTicks = 0; // timer ticks without key or mouse input
    int m_bConfirm = 0; // AreYouShure asks only while set
};

// The session of the logged-on user; null while logged off.
KVCORE_API extern CSessionCore* ps;
