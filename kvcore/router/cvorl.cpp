#include "kvcore/router/cvorl.h"

#include <dlfcn.h>

#include <cstring>
#include <ctime>
#include <unordered_map>

#include "fw/core/clock.h"
#include "kvcore/app/message_box.h"
#include "kvcore/res/ids.h"
#include "kvcore/router/kv_trace.h"
#include "kvcore/router/vorl_target.h"
#include "kvcore/values/field_writer.h"

namespace {

// The router hands the logon callback a 32-bit value: a session token, never
// the session's address.
std::unordered_map<int, CVorl*>& Sessions()
{
    static std::unordered_map<int, CVorl*> sessions;
    return sessions;
}

int NewSessionToken(CVorl* session)
{
    static int next = 0;
    do {
        next = next == 0x7FFFFFFF ? 1 : next + 1;
    } while (Sessions().count(next) != 0);
    Sessions().emplace(next, session);
    return next;
}

constexpr const char* kRouterConfig = "kv32.ini";

} // namespace

CVorl::CVorl()
    : m_pRecvBuffer(std::make_unique<char[]>(kRecvBufferSize + 1))
{
    m_nToken = NewSessionToken(this);
}

CVorl::~CVorl()
{
    if (m_bConnected) {
        Disconnect();
    } else {
        DestroyHandle();
    }
    Sessions().erase(m_nToken);
    m_api = VorlApi {};
    if (m_hInstance != nullptr)
        dlclose(m_hInstance);
}

int64_t CVorl::TickSeconds()
{
    return fw::clock().steadyMs() / 1000;
}

int64_t CVorl::GetSessionTime() const
{
    return m_bConnected ? TickSeconds() - m_nSessionStart : 0;
}

bool CVorl::HasAllEntries() const
{
    const VorlApi& a = m_api;
    return a.VORLCreate && a.VORLConnect && a.VORLDisconnect && a.VORLSetLogonMessage && a.VORLRecv
        && a.VORLNumMessages && a.VORLMessage && a.VORLGetMessage && a.VORLSend && a.VORLStartPacket
        && a.VORLAddMessage && a.VORLEndPacket && a.VORLResetPacket && a.VORLGetError && a.VORLSetOption;
}

int CVorl::Attach(const VorlApi& api)
{
    m_api = api;
    m_bLoaded = 1;
    return m_bLoaded;
}

int CVorl::Store(int status)
{
    m_nStatus = status;
    CheckError();
    return m_nStatus;
}

int CVorl::CheckError()
{
    switch (m_nStatus) {
    case VORLST_OK:
        return 0;
    // A full packet is the caller's to handle; only a lost link or a broken
    // stream ends the session.
    case VORLST_SEND_TRIES:
    case VORLST_PROTOCOL:
        m_bConnectionLost = 1;
        break;
    default:
        break;
    }
    switch (m_nStatus) {
    case VORLST_LOGON_REFUSED:
        KvMessageBox(m_szLogonReply, fw::MB_ICONSTOP);
        break;
    case VORLST_NO_SLOT:
    case VORLST_NOTHING_PENDING:
    case VORLST_PKT_STARTED:
    case VORLST_TIMEOUT:
        break;
    case VORLST_LOGON_TEXT:
        KvMessageBoxId(IDS_LOGON_TEXT_TOO_LONG, fw::MB_ICONSTOP);
        break;
    case VORLST_NO_ENTRY:
        KvMessageBoxId(IDS_VORL_INCOMPLETE, fw::MB_ICONSTOP);
        break;
    default: {
        const char* text = m_api.VORLGetError != nullptr ? m_api.VORLGetError(m_nStatus) : nullptr;
        if (text != nullptr) {
            KvMessageBox(text, fw::MB_ICONSTOP);
        } else {
            KvMessageBoxId(IDS_VORL_INCOMPLETE, fw::MB_ICONSTOP);
        }
        break;
    }
    }
    return 1;
}

bool CVorl::BuildLogonText(const char* user, const char* password, bool repeated, std::string& text) const
{
    // The user is cut to 12 as the digest cuts it; a digest that does not fit
    // its 64 bytes is refused rather than shifting the host's fields.
    KvFieldWriter w;
    w.TextCut(user != nullptr ? user : "", 12).Text(password != nullptr ? password : "", 64);
    if (repeated)
        w.Char('R');
    if (!w.Ok())
        return false;
    text = w.Str();
    return true;
}

