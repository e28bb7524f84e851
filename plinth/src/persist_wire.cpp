#include "persist_wire.h"

#include <cerrno>
#include <cstring>
#include <string>

#include "named_segment.h"

namespace plinth::persist {

const char* name_pattern(int type)
{
    static constexpr const char* kPatterns[kResourceTypes]
        = { "mmfPLNTshm%d", "_PLNTreslk%d", "_PLNTctllk%d", "eventPLNT%d", "mutexPLNT%d" };
    return type >= 0 && type < kResourceTypes ? kPatterns[type] : nullptr;
}

void put_i32(std::uint8_t* out, std::int32_t value)
{
    auto bits = static_cast<std::uint32_t>(value);
    for (int i = 0; i < 4; ++i)
        out[i] = static_cast<std::uint8_t>(bits >> (8 * i));
}

std::int32_t get_i32(const std::uint8_t* in)
{
    std::uint32_t bits = 0;
    for (int i = 0; i < 4; ++i)
        bits |= static_cast<std::uint32_t>(in[i]) << (8 * i);
    return static_cast<std::int32_t>(bits);
}

std::array<std::uint8_t, kRequestSize> encode_request(const Request& request)
{
    std::array<std::uint8_t, kRequestSize> out {};
    put_i32(out.data(), static_cast<std::int32_t>(kRequestMagic));
    put_i32(out.data() + 4, static_cast<std::int32_t>(request.operation));
    put_i32(out.data() + 8, request.type);
    put_i32(out.data() + 12, request.key);
    return out;
}

std::optional<Request> decode_request(const std::uint8_t* bytes)
{
    if (static_cast<std::uint32_t>(get_i32(bytes)) != kRequestMagic)
        return std::nullopt;
    auto operation = static_cast<std::uint32_t>(get_i32(bytes + 4));
    if (operation > static_cast<std::uint32_t>(Operation::quit))
        return std::nullopt;
    return Request { static_cast<Operation>(operation), get_i32(bytes + 8), get_i32(bytes + 12) };
}

bool server_address(sockaddr_un& address, socklen_t& length)
{
    auto ns = named::object_namespace();
    if (!ns)
        return false;
    std::string name = *ns + "plinth_persist_server";
    if (name.size() + 1 > sizeof address.sun_path)
        return false;
    std::memset(&address, 0, sizeof address);
    address.sun_family = AF_UNIX;
    // Abstract namespace: a leading NUL, no file, gone with the last socket.
    std::memcpy(address.sun_path + 1, name.data(), name.size());
    length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + name.size());
    return true;
}

bool send_all(int fd, const std::uint8_t* data, std::size_t length)
{
    while (length > 0) {
        ssize_t sent = ::send(fd, data, length, MSG_NOSIGNAL);
        if (sent < 0 && errno == EINTR)
            continue;
        if (sent <= 0)
            return false;
        data += sent;
        length -= static_cast<std::size_t>(sent);
    }
    return true;
}

} // namespace plinth::persist
