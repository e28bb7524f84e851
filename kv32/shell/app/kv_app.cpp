#include "kv32/shell/app/kv_app.h"

#include <functional>

#include <QApplication>
#include <QPalette>

#include "fw/ui/childframe.h"
#include "kv32/dialogs/alerts/alert_openers.h"
#include "kv32/dialogs/audit_dlgs.h"
#include "kv32/dialogs/msg_dlgs.h"
#include "kv32/dialogs/setup_dlgs.h"
#include "kv32/dialogs/supervisor_dlgs.h"
#include "kv32/dialogs/supervision/ref_price_dlg.h"
#include "kv32/dialogs/supervision/schedule_entry_dlg.h"
#include "kv32/dialogs/supervision/suspend_dlg.h"
#include "kv32/shell/app/main_frame.h"
#include "kv32/shell/app/main_menu.h"
#include "kv32/shell/app_commands.h"
#include "kv32/shell/command_bindings.h"
#include "kv32/shell/app_settings.h"
#include "kv32/shell/audit_queue.h"
#include "kv32/windows/market_window_commands.h"
#include "kv32/shell/regional_check.h"
#include "kv32/tables/all_tables.h"
#include "kvcore/app/session_core.h"

CKvApp::CKvApp()
{
    KvSetUiPort(this);
    KvAddTableListener(this);
    KvInstallAuditDisplay();
    KvInstallMessageDialogs();
    KvInstallAlertDialogs();
    KvBindAppCommands(
        commands(), [this](uint32_t id, bool activate, bool visible) { OpenTable(id, activate, visible, nullptr); },
        [this] { WriteDiagnosticFile(); });
    commands().onCommand(ID_SECURITIES_SELECTION, [this] {
        KvRunSecuritiesSelectionCommand(
            [this] { return OpenTable(CSecurityTable::kTableId, true, true, nullptr); }, GetMainFrame());
    });
    KvBindMarketWindowCommands(commands());
    commands().onCommand(ID_KV_APP_ABOUT, [this] {
        CAboutDlg dlg(GetMainFrame());
        dlg.doModal();
    });
    commands().onCommand(ID_KV_BENCH_SETUP, [this] {
        if (ps == nullptr)
            return;
        COptionsDlg dlg(GetMainFrame());
        // The windows show what the new settings change.
        if (dlg.doModal() == fw::IDOK)
            UpdateAllDocuments(0, 0, nullptr);
    });
    // The supervisors' dialogs of the main menu, within a session.
    const auto inSession = [this](std::function<void(QWidget*)> run) {
        return [this, run] {
            if (ps != nullptr)
                run(GetMainFrame());
        };
    };
    for (const auto& [id, kind] : { std::pair { 32880u, kSuspendAll }, std::pair { 32881u, kUnsuspendAll },
             std::pair { 33097u, kSuspendIssuer }, std::pair { 33098u, kUnsuspendIssuer } })
        commands().onCommand(id, inSession([kind](QWidget* parent) { KvRunSuspend(kind, {}, {}, parent); }));
    for (const auto& [id, mode] : { std::pair { 33077u, kRefPriceTyped }, std::pair { 33187u, kRefPriceUpper },
             std::pair { 33188u, kRefPriceLower } })
        commands().onCommand(id, inSession([mode](QWidget* parent) { KvRunRefPrice(mode, parent); }));
    commands().onCommand(32882, inSession([](QWidget* parent) { KvRunScheduleEntry(parent); }));
    commands().onCommand(33163, inSession([](QWidget* parent) {
        CMarketReplayDlg dlg(parent);
        dlg.doModal();
    }));
}

void CKvApp::WriteDiagnosticFile()
{
    std::vector<CKvFrameDiagnosis> frames;
    if (CMainFrameCore* frame = GetMainFrame()) {
        for (fw::ChildFrame* child : frame->childFrames(false))
            frames.push_back({ !child->updatesEnabled() });
    }
    KvWriteDiagnosticFile(frames, {});
}

