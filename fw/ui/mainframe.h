#pragma once
// The main window: an MDI area, a menu bar rebuilt from the menu model (update handlers run each
// time a menu opens), command bars whose layout can be saved, and status bar panes.
#include "fw/ui/fw_ui_api.h"
#include "fw/core/command.h"
#include "fw/core/menu.h"
#include "fw/core/records.h"
#include "fw/ui/syscommand.h"

#include <QMainWindow>
#include <QPoint>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

class QAction;
class QKeySequence;
class QShortcut;
class QLabel;
class QMdiArea;
class QMenu;
class QToolBar;

namespace fw {

class ChildFrame;
class StatusBar;
class View;

// The window commands the main frame handles by default (a program may map its own handlers to
// the same ids); they are enabled only while a child window is active.
namespace cmd {
inline constexpr uint32_t WindowArrange = 57649;
inline constexpr uint32_t WindowCascade = 57650;
inline constexpr uint32_t WindowTileHorz = 57651;
inline constexpr uint32_t WindowTileVert = 57652;
inline constexpr uint32_t WindowNext = 57680;
inline constexpr uint32_t WindowCloseAll = 35961;
// Shows or hides the status bar (checked while shown); always enabled.
inline constexpr uint32_t ViewStatusBar = 59393;
} // namespace cmd

class FW_UI_API MainFrame : public QMainWindow, public CmdTarget {
    Q_OBJECT
public:
    explicit MainFrame(QWidget* parent = nullptr);
    ~MainFrame() override;

    QMdiArea* mdiArea() const { return mdi_; }

    // The menu bar shows the top-level popups of model; each popup is rebuilt when it opens.
    void setMenuModel(Menu model);
    const Menu& menuModel() const { return menu_; }
    Menu& menuModel() { return menu_; }
    // Rebuilds the menu bar after the model was changed in place.
    void rebuildMenuBar();
    // The popup as it would show now: a copy of the model's popup after the update handlers ran.
    Menu preparePopup(const Menu& popup);

    // Shows popup at globalPos and returns the chosen command id (0: none). When route is set,
    // the chosen command also runs (if its update handler still enables it).
    uint32_t trackPopupMenu(const Menu& popup, QPoint globalPos, bool route = true);
    // Tests answer popup menus here instead of showing them.
    using PopupHook = std::function<uint32_t(const Menu& shown)>;
    static void setPopupHook(PopupHook hook);

    // Prompts of commands as "status text\ntool tip" (either part may be empty); menu items and
    // bar buttons show them. Set before building menus and bars.
    void setPromptProvider(std::function<std::string(uint32_t)> prompts) { prompts_ = std::move(prompts); }

    // A command bar of buttons (0 = separator); texts are looked up with the text function.
    QToolBar* addCommandBar(const std::string& name, const std::vector<uint32_t>& ids,
                            std::function<std::string(uint32_t)> textOf);
    // Removes every command bar (before building the bars of another interface).
    void clearCommandBars();
    // Runs the update handlers for every bar button (called when the application is idle).
    void updateCommandBars();
    QAction* commandBarAction(uint32_t id) const;
    // Bar positions and visibility.
    std::vector<uint8_t> saveBarState() const;
    bool restoreBarState(const std::vector<uint8_t>& state);

    // Keyboard shortcuts of the frame; replaces the previous table. Each runs its command like a
    // menu item (update handlers first).
    void setAccelerators(std::span<const AccelRecord> table);
    static QKeySequence keySequenceOf(const AccelRecord& accel);

    // Status bar panes: pane 0 stretches, the others are minChars average characters wide.
    // statusPanes() sets pixel widths, frames and pane 0's colours.
    void setStatusPanes(const std::vector<int>& minChars);
    void setPaneText(int pane, const std::string& text);
    std::string paneText(int pane) const;
    int paneCount() const;
    StatusBar* statusPanes() const { return status_; }

    // MDI children.
    ChildFrame* activeChild() const;
    View* activeView() const;
    // Children, front-most first when stackingOrder, else creation order.
    std::vector<ChildFrame*> childFrames(bool stackingOrder = true) const;

    // True while a menu of the menu bar or a popup menu is open.
    bool isMenuOpen() const { return openMenus_ > 0; }

    void lockUpdates(bool lock) { locked_ = lock; }
    bool isLocked() const { return locked_; }

    // Runs a menu, bar or shortcut command: its update handlers are asked first.
    bool onMenuCommand(uint32_t id);

    // A window command of the main window (close, minimise, maximise, restore) from its buttons,
    // its window menu or the keys; false refuses it. Default: allowed.
    virtual bool onSysCommand(SysCommand /*command*/) { return true; }
    // The main window closes (after onSysCommand allowed it): the default closes every document
    // and lets the window go; false keeps it open.
    virtual bool onClose();
    // The desktop session is ending; false asks the desktop to keep it. Default: true.
    virtual bool onQueryEndSession() { return true; }
    // What the desktop's session-end request runs: onQueryEndSession's answer.
    bool endSessionRequested() { return onQueryEndSession(); }

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    // Active view (then its document), this frame, then the application.
    void commandChain(std::vector<CmdTarget*>& out) override;

private:
    void fillMenu(QMenu* qmenu, std::shared_ptr<Menu> popup);
    void addWindowCommands();
    void applyPrompt(QAction* action, uint32_t id, bool toolTip) const;

    QMdiArea* mdi_;
    Menu menu_;
    std::vector<QToolBar*> bars_;
    StatusBar* status_;
    std::vector<QShortcut*> shortcuts_;
    std::function<std::string(uint32_t)> prompts_;
    bool locked_ = false;
    bool revertingState_ = false;
    int openMenus_ = 0;
};

} // namespace fw
