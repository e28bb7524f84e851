#include "support/scripted_router.h"

namespace kv32test {

using kvtest::Fake;

namespace {

VorlApi g_fakeApi;
ScriptedRouter::DroppingAnswerer g_answerer;

void AnswerLastPacket()
{
    if (!g_answerer || Fake().sent.empty())
        return;
    std::vector<Msg> request;
    for (const kvtest::FakeMessage& m : Fake().sent.back())
        request.push_back({ m.type, m.data });
    if (std::optional<std::vector<Msg>> reply = g_answerer(request))
        ScriptedRouter::Reply(*reply);
}

int EndAndAnswer(VORLHANDLE h)
{
    const int status = g_fakeApi.VORLEndPacket(h);
    if (status == 0)
        AnswerLastPacket();
    return status;
}

int SendAndAnswer(VORLHANDLE h, int type, const void* data, int length, int cls, int value)
{
    const int status = g_fakeApi.VORLSend(h, type, data, length, cls, value);
    if (status == 0)
        AnswerLastPacket();
    return status;
}

} // namespace

ScriptedRouter::ScriptedRouter(const char* user)
{
    kvtest::ResetFake();
    g_answerer = nullptr;
    g_fakeApi = kvtest::FakeRouterApi();
    VorlApi api = g_fakeApi;
    api.VORLEndPacket = &EndAndAnswer;
    api.VORLSend = &SendAndAnswer;
    m_session = std::make_unique<CVorl>();
    m_session->Attach(api);
    pvorl = m_session.get();
    m_session->Connect("kvsvc", "HOST", user, std::string(64, 'A').c_str());
    ClearRecord();
}

ScriptedRouter::~ScriptedRouter()
{
    g_answerer = nullptr;
    if (pvorl == m_session.get())
        pvorl = nullptr;
}

void ScriptedRouter::Reply(const std::vector<Msg>& packet)
{
    std::vector<kvtest::FakeMessage> messages;
    for (const Msg& m : packet)
        messages.push_back({ m.type, m.bytes, 0 });
    Fake().replies.push_back(std::move(messages));
}

void ScriptedRouter::AnswerWith(Answerer answerer)
{
    if (!answerer) {
        g_answerer = nullptr;
        return;
    }
    g_answerer = [answerer = std::move(answerer)](const std::vector<Msg>& request) {
        return std::optional<std::vector<Msg>>(answerer(request));
    };
}

void ScriptedRouter::AnswerOrDropWith(DroppingAnswerer answerer)
{
    g_answerer = std::move(answerer);
}

void ScriptedRouter::FailNextRecv(int status)
{
    Fake().recvStatuses.push_back(status);
}

std::vector<std::vector<Msg>> ScriptedRouter::Packets() const
{
    std::vector<std::vector<Msg>> packets;
    for (const auto& sent : Fake().sent) {
        std::vector<Msg> packet;
        for (const kvtest::FakeMessage& m : sent)
            packet.push_back({ m.type, m.data });
        packets.push_back(std::move(packet));
    }
    return packets;
}

std::vector<Msg> ScriptedRouter::Requests() const
{
    std::vector<Msg> all;
    for (const auto& packet : Packets())
        all.insert(all.end(), packet.begin(), packet.end());
    return all;
}

void ScriptedRouter::ClearRecord()
{
    Fake().sent.clear();
    Fake().calls.clear();
}

} // namespace kv32test
