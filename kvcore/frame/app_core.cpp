#include "kvcore/frame/app_core.h"

#include <unistd.h>

#include <QApplication>
#include <QEvent>
#include <QMdiArea>
#include <QMouseEvent>
#include <chrono>
#include <filesystem>

#include "fw/core/archive.h"
#include "fw/core/archive_throw.h"
#include "fw/core/strings.h"
#include "fw/ui/childframe.h"
#include "fw/ui/text.h"
#include "fw/ui/view.h"
#include "kvcore/app/intl.h"
#include "kvcore/app/logon.h"
#include "kvcore/app/logon_checks.h"
#include "kvcore/app/message_box.h"
#include "kvcore/app/profile_settings.h"
#include "kvcore/app/session_core.h"
#include "kvcore/app/version_info.h"
#include "kvcore/dialogs/message_box_dlg.h"
#include "kvcore/dialogs/password_dlg.h"
#include "kvcore/dialogs/security_dlg.h"
#include "kvcore/frame/main_frame_core.h"
#include "kvcore/frame/startup_wnd.h"
#include "kvcore/frame/table_template.h"
#include "kvcore/frame/wait_cursor.h"
#include "kvcore/res/app_ids.h"
#include "kvcore/router/cvorl.h"

namespace {

constexpr uint32_t kLogoTimer = 0x4B57;


KvInputKind KindOf(const QEvent& event)
{
    switch (event.type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
        return KvInputKind::Key;
    case QEvent::MouseMove:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
        return KvInputKind::Mouse;
    case QEvent::MouseButtonDblClick:
    case QEvent::NonClientAreaMouseButtonPress:
    case QEvent::NonClientAreaMouseButtonRelease:
    case QEvent::NonClientAreaMouseButtonDblClick:
    case QEvent::NonClientAreaMouseMove:
        return KvInputKind::MouseOther;
    default:
        return KvInputKind::Other;
    }
}

} // namespace

CKvAppCore::CKvAppCore()
{
    KvLogonDialogs dialogs;
    dialogs.securityCode = [this](std::string& code) {
        CSecurityDlg dlg(GetMainFrame());
        if (dlg.doModal() != fw::IDOK)
            return false;
        code = dlg.m_sCode;
        return true;
    };
    dialogs.passwordChange = [this](bool expired) {
        CPasswordDlg dlg(expired ? 1 : 0, GetMainFrame());
        return dlg.doModal() == fw::IDOK;
    };
    KvSetLogonDialogs(std::move(dialogs));
    KvWaitCursor::SetHook(&KvShowWaitCursor);
    commands().onCommand(ID_APP_EXIT, [this] { OnAppExit(); });
}

CKvAppCore::~CKvAppCore()
{
    killTimer(this, kHighSpeedTimer);
    killTimer(this, kLogoTimer);
    m_pLogo.reset();
    deleteAllDocTemplates();
    m_pMainFrame.reset();
    KvWaitCursor::SetHook(nullptr);
    KvSetLogonDialogs({});
}

CKvAppCore* CKvAppCore::Instance()
{
    return dynamic_cast<CKvAppCore*>(fw::App::instance());
}

std::unique_ptr<CMainFrameCore> CKvAppCore::CreateMainFrame()
{
    return std::make_unique<CMainFrameCore>();
}

CTDocTemplate* CKvAppCore::AddDocTemplateID(uint32_t /*id*/)
{
    KvMessageBoxId(IDS_LOW_RESOURCES, fw::MB_ICONSTOP);
    return nullptr;
}

void CKvAppCore::DeleteAllDocTemplates()
{
    deleteAllDocTemplates();
}

void CKvAppCore::CloseAllDocuments()
{
    // Shares the guard of the request collection: neither runs inside the other.
    if (m_bCollecting)
        return;
    m_bCollecting = true;
    KvWaitCursor wait;
    for (const auto& tmpl : docTemplates())
        tmpl->closeAllDocuments();
    m_bCollecting = false;
}

