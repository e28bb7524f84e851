#include "kvcore/app/app_core_logic.h"

#include "fw/core/profile.h"
#include "kvcore/app/main_frame_logic.h"
#include "kvcore/app/profile_settings.h"
#include "kvcore/app/session_core.h"

namespace {
CKvAppCoreLogic* g_logic = nullptr;
}

CKvAppCoreLogic::CKvAppCoreLogic()
    : m_pPreviousLogic(g_logic)
{
    g_logic = this;
}

CKvAppCoreLogic::~CKvAppCoreLogic()
{
    if (g_logic == this)
        g_logic = m_pPreviousLogic;
}

CKvAppCoreLogic* CKvAppCoreLogic::CurrentLogic()
{
    return g_logic;
}

void CKvAppCoreLogic::LoadStdProfileSettings()
{
    m_nLogoPeriod = KvLoadGeneralSettings(fw::Profile(kKvAppProfile));
}

bool CKvAppCoreLogic::WatchInput(KvInputKind kind)
{
    if (ps == nullptr || kind == KvInputKind::Other)
        return false;
    if (kind != KvInputKind::MouseOther) {
        fHighSpeed = 0;
        ps->m_nIdleTicks = 0;
        if (CMainFrameCoreLogic* frame = MainFrameLogic())
            frame->SetScreenSaverRunning(false);
    }
    if (kind == KvInputKind::Key)
        return false;
    return ps->m_bMouse == 0;
}

int CanAccess(unsigned id, unsigned param)
{
    CKvAppCoreLogic* app = CKvAppCoreLogic::CurrentLogic();
    return app == nullptr ? 1 : app->CanAccess(id, param);
}
