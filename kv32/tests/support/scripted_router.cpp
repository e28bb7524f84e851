#include "support/scripted_router.h"

namespace kv32test {

using kvtest::Fake;

ScriptedRouter::ScriptedRouter(const char* user)
{
    kvtest::ResetFake();
    m_session = std::make_unique<CVorl>();
    m_session->Attach(kvtest::FakeRouterApi());
    pvorl = m_session.get();
    m_session->Connect("kvsvc", "HOST", user, std::string(64, 'A').c_str());
    ClearRecord();
}

ScriptedRouter::~ScriptedRouter()
{
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
