#include "kvcore/frame/main_frame_core.h"

#include <QEvent>
#include <QFontMetrics>
#include <QStatusBar>

#include "fw/core/resources.h"
#include "fw/core/strings.h"
#include "fw/ui/app.h"
#include "fw/ui/statusbar.h"
#include "fw/ui/text.h"
#include "kvcore/app/app_core_base.h"
#include "kvcore/app/logon.h"
#include "kvcore/app/menu_access.h"
#include "kvcore/app/session_core.h"
#include "kvcore/dialogs/logon_dlg.h"
#include "kvcore/frame/app_core.h"
#include "kvcore/frame/menu_shortcuts.h"
#include "kvcore/frame/toolbar_manager.h"
#include "kvcore/values/cdatetime.h"

namespace {
// Room around a pane's text (frame and margins).
constexpr int kPanePadding = 12;
} // namespace

CMainFrameCore::CMainFrameCore(QWidget* parent)
    : fw::MainFrame(parent)
    , m_pToolBarManager(std::make_unique<CKvToolBarManager>(*this))
    , m_statusBar(statusPanes())
{
    auto& map = commands();
    map.onCommand(ID_KV_LOGON, [this] { OnSessionBegin(); });
    map.onUpdate(ID_KV_LOGON, [](fw::CmdUI& ui) { ui.enable(ps == nullptr); });
    map.onCommand(ID_KV_LOGOFF, [this] { OnSessionEnd(); });
    map.onUpdate(ID_KV_LOGOFF, [](fw::CmdUI& ui) { ui.enable(ps != nullptr); });
    map.onCommand(ID_KV_SESSION_END_NO_LOGOFF, [this] { OnSessionEndNoLogoff(); });
    map.onCommand(ID_KV_FORCE_LOGOFF, [this] { OnForceLogoff(); });
    map.onCommand(ID_KV_REFRESH, [this] { OnTableRefresh(); });
    MapFrameCommands();
}

CMainFrameCore::~CMainFrameCore()
{
    if (fw::App* app = fw::App::instance()) {
        app->killTimer(this, kClockTimer);
        app->killTimer(this, kDateTimer);
    }
}

int CMainFrameCore::OnCreate()
{
    if (m_bCreated)
        return 0;
    m_bCreated = true;
    {
        KvWaitCursor wait;
        setStatusPanes(std::vector<int>(PaneCount, 0));
        SetPaneInfo();
        SetButtonGroups();
    }
    SetInterface(GetLoggedOffIDR());
    if (fw::App* app = fw::App::instance()) {
        app->setTimer(this, kClockTimer, kClockPeriodMs);
        app->setTimer(this, kDateTimer, kDatePeriodMs);
    }
    return 0;
}

void CMainFrameCore::AddDefaultButtonGroup(
    const uint32_t* buttons, unsigned count, const std::string& name, bool showLoggedOff, bool showLoggedOn)
{
    m_pToolBarManager->AddDefaultButtonGroup(buttons, count, name, showLoggedOff, showLoggedOn);
}

void CMainFrameCore::SetPaneInfo()
{
    fw::StatusBar* bar = statusPanes();
    if (bar == nullptr || bar->paneCount() < PaneCount)
        return;
    const QFontMetrics metrics(bar->font());
    const CDateTime sample(1999, 12, 30, 12, 12, 12);
    const auto widthOf
        = [&](const std::string& text) { return metrics.horizontalAdvance(fw::toQt(text)) + kPanePadding; };
    // The lock keys' state is not known to a program here: their panes stay hidden.
    for (int pane : { PaneNumLock, PaneCapsLock, PaneScrollLock })
        bar->setPaneWidth(pane, 0);
    bar->setPaneWidth(PaneOrders, OrderPaneWidth());
    bar->setPaneWidth(PaneDate, widthOf(sample.FormatDate()));
    bar->setPaneWidth(PaneTime, widthOf(sample.FormatTime()));
}

bool CMainFrameCore::IsFrameIconic() const
{
    return isMinimized();
}

bool CMainFrameCore::InModalState() const
{
    const fw::App* app = fw::App::instance();
    return app != nullptr && app->inModalState();
}

bool CMainFrameCore::IsFrameEnabled() const
{
    return isEnabled() && !InModalState();
}

bool CMainFrameCore::RunLogonDialog(int& resetLogPrinting)
{
    CLogonDlg dlg(this);
    if (dlg.doModal() != fw::IDOK)
        return false;
    resetLogPrinting = dlg.m_bResetLogPrinting;
    return true;
}

void CMainFrameCore::PostFrameCommand(unsigned id)
{
    if (fw::App* app = fw::App::instance())
        app->postCommand(this, id);
}

void CMainFrameCore::SendFrameCommand(unsigned id)
{
    fw::App::runCommandIfEnabled(this, id);
}

void CMainFrameCore::ApplyInterface(unsigned nIDR, bool loggedOn)
{
    if (loggedOn)
        m_pToolBarManager->SetLogOnDockState();
    else
        m_pToolBarManager->SetLogOffDockState();
    // The interface's own shortcuts; the user's stored ones replace them once restored.
    const fw::AccelTable* accels = fw::findAccel(nIDR);
    SetShortcutTable(accels != nullptr ? std::vector<fw::AccelRecord>(accels->entries.begin(), accels->entries.end())
                                       : std::vector<fw::AccelRecord> {});
    fw::Menu menu;
    if (const fw::MenuTemplate* tmpl = fw::findMenu(nIDR))
        menu = fw::buildMenu(*tmpl, fw::language());
    PruneMenu(&menu);
    KvWriteShortcutTexts(menu, GetShortcutTable());
    setMenuModel(std::move(menu));
    if (QStatusBar* bar = statusBar())
        bar->show();
    setWindowTitle(fw::toQt(fw::loadString(nIDR)));
}

void CMainFrameCore::UpdateAllDocuments()
{
    if (CKvAppCore* app = CKvAppCore::Instance())
        app->UpdateAllDocuments(0, 0, nullptr);
}

bool CMainFrameCore::onSysCommand(fw::SysCommand command)
{
    const CKvAppCore* app = CKvAppCore::Instance();
    if (command == fw::SysCommand::Close || app == nullptr || !app->m_cmdInfo.m_bMaximize)
        return true;
    return false;
}

void CMainFrameCore::changeEvent(QEvent* event)
{
    if (event != nullptr && event->type() == QEvent::LocaleChange)
        OnSettingChange();
    fw::MainFrame::changeEvent(event);
}

bool CMainFrameCore::onClose()
{
    // Settings saved, data stored and the host told before the window goes.
    OnClose();
    return fw::MainFrame::onClose();
}
