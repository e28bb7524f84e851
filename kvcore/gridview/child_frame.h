#pragma once
// CTChildFrame: the frame of every table window. One table window may stay above the others
// ("Always on Top"); the frame remembers the last activated table window, makes the activated
// window's document the owner of its table's stored layout, tells its table view when it is
// minimised, and refuses closing, moving, sizing, minimising, maximising and restoring while the
// user has switched windows manipulation off. Every table window shows the main frame's menu.
#include "fw/ui/childframe.h"
#include "kvcore/kvcore_api.h"

#include <memory>

class KVCORE_API CTChildFrame : public fw::ChildFrame {
    Q_OBJECT
public:
    explicit CTChildFrame(std::unique_ptr<fw::View> view, QWidget* parent = nullptr);
    ~CTChildFrame() override;

    bool IsAlwaysOnTop() const { return isAlwaysOnTop(); }
    // The table window activated last, or null.
    static CTChildFrame* GetLastActiveFrame();
    // This frame goes on top of the others, or, when it is on top, no frame stays on top.
    void OnWindowAlwaysOnTop();

    // Refused while a session has windows manipulation switched off.
    bool allowSysCommand(fw::SysCommand command) override;
    void onActivate(bool active) override;
    void onMinimize(bool minimized) override;

    int m_nSpare = 0;
};
