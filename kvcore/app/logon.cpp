#include "kvcore/app/logon.h"

#include "fw/core/profile.h"
#include "kvcore/app/app_core_base.h"
#include "kvcore/app/message_box.h"
#include "kvcore/app/profile_settings.h"
#include "kvcore/app/version_info.h"
#include "kvcore/res/app_ids.h"
#include "fw/core/strings.h"
#include "kvcore/router/cvorl.h"
#include "kvcore/security/password.h"
#include "kvcore/values/field_writer.h"

namespace {

constexpr int kTrClientVersion = 182;
constexpr int kClientVersionLength = 35;

KvWaitCursor::Hook g_waitHook = nullptr;

const char* OrNull(const std::string& text)
{
    return text.empty() ? nullptr : text.c_str();
}

} // namespace

KvVorlSettings KvVorlSettings::Read(const fw::Profile& profile)
{
    constexpr const char* kSection = "vorl";
    KvVorlSettings s;
    s.service = profile.getString(kSection, "Service");
    s.server = profile.getString(kSection, "Server");
    s.preferred = profile.getString(kSection, "Prefered");
    s.bcAddress = profile.getString(kSection, "BCAddress");
    s.bcHost = profile.getString(kSection, "BCHost");
    s.timeout = profile.getInt(kSection, "Timeout", 0);
    s.connectTime = profile.getInt(kSection, "ConnectTime", 0);
    s.bufSize = profile.getInt(kSection, "BufSize", 0);
    return s;
}

std::string KvClientVersionText(const std::string& user, const std::string& version)
{
    KvFieldWriter w;
    w.TextCut(user, 12).Text("Kv-", 3).Text(version, 20);
    return w.Str();
}

std::string& KvLastUser()
{
    static std::string user;
    return user;
}

int LogonAndConnect(const std::string& user, const std::string& password)
{
    if (pvorl == nullptr)
        return 0;
    const KvVorlSettings s = KvVorlSettings::Read(fw::Profile(kKvAppProfile));
    const std::string version = KvProgramVersion();
    const std::string digest = PasswordDigest(password, user);
    KvWaitCursor wait;
    pvorl->Connect(OrNull(s.service), OrNull(s.server), user.c_str(), digest.c_str(), s.timeout, s.connectTime,
        nullptr, 0, OrNull(s.preferred), OrNull(s.bcAddress), s.bufSize, CVorl::kLogonMessageType,
        OrNull(s.bcHost));
    if (pvorl->IsError())
        return 0;
    std::string text = KvClientVersionText(pvorl->User(), version);
    if (text.size() != kClientVersionLength
        || !VORLTransaction(kTrClientVersion, text.data(), kClientVersionLength, 1)) {
        KvMessageBox(fw::loadString(IDS_CLIENT_VERSION_REFUSED), fw::MB_OK);
        pvorl->Disconnect();
        return 0;
    }
    return pvorl->IsError() ? 0 : 1;
}

KvWaitCursor::KvWaitCursor()
{
    if (g_waitHook != nullptr)
        g_waitHook(true);
}

KvWaitCursor::~KvWaitCursor()
{
    if (g_waitHook != nullptr)
        g_waitHook(false);
}

void KvWaitCursor::SetHook(Hook hook)
{
    g_waitHook = hook;
}
