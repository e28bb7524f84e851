#pragma once
// The MDI child window around one view. It is a command target on the route after its view and
// document; hooks see activation and minimising and may refuse the window commands; one frame of
// a main window may stay on top of its siblings.
#include "fw/ui/fw_ui_api.h"
#include "fw/core/command.h"
#include "fw/ui/syscommand.h"

#include <QMdiSubWindow>
#include <memory>

namespace fw {

class View;

class FW_UI_API ChildFrame : public QMdiSubWindow, public CmdTarget {
    Q_OBJECT
public:
    // Takes the view; the frame deletes itself when closed.
    explicit ChildFrame(std::unique_ptr<View> view, QWidget* parent = nullptr);
    ~ChildFrame() override;

    View* view() const { return view_; }
    // Title from the document (the frame title follows the document title).
    void syncTitle();
    // Closes without asking the hooks (used when the document closes itself).
    void closeWithoutAsking();

    // Whether the user may close, move, size, minimise, maximise or restore the frame now, by
    // the buttons, the window menu or the keys. Default: always.
    virtual bool allowSysCommand(SysCommand /*command*/) { return true; }
    // Runs a window command as the window menu would (false when refused).
    bool sysCommand(SysCommand command);

    // The frame became the active child (true) or stopped being it (false).
    virtual void onActivate(bool /*active*/) {}
    // The frame was minimised (true) or left the minimised state (false).
    virtual void onMinimize(bool /*minimized*/) {}

    // One frame among its siblings may stay above all others, however they are activated;
    // setting another frame moves the state to it, and closing the frame ends it.
    void setAlwaysOnTop(bool onTop);
    bool isAlwaysOnTop() const;
    static ChildFrame* alwaysOnTopFrame();

    // The title bar (caption) shown or hidden.
    void setCaption(bool shown);
    bool hasCaption() const;

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void commandChain(std::vector<CmdTarget*>& out) override;

private:
    void guardSystemMenu();
    void stateChanged(Qt::WindowStates oldState, Qt::WindowStates newState);

    View* view_;
    bool force_ = false;
    bool revertingState_ = false;
};

} // namespace fw
