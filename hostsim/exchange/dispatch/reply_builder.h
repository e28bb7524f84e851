#pragma once
// Collects the messages of one reply packet and keeps the packet within the
// workstation's 30,000-byte receive buffer. Room can be reserved for the
// end-of-reply messages still owed to later requests of the same packet, so a
// request that pages its records never takes the room another one needs.
#include <cstddef>
#include <string>

#include "dispatch/wire.h"

namespace exchange {

class ReplyBuilder {
public:
    explicit ReplyBuilder(std::size_t limit = kMaxReplyPacket)
        : limit_(limit)
    {
    }

    // Keeps room for `count` end-of-reply messages (20 bytes each).
    void reserveEnds(std::size_t count) { reservedEnds_ += count; }
    // Whether a data message of `length` bytes still fits beside the reservations.
    bool fits(std::size_t length) const;
    // Adds a data message when it fits; false (nothing added) otherwise.
    bool add(int type, std::string data);
    // Adds the end-of-reply message of one request, out of a reservation when
    // there is one; false only when neither a reservation nor room is left.
    bool addEnd();
    // Bytes the packet takes now.
    std::size_t used() const { return used_; }
    std::size_t limit() const { return limit_; }
    const ReplyPacket& packet() const { return packet_; }
    ReplyPacket take() { return std::move(packet_); }

private:
    std::size_t limit_;
    std::size_t used_ = kPacketHeader;
    std::size_t reservedEnds_ = 0;
    ReplyPacket packet_;
};

} // namespace exchange
