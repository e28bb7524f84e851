// The router library's entry points as kvcore binds them at run time. kvcore
// never links the router: it loads it by name and looks these up by name.
#pragma once

#include <cstddef>

using VORLHANDLE = void*;

// The logon callback: (message type of the logon reply, its data, its length,
// the value given with the logon message); -1 refuses the logon.
using VorlLogonFn = int (*)(int type, void* data, int length, int value);

struct VorlApi {
    int (*VORLCreate)(VORLHANDLE* handle, const char* config, const char* service, const char* hostType);
    int (*VORLConnect)(VORLHANDLE handle);
    int (*VORLDisconnect)(VORLHANDLE handle);
    int (*VORLSetLogonMessage)(
        VORLHANDLE handle, int type, const void* data, unsigned length, int value, VorlLogonFn callback);
    int (*VORLRecv)(VORLHANDLE handle, int timeout);
    int (*VORLNumMessages)(VORLHANDLE handle, int* count);
    int (*VORLMessage)(VORLHANDLE handle, int index, int* type, void** data, int* length, int* value);
    int (*VORLGetMessage)(
        VORLHANDLE handle, int index, int* type, void* buffer, int size, int* length, int* value);
    int (*VORLSend)(VORLHANDLE handle, int type, const void* data, int length, int packetClass, int value);
    int (*VORLStartPacket)(
        VORLHANDLE handle, int type, const void* data, int length, int packetClass, int value);
    int (*VORLAddMessage)(VORLHANDLE handle, int type, const void* data, int length, int value);
    int (*VORLEndPacket)(VORLHANDLE handle);
    int (*VORLResetPacket)(VORLHANDLE handle);
    const char* (*VORLGetError)(int code);
    // Bound for completeness; the session never sets options (the router reads
    // them from its configuration), so its value argument stays untyped here.
    void (*VORLSetOption)();
};

inline constexpr size_t kVorlEntryCount = 15;

// The names in binding order, matching the members of VorlApi.
inline constexpr const char* kVorlEntryNames[kVorlEntryCount]
    = { "VORLCreate", "VORLConnect", "VORLDisconnect", "VORLSetLogonMessage", "VORLRecv", "VORLNumMessages",
          "VORLMessage", "VORLGetMessage", "VORLSend", "VORLStartPacket", "VORLAddMessage", "VORLEndPacket",
          "VORLResetPacket", "VORLGetError", "VORLSetOption" };
