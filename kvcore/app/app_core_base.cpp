#include "kvcore/app/app_core_base.h"

#include <cstring>
#include <string>
#include <vector>

#include "kvcore/router/cvorl.h"
#include "kvcore/router/info_req.h"
#include "kvcore/router/kv_trace.h"
#include "kvcore/router/vorl_target.h"

int fPacket = 0;
int fTrPacket = 0;
int fLastRec = 0;

namespace {

CKvAppCoreBase* g_current = nullptr;

bool SessionCritical()
{
    return pvorl == nullptr || pvorl->IsCriticalError();
}

int TargetValue(const CVorlTarget* target)
{
    return target == nullptr ? 0 : static_cast<int>(target->GetToken());
}

// Opens the packet with the message, or adds the message to the open one; open is the packet's
// flag. pvorl is set.
int AddToPacket(int& open, int code, const char* text, int len, int value)
{
    if (open == 0)
        pvorl->StartPacket(code, text, len, value);
    else
        pvorl->AddMessage(code, text, len, value);
    if (pvorl->IsError())
        return 0;
    open = 1;
    return 1;
}

int EndPacket(int& open)
{
    if (pvorl == nullptr || pvorl->EndPacket() != 0)
        return 0;
    open = 0;
    return 1;
}

} // namespace

CKvAppCoreBase::CKvAppCoreBase()
    : m_pPrevious(g_current)
{
    g_current = this;
}

CKvAppCoreBase::~CKvAppCoreBase()
{
    if (g_current == this)
        g_current = m_pPrevious;
}

CKvAppCoreBase* CKvAppCoreBase::Current()
{
    return g_current;
}

KvRecvWaitScope::KvRecvWaitScope(CKvAppCoreBase* app, int seconds)
    : m_pApp(app)
    , m_nSaved(app->m_nRecvWait)
{
    app->m_nRecvWait = seconds;
}

KvRecvWaitScope::~KvRecvWaitScope()
{
    m_pApp->m_nRecvWait = m_nSaved;
}

void CKvAppCoreBase::RunOutsideTheRoad(const std::function<void()>& hook)
{
    if (!hook)
        return;
    struct Depth {
        int& depth;
        explicit Depth(int& d)
            : depth(d)
        {
            ++depth;
        }
        ~Depth() { --depth; }
    } busy(m_nBusyDepth);
    hook();
}

KvWaitRound CKvAppCoreBase::WaitBounded(const char* awaited, const std::function<KvWaitRound()>& round)
{
    for (int i = 0; i < kMaxWaitRounds; ++i) {
        if (i > 0)
            RunOutsideTheRoad([this] { RepaintWhileWaiting(); });
        const KvWaitRound result = round();
        if (result != KvWaitRound::Again)
            return result;
    }
    KvTrace(std::string("gave up waiting for ") + awaited + " after " + std::to_string(kMaxBlockingWaitSeconds)
        + " seconds");
    return KvWaitRound::Again;
}

void CKvAppCoreBase::DrainInfoReplies()
{
    KvRecvWaitScope wait(this, kWaitSeconds);
    WaitBounded("the replies owed to earlier requests", [this] {
        if (aInfoReq.IsEmpty() || SessionCritical())
            return KvWaitRound::Done;
        DoReceive();
        if (aInfoReq.IsEmpty())
            return KvWaitRound::Done;
        // Only "nothing yet" is worth another wait; any other outcome that leaves
        // the queue full means no reply will come to empty it.
        return pvorl != nullptr && pvorl->GetResult() == VORLST_TIMEOUT ? KvWaitRound::Again : KvWaitRound::Failed;
    });
}

int CKvAppCoreBase::VORLTransactionAdd(int code, char* text, int len)
{
    if (pvorl == nullptr)
        return 0;
    if (fPacket)
        VORLInfoReqEnd();
    DrainInfoReplies();
    return AddToPacket(fTrPacket, code, text, len, kTransactionValue);
}

int CKvAppCoreBase::VORLTransactionEnd()
{
    return EndPacket(fTrPacket);
}

int CKvAppCoreBase::VORLTransactionRecv(int /*code*/, char* /*text*/, int /*len*/, int /*flag*/)
{
    return 0;
}

int CKvAppCoreBase::VORLInfoReq(int code, const char* text, int len, CVorlTarget* target)
{
    if (fPacket)
        VORLInfoReqEnd();
    DrainInfoReplies();
    if (!VORLInfoReqAdd(code, text, len, target))
        return 0;
    return VORLBlockedInfoReqEnd(target) ? 1 : 0;
}

int CKvAppCoreBase::VORLInfoReqAdd(int code, const char* text, int len, CVorlTarget* target)
{
    if (pvorl == nullptr)
        return 0;
    if (fPacket == 0)
        aInfoReq.RemoveAll();
    return AddToPacket(fPacket, code, text, len, TargetValue(target));
}

int CKvAppCoreBase::VORLInfoReqEnd()
{
    return EndPacket(fPacket);
}

int CKvAppCoreBase::VORLBlockedInfoReqEnd(CVorlTarget* /*target*/)
{
    return 0;
}

int CKvAppCoreBase::VORLInfoReqRecv()
{
    return 0;
}

