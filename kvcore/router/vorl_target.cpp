#include "kvcore/router/vorl_target.h"

#include <algorithm>
#include <string>
#include <unordered_map>

#include "kvcore/router/info_req.h"
#include "kvcore/router/kv_trace.h"
#include "kvcore/router/record_reader.h"

namespace {

// The value a transaction message carries; no target may look like it.
constexpr uint32_t kTransactionValue = 4138027;

std::unordered_map<uint32_t, CVorlTarget*>& Registry()
{
    static std::unordered_map<uint32_t, CVorlTarget*> registry;
    return registry;
}

uint32_t NextToken()
{
    static uint32_t next = 0;
    auto& registry = Registry();
    // Tokens are not reused while their target lives; after a wrap the search
    // skips the live ones.
    do {
        ++next;
    } while (next == 0 || next == kTransactionValue || registry.count(next) != 0);
    return next;
}

} // namespace

void TraceShortRecord(const tagTMSG& message)
{
    KvTrace("record of type " + std::to_string(message.nType) + " dropped: " + std::to_string(message.nLength)
        + " bytes are fewer than its fields need");
}

std::vector<CVorlPermTarget*> CVorlPermTarget::apPermTargets;
CInfoReqArray aInfoReq;

CVorlTarget::CVorlTarget()
    : m_nToken(NextToken())
{
    Registry().emplace(m_nToken, this);
}

CVorlTarget::~CVorlTarget()
{
    Registry().erase(m_nToken);
}

CVorlTarget* CVorlTarget::FromToken(uint32_t token)
{
    const auto it = Registry().find(token);
    return it == Registry().end() ? nullptr : it->second;
}

int CVorlTarget::StoreDataItem(tagTMSG* message)
{
    if (message == nullptr || message->pText == nullptr)
        return 0;
    const size_t length = message->nLength < 0 ? 0 : static_cast<size_t>(message->nLength);
    CRecordReader reader(reinterpret_cast<const char*>(message->pText), length);
    Decode(reader);
    if (!reader.Ok())
        TraceShortRecord(*message);
    return 1;
}

CVorlPermTarget::CVorlPermTarget()
{
    apPermTargets.push_back(this);
}

CVorlPermTarget::~CVorlPermTarget()
{
    const auto it = std::find(apPermTargets.begin(), apPermTargets.end(), this);
    if (it != apPermTargets.end())
        apPermTargets.erase(it);
}

void CVorlPermTarget::OnPostUpdateReq()
{
    aInfoReq.Add(INFOREQ_PERMANENT, m_wID, this);
}

CArrayPerm::~CArrayPerm() = default;

void CArrayPerm::Free()
{
    m_nState = 0;
    RemoveAll();
}

CVorlTarget* CInfoReq::GetTarget() const
{
    return nTarget == 0 ? nullptr : CVorlTarget::FromToken(nTarget);
}

void CInfoReqArray::Add(int32_t kind, int32_t id, const CVorlTarget* target)
{
    m_items.push_back(CInfoReq { kind, id, target == nullptr ? 0u : target->GetToken() });
}

void CInfoReqArray::ClearTarget(const CVorlTarget* target)
{
    if (target == nullptr)
        return;
    for (CInfoReq& r : m_items) {
        if (r.nTarget == target->GetToken())
            r.nTarget = 0;
    }
}

int IsInfoReqQueueEmpty()
{
    return aInfoReq.IsEmpty() ? 1 : 0;
}
