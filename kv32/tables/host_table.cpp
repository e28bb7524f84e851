#include "kv32/tables/host_table.h"

#include <cstring>
#include <new>

#include "kv32/res/ids.h"
#include "kv32/res/strings.h"
#include "kvcore/app/app_core_base.h"
#include "kvcore/app/message_box.h"
#include "kvcore/router/cvorl.h"
#include "kvcore/router/vorl_target.h"
#include "kvcore/values/field_codecs.h"

namespace {

bool SessionUsable()
{
    return pvorl != nullptr && !pvorl->IsError();
}

// The request text, or empty when a field did not fit.
std::string BuildKey(const std::function<void(KvFieldWriter&)>& buildKey)
{
    KvFieldWriter w;
    AppendUserField(w);
    if (buildKey)
        buildKey(w);
    return w.Str();
}

} // namespace

void AppendUserField(KvFieldWriter& w)
{
    // The router logs on with the user cut to 12 bytes, and the host knows it so.
    w.TextCut(pvorl != nullptr ? pvorl->User() : std::string(), 12);
}

int RunSnapshotLoop(int code, CVorlTarget* target, const std::function<void(KvFieldWriter&)>& buildKey)
{
    fLastRec = 0;
    std::string previous;
    while (fLastRec == 0) {
        if (!SessionUsable())
            return 0;
        std::string key = BuildKey(buildKey);
        if (key.empty() || key == previous)
            return key.empty() ? 0 : 1;
        if (!VORLInfoReq(code, key.data(), static_cast<int>(key.size()), target))
            return 0;
        previous = std::move(key);
    }
    return SessionUsable() ? 1 : 0;
}

int SendStandingRequest(int code, CVorlTarget* target, const std::function<void(KvFieldWriter&)>& buildKey)
{
    if (!SessionUsable())
        return 0;
    const std::string key = BuildKey(buildKey);
    if (key.empty())
        return 0;
    return VORLInfoReqAdd(code, key.data(), static_cast<int>(key.size()), target) ? 1 : 0;
}

void ShowLowMemory()
{
    KvMessageBox(Kv32LoadString(IDS_LOW_MEMORY), fw::MB_ICONEXCLAMATION);
}

CHostTableState::CHostTableState()
{
    ResetNextKey();
    ResetSeqNum();
}

void CHostTableState::ResetNextKey()
{
    std::memset(m_szNextKey, '0', kNextKeyWidth);
    m_szNextKey[kNextKeyWidth] = '\0';
}

void CHostTableState::ResetSeqNum()
{
    std::memset(m_szSeqNum, '0', kSeqNumWidth);
    m_szSeqNum[kSeqNumWidth] = '\0';
}

void CHostTableState::TakeNextKey(std::string_view field)
{
    char key[kNextKeyWidth + 1];
    const int n = static_cast<int>(field.size() < kNextKeyWidth ? field.size() : kNextKeyWidth);
    Vorl2Str0(key, field.data(), n);
    std::memcpy(m_szNextKey, key, sizeof key);
}

void CHostTableState::TakeSeqNum(std::string_view field)
{
    const size_t n = field.size() < kSeqNumWidth ? field.size() : kSeqNumWidth;
    std::memcpy(m_szSeqNum, field.data(), n);
    m_szSeqNum[n] = '\0';
}

void CHostTableState::AppendNextKey(KvFieldWriter& w) const
{
    w.Text(m_szNextKey, kNextKeyWidth);
}

void CHostTableState::AppendSeqNum(KvFieldWriter& w) const
{
    w.Text(m_szSeqNum, kSeqNumWidth);
}