void CKvAppCoreBase::DoRequest()
{
    if (IsRoadBusy())
        return;
    if (!SessionCritical()) {
        CollectAllRequests();
        if (!aInfoReq.IsEmpty())
            VORLInfoReqEnd();
    } else if (!IsModalState()) {
        PostMainCommand(ID_KV_LOGOFF);
    }
}

void CKvAppCoreBase::DoReceive()
{
    if (IsRoadBusy())
        return;
    if (!SessionCritical()) {
        VORLInfoReqRecv();
        if (CanForceLogoff() && m_bForceLogoff) {
            PostMainCommand(ID_KV_FORCE_LOGOFF);
            m_bForceLogoff = 0;
        }
    } else if (!IsModalState()) {
        PostMainCommand(ID_KV_LOGOFF);
    }
}

void CKvAppCoreBase::DoCommand(const char* command)
{
    if (command != nullptr && std::strcmp(command, "LOGOFF") == 0)
        m_bForceLogoff = 1;
}

void CKvAppCoreBase::CollectAllRequests()
{
    // Dialogs pumped during a blocking receive can reach the poll again.
    if (m_bCollecting)
        return;
    m_bCollecting = true;
    // By index: a target may register or leave while it builds its request.
    auto& targets = CVorlPermTarget::apPermTargets;
    for (size_t i = 0; i < targets.size(); ++i) {
        CVorlPermTarget* target = targets[i];
        if (target->UpdateReq())
            target->OnPostUpdateReq();
    }
    CollectAllDocumentsReqs();
    m_bCollecting = false;
}

int CKvAppCoreBase::WaitForReply()
{
    if (pvorl == nullptr)
        return 0;
    const KvWaitRound result = WaitBounded("a reply", [] {
        if (pvorl == nullptr)
            return KvWaitRound::Failed;
        if (pvorl->Recv(kWaitSeconds) == 0)
            return KvWaitRound::Done;
        return pvorl->GetResult() != VORLST_TIMEOUT || pvorl->IsCriticalError() ? KvWaitRound::Failed
                                                                               : KvWaitRound::Again;
    });
    if (result == KvWaitRound::Again && pvorl != nullptr)
        pvorl->AbandonReply();
    return result == KvWaitRound::Done ? 1 : 0;
}

int CKvAppCoreBase::ReceiveInfoReplies(int timeoutSeconds)
{
    if (pvorl == nullptr)
        return 0;
    if (pvorl->Recv(timeoutSeconds) != 0) {
        // The router holds no request awaiting a reply: none will come for the
        // queue, and a queue that never empties would stop every later poll.
        if (pvorl->GetResult() == VORLST_NOTHING_PENDING)
            aInfoReq.RemoveAll();
        return 0;
    }
    int count = 0;
    if (pvorl->NumMessages(&count) != 0)
        return 0;
    // The packet answers the queue as it stands now; targets may queue new
    // requests while they take their data, so work on a copy.
    std::vector<CInfoReq> entries;
    entries.reserve(static_cast<size_t>(aInfoReq.GetSize()));
    for (int i = 0; i < aInfoReq.GetSize(); ++i)
        entries.push_back(aInfoReq.GetAt(i));
    aInfoReq.RemoveAll();

    size_t entry = 0;
    bool carriedData = false;
    const auto targetOf = [&](size_t e) { return e < entries.size() ? entries[e].GetTarget() : nullptr; };
    tagTMSG message;
    for (int i = 0; i < count; ++i) {
        if (pvorl->Message(i, &message, nullptr) != 0)
            return 0;
        if (message.nLength == 0) {
            CVorlTarget* target = targetOf(entry);
            if (target != nullptr && carriedData)
                target->OnPostReceive();
            ++entry;
            carriedData = false;
            continue;
        }
        if (CVorlTarget* target = targetOf(entry))
            target->StoreDataItem(&message);
        carriedData = carriedData || message.nLength > 1;
    }
    if (carriedData) {
        if (CVorlTarget* target = targetOf(entry))
            target->OnPostReceive();
    }
    return pvorl->IsError() ? 0 : 1;
}

int CKvAppCoreBase::ReceiveBlockedReply(CVorlTarget* target)
{
    if (!VORLInfoReqEnd())
        return 0;
    const uint32_t token = target == nullptr ? 0 : target->GetToken();
    if (!WaitForReply())
        return 0;
    aInfoReq.RemoveAll();
    int count = 0;
    if (pvorl->NumMessages(&count) != 0)
        return 0;
    tagTMSG message;
    for (int i = 0; i < count; ++i) {
        if (pvorl->Message(i, &message, nullptr) != 0)
            return 0;
        if (message.nLength == 0) {
            fLastRec = 1;
            continue;
        }
        // Looked up for every message: the target may close while it takes one.
        if (CVorlTarget* live = CVorlTarget::FromToken(token))
            live->StoreDataItem(&message);
    }
    return pvorl->IsError() ? 0 : 1;
}

int CKvAppCoreBase::ReceiveTransactionReply(const std::function<void(const tagTMSG&)>& onMessage)
{
    if (fTrPacket && !VORLTransactionEnd())
        return 0;
    if (!WaitForReply())
        return 0;
    int count = 0;
    if (pvorl->NumMessages(&count) != 0)
        return 0;
    tagTMSG message;
    for (int i = 0; i < count; ++i) {
        if (pvorl->Message(i, &message, nullptr) != 0)
            return 0;
        if (onMessage)
            onMessage(message);
    }
    return pvorl->IsError() ? 0 : 1;
}
