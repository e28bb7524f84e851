// The program's main window on kvcore's main frame: the post-logon check, the
// program's session, the work of every poll, the reset of the subscription
// tables at logon, the five default button groups and the end of a session,
// with its logged-off and logged-on menus.
#pragma once

#include <memory>

#include "kv32/shell/app/main_menu.h"
#include "kv32/shell/frame_work.h"
#include "kvcore/frame/main_frame_core.h"


class CMainFrame : public CMainFrameCore {
    Q_OBJECT
public:
    CMainFrame();
    int DoCheck() override { return KvDoCheck(); }
    std::unique_ptr<CSessionCore> CreateSession() override;
    // The program's options page after the frame's own pages.
    void DoCustomize(fw::PropertySheet& sheet) override;
    void OnPollEvent() override;
    void ResetTables() override { KvResetTables(); }
    unsigned GetLoggedOnIDR() const override { return IDR_KV_LOGGED_ON; }
    unsigned GetLoggedOffIDR() const override { return IDR_KV_LOGGED_OFF; }
    unsigned GetLoggedOnLargeIDR() const override { return IDR_KV_LOGGED_ON_LARGE; }
    void SetButtonGroups() override;
    void EndSession(int bLogoff) override;

private:
    CKvPollWork m_pollWork;
};