void CVorl::DestroyHandle()
{
    if (m_hVorl != nullptr && m_api.VORLDisconnect != nullptr)
        m_api.VORLDisconnect(m_hVorl);
    m_hVorl = nullptr;
}

int CVorl::Connect(const char* service, const char* hostType, const char* user, const char* password,
    int /*timeout*/, int /*connectTime*/, const char* /*text*/, int /*n*/, const char* /*preferredServer*/,
    const char* /*broadcastAddress*/, int /*bufferSize*/, int logonType, const char* /*broadcastHost*/)
{
    return Connect(service, hostType, user, password, logonType);
}

int CVorl::Connect(
    const char* service, const char* hostType, const char* user, const char* password, int logonType)
{
    m_bConnectionLost = 0;
    m_nAbandonedReplies = 0;
    const bool repeated = m_bConnected != 0;
    if (m_api.VORLCreate == nullptr || m_api.VORLSetLogonMessage == nullptr || m_api.VORLConnect == nullptr) {
        return Store(VORLST_NO_ENTRY);
    }
    std::string logon;
    if (!BuildLogonText(user, password, repeated, logon))
        return Store(VORLST_LOGON_TEXT);

    // A session still connected gives up its old handle: the new one replaces it.
    DestroyHandle();
    m_bConnected = 0;
    VORLHANDLE handle = nullptr;
    if (Store(m_api.VORLCreate(&handle, kRouterConfig, service, hostType)) != 0)
        return m_nStatus;
    m_hVorl = handle;
    if (Store(m_api.VORLSetLogonMessage(
            m_hVorl, logonType, logon.data(), static_cast<unsigned>(logon.size()), m_nToken, &CVorl::LogonFn))
            != 0
        || Store(m_api.VORLConnect(m_hVorl)) != 0) {
        // The failed attempt's handle holds a discovery socket; close it now.
        DestroyHandle();
        return m_nStatus;
    }
    m_bConnected = 1;
    m_sUser = user != nullptr ? user : "";
    m_sPassword = password != nullptr ? password : "";
    m_nSessionStart = TickSeconds();
    ResetCounts();
    // From now on a reconnection inside the router logs on as a repeated logon.
    BuildLogonText(user, password, true, logon);
    Store(m_api.VORLSetLogonMessage(
        m_hVorl, logonType, logon.data(), static_cast<unsigned>(logon.size()), m_nToken, &CVorl::LogonFn));
    return m_nStatus;
}

int CVorl::Disconnect()
{
    m_bConnectionLost = 0;
    m_nAbandonedReplies = 0;
    if (m_hVorl == nullptr)
        return m_nStatus = VORLST_OK;
    if (m_api.VORLDisconnect == nullptr)
        return Store(VORLST_NO_ENTRY);
    // The router frees the handle whatever it reports; never use it again.
    const int status = m_api.VORLDisconnect(m_hVorl);
    m_hVorl = nullptr;
    m_bConnected = 0;
    m_sUser.clear();
    m_sPassword.clear();
    m_nSessionStart = 0;
    ResetCounts();
    Store(status);
    m_bConnectionLost = 0;
    return m_nStatus;
}

int CVorl::LogonChange(const char* user, const char* password)
{
    if (m_api.VORLSetLogonMessage == nullptr)
        return Store(VORLST_NO_ENTRY);
    if (m_hVorl == nullptr)
        return Store(VORLST_INVALID_HANDLE);
    std::string logon;
    if (!BuildLogonText(user, password, m_bConnected != 0, logon))
        return Store(VORLST_LOGON_TEXT);
    if (Store(m_api.VORLSetLogonMessage(m_hVorl, kLogonMessageType, logon.data(),
            static_cast<unsigned>(logon.size()), m_nToken, &CVorl::LogonFn))
        == 0) {
        m_sUser = user != nullptr ? user : "";
        m_sPassword = password != nullptr ? password : "";
    }
    return m_nStatus;
}