CKvApp::~CKvApp()
{
    if (KvPrintLog() == m_pPrintLog.get())
        KvPrintLog() = nullptr;
    KvRemoveTableListener(this);
    if (KvUiPort() == this)
        KvSetUiPort(nullptr);
}

KvStartupSteps CKvApp::StartupSteps()
{
    KvStartupSteps steps;
    steps.loadProfile = [this] { LoadStdProfileSettings(); };
    steps.openPrintLog = [this] {
        KvLinePrinterFactory() = m_makePrinter; // the setup dialog makes its printers alike
        m_pPrintLog = KvOpenPrintLog(KvAppSettings(), m_makePrinter);
        KvPrintLog() = m_pPrintLog.get();
        m_bPrintLogRefused = !m_pPrintLog && KvAppSettings().bPrintLog == 0;
    };
    steps.clearAuditQueue = [] { ClearAuditDisplayQueue(); };
    steps.registerMessages = [] {
        KvNotifications().logNotify = registerMessage("WM_LOGNOTIFY");
        KvNotifications().auditNotify = registerMessage("WM_AUDITNOTIFY");
    };
    steps.baseStart = [this] {
        // The host tables are the session's permanent targets: they must exist
        // before a logon from the command line loads them.
        KvTables();
        return CKvAppCore::initInstance();
    };
    steps.regionalCheck = [this] { return CheckRegionalSettings(m_sLocale.c_str()); };
    // The operating system needs no check here, so NOCHECKVERSION, which only
    // excused a wrong operating system, changes nothing: a component of the
    // wrong version always stops the program.
    steps.componentCheck = [this] {
        return CheckComponentVersions(m_versionOf ? m_versionOf : InstalledComponentVersions()) != 0;
    };
    return steps;
}

bool CKvApp::initInstance()
{
    if (!KvRunStartup(StartupSteps()))
        return false;
    m_pAutomation = std::make_unique<CKvAutomation>();
    m_pAutomation->Register();
    return true;
}

int CKvApp::exitInstance()
{
    if (m_pAutomation) {
        m_pAutomation->Unregister();
        m_pAutomation.reset();
    }
    KvPrintLog() = nullptr;
    m_pPrintLog.reset();
    return CKvAppCore::exitInstance();
}

std::unique_ptr<CMainFrameCore> CKvApp::CreateMainFrame()
{
    return std::make_unique<CMainFrame>();
}

void CKvApp::LoadStdProfileSettings()
{
    CKvAppT<CKvAppCore>::LoadStdProfileSettings();
    if (m_bPrintLogRefused)
        KvAppSettings().bPrintLog = 0;
}

void CKvApp::Beep(unsigned /*type*/)
{
    QApplication::beep();
}

void CKvApp::SetStatusText(const std::string& text)
{
    if (CMainFrameCore* frame = GetMainFrame())
        frame->setPaneText(0, text);
}

void CKvApp::SetLogText(const std::string& text)
{
    CMainFrameCore* frame = GetMainFrame();
    if (frame == nullptr)
        return;
    // The highlight colours of the palette in force, as 0x00BBGGRR.
    const auto colorRef = [](const QColor& c) {
        return static_cast<uint32_t>(c.red()) | static_cast<uint32_t>(c.green()) << 8
            | static_cast<uint32_t>(c.blue()) << 16;
    };
    const QPalette palette = QApplication::palette();
    frame->GetStatusBar().SetOwnerDrawText(text, colorRef(palette.color(QPalette::HighlightedText)),
        colorRef(palette.color(QPalette::Highlight)));
}

void CKvApp::PostNotify(unsigned message)
{
    if (CMainFrameCore* frame = GetMainFrame())
        postMessage(frame, message);
}

bool CKvApp::HasSession() const
{
    return ps != nullptr;
}

bool CKvApp::IsMainWindowEnabled() const
{
    const CMainFrameCore* frame = GetMainFrame();
    return frame != nullptr && frame->isEnabled() && !inModalState();
}

void CKvApp::OnTableUpdate(uint16_t tableId, const fw::RowHint* hint)
{
    // The documents only read the hint.
    UpdateAllDocuments(tableId, 0, const_cast<fw::RowHint*>(hint));
}
