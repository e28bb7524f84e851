#include "support/fake_router.h"

#include <cstring>

namespace kvtest {
namespace {

FakeRouter g_fake;
int g_handleTag = 0; // the handle points here

VORLHANDLE Handle()
{
    return reinterpret_cast<VORLHANDLE>(&g_handleTag);
}

bool Valid(VORLHANDLE h)
{
    return h == Handle() && g_fake.handles > 0;
}

int Create(VORLHANDLE* h, const char* config, const char* service, const char* hostType)
{
    g_fake.calls.push_back("create");
    g_fake.config = config ? config : "";
    g_fake.service = service ? service : "";
    g_fake.hostType = hostType ? hostType : "";
    if (g_fake.createStatus != 0)
        return g_fake.createStatus;
    ++g_fake.handles;
    *h = Handle();
    return 0;
}

int Connect(VORLHANDLE h)
{
    g_fake.calls.push_back("connect");
    if (!Valid(h))
        return 21;
    if (g_fake.connectStatus != 0)
        return g_fake.connectStatus;
    if (!g_fake.logons.empty()) {
        FakeLogon& logon = g_fake.logons.back();
        std::string text = g_fake.logonReplyText;
        if (logon.callback(g_fake.logonEvent, text.data(), static_cast<int>(text.size()), logon.value) == -1)
            return 25;
    }
    return 0;
}

int Disconnect(VORLHANDLE h)
{
    g_fake.calls.push_back("disconnect");
    if (!Valid(h))
        return 21;
    --g_fake.handles;
    ++g_fake.disconnects;
    return 0;
}

int SetLogon(VORLHANDLE h, int type, const void* data, unsigned length, int value, VorlLogonFn cb)
{
    g_fake.calls.push_back("logon");
    if (!Valid(h))
        return 21;
    g_fake.logons.push_back({ type, std::string(static_cast<const char*>(data), length), value, cb });
    return 0;
}

int Recv(VORLHANDLE h, int timeout)
{
    g_fake.calls.push_back("recv");
    g_fake.recvTimeouts.push_back(timeout);
    if (!Valid(h))
        return 21;
    if (!g_fake.recvStatuses.empty()) {
        const int status = g_fake.recvStatuses.front();
        g_fake.recvStatuses.pop_front();
        if (status != 0)
            return status;
    }
    if (g_fake.outstanding == 0)
        return 3;
    if (g_fake.replies.empty())
        return 9;
    g_fake.lastReply = g_fake.replies.front();
    g_fake.replies.pop_front();
    g_fake.haveReply = true;
    --g_fake.outstanding;
    return 0;
}

int NumMessages(VORLHANDLE h, int* count)
{
    if (!Valid(h))
        return 21;
    if (!g_fake.haveReply)
        return 10;
    *count = static_cast<int>(g_fake.lastReply.size());
    return 0;
}

int MessageInPlace(VORLHANDLE, int, int*, void**, int*, int*)
{
    return 49;
}

int GetMessage(VORLHANDLE h, int index, int* type, void* buffer, int size, int* length, int* value)
{
    if (!Valid(h))
        return 21;
    if (!g_fake.haveReply)
        return 10;
    if (index < 0 || index >= static_cast<int>(g_fake.lastReply.size()))
        return 11;
    const FakeMessage& m = g_fake.lastReply[static_cast<size_t>(index)];
    if (static_cast<int>(m.data.size()) > size)
        return 50;
    std::memcpy(buffer, m.data.data(), m.data.size());
    if (type)
        *type = m.type;
    if (length)
        *length = static_cast<int>(m.data.size());
    if (value)
        *value = m.value;
    return 0;
}

size_t BuildingBytes()
{
    size_t n = 0;
    for (const FakeMessage& m : g_fake.building)
        n += m.data.size();
    return n;
}

int Add(VORLHANDLE h, int type, const void* data, int length, int value)
{
    g_fake.calls.push_back("add");
    if (!Valid(h))
        return 21;
    if (!g_fake.started)
        return 5;
    if (data == nullptr || length < 0)
        return 0;
    if (BuildingBytes() + static_cast<size_t>(length) > g_fake.packetLimit)
        return 6;
    g_fake.building.push_back(
        { type, std::string(static_cast<const char*>(data), static_cast<size_t>(length)), value });
    return 0;
}

int Start(VORLHANDLE h, int type, const void* data, int length, int, int value)
{
    g_fake.calls.push_back("start");
    if (!Valid(h))
        return 21;
    if (g_fake.started)
        return 4;
    if (g_fake.outstanding >= g_fake.window)
        return 2;
    g_fake.started = true;
    g_fake.building.clear();
    g_fake.calls.pop_back();
    const int status = Add(h, type, data, length, value);
    g_fake.calls.back() = "start";
    if (status != 0)
        g_fake.started = false;
    return status;
}

int End(VORLHANDLE h)
{
    g_fake.calls.push_back("end");
    if (!Valid(h))
        return 21;
    if (!g_fake.started)
        return 5;
    g_fake.started = false;
    g_fake.sent.push_back(g_fake.building);
    g_fake.building.clear();
    ++g_fake.outstanding;
    return 0;
}

int Send(VORLHANDLE h, int type, const void* data, int length, int cls, int value)
{
    const int status = Start(h, type, data, length, cls, value);
    return status != 0 ? status : End(h);
}

int Reset(VORLHANDLE h)
{
    g_fake.calls.push_back("reset");
    if (!Valid(h))
        return 21;
    if (!g_fake.started)
        return 5;
    g_fake.started = false;
    g_fake.building.clear();
    return 0;
}

const char* ErrorText(int code)
{
    static std::string text;
    text = "router error " + std::to_string(code);
    return text.c_str();
}

int SetOption(VORLHANDLE, int, intptr_t) { return 41; }

} // namespace

FakeRouter& Fake()
{
    return g_fake;
}

void ResetFake()
{
    g_fake = FakeRouter {};
}

VorlApi FakeRouterApi()
{
    VorlApi api {};
    api.VORLCreate = &Create;
    api.VORLConnect = &Connect;
    api.VORLDisconnect = &Disconnect;
    api.VORLSetLogonMessage = &SetLogon;
    api.VORLRecv = &Recv;
    api.VORLNumMessages = &NumMessages;
    api.VORLMessage = &MessageInPlace;
    api.VORLGetMessage = &GetMessage;
    api.VORLSend = &Send;
    api.VORLStartPacket = &Start;
    api.VORLAddMessage = &Add;
    api.VORLEndPacket = &End;
    api.VORLResetPacket = &Reset;
    api.VORLGetError = &ErrorText;
    api.VORLSetOption = &SetOption;
    return api;
}

} // namespace kvtest