void CKvAppCore::CollectAllRequests()
{
    CKvAppCoreLogic::CollectAllRequests();
}

CTDocTemplate* CKvAppCore::FindDocTemplateID(uint32_t id) const
{
    for (const auto& tmpl : docTemplates()) {
        if (auto* table = dynamic_cast<CTDocTemplate*>(tmpl.get()); table != nullptr && table->GetDocTemplateID() == id)
            return table;
    }
    return nullptr;
}

CTDocTemplate* CKvAppCore::GetDocTemplate(uint32_t id)
{
    CTDocTemplate* tmpl = FindDocTemplateID(id);
    return tmpl != nullptr ? tmpl : AddDocTemplateID(id);
}

CTDoc* CKvAppCore::GetFirstDoc(uint32_t id) const
{
    const CTDocTemplate* tmpl = FindDocTemplateID(id);
    return tmpl == nullptr ? nullptr : tmpl->GetFirstDoc();
}

CTDoc* CKvAppCore::OpenTable(uint32_t id, bool activate, bool visible, void* param)
{
    if (ps == nullptr)
        return nullptr;
    CTDocTemplate* tmpl = GetDocTemplate(id);
    if (tmpl == nullptr)
        return nullptr;
    if (activate) {
        for (const auto& candidate : tmpl->documents()) {
            auto* doc = dynamic_cast<CTDoc*>(candidate.get());
            if (doc == nullptr || !doc->CheckTable(param))
                continue;
            auto* view = dynamic_cast<fw::View*>(doc->firstView());
            fw::ChildFrame* frame = view != nullptr ? view->parentFrame() : nullptr;
            if (frame != nullptr && m_pMainFrame) {
                const fw::ChildFrame* active = m_pMainFrame->activeChild();
                const bool maximised = active != nullptr && active->isMaximized();
                m_pMainFrame->mdiArea()->setActiveSubWindow(frame);
                if (maximised)
                    frame->showMaximized();
                else
                    frame->showNormal();
                view->setFocus();
            }
            return doc;
        }
    }
    KvWaitCursor wait;
    auto* doc = dynamic_cast<CTDoc*>(tmpl->openDocumentFile(std::string(), visible));
    if (doc != nullptr)
        doc->UpdateDocument(0, nullptr);
    return doc;
}

void CKvAppCore::UpdateAllDocuments(uint32_t id, intptr_t hint, fw::Hint* object)
{
    if (m_pMainFrame && m_pMainFrame->IsPreviewOpen())
        return;
    for (size_t i = 0; i < docTemplates().size(); ++i) {
        auto* tmpl = dynamic_cast<CTDocTemplate*>(docTemplates()[i].get());
        if (tmpl != nullptr && (id == 0 || tmpl->GetDocTemplateID() == id))
            tmpl->UpdateAllDocuments(hint, object);
    }
}

void CKvAppCore::UpdateAllViews(uint32_t id, fw::View* sender, intptr_t hint, fw::Hint* object)
{
    for (const auto& entry : docTemplates()) {
        auto* tmpl = dynamic_cast<CTDocTemplate*>(entry.get());
        if (tmpl != nullptr && (id == 0 || tmpl->GetDocTemplateID() == id))
            tmpl->UpdateAllViews(sender, hint, object);
    }
}

void CKvAppCore::StoreAllDocumentsInfo()
{
    for (const auto& entry : docTemplates()) {
        if (auto* tmpl = dynamic_cast<CTDocTemplate*>(entry.get()))
            tmpl->StoreAllDocumentsInfo();
    }
}

int CKvAppCore::GetNumberOfDocuments() const
{
    int count = 0;
    for (const auto& tmpl : docTemplates())
        count += static_cast<int>(tmpl->documentCount());
    return count;
}

