// The router library's entry points as kvcore binds them at run time. kvcore
// never links the router: it loads it by name and looks these up by name; the
// router's own declarations give the types.
#pragma once

#include <cstddef>

#include "vorl/client.h"
#include "vorl/errors.h"

using VorlLogonFn = VORLLogonFn;

struct VorlApi {
    decltype(&::VORLCreate) VORLCreate;
    decltype(&::VORLConnect) VORLConnect;
    decltype(&::VORLDisconnect) VORLDisconnect;
    decltype(&::VORLSetLogonMessage) VORLSetLogonMessage;
    decltype(&::VORLRecv) VORLRecv;
    decltype(&::VORLNumMessages) VORLNumMessages;
    decltype(&::VORLMessage) VORLMessage;
    decltype(&::VORLGetMessage) VORLGetMessage;
    decltype(&::VORLSend) VORLSend;
    decltype(&::VORLStartPacket) VORLStartPacket;
    decltype(&::VORLAddMessage) VORLAddMessage;
    decltype(&::VORLEndPacket) VORLEndPacket;
    decltype(&::VORLResetPacket) VORLResetPacket;
    decltype(&::VORLGetError) VORLGetError;
    // Bound for completeness; the session sets no options (the router reads
    // them from its configuration).
    decltype(&::VORLSetOption) VORLSetOption;
};

inline constexpr size_t kVorlEntryCount = 15;

// The names in binding order, matching the members of VorlApi.
inline constexpr const char* kVorlEntryNames[kVorlEntryCount] = { "VORLCreate", "VORLConnect", "VORLDisconnect",
    "VORLSetLogonMessage", "VORLRecv", "VORLNumMessages", "VORLMessage", "VORLGetMessage", "VORLSend",
    "VORLStartPacket", "VORLAddMessage", "VORLEndPacket", "VORLResetPacket", "VORLGetError", "VORLSetOption" };
