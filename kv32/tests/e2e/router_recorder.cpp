#include "router_recorder.h"

#include <dlfcn.h>

#include "kvcore/router/cvorl.h"

namespace {

VorlApi& Library()
{
    static VorlApi api {};
    return api;
}

void Keep(std::vector<RecordedMessage>& list, int type, const void* data, int length)
{
    RecordedMessage m;
    m.type = type;
    if (data != nullptr && length > 0)
        m.bytes.assign(static_cast<const char*>(data), static_cast<size_t>(length));
    list.push_back(std::move(m));
}

int RecordSend(VORLHANDLE handle, int type, const void* data, int length, int pktClass, int value)
{
    const int result = Library().VORLSend(handle, type, data, length, pktClass, value);
    if (result == 0)
        Keep(CRouterRecorder::Sent(), type, data, length);
    return result;
}

int RecordStartPacket(VORLHANDLE handle, int type, const void* data, int length, int pktClass, int value)
{
    const int result = Library().VORLStartPacket(handle, type, data, length, pktClass, value);
    if (result == 0)
        Keep(CRouterRecorder::Sent(), type, data, length);
    return result;
}

int RecordAddMessage(VORLHANDLE handle, int type, const void* data, int length, int value)
{
    const int result = Library().VORLAddMessage(handle, type, data, length, value);
    if (result == 0)
        Keep(CRouterRecorder::Sent(), type, data, length);
    return result;
}

int RecordGetMessage(VORLHANDLE handle, int index, int* type, void* buffer, int size, int* length, int* value)
{
    const int result = Library().VORLGetMessage(handle, index, type, buffer, size, length, value);
    if (result == 0 && type != nullptr && length != nullptr && *length >= 0 && *length <= size)
        Keep(CRouterRecorder::Received(), *type, buffer, *length);
    return result;
}

} // namespace

std::vector<RecordedMessage>& CRouterRecorder::Sent()
{
    static std::vector<RecordedMessage> list;
    return list;
}

std::vector<RecordedMessage>& CRouterRecorder::Received()
{
    static std::vector<RecordedMessage> list;
    return list;
}

bool CRouterRecorder::Install()
{
    if (pvorl == nullptr || pvorl->GetInstance() == nullptr)
        return false;
    void* handle = pvorl->GetInstance();
    VorlApi api {};
    size_t i = 0;
    const auto bind = [&](auto& slot) {
        slot = reinterpret_cast<std::remove_reference_t<decltype(slot)>>(dlsym(handle, kVorlEntryNames[i++]));
    };
    bind(api.VORLCreate);
    bind(api.VORLConnect);
    bind(api.VORLDisconnect);
    bind(api.VORLSetLogonMessage);
    bind(api.VORLRecv);
    bind(api.VORLNumMessages);
    bind(api.VORLMessage);
    bind(api.VORLGetMessage);
    bind(api.VORLSend);
    bind(api.VORLStartPacket);
    bind(api.VORLAddMessage);
    bind(api.VORLEndPacket);
    bind(api.VORLResetPacket);
    bind(api.VORLGetError);
    bind(api.VORLSetOption);
    if (api.VORLSend == nullptr || api.VORLStartPacket == nullptr || api.VORLAddMessage == nullptr
        || api.VORLGetMessage == nullptr)
        return false;
    Library() = api;
    VorlApi recording = api;
    recording.VORLSend = &RecordSend;
    recording.VORLStartPacket = &RecordStartPacket;
    recording.VORLAddMessage = &RecordAddMessage;
    recording.VORLGetMessage = &RecordGetMessage;
    pvorl->Attach(recording);
    return true;
}
