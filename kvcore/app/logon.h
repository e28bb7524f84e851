// Logging on: the connection settings of profile section "vorl", the password
// digest, the router session's connection and the client-version transaction
// that the host may refuse.
#pragma once

#include <string>

#include "kvcore/kvcore_api.h"

namespace fw {
class Profile;
}

// Section "vorl" of the application profile; an empty text stands for "not given".
struct KVCORE_API KvVorlSettings {
    std::string service;
    std::string server;
    std::string preferred;
    std::string bcAddress;
    std::string bcHost;
    int timeout = 0;
    int connectTime = 0;
    int bufSize = 0;

    static KvVorlSettings Read(const fw::Profile& profile);
};

// The text of transaction 182: the user in 12 bytes, "Kv-", the version in 20;
// always 35 bytes (a longer user is cut, as the logon cuts it; a longer version
// gives an empty text).
KVCORE_API std::string KvClientVersionText(const std::string& user, const std::string& version);

// Connects the router session with the user and the digest of the password, then
// announces the program's version; a refusal is shown and ends the connection.
// Nonzero when the session is connected and the version accepted.
KVCORE_API int LogonAndConnect(const std::string& user, const std::string& password);

// The user of the last logon made through the logon dialog.
KVCORE_API std::string& KvLastUser();

// Shows the wait cursor for its lifetime, through the hook the windowed layer sets.
class KVCORE_API KvWaitCursor {
public:
    KvWaitCursor();
    ~KvWaitCursor();
    KvWaitCursor(const KvWaitCursor&) = delete;
    KvWaitCursor& operator=(const KvWaitCursor&) = delete;

    // on: show (nested calls count), off: restore.
    using Hook = void (*)(bool on);
    static void SetHook(Hook hook);
};
