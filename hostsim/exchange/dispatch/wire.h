#pragma once
// The shapes of what the exchange receives and sends, free of the router
// library, so that the dispatcher runs the same under the router, in tests and
// under the fuzzer.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace exchange {

// Reply packet limits: the workstation's receive buffer holds 30,000 bytes,
// the 16-byte packet header and a 20-byte header per message included.
constexpr std::size_t kMaxReplyPacket = 30000;
constexpr std::size_t kPacketHeader = 16;
constexpr std::size_t kMessageHeader = 20;

// Message types with a meaning of their own in replies.
constexpr int kEndOfReply = 0;
constexpr int kRefused = 192;
constexpr int kAccepted = 193;
constexpr int kExchangeMessage = 194;
constexpr int kNewsHead = 195;
constexpr int kLogon = 129;

struct RequestMessage {
    int type = 0;
    std::string_view data;
};

// One request packet as the router hands it over: the client's slot, the
// packet's sequence number (0 = logon) and its messages.
struct RequestPacket {
    int clientSlot = 0;
    uint32_t sequence = 0;
    std::vector<RequestMessage> messages;
};

struct ReplyMessage {
    int type = 0;
    std::string data;
};

using ReplyPacket = std::vector<ReplyMessage>;

// Bytes a reply packet takes on the wire.
std::size_t WireSize(const ReplyPacket& packet);

} // namespace exchange
