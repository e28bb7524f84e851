#include "fw/ui/mainframe.h"

#include "fw/ui/app.h"
#include "fw/ui/childframe.h"
#include "fw/ui/icons.h"
#include "fw/ui/statusbar.h"
#include "fw/ui/text.h"
#include "fw/ui/view.h"

#include <QAction>
#include <algorithm>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>

namespace fw {

namespace {
MainFrame::PopupHook& popupHook()
{
    static MainFrame::PopupHook hook;
    return hook;
}

// A command item of a menu, carrying its id; a checked item shows its mark.
QAction* addCommand(QMenu* menu, const Menu& item)
{
    QAction* a = menu->addAction(toQt(item.text()));
    a->setData(item.id());
    a->setEnabled(item.enabled());
    if (item.check()) {
        a->setCheckable(true);
        a->setChecked(true);
    }
    return a;
}
} // namespace

MainFrame::MainFrame(QWidget* parent) : QMainWindow(parent), mdi_(new QMdiArea(this)), status_(new StatusBar(this))
{
    installApplicationIcon();
    setStatusBar(status_);
    setCentralWidget(mdi_);
    if (App* app = App::instance(); app && !app->mainFrame())
        app->setMainFrame(this);
    addWindowCommands();
}

MainFrame::~MainFrame() = default;

void MainFrame::setPopupHook(PopupHook hook)
{
    popupHook() = std::move(hook);
}

void MainFrame::setMenuModel(Menu model)
{
    menu_ = std::move(model);
    rebuildMenuBar();
}

void MainFrame::rebuildMenuBar()
{
    QMenuBar* bar = menuBar();
    bar->clear(); // deletes the menus, open or not
    openMenus_ = 0;
    for (const Menu& item : menu_.items()) {
        if (item.isPopup()) {
            QMenu* m = bar->addMenu(toQt(item.text()));
            auto model = std::make_shared<Menu>(item);
            connect(m, &QMenu::aboutToShow, this, [this, m, model] {
                ++openMenus_;
                fillMenu(m, model);
            });
            connect(m, &QMenu::aboutToHide, this, [this] { openMenus_ = std::max(openMenus_ - 1, 0); });
        } else if (item.isSeparator()) {
            bar->addSeparator();
        } else {
            QAction* a = bar->addAction(toQt(item.text()));
            uint32_t id = item.id();
            connect(a, &QAction::triggered, this, [this, id] { onMenuCommand(id); });
        }
    }
}

Menu MainFrame::preparePopup(const Menu& popup)
{
    Menu shown = popup;
    updateMenuUI(shown, *this);
    return shown;
}

void MainFrame::fillMenu(QMenu* qmenu, std::shared_ptr<Menu> model)
{
    qmenu->clear();
    // Update handlers work on a copy, so removals last only as long as this showing.
    auto shown = std::make_shared<Menu>(preparePopup(*model));
    for (const Menu& item : shown->items()) {
        if (item.isSeparator()) {
            qmenu->addSeparator();
        } else if (item.isPopup()) {
            QMenu* sub = qmenu->addMenu(toQt(item.text()));
            auto subModel = std::make_shared<Menu>(item);
            connect(sub, &QMenu::aboutToShow, this, [this, sub, subModel] { fillMenu(sub, subModel); });
        } else {
            QAction* a = addCommand(qmenu, item);
            uint32_t id = item.id();
            applyPrompt(a, id, false);
            connect(a, &QAction::triggered, this, [this, id] { onMenuCommand(id); });
        }
    }
}

void MainFrame::applyPrompt(QAction* action, uint32_t id, bool toolTip) const
{
    if (!prompts_)
        return;
    std::string p = prompts_(id);
    size_t nl = p.find('\n');
    action->setStatusTip(toQt(p.substr(0, nl)));
    if (toolTip && nl != std::string::npos)
        action->setToolTip(toQt(p.substr(nl + 1)));
}

uint32_t MainFrame::trackPopupMenu(const Menu& popup, QPoint globalPos, bool route)
{
    Menu shown = preparePopup(popup);
    uint32_t chosen = 0;
    ++openMenus_;
    if (popupHook()) {
        chosen = popupHook()(shown);
    } else {
        QMenu qmenu(this);
        std::function<void(QMenu*, const Menu&)> build = [&](QMenu* into, const Menu& m) {
            for (const Menu& item : m.items()) {
                if (item.isSeparator())
                    into->addSeparator();
                else if (item.isPopup())
                    build(into->addMenu(toQt(item.text())), preparePopup(item));
                else
                    addCommand(into, item);
            }
        };
        build(&qmenu, shown);
        App::ModalScope modal;
        if (QAction* a = qmenu.exec(globalPos))
            chosen = a->data().toUInt();
    }
    --openMenus_;
    if (chosen && route)
        onMenuCommand(chosen);
    return chosen;
}

bool MainFrame::onMenuCommand(uint32_t id)
{
    return App::runCommandIfEnabled(this, id);
}

QToolBar* MainFrame::addCommandBar(const std::string& name, const std::vector<uint32_t>& ids,
                                   std::function<std::string(uint32_t)> textOf)
{
    QToolBar* bar = addToolBar(toQt(name));
    bar->setObjectName(toQt(name)); // saveState needs a name per bar
    for (uint32_t id : ids) {
        if (id == 0) {
            bar->addSeparator();
            continue;
        }
        QAction* a = bar->addAction(toQt(textOf ? textOf(id) : std::to_string(id)));
        a->setData(id);
        applyPrompt(a, id, true);
        connect(a, &QAction::triggered, this, [this, id] { onMenuCommand(id); });
    }
    bars_.push_back(bar);
    return bar;
}

void MainFrame::clearCommandBars()
{
    for (QToolBar* bar : bars_) {
        removeToolBar(bar);
        bar->deleteLater(); // it may be emitting the signal that led here
    }
    bars_.clear();
}

void MainFrame::updateCommandBars()
{
    for (QToolBar* bar : findChildren<QToolBar*>()) {
        if (!bar->isVisible())
            continue;
        for (QAction* a : bar->actions()) {
            if (a->isSeparator())
                continue;
            CmdUI ui(a->data().toUInt(), CmdUI::Source::ToolBar);
            routeUpdate(ui);
            a->setEnabled(ui.enabled());
            a->setCheckable(ui.check() != 0);
            a->setChecked(ui.check() != 0);
            if (ui.text())
                a->setText(toQt(*ui.text()));
        }
    }
}

QAction* MainFrame::commandBarAction(uint32_t id) const
{
    for (QToolBar* bar : findChildren<QToolBar*>())
        for (QAction* a : bar->actions())
            if (!a->isSeparator() && a->data().toUInt() == id)
                return a;
    return nullptr;
}

std::vector<uint8_t> MainFrame::saveBarState() const
{
    QByteArray s = saveState();
    return std::vector<uint8_t>(s.begin(), s.end());
}

bool MainFrame::restoreBarState(const std::vector<uint8_t>& state)
{
    QByteArray s(reinterpret_cast<const char*>(state.data()), static_cast<qsizetype>(state.size()));
    return restoreState(s);
}

void MainFrame::setStatusPanes(const std::vector<int>& minChars)
{
    std::vector<int> widths;
    int charWidth = status_->fontMetrics().averageCharWidth();
    for (int chars : minChars)
        widths.push_back(chars * charWidth);
    status_->setPanes(widths);
}

void MainFrame::setPaneText(int pane, const std::string& text)
{
    status_->setPaneText(pane, text);
}

std::string MainFrame::paneText(int pane) const
{
    return status_->paneText(pane);
}

int MainFrame::paneCount() const
{
    return status_->paneCount();
}

ChildFrame* MainFrame::activeChild() const
{
    // activeSubWindow() is null while the main window itself is inactive (offscreen, tests);
    // the front-most child is the one the user works with.
    if (auto* f = qobject_cast<ChildFrame*>(mdi_->activeSubWindow()))
        return f;
    auto list = childFrames(true);
    return list.empty() ? nullptr : list.front();
}

View* MainFrame::activeView() const
{
    ChildFrame* f = activeChild();
    return f ? f->view() : nullptr;
}

std::vector<ChildFrame*> MainFrame::childFrames(bool stackingOrder) const
{
    auto list = mdi_->subWindowList(stackingOrder ? QMdiArea::StackingOrder : QMdiArea::CreationOrder);
    std::vector<ChildFrame*> out;
    // StackingOrder lists the front-most window last.
    for (auto it = list.rbegin(); it != list.rend(); ++it)
        if (auto* f = qobject_cast<ChildFrame*>(*it))
            out.push_back(f);
    if (!stackingOrder)
        std::reverse(out.begin(), out.end());
    return out;
}

void MainFrame::commandChain(std::vector<CmdTarget*>& out)
{
    if (View* v = activeView())
        for (CmdTarget* t : v->route())
            out.push_back(t);
    out.push_back(this);
    if (App* app = App::instance())
        out.push_back(app);
}

} // namespace fw
