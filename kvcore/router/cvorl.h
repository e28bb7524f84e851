// CVorl: the workstation's one router session. It loads the router library by
// name, keeps the client handle, the user and password digest, the byte
// counters and the error state of the last router call, and shows router
// errors to the user through the message-box hook.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "kvcore/kvcore_api.h"
#include "kvcore/router/vorl_api.h"

struct tagTMSG;

// Router results the session reacts to.
enum : int {
    VORLST_OK = 0,
    VORLST_NO_SLOT = 2,
    VORLST_NOTHING_PENDING = 3,
    VORLST_PKT_STARTED = 4,
    VORLST_NO_ROOM = 6,
    VORLST_SEND_TRIES = 7,
    VORLST_TIMEOUT = 9,
    VORLST_PROTOCOL = 10,
    VORLST_INVALID_HANDLE = 21,
    VORLST_LOGON_REFUSED = 25,
    // The session's own results, outside the router's range.
    VORLST_LOGON_TEXT = 1001, // user or digest does not fit the logon text
    VORLST_NO_ENTRY = 1002, // the router library lacks the function called
};

class KVCORE_API CVorl {
public:
    static constexpr int kRecvBufferSize = 30000;
    static constexpr int kLogonMessageType = 129;
    static constexpr int kLogonRefused = 192;
    static constexpr int kLogonAccepted = 193;
    static constexpr int kReplyTextSize = 256;

    CVorl();
    ~CVorl();
    CVorl(const CVorl&) = delete;
    CVorl& operator=(const CVorl&) = delete;

    // Loads libvorl.so from `folder` (empty: beside libkvcore.so, then the
    // current folder), binds the fifteen entry points by name (a missing one
    // stays null) and points VORLMSGFILE at vorl.msg beside the library. Shows
    // string 30100 and returns 0 when the library cannot be loaded.
    int Init(const std::string& folder = std::string());
    // Uses a table of entry points instead of a loaded library (a test router).
    int Attach(const VorlApi& api);

    int Connect(const char* service, const char* hostType, const char* user, const char* password,
        int timeout, int connectTime, const char* text, int n, const char* preferredServer,
        const char* broadcastAddress, int bufferSize, int logonType, const char* broadcastHost);
    int Connect(const char* service, const char* hostType, const char* user, const char* password,
        int logonType = kLogonMessageType);
    int Disconnect();
    int LogonChange(const char* user, const char* password);
    static int LogonFn(int event, const void* text, int length, int value);

    int Recv(int timeout);
    // A wait gave up on the reply to its request: the next reply packet to
    // arrive is that one, and Recv drops it (reporting a time-out) instead of
    // handing it to whoever receives next.
    void AbandonReply() { ++m_nAbandonedReplies; }
    int NumMessages(int* count);
    // Fetches message `index` of the last reply into the receive buffer; the
    // text is zero-terminated after its length.
    int Message(int index, tagTMSG* message, int32_t* value);
    int Send(int type, const char* text, int length, int value);
    int StartPacket(int type, const char* text, int length, int value);
    int AddMessage(int type, const char* text, int length, int value);
    int EndPacket();
    int ResetPacket();

    int IsError() const { return m_nStatus != 0; }
    int IsCriticalError() const { return m_bConnectionLost; }
    int GetResult() const { return m_nStatus; }
    int IsBlocked() const { return m_bBlocked; }
    int IsConnect() const { return m_bConnected; }
    int IsVORLLoaded() const { return m_bLoaded; }
    void* GetInstance() const { return m_hInstance; }
    const std::string& User() const { return m_sUser; }
    const std::string& Password() const { return m_sPassword; }
    const char* GetLogonReply() const { return m_szLogonReply; }
    int64_t GetSessionTime() const;
    uint64_t GetSendCount() const { return m_nSendCount; }
    uint64_t GetRecvCount() const { return m_nRecvCount; }
    void ResetCounts() { m_nSendCount = m_nRecvCount = 0; }
    int Version() const { return 4; }
    // Whether every one of the fifteen entry points was found.
    bool HasAllEntries() const;

    // Seconds of the process clock's steady scale (fw::clock(), which tests replace).
    static int64_t TickSeconds();

private:
    struct Library;
    int CheckError();
    int Store(int status);
    bool BuildLogonText(const char* user, const char* password, bool repeated, std::string& text) const;
    void DestroyHandle();

    int m_nStatus = 0;
    VORLHANDLE m_hVorl = nullptr;
    std::string m_sUser;
    std::string m_sPassword;
    int m_bConnected = 0;
    int m_bBlocked = 0;
    void* m_hInstance = nullptr;
    int m_bLoaded = 0;
    uint64_t m_nSendCount = 0;
    uint64_t m_nRecvCount = 0;
    uint64_t m_nPacketBytes = 0;
    int64_t m_nSessionStart = 0;
    int m_bConnectionLost = 0;
    int m_nAbandonedReplies = 0;
    char m_szLogonReply[kReplyTextSize + 1] = {};
    VorlApi m_api {};
    std::unique_ptr<char[]> m_pRecvBuffer; // kRecvBufferSize + a terminator
    int m_nToken = 0; // the logon callback's value for this session
};

// The application's router session (null before start-up and after a failed load).
KVCORE_API extern CVorl* pvorl;
// Creates the session and loads the router; on failure the error has been shown,
// the session is gone and the result is 0.
KVCORE_API int KvCreateRouterSession(const std::string& folder = std::string());
KVCORE_API void KvDestroyRouterSession();
