#include "dispatch/reply_builder.h"

namespace exchange {

std::size_t WireSize(const ReplyPacket& packet)
{
    std::size_t size = kPacketHeader;
    for (const ReplyMessage& m : packet)
        size += kMessageHeader + m.data.size();
    return size;
}

bool ReplyBuilder::fits(std::size_t length) const
{
    const std::size_t need = used_ + kMessageHeader + length + reservedEnds_ * kMessageHeader;
    return need <= limit_;
}

bool ReplyBuilder::add(int type, std::string data)
{
    if (!fits(data.size()))
        return false;
    used_ += kMessageHeader + data.size();
    packet_.push_back({ type, std::move(data) });
    return true;
}

bool ReplyBuilder::addEnd()
{
    if (reservedEnds_ > 0) {
        --reservedEnds_;
    } else if (!fits(0)) {
        return false;
    }
    used_ += kMessageHeader;
    packet_.push_back({ kEndOfReply, {} });
    return true;
}

} // namespace exchange
