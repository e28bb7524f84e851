#include "fw/ui/childframe.h"

#include "fw/ui/app.h"
#include "fw/ui/mainframe.h"
#include "fw/ui/text.h"
#include "fw/ui/view.h"

#include <QAction>
#include <QCloseEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPointer>
#include <QStyle>
#include <QStyleOptionTitleBar>
#include <optional>

namespace fw {

namespace {

QPointer<ChildFrame>& onTopFrame()
{
    static QPointer<ChildFrame> frame;
    return frame;
}

// The window command of an entry of the frame's window menu (the toolkit's own entries).
std::optional<SysCommand> commandOf(const QAction* action)
{
    QString text = action->text();
    text.remove(QLatin1Char('&'));
    static const std::pair<const char*, SysCommand> kEntries[] = {
        { "Restore", SysCommand::Restore },
        { "Move", SysCommand::Move },
        { "Size", SysCommand::Size },
        { "Minimize", SysCommand::Minimize },
        { "Maximize", SysCommand::Maximize },
        { "Close", SysCommand::Close },
    };
    for (const auto& [name, command] : kEntries)
        if (text == QLatin1String(name))
            return command;
    return std::nullopt;
}

} // namespace

ChildFrame::ChildFrame(std::unique_ptr<View> view, QWidget* parent) : QMdiSubWindow(parent), view_(view.get())
{
    setAttribute(Qt::WA_DeleteOnClose);
    view_->frame_ = this;
    setWidget(view.release()); // the frame's widget tree owns the view from here
    syncTitle();
    connect(this, &QMdiSubWindow::windowStateChanged, this, &ChildFrame::stateChanged);
    guardSystemMenu();
}

ChildFrame::~ChildFrame()
{
    if (onTopFrame() == this)
        onTopFrame() = nullptr;
}

void ChildFrame::syncTitle()
{
    if (view_ && view_->document())
        setWindowTitle(toQt(view_->document()->title()));
}

void ChildFrame::closeWithoutAsking()
{
    force_ = true;
    close();
}

bool ChildFrame::sysCommand(SysCommand command)
{
    if (!allowSysCommand(command))
        return false;
    switch (command) {
    case SysCommand::Close: force_ = true; close(); break;
    case SysCommand::Minimize: showMinimized(); break;
    case SysCommand::Maximize: showMaximized(); break;
    case SysCommand::Restore:
        showNormal();
        if (view_)
            view_->setFocus();
        break;
    case SysCommand::Move:
    case SysCommand::Size:
        // The keyboard move and size of the window menu.
        if (QMenu* menu = systemMenu())
            for (QAction* a : menu->actions())
                if (commandOf(a) == command)
                    a->trigger();
        break;
    }
    return true;
}

void ChildFrame::closeEvent(QCloseEvent* event)
{
    const bool asked = !force_;
    force_ = false;
    if (asked && !allowSysCommand(SysCommand::Close)) {
        event->ignore();
        return;
    }
    // The last window of a document closes the document while frame and view still exist;
    // the document then closes its other (window-less) views and goes.
    Document* doc = view_ ? view_->document() : nullptr;
    if (doc && !doc->isClosing()) {
        bool otherWindow = false;
        for (DocumentView* v : doc->views())
            if (v != view_ && v->isWindow())
                otherWindow = true;
        if (!otherWindow)
            doc->onCloseDocument();
    }
    QMdiSubWindow::closeEvent(event);
}

void ChildFrame::guardSystemMenu()
{
    QMenu* menu = systemMenu();
    if (!menu)
        return;
    // Key presses reach the entries as shortcut events; refused ones are swallowed. The toolkit's
    // own "Stay on Top" goes: staying on top is setAlwaysOnTop's, one frame among its siblings.
    for (QAction* a : menu->actions()) {
        if (commandOf(a))
            a->installEventFilter(this);
        if (a->text().remove(QLatin1Char('&')) == QLatin1String("Stay on Top"))
            menu->removeAction(a);
    }
    connect(menu, &QMenu::aboutToShow, this, [this, menu] {
        for (QAction* a : menu->actions())
            if (auto command = commandOf(a); command && !allowSysCommand(*command))
                a->setEnabled(false);
    });
}

bool ChildFrame::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Shortcut)
        if (auto* action = qobject_cast<QAction*>(watched))
            if (auto command = commandOf(action); command && !allowSysCommand(*command))
                return true;
    return QMdiSubWindow::eventFilter(watched, event);
}

