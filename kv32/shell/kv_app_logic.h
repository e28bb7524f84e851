// The program's receive operations on any application base of kvcore: the
// window-free base in tests and tools, the windowed application core in the
// program (class CKvApp : public CKvAppT<CKvAppCore>).
#pragma once

#include "kv32/shell/reply_dispatch.h"
#include "kvcore/app/app_core_base.h"

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

    CKvReplyDispatch& Dispatch() { return m_dispatch; }

private:
    CKvReplyDispatch m_dispatch;
};

// The application logic without windows.
using CKvAppLogic = CKvAppT<CKvAppCoreBase>;