int CVorl::LogonFn(int event, const void* text, int length, int value)
{
    const auto it = Sessions().find(value);
    if (it == Sessions().end())
        return -1;
    CVorl* session = it->second;
    if (event == kLogonRefused) {
        const int n
            = text == nullptr || length <= 0 ? 0 : (length < kReplyTextSize ? length : kReplyTextSize);
        if (n > 0)
            std::memcpy(session->m_szLogonReply, text, static_cast<size_t>(n));
        session->m_szLogonReply[n] = '\0';
        return -1;
    }
    if (event == kLogonAccepted) {
        session->m_szLogonReply[0] = '\0';
        return 0;
    }
    return -1;
}

int CVorl::Recv(int timeout)
{
    if (m_api.VORLRecv == nullptr)
        return Store(VORLST_NO_ENTRY);
    const int status = Store(m_api.VORLRecv(m_hVorl, timeout));
    if (m_nAbandonedReplies > 0) {
        if (status == VORLST_OK) {
            // The reply of a wait that gave up: handed to anyone now, it would
            // answer a later request in its place.
            --m_nAbandonedReplies;
            KvTrace("a reply that came after its wait had given up was dropped");
            return Store(VORLST_TIMEOUT);
        }
        // Nothing is owed any more, or the link that owed it is gone.
        if (status == VORLST_NOTHING_PENDING || m_bConnectionLost)
            m_nAbandonedReplies = 0;
    }
    return status;
}

int CVorl::NumMessages(int* count)
{
    if (m_api.VORLNumMessages == nullptr)
        return Store(VORLST_NO_ENTRY);
    int n = 0;
    Store(m_api.VORLNumMessages(m_hVorl, &n));
    if (count != nullptr)
        *count = m_nStatus == 0 ? n : 0;
    return m_nStatus;
}

int CVorl::Message(int index, tagTMSG* message, int32_t* value)
{
    if (message == nullptr)
        return m_nStatus = VORLST_OK;
    if (m_api.VORLGetMessage == nullptr)
        return Store(VORLST_NO_ENTRY);
    char* buffer = m_pRecvBuffer.get();
    message->pText = reinterpret_cast<unsigned char*>(buffer);
    int type = 0, length = 0, v = 0;
    Store(m_api.VORLGetMessage(m_hVorl, index, &type, buffer, kRecvBufferSize, &length, &v));
    if (m_nStatus != 0 || length < 0 || length > kRecvBufferSize)
        length = 0;
    // Decoders get the text without its length: end it so that no field read
    // runs into the previous message's bytes.
    buffer[length] = '\0';
    message->nType = type;
    message->nLength = length;
    message->nValue = v;
    if (value != nullptr)
        *value = v;
    if (m_nStatus == 0)
        m_nRecvCount += static_cast<uint64_t>(length);
    return m_nStatus;
}

int CVorl::Send(int type, const char* text, int length, int value)
{
    if (m_api.VORLSend == nullptr)
        return Store(VORLST_NO_ENTRY);
    if (Store(m_api.VORLSend(m_hVorl, type, text, length, 0, value)) == 0 && length > 0) {
        m_nSendCount += static_cast<uint64_t>(length);
    }
    return m_nStatus;
}

int CVorl::StartPacket(int type, const char* text, int length, int value)
{
    if (m_api.VORLStartPacket == nullptr)
        return Store(VORLST_NO_ENTRY);
    if (Store(m_api.VORLStartPacket(m_hVorl, type, text, length, 0, value)) == 0) {
        m_nPacketBytes = length > 0 ? static_cast<uint64_t>(length) : 0;
    }
    return m_nStatus;
}

int CVorl::AddMessage(int type, const char* text, int length, int value)
{
    if (m_api.VORLAddMessage == nullptr)
        return Store(VORLST_NO_ENTRY);
    if (Store(m_api.VORLAddMessage(m_hVorl, type, text, length, value)) == 0 && length > 0) {
        m_nPacketBytes += static_cast<uint64_t>(length);
    }
    return m_nStatus;
}

int CVorl::EndPacket()
{
    if (m_api.VORLEndPacket == nullptr)
        return Store(VORLST_NO_ENTRY);
    if (Store(m_api.VORLEndPacket(m_hVorl)) == 0) {
        m_nSendCount += m_nPacketBytes;
        m_nPacketBytes = 0;
    }
    return m_nStatus;
}

int CVorl::ResetPacket()
{
    if (m_api.VORLResetPacket == nullptr)
        return Store(VORLST_NO_ENTRY);
    if (Store(m_api.VORLResetPacket(m_hVorl)) == 0)
        m_nPacketBytes = 0;
    return m_nStatus;
}