void ChildFrame::stateChanged(Qt::WindowStates oldState, Qt::WindowStates newState)
{
    if (revertingState_)
        return;
    std::optional<SysCommand> command;
    const bool wasSpecial = oldState & (Qt::WindowMinimized | Qt::WindowMaximized);
    const bool isSpecial = newState & (Qt::WindowMinimized | Qt::WindowMaximized);
    if ((newState & Qt::WindowMinimized) && !(oldState & Qt::WindowMinimized))
        command = SysCommand::Minimize;
    else if ((newState & Qt::WindowMaximized) && !(oldState & Qt::WindowMaximized))
        command = SysCommand::Maximize;
    else if (wasSpecial && !isSpecial)
        command = SysCommand::Restore;
    // Title bar buttons and double clicks change the state directly: a refused change is undone.
    if (command && !force_ && !allowSysCommand(*command)) {
        revertingState_ = true;
        setWindowState((oldState & ~Qt::WindowActive) | (windowState() & Qt::WindowActive));
        revertingState_ = false;
        return;
    }
    if ((oldState ^ newState) & Qt::WindowMinimized)
        onMinimize(newState & Qt::WindowMinimized);
    if ((oldState ^ newState) & Qt::WindowActive) {
        onActivate(newState & Qt::WindowActive);
        if (ChildFrame* top = onTopFrame(); top && top != this && (newState & Qt::WindowActive))
            top->raise();
    }
}

void ChildFrame::changeEvent(QEvent* event)
{
    QMdiSubWindow::changeEvent(event);
}

bool ChildFrame::event(QEvent* event)
{
    const bool result = QMdiSubWindow::event(event);
    // A sibling raised above the always-on-top frame: it goes back on top.
    if (event->type() == QEvent::ZOrderChange)
        if (ChildFrame* top = onTopFrame(); top && top != this && top->parentWidget() == parentWidget())
            top->raise();
    return result;
}

void ChildFrame::mousePressEvent(QMouseEvent* event)
{
    QWidget* inner = widget();
    if (event->button() == Qt::LeftButton && inner && !inner->geometry().contains(event->position().toPoint())) {
        // A press on the frame: the title bar moves the window, the edges size it; the title
        // bar's buttons are judged when they act.
        QStyleOptionTitleBar options;
        options.initFrom(this);
        options.text = windowTitle();
        options.icon = windowIcon();
        options.titleBarState = windowState();
        options.titleBarFlags = windowFlags();
        options.subControls = QStyle::SC_All;
        const int border = style()->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth, nullptr, this);
        const int height = style()->pixelMetric(QStyle::PM_TitleBarHeight, &options, this);
        options.rect = QRect(border, border, width() - 2 * border, height - border);
        const QPoint at = event->position().toPoint();
        std::optional<SysCommand> command = SysCommand::Size;
        if (options.rect.contains(at)) {
            const auto hit = style()->hitTestComplexControl(QStyle::CC_TitleBar, &options, at, this);
            command = (hit == QStyle::SC_TitleBarLabel || hit == QStyle::SC_None)
                ? std::optional<SysCommand>(SysCommand::Move)
                : std::nullopt;
        }
        if (command && !allowSysCommand(*command)) {
            event->accept();
            return;
        }
    }
    QMdiSubWindow::mousePressEvent(event);
}

void ChildFrame::setAlwaysOnTop(bool onTop)
{
    if (onTop) {
        onTopFrame() = this;
        raise();
    } else if (onTopFrame() == this) {
        onTopFrame() = nullptr;
    }
}

bool ChildFrame::isAlwaysOnTop() const
{
    return onTopFrame() == this;
}

ChildFrame* ChildFrame::alwaysOnTopFrame()
{
    return onTopFrame();
}

void ChildFrame::setCaption(bool shown)
{
    if (shown == hasCaption())
        return;
    const bool visible = isVisible();
    Qt::WindowFlags flags = windowFlags();
    if (shown)
        flags = (flags & ~Qt::CustomizeWindowHint) | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
            Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint;
    else
        flags = (flags | Qt::CustomizeWindowHint) &
            ~(Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
    setWindowFlags(flags);
    if (visible)
        show();
}

bool ChildFrame::hasCaption() const
{
    const Qt::WindowFlags flags = windowFlags();
    return !(flags & Qt::CustomizeWindowHint) || (flags & Qt::WindowTitleHint);
}

void ChildFrame::commandChain(std::vector<CmdTarget*>& out)
{
    // The view and the document come first, as when the command starts at the view.
    if (view_) {
        out.push_back(view_);
        if (Document* doc = view_->document())
            out.push_back(doc);
    }
    out.push_back(this);
    if (App* app = App::instance()) {
        if (MainFrame* main = app->mainFrame())
            out.push_back(main);
        out.push_back(app);
    }
}

} // namespace fw
