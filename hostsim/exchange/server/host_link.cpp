#include "server/host_link.h"

#include "vorl/codec.h"

namespace exchange {

namespace {
constexpr int kCopyBuffer = 70000;
}

bool HostLink::readPacket(RequestPacket& packet)
{
    int count = 0;
    VORLServerNumMessages(handle_, &count);
    const void* raw = nullptr;
    VORLServerPacket(handle_, &raw);
    VORLPktHdr hdr {};
    vorl::wire::decode(static_cast<const uint8_t*>(raw), hdr);
    packet.sequence = hdr.seq;
    // An operator's request (address 0xFFFFFFFF) is never a client's logon.
    if (hdr.address == 0xFFFFFFFFu)
        packet.sequence = 0xFFFFFFFFu;
    copies_.assign(static_cast<std::size_t>(count), std::string());
    packet.messages.clear();
    for (int i = 0; i < count; ++i) {
        int type = 0, length = 0;
        void* data = nullptr;
        int rc = VORLServerMessage(handle_, i, &type, &data, &length, nullptr);
        if (rc == VORL_ERR_MUST_COPY) {
            std::string& copy = copies_[static_cast<std::size_t>(i)];
            copy.resize(kCopyBuffer);
            rc = VORLServerGetMessage(handle_, i, &type, copy.data(), kCopyBuffer, &length, nullptr);
            copy.resize(rc == VORL_OK ? static_cast<std::size_t>(length) : 0);
            data = copy.data();
        }
        if (rc != VORL_OK || length < 0)
            return false;
        packet.messages.push_back(
            { type, std::string_view(static_cast<const char*>(data), static_cast<std::size_t>(length)) });
    }
    if (count > 0) {
        VORLServerClient client {};
        if (VORLServerGetClient(handle_, 0, &client) != VORL_OK)
            return false;
        packet.clientSlot = client.clientSlot;
    }
    return true;
}

int HostLink::send(const ReplyPacket& reply)
{
    if (reply.empty())
        return VORLServerSend(handle_, 0, nullptr, 0);
    for (std::size_t i = 0; i < reply.size(); ++i) {
        const ReplyMessage& m = reply[i];
        const int length = static_cast<int>(m.data.size());
        const int rc = i == 0 ? VORLServerStartPacket(handle_, m.type, m.data.data(), length)
                              : VORLServerAddMessage(handle_, m.type, m.data.data(), length);
        if (rc == VORL_ERR_NO_ROOM && i > 0)
            break; // the router allows less than the workstation: what fits goes back
        if (rc != VORL_OK)
            return rc;
    }
    return VORLServerEndPacket(handle_);
}

int HostLink::answer()
{
    RequestPacket packet;
    if (!readPacket(packet))
        return VORLServerSend(handle_, 0, nullptr, 0);
    return send(exchange_.handle(packet));
}

} // namespace exchange