CTDoc* CKvAppCore::GetActiveDocument() const
{
    if (!m_pMainFrame)
        return nullptr;
    const fw::View* view = m_pMainFrame->activeView();
    return view == nullptr ? nullptr : dynamic_cast<CTDoc*>(view->document());
}

uint32_t CKvAppCore::GetActiveDocID() const
{
    const CTDoc* doc = GetActiveDocument();
    return doc == nullptr ? 0 : doc->GetTableID();
}

void CKvAppCore::SerializeAllDocuments(fw::Archive& ar)
{
    if (ar.isStoring()) {
        // The count is that of the entries written: windows front-most first, each once.
        std::vector<CTDoc*> docs;
        if (m_pMainFrame) {
            for (fw::ChildFrame* frame : m_pMainFrame->childFrames(true)) {
                auto* doc = frame->view() != nullptr ? dynamic_cast<CTDoc*>(frame->view()->document()) : nullptr;
                if (doc != nullptr && doc->GetTableID() <= 0xFFFF)
                    docs.push_back(doc);
            }
        }
        ar.writeWord(static_cast<uint16_t>(std::min<size_t>(docs.size(), 0xFFFF)));
        for (size_t i = 0; i < docs.size() && i < 0xFFFF; ++i) {
            ar.writeWord(static_cast<uint16_t>(docs[i]->GetTableID()));
            if (docs[i]->CanBeSerialized())
                docs[i]->serialize(ar);
        }
        return;
    }
    const uint16_t count = ar.readWord();
    for (uint16_t i = 0; i < count; ++i) {
        const uint16_t id = ar.readWord();
        CTDoc* doc = OpenTable(id, false, false, nullptr);
        if (doc == nullptr)
            fw::throwArchiveError(fw::ArchiveError::Cause::BadIndex, "workspace: no window for table " + std::to_string(id));
        if (!doc->CanBeSerialized()) {
            doc->onCloseDocument();
            continue;
        }
        doc->serialize(ar);
        if (auto* view = dynamic_cast<fw::View*>(doc->firstView())) {
            if (fw::ChildFrame* frame = view->parentFrame())
                frame->show();
        }
        doc->UpdateDocument(0, nullptr);
    }
}

void CKvAppCore::TurnOffAlwaysOnTop(fw::ChildFrame* frame)
{
    if (frame != nullptr)
        frame->setAlwaysOnTop(false);
}

void CKvAppCore::DestroyLogo()
{
    killTimer(this, kLogoTimer);
    if (m_pLogo) {
        m_pLogo->hide();
        m_pLogo.reset();
        if (m_pMainFrame)
            m_pMainFrame->setEnabled(true);
    }
}

void CKvAppCore::OnAppExit()
{
    if (ps != nullptr && m_pMainFrame)
        runCommandIfEnabled(m_pMainFrame.get(), ID_KV_LOGOFF);
    if (m_pMainFrame)
        m_pMainFrame->close();
}

bool CKvAppCore::initInstance()
{
    // Another instance, OLE and the desktop's shell settings have no counterpart here.
    GetIntlInfo();
    LoadStdProfileSettings();
    std::vector<std::string> words = m_aCommandLine;
    if (words.empty()) {
        for (const QString& arg : QCoreApplication::arguments())
            words.push_back(fw::fromQt(arg));
    }
    std::vector<const char*> argv;
    for (const std::string& w : words)
        argv.push_back(w.c_str());
    m_cmdInfo.Parse(static_cast<int>(argv.size()), argv.data());

    m_pMainFrame = CreateMainFrame();
    if (!m_pMainFrame)
        return false;
    setMainFrame(m_pMainFrame.get());
    if (m_pMainFrame->OnCreate() != 0)
        return false;

    if (!KvCreateRouterSession(m_sRouterFolder))
        return false;

    std::error_code ec;
    sDefaultPath = std::filesystem::current_path(ec).string();
    m_sProgramFolder = std::filesystem::path(KvModuleFile(nullptr)).parent_path().string();

    if (m_cmdInfo.m_bMaximize)
        m_pMainFrame->showMaximized();
    else
        m_pMainFrame->show();
    if (m_nLogoPeriod != 0) {
        m_pLogo = std::make_unique<CStartupWnd>(m_pMainFrame.get());
        m_pLogo->initialize();
        m_pLogo->show();
        m_pMainFrame->setEnabled(false);
        setTimer(this, kLogoTimer, static_cast<int>(m_nLogoPeriod));
    }

    if (!m_cmdInfo.m_sUser.empty()) {
        if (!LogonAndConnect(m_cmdInfo.m_sUser, m_cmdInfo.m_sPassword))
            return false;
        runCommandIfEnabled(m_pMainFrame.get(), ID_KV_LOGON);
    }
    return true;
}

