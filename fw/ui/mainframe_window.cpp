// The main frame's window handling: its own close, window commands and the end of the desktop
// session, and the default handlers of the commands that arrange its child windows.
#include "fw/ui/app.h"
#include "fw/ui/childframe.h"
#include "fw/ui/mainframe.h"
#include "fw/ui/statusbar.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QResizeEvent>
#include <QSessionManager>
#include <optional>

namespace fw {

namespace {

// Children that are shown and not minimised, side by side (vertical) or one above the other.
void tile(QMdiArea& area, bool vertical)
{
    std::vector<QMdiSubWindow*> windows;
    for (QMdiSubWindow* w : area.subWindowList(QMdiArea::StackingOrder))
        if (w->isVisible() && !w->isMinimized())
            windows.push_back(w);
    if (windows.empty())
        return;
    const QRect space = area.viewport()->rect();
    const int n = static_cast<int>(windows.size());
    for (int i = 0; i < n; ++i) {
        QMdiSubWindow* w = windows[static_cast<size_t>(n - 1 - i)]; // front-most first
        if (w->isMaximized())
            w->showNormal();
        if (vertical)
            w->setGeometry(space.width() * i / n, 0, space.width() * (i + 1) / n - space.width() * i / n, space.height());
        else
            w->setGeometry(0, space.height() * i / n, space.width(), space.height() * (i + 1) / n - space.height() * i / n);
    }
}

} // namespace

void MainFrame::addWindowCommands()
{
    auto whileChildActive = [this](CmdUI& ui) { ui.enable(activeChild() != nullptr); };
    const std::pair<uint32_t, std::function<void()>> windowCommands[] = {
        { cmd::WindowArrange,
            [this] {
                // The area lines its minimised children up along the bottom whenever it resizes.
                QResizeEvent resize(mdi_->viewport()->size(), mdi_->viewport()->size());
                QCoreApplication::sendEvent(mdi_->viewport(), &resize);
            } },
        { cmd::WindowCascade, [this] { mdi_->cascadeSubWindows(); } },
        { cmd::WindowTileHorz, [this] { tile(*mdi_, false); } },
        { cmd::WindowTileVert, [this] { tile(*mdi_, true); } },
        { cmd::WindowNext, [this] { mdi_->activateNextSubWindow(); } },
        { cmd::WindowCloseAll,
            [] {
                if (App* app = App::instance())
                    app->closeAllDocuments();
            } },
    };
    for (const auto& [id, handler] : windowCommands) {
        commands().onCommand(id, handler);
        commands().onUpdate(id, whileChildActive);
    }
    commands().onCommand(cmd::ViewStatusBar, [this] { status_->setVisible(status_->isHidden()); });
    commands().onUpdate(cmd::ViewStatusBar, [this](CmdUI& ui) { ui.setCheck(status_->isHidden() ? 0 : 1); });

#ifndef QT_NO_SESSIONMANAGER
    // The desktop asks before it ends the session; a frame that says no keeps it going.
    if (auto* gui = qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        connect(gui, &QGuiApplication::commitDataRequest, this, [this](QSessionManager& manager) {
            if (!endSessionRequested() && manager.allowsInteraction())
                manager.cancel();
        });
#endif
}

bool MainFrame::onClose()
{
    if (App* app = App::instance())
        app->closeAllDocuments();
    return true;
}

void MainFrame::closeEvent(QCloseEvent* event)
{
    if (!onSysCommand(SysCommand::Close) || !onClose()) {
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
}

void MainFrame::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange || revertingState_)
        return;
    const Qt::WindowStates oldState = static_cast<QWindowStateChangeEvent*>(event)->oldState();
    const Qt::WindowStates newState = windowState();
    std::optional<SysCommand> command;
    if ((newState & Qt::WindowMinimized) && !(oldState & Qt::WindowMinimized))
        command = SysCommand::Minimize;
    else if ((newState & Qt::WindowMaximized) && !(oldState & Qt::WindowMaximized))
        command = SysCommand::Maximize;
    else if ((oldState & (Qt::WindowMinimized | Qt::WindowMaximized)) &&
             !(newState & (Qt::WindowMinimized | Qt::WindowMaximized)))
        command = SysCommand::Restore;
    // The window system changed the state already: a refused change is undone.
    if (command && !onSysCommand(*command)) {
        revertingState_ = true;
        setWindowState(oldState);
        revertingState_ = false;
    }
}

} // namespace fw
