// The simulated exchange in process behind the scripted router: the seed data
// loaded once, the user logged on at the host, and every request packet the
// program sends answered by the exchange. Only for test binaries that link
// the exchange.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/exchange.h"
#include "kvcore/security/password.h"
#include "model/dataset.h"
#include "support/scripted_router.h"

namespace kv32test {

inline const exchange::DataSet& ExchangeSeedData()
{
    static const exchange::DataSet data = [] {
        exchange::DataSet d;
        std::string error;
        if (!exchange::LoadDataSet(EXCHANGE_SEED_DATA_DIR, d, error))
            ADD_FAILURE() << error;
        return d;
    }();
    return data;
}

class ExchangeLink {
public:
    // Logs the seed user on (password "Pass-<user>") and answers through the
    // exchange, whose time of day (hhmmss) stands at `time`.
    ExchangeLink(ScriptedRouter& router, const char* user, std::string time = "120000")
        : host(std::make_unique<exchange::Exchange>(ExchangeSeedData(), [time] { return time; }))
    {
        std::string logon = user;
        logon.resize(12, ' ');
        logon += PasswordDigest(std::string("Pass-") + user, user);
        const exchange::ReplyPacket verdict = Ask({ { 129, logon } });
        EXPECT_TRUE(!verdict.empty() && verdict.front().type == 193) << user << " logs on";
        router.AnswerWith([this](const std::vector<Msg>& request) {
            std::vector<Msg> reply;
            for (const exchange::ReplyMessage& m : Ask(request))
                reply.push_back({ m.type, m.data });
            return reply;
        });
    }

    exchange::ReplyPacket Ask(const std::vector<Msg>& messages)
    {
        exchange::RequestPacket packet;
        packet.clientSlot = 1;
        packet.sequence = m_nSequence++;
        for (const Msg& m : messages)
            packet.messages.push_back({ m.type, m.bytes });
        return host->handle(packet);
    }

    std::unique_ptr<exchange::Exchange> host;

private:
    uint32_t m_nSequence = 0;
};

} // namespace kv32test
