#include "kvcore/app/logon_checks.h"

#include <cstring>
#include <utility>
#include <vector>

#include "kvcore/app/app_core_base.h"
#include "kvcore/router/cvorl.h"
#include "kvcore/values/field_writer.h"

namespace {

KvLogonDialogs& Dialogs()
{
    static KvLogonDialogs dialogs;
    return dialogs;
}

enum : int {
    kTrLogoff = 130,
    kTrSecurityQuery = 152,
    kTrSecurityCode = 153,
    kReqResetLogPrinting = 68,
};

// Attempts of the password change before the session is refused: the host keeps
// answering "PW" only if the change did not take.
constexpr int kMaxPasswordRounds = 8;

std::string UserKey(const std::string& user)
{
    return KvFieldWriter().TextCut(user, 12).Str();
}

std::string SessionUser()
{
    return pvorl == nullptr ? std::string() : pvorl->User();
}

} // namespace

void KvSetLogonDialogs(KvLogonDialogs dialogs)
{
    Dialogs() = std::move(dialogs);
}

bool KvRunPasswordChange(bool expired)
{
    const auto& change = Dialogs().passwordChange;
    return change && change(expired);
}

int QuerySecurityCheck()
{
    for (int round = 0; round < kMaxPasswordRounds; ++round) {
        // The application's receive step writes the host's reply text over the request
        // text (at most its length, ended by a zero byte when shorter).
        const std::string key = UserKey(SessionUser());
        std::vector<char> buffer(key.begin(), key.end());
        buffer.resize(key.size() + 1, '\0');
        if (!VORLTransaction(kTrSecurityQuery, buffer.data(), static_cast<int>(key.size()), 1))
            return KV_SECURITY_ASK_CODE;
        std::string reply(buffer.data(), strnlen(buffer.data(), key.size()));
        while (!reply.empty() && reply.back() == ' ')
            reply.pop_back();
        if (reply == "PW") {
            const auto& change = Dialogs().passwordChange;
            if (!change || !change(true))
                return KV_SECURITY_REFUSED;
            continue;
        }
        return reply == "YES" ? KV_SECURITY_ASK_CODE : KV_SECURITY_START;
    }
    return KV_SECURITY_REFUSED;
}

int CheckSecurityCode()
{
    std::string code;
    const auto& dialog = Dialogs().securityCode;
    if (!dialog || !dialog(code))
        return 0;
    KvFieldWriter w;
    w.TextCut(SessionUser(), 12).Text(code, 20);
    if (!w.Ok())
        return 0;
    std::string text = w.Str();
    return VORLTransaction(kTrSecurityCode, text.data(), static_cast<int>(text.size()), 1);
}

int RequestResetLogPrinting()
{
    const std::string key = UserKey(SessionUser());
    return VORLInfoReq(kReqResetLogPrinting, key.c_str(), static_cast<int>(key.size()), nullptr);
}

int SendUserLogoff(const std::string& user)
{
    std::string key = UserKey(user);
    return VORLTransaction(kTrLogoff, key.data(), static_cast<int>(key.size()), 1);
}
