#include "kvcore/app/main_frame_logic.h"

#include "kvcore/app/app_core_base.h"
#include "kvcore/app/intl.h"
#include "kvcore/app/logon.h"
#include "kvcore/app/logon_checks.h"
#include "kvcore/app/message_box.h"
#include "kvcore/app/profile_settings.h"
#include "kvcore/app/session_core.h"
#include "kvcore/res/app_ids.h"
#include "kvcore/router/cvorl.h"
#include "kvcore/router/info_req.h"
#include "kvcore/values/cdatetime.h"

namespace {
bool RouterCritical()
{
    return pvorl != nullptr && pvorl->IsCriticalError();
}
} // namespace

CMainFrameCoreLogic::CMainFrameCoreLogic() = default;

CMainFrameCoreLogic::~CMainFrameCoreLogic()
{
    if (m_pSession) {
        DropSession();
        ResetAllPermTargets();
    }
}

void CMainFrameCoreLogic::DropSession()
{
    if (ps == m_pSession.get())
        ps = nullptr;
    m_pSession.reset();
}

int CMainFrameCoreLogic::DoCheck()
{
    const int query = QuerySecurityCheck();
    if (query == KV_SECURITY_START)
        return 1;
    if (query == KV_SECURITY_REFUSED)
        return 0;
    return CheckSecurityCode();
}

std::unique_ptr<CSessionCore> CMainFrameCoreLogic::CreateSession()
{
    return std::make_unique<CSessionCore>();
}

void CMainFrameCoreLogic::SetInterface(unsigned nIDR)
{
    m_nCurrentIDR = nIDR;
    ApplyInterface(nIDR, nIDR != GetLoggedOffIDR());
}

void CMainFrameCoreLogic::ShowClock()
{
    const CDateTime now = CDateTime::GetTickCount();
    SetPaneText(PaneTime, now.FormatTime());
    // The date pane follows any change of date (midnight, a new offset to the host, a
    // clock set back), not only the tick after 23:59:59.
    const std::string date = now.FormatDateVORL();
    if (m_bRefreshDate || date != m_sShownDate) {
        SetPaneText(PaneDate, now.FormatDate());
        m_sShownDate = date;
        m_bRefreshDate = false;
    }
}

void CMainFrameCoreLogic::OnTimer(unsigned timerId)
{
    if (timerId == kDateTimer && ps != nullptr) {
        ps->RequestTETime();
        m_bRefreshDate = true;
    }
    ShowClock();
    if (ps == nullptr)
        return;
    if (IsFrameIconic() || m_bSaverRunning || m_bLocked)
        return;
    if (fHighSpeedMode && IsFrameEnabled() && !fHighSpeed && iHighSpeedDelay > 0) {
        if (++ps->m_nIdleTicks >= iHighSpeedDelay)
            fHighSpeed = 1;
    }
    if (IsMenuOpen() || !IsFrameEnabled())
        fHighSpeed = 0;
    if (iTS > 0 && ++ps->m_nPollTicks >= iTS) {
        ps->m_nPollTicks = 0;
        if (!fHighSpeed)
            DoReceiveRequest();
    }
}

void CMainFrameCoreLogic::DoReceiveRequest()
{
    CKvAppCoreBase* app = CKvAppCoreBase::Current();
    if (app == nullptr)
        return;
    if (!IsInfoReqQueueEmpty())
        app->DoReceive();
    if (IsInfoReqQueueEmpty())
        app->DoRequest();
    if (RouterCritical() && !InModalState())
        PostFrameCommand(ID_KV_LOGOFF);
    OnPollEvent();
}

void CMainFrameCoreLogic::OnTableRefresh()
{
    if (ps != nullptr && !IsFrameIconic() && !m_bSaverRunning && !m_bLocked)
        DoReceiveRequest();
}

