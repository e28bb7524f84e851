#pragma once
// What the persist server and its clients share: the resource types and their
// object names, the server's socket address and the fixed request/reply frames.
//
// Request, 16 bytes: magic u32, operation u32, resource type i32, key i32.
// Reply header, 8 bytes: result i32, record count u32; a query reply is followed
// by that many 8-byte records (key i32, kind i32). All little-endian.
#include <sys/socket.h>
#include <sys/un.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

namespace plinth::persist {

enum ResourceType : int {
    kShmemType = 0,
    kReslockResourceType = 1,
    kReslockControlType = 2,
    kEventType = 3,
    kMutexType = 4,
};
constexpr int kResourceTypes = 5;

// "mmfPLNTshm%d" and friends; null for a type out of range.
const char* name_pattern(int type);

enum class Operation : std::uint32_t { accept = 0, release = 1, query = 2, quit = 3 };

constexpr std::size_t kRequestSize = 16;
constexpr std::size_t kReplyHeaderSize = 8;
constexpr std::size_t kRecordSize = 8;
constexpr std::uint32_t kRequestMagic = 0x53504c50; // "PLPS"
// The exit code of a second server that finds one already running; starters test for
// this value to tell it from a failure.
constexpr int kAlreadyRunning = 183;
// Far beyond any real count; a larger claim in a reply is a corrupt frame.
constexpr std::uint32_t kMaxRecords = 1u << 20;

struct Request {
    Operation operation;
    std::int32_t type;
    std::int32_t key;
};

std::array<std::uint8_t, kRequestSize> encode_request(const Request& request);
// Nullopt for a wrong magic or an unknown operation.
std::optional<Request> decode_request(const std::uint8_t* bytes);

void put_i32(std::uint8_t* out, std::int32_t value);
std::int32_t get_i32(const std::uint8_t* in);

// Sends the whole buffer without raising SIGPIPE; false when the peer is gone.
bool send_all(int fd, const std::uint8_t* data, std::size_t length);

// The server's address in the abstract namespace, prefixed by PLINTH_NAMESPACE;
// false when the namespace is unusable.
bool server_address(sockaddr_un& address, socklen_t& length);

} // namespace plinth::persist