int CKvAppCore::exitInstance()
{
    DestroyLogo();
    if (pvorl != nullptr)
        KvDestroyRouterSession();
    return 0;
}

bool CKvAppCore::onIdle(int count)
{
    fw::App::onIdle(count);
    // The poll runs back to back while high speed holds, a short pause apart, without ever
    // blocking the event loop.
    if (fHighSpeed && !m_bHighSpeedArmed && m_pMainFrame) {
        m_bHighSpeedArmed = true;
        setTimer(this, kHighSpeedTimer, kHighSpeedPauseMs);
    }
    return false;
}

void CKvAppCore::onTimer(uint32_t timerId)
{
    if (timerId == kLogoTimer) {
        DestroyLogo();
        return;
    }
    if (timerId != kHighSpeedTimer)
        return;
    killTimer(this, kHighSpeedTimer);
    m_bHighSpeedArmed = false;
    if (fHighSpeed && m_pMainFrame)
        postCommand(m_pMainFrame.get(), ID_KV_REFRESH);
}

bool CKvAppCore::preTranslateMessage(QObject* /*watched*/, QEvent* event)
{
    return event != nullptr && WatchInput(KindOf(*event));
}

int CKvAppCore::doMessageBox(const std::string& text, uint32_t type, uint32_t helpId)
{
    // A test that answers boxes itself stands for the user in front of this one.
    if (fw::messageBoxHook())
        return fw::messageBoxHook()(text, type);
    CMessageBoxDlg dlg(text, type, helpId, m_pMainFrame.get());
    return dlg.doModal();
}

void CKvAppCore::PostMainCommand(unsigned commandId)
{
    if (m_pMainFrame)
        postCommand(m_pMainFrame.get(), commandId);
}

bool CKvAppCore::CanForceLogoff() const
{
    return ps != nullptr && m_pMainFrame && m_pMainFrame->isEnabled() && !inModalState();
}

void CKvAppCore::CollectAllDocumentsReqs()
{
    for (const auto& entry : docTemplates()) {
        if (auto* tmpl = dynamic_cast<CTDocTemplate*>(entry.get()))
            tmpl->CollectAllDocumentsReqs();
    }
}

void CKvAppCore::BeginLongOperation(unsigned textId)
{
    if (m_nLongOperations++ == 0)
        KvShowWaitCursor(true);
    if (m_pMainFrame)
        m_pMainFrame->setPaneText(CMainFrameCoreLogic::PaneMessage, fw::loadString(textId));
}

void CKvAppCore::PumpLongOperation()
{
    RepaintWhileWaiting();
}

void CKvAppCore::RepaintWhileWaiting()
{
    // Windows lay out and repaint; input, timers and posted commands wait until the
    // operation is over, so nothing re-enters the step under way.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
}

void CKvAppCore::EndLongOperation()
{
    if (m_nLongOperations > 0 && --m_nLongOperations == 0)
        KvShowWaitCursor(false);
    if (m_pMainFrame)
        m_pMainFrame->setPaneText(CMainFrameCoreLogic::PaneMessage, std::string());
}

CMainFrameCoreLogic* CKvAppCore::MainFrameLogic() const
{
    return m_pMainFrame.get();
}
