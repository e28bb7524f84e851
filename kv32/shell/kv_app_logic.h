// The program's receive operations and its access check on an application
// base of kvcore: the window-free logic in tests and tools, the windowed
// application core in the program (class CKvApp : public CKvAppT<CKvAppCore>).
#pragma once

#include "fw/core/profile.h"
#include "kv32/shell/app_settings.h"
#include "kv32/shell/permissions.h"
#include "kv32/shell/reply_dispatch.h"
#include "kvcore/app/app_core_logic.h"
#include "kvcore/app/profile_settings.h"

template <class TBase> class CKvAppT : public TBase {
public:
    int VORLTransactionRecv(int code, char* text, int len, int flag) override
    {
        return m_dispatch.TransactionRecv(*this, code, text, len, flag);
    }
    int VORLBlockedInfoReqEnd(CVorlTarget* target) override
    {
        return m_dispatch.BlockedInfoReqEnd(*this, target);
    }
    int VORLInfoReqRecv() override { return m_dispatch.InfoReqRecv(*this); }
    void DoReceive() override
    {
        TBase::DoReceive();
        m_dispatch.AfterReceive();
    }
    void CollectAllRequests() override { m_dispatch.CollectAllRequests(*this); }
    int CanAccess(unsigned id, unsigned /*unused*/) override { return IsCommandAllowed(id) ? 1 : 0; }
    // The core's settings, then the program's.
    void LoadStdProfileSettings() override
    {
        TBase::LoadStdProfileSettings();
        KvLoadAppSettings(fw::Profile(kKvAppProfile), KvAppSettings());
    }

    CKvReplyDispatch& Dispatch() { return m_dispatch; }

private:
    CKvReplyDispatch m_dispatch;
};

// The application logic without windows.
using CKvAppLogic = CKvAppT<CKvAppCoreLogic>;
