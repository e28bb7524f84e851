// The checks the main frame runs before a session starts (the password state
// and the security code), and the session's start and end messages to the host.
#pragma once

#include <functional>
#include <string>

#include "kvcore/kvcore_api.h"

// The dialogs the checks open; the windowed layer installs them, tests script them.
struct KvLogonDialogs {
    // The Security Check dialog: true on OK with the code typed.
    std::function<bool(std::string& code)> securityCode;
    // The password change dialog: true when the change went through.
    std::function<bool(bool expired)> passwordChange;
};
// Replaces the dialogs; an unset one counts as cancelled.
KVCORE_API void KvSetLogonDialogs(KvLogonDialogs dialogs);
// The installed password change dialog; false when it is missing or the change was not made.
KVCORE_API bool KvRunPasswordChange(bool expired);

enum : int {
    KV_SECURITY_START = 0, // the session may start
    KV_SECURITY_ASK_CODE = 1, // the security code decides
    KV_SECURITY_REFUSED = -1, // an expired password was not changed
};

// Transaction 152: the host's word on the user's password. "PW" (expired) opens
// the password change and asks again once it succeeded; a change not made refuses
// the session. "YES" and a failed transaction ask for the security code.
KVCORE_API int QuerySecurityCheck();
// The Security Check dialog, then transaction 153 with the code; 0 when cancelled.
KVCORE_API int CheckSecurityCode();
// Information request 68: the host starts the user's log printing again.
KVCORE_API int RequestResetLogPrinting();
// Transaction 130: the user leaves.
KVCORE_API int SendUserLogoff(const std::string& user);
