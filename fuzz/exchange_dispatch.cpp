// Arbitrary request packets fed to the simulated exchange's dispatcher after
// one valid logon: whatever they hold, every reply keeps the packet rules
// (within 30,000 bytes; one verdict per transaction; one end-of-reply message
// per information request) and nothing crashes.
//
// Input: packets back to back, each [client slot][sequence][message count],
// then per message [type][length high][length low][data].
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/exchange.h"
#include "kvcore/security/password.h"

namespace {

const exchange::DataSet& seed()
{
    static const exchange::DataSet data = [] {
        exchange::DataSet d;
        std::string error;
        if (!exchange::LoadDataSet(EXCHANGE_SEED_DATA_DIR, d, error))
            std::abort();
        return d;
    }();
    return data;
}

void check(const exchange::RequestPacket& request, const exchange::ReplyPacket& reply)
{
    if (exchange::WireSize(reply) > exchange::kMaxReplyPacket || reply.empty())
        std::abort();
    if (request.messages.empty())
        return;
    const int first = request.messages.front().type;
    const bool logon = request.sequence == 0 && first == exchange::kLogon;
    if (logon || exchange::Dispatcher::isTransactionCode(first)) {
        if (reply.size() != 1
            || (reply[0].type != exchange::kAccepted && reply[0].type != exchange::kRefused))
            std::abort();
        return;
    }
    std::size_t ends = 0;
    for (const auto& m : reply)
        ends += m.type == exchange::kEndOfReply;
    if (ends != request.messages.size())
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    exchange::Exchange ex(seed(), [] { return std::string("120000"); });
    const std::string logon = "BRK1T1      " + PasswordDigest("Pass-BRK1T1", "BRK1T1");
    ex.handle({ 1, 0, { { exchange::kLogon, logon } } });
    std::size_t at = 0;
    while (at + 3 <= size) {
        exchange::RequestPacket packet;
        packet.clientSlot = data[at] % 4;
        packet.sequence = data[at + 1];
        const int count = data[at + 2] % 16;
        at += 3;
        for (int i = 0; i < count && at + 3 <= size; ++i) {
            const int type = data[at];
            const std::size_t length
                = std::min<std::size_t>((std::size_t(data[at + 1]) << 8) | data[at + 2], size - at - 3);
            packet.messages.push_back(
                { type, std::string_view(reinterpret_cast<const char*>(data + at + 3), length) });
            at += 3 + length;
        }
        check(packet, ex.handle(packet));
    }
    return 0;
}
