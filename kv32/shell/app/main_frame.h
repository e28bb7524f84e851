// The program's main window on kvcore's main frame: for now its logged-off
// and logged-on menus (log on or off, exit).
#pragma once

#include "kvcore/frame/main_frame_core.h"

inline constexpr unsigned IDR_KV_LOGGED_OFF = 1;
inline constexpr unsigned IDR_KV_LOGGED_ON = 51;

class CMainFrame : public CMainFrameCore {
    Q_OBJECT
public:
    CMainFrame();
    unsigned GetLoggedOnIDR() const override { return IDR_KV_LOGGED_ON; }
    unsigned GetLoggedOffIDR() const override { return IDR_KV_LOGGED_OFF; }
};