void CMainFrameCoreLogic::AbandonLogon()
{
    if (pvorl != nullptr && pvorl->IsConnect()) {
        if (!pvorl->IsCriticalError())
            SendUserLogoff(pvorl->User());
        pvorl->Disconnect();
    }
    ResetAllPermTargets();
}

void CMainFrameCoreLogic::OnSessionBegin()
{
    if (ps != nullptr || pvorl == nullptr || m_bEnding)
        return;
    LockUpdates(true);
    int resetLogPrinting = 0;
    if (!pvorl->IsConnect() && !RunLogonDialog(resetLogPrinting))
        return;
    ResetTables();
    KvWaitCursor wait;
    if (!DoCheck() || (resetLogPrinting && !RequestResetLogPrinting()) || !CollectAllInfoRequestsBlocking()
        || RouterCritical()) {
        AbandonLogon();
        return;
    }
    m_pSession = CreateSession();
    if (!m_pSession) {
        AbandonLogon();
        return;
    }
    ps = m_pSession.get();
    ps->m_sUser = pvorl->User();
    ps->m_sPassword = pvorl->Password();
    if (!ps->RequestTETime() || !ps->GetUserPermissions() || !ps->GetUserFirm()) {
        // A session that cannot start leaves no half-open connection behind.
        DropSession();
        AbandonLogon();
        return;
    }
    m_bRefreshDate = true;
    ps->OnNewDocument();
    SetInterface(GetLoggedOnIDR());
    ps->BCMessagesSwitch();
    ps->RestoreSettings(nullptr);
    LockUpdates(false);
}

void CMainFrameCoreLogic::EndSession(int bLogoff)
{
    // Storing the data shows progress; a "Log off" that arrives meanwhile finds the
    // session already ending.
    if (ps == nullptr || m_bEnding)
        return;
    struct Ending {
        bool& flag;
        explicit Ending(bool& f)
            : flag(f)
        {
            flag = true;
        }
        ~Ending() { flag = false; }
    } ending(m_bEnding);
    const std::string user = ps->m_sUser;
    KvWaitCursor wait;
    if (m_bPreviewOpen)
        ClosePrintPreview();
    LockUpdates(true);
    ps->SaveSettings(nullptr);
    StoreAllPermTargets();
    LockUpdates(false);
    if (bLogoff && !RouterCritical())
        SendUserLogoff(user);
    if (pvorl != nullptr)
        pvorl->Disconnect();
    MDIDestroyAll();
    ResetAllPermTargets();
    CDateTime::ResetKvTime();
    m_bRefreshDate = true;
    DropSession();
    SetInterface(GetLoggedOffIDR());
}

void CMainFrameCoreLogic::OnForceLogoff()
{
    KvMessageBoxId(IDS_LOGGED_OUT, fw::MB_ICONSTOP);
    SendFrameCommand(ID_KV_LOGOFF);
}

void CMainFrameCoreLogic::OnClose()
{
    if (ps != nullptr)
        EndSession(1);
}

bool CMainFrameCoreLogic::OnQueryEndSession()
{
    if (ps != nullptr)
        SendFrameCommand(ID_KV_LOGOFF);
    return true;
}

void CMainFrameCoreLogic::OnSettingChange()
{
    GetIntlInfo();
    SetPaneInfo();
    m_bRefreshDate = true;
    UpdateAllDocuments();
}

void CMainFrameCoreLogic::OnTimeChange()
{
    if (ps != nullptr)
        ps->RequestTETime();
}

bool CMainFrameCoreLogic::OrderPaneShown()
{
    return iMMOverWrite > 0 && iMMOverWrite % 2 == 1;
}

int CMainFrameCoreLogic::OrderPaneWidth()
{
    return OrderPaneShown() ? 60 : 0;
}

void CMainFrameCoreLogic::SetOrderNumOnStatusBar(int n)
{
    if (!OrderPaneShown())
        return;
    SetPaneText(PaneOrders, n > 0 ? std::to_string(n) : std::string());
}
