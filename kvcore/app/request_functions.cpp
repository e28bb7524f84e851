// The request functions and the session-wide passes: thin doors to the
// current application object, so that the application program can replace
// any step.
#include "kvcore/app/app_core_base.h"
#include "kvcore/res/ids.h"
#include "kvcore/router/cvorl.h"
#include "kvcore/router/info_req.h"
#include "kvcore/router/vorl_target.h"

namespace {
// The application whose request road is open: none while a hook runs in the
// middle of a wait (a repaint, a long operation's display), so that a timer
// poll or any other caller cannot start a request inside the waiting one.
CKvAppCoreBase* App()
{
    CKvAppCoreBase* app = CKvAppCoreBase::Current();
    return app == nullptr || app->IsRoadBusy() ? nullptr : app;
}

// One step on every permanent target in turn, the long operation's display kept alive between
// them; stops at the first that fails. 1 when all succeeded.
int EveryPermTarget(CKvAppCoreBase* app, int (CVorlPermTarget::*step)())
{
    // By index: a step may add targets to the list.
    auto& targets = CVorlPermTarget::apPermTargets;
    int result = 1;
    for (size_t i = 0; i < targets.size() && result; ++i) {
        app->RunOutsideTheRoad([app] { app->PumpLongOperation(); });
        result = (targets[i]->*step)();
    }
    return result;
}
} // namespace

int VORLTransaction(int code, char* text, int len, int flag)
{
    CKvAppCoreBase* app = App();
    if (app == nullptr || !app->VORLTransactionAdd(code, text, len))
        return 0;
    return app->VORLTransactionRecv(code, text, len, flag) ? 1 : 0;
}

int VORLTransactionAdd(int code, char* text, int len)
{
    return App() == nullptr ? 0 : App()->VORLTransactionAdd(code, text, len);
}

int VORLTransactionEnd()
{
    return App() == nullptr ? 0 : App()->VORLTransactionEnd();
}

int VORLTransactionRecv(int code, char* text, int len, int flag)
{
    return App() == nullptr ? 0 : App()->VORLTransactionRecv(code, text, len, flag);
}

int VORLInfoReq(int code, const char* text, int len, CVorlTarget* target)
{
    return App() == nullptr ? 0 : App()->VORLInfoReq(code, text, len, target);
}

int VORLInfoReqAdd(int code, const char* text, int len, CVorlTarget* target)
{
    return App() == nullptr ? 0 : App()->VORLInfoReqAdd(code, text, len, target);
}

int VORLInfoReqEnd()
{
    return App() == nullptr ? 0 : App()->VORLInfoReqEnd();
}

int VORLBlockedInfoReqEnd(CVorlTarget* target)
{
    return App() == nullptr ? 0 : App()->VORLBlockedInfoReqEnd(target);
}

int VORLInfoReqRecv()
{
    return App() == nullptr ? 0 : App()->VORLInfoReqRecv();
}

int CollectAllInfoRequestsBlocking()
{
    CKvAppCoreBase* app = App();
    if (app == nullptr)
        return 0;
    app->BeginLongOperation(IDS_DOWNLOADING);
    auto& targets = CVorlPermTarget::apPermTargets;
    const int result = EveryPermTarget(app, &CVorlPermTarget::Load);
    if (result) {
        for (size_t i = 0; i < targets.size(); ++i) {
            if (targets[i]->UpdateReq())
                targets[i]->OnPostUpdateReq();
        }
        if (!aInfoReq.IsEmpty() && app->VORLInfoReqEnd()) {
            // The first load waits in the router for its reply instead of polling.
            KvRecvWaitScope wait(app, CKvAppCoreBase::kWaitSeconds);
            app->WaitBounded("the first load's reply", [app] {
                if (app->VORLInfoReqRecv())
                    return KvWaitRound::Done;
                return pvorl != nullptr && pvorl->GetResult() == VORLST_TIMEOUT ? KvWaitRound::Again
                                                                                 : KvWaitRound::Failed;
            });
        }
    }
    app->EndLongOperation();
    return result;
}

int StoreAllPermTargets()
{
    // Saving takes no part in the request road: it may run at any time.
    CKvAppCoreBase* app = CKvAppCoreBase::Current();
    if (app == nullptr)
        return 0;
    app->BeginLongOperation(IDS_STORING_DATA);
    const int result = EveryPermTarget(app, &CVorlPermTarget::Save);
    app->EndLongOperation();
    return result;
}

int ResetAllPermTargets()
{
    // Not from inside a wait: the waiting request still owns the packet and the queue.
    const CKvAppCoreBase* app = CKvAppCoreBase::Current();
    if (app != nullptr && app->IsRoadBusy())
        return 0;
    fPacket = 0;
    aInfoReq.RemoveAll();
    for (CVorlPermTarget* target : CVorlPermTarget::apPermTargets)
        target->Free();
    return 1;
}
