// The persist server: one process per namespace that holds every named object
// plinth creates, so the objects outlive the processes that made them.
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <list>
#include <vector>

#include "named_segment.h"
#include "persist_wire.h"
#include "plinth/persist.h"
#include "sync_cells.h"

namespace plinth::persist {
namespace {

using Clock = std::chrono::steady_clock;

// A client that connects and then says nothing must not tie up a slot for ever.
constexpr auto kClientIdle = std::chrono::seconds(10);
constexpr std::size_t kMaxClients = 256;

struct Held {
    std::int32_t key;
    named::Segment segment;
};

struct Client {
    int fd;
    std::array<std::uint8_t, kRequestSize> frame;
    std::size_t received;
    Clock::time_point since;
};

// Which cell a type's segment must hold; shared memory is plain bytes.
bool holds_expected_kind(int type, const named::Segment& segment)
{
    sync::CellKind kind;
    switch (type) {
    case kShmemType:
        return true;
    case kReslockResourceType:
    case kReslockControlType:
        kind = sync::CellKind::semaphore;
        break;
    case kEventType:
        kind = sync::CellKind::event;
        break;
    default:
        kind = sync::CellKind::mutex;
        break;
    }
    sync::CellHeader header {};
    if (segment.size() < sync::cell_size(kind) || !segment.read_header(&header, sizeof header))
        return false;
    return header.magic == sync::kCellMagic && header.kind == kind;
}

class Server {
public:
    explicit Server(int listen_fd)
        : listen_fd_(listen_fd)
    {
    }
    Server(const Server&) = delete;
    Server& operator=(const Server&) = delete;
    ~Server()
    {
        for (auto& client : clients_)
            ::close(client.fd);
        if (listen_fd_ >= 0)
            ::close(listen_fd_);
    }

    int run()
    {
        while (!stopping_) {
            std::vector<pollfd> fds;
            fds.push_back({ listen_fd_, POLLIN, 0 });
            for (auto& client : clients_)
                fds.push_back({ client.fd, POLLIN, 0 });
            int ready = poll(fds.data(), fds.size(), 1000);
            if (ready < 0 && errno != EINTR)
                return 1;
            // Clients first: their slots line up with fds[1..] only until one is dropped.
            std::vector<bool> done(clients_.size(), false);
            for (std::size_t i = 0; i < clients_.size() && ready > 0; ++i) {
                if (fds[i + 1].revents != 0)
                    done[i] = !serve(clients_[i]);
            }
            auto now = Clock::now();
            for (std::size_t i = clients_.size(); i-- > 0;) {
                if (done[i] || now - clients_[i].since > kClientIdle) {
                    ::close(clients_[i].fd);
                    clients_.erase(clients_.begin() + static_cast<std::ptrdiff_t>(i));
                }
            }
            if (!stopping_ && ready > 0 && (fds[0].revents & POLLIN) != 0)
                take_client();
        }
        return 0;
    }

private:
    void take_client()
    {
        int fd = accept4(listen_fd_, nullptr, nullptr, SOCK_CLOEXEC);
        if (fd < 0)
            return;
        if (clients_.size() >= kMaxClients) {
            ::close(fd);
            return;
        }
        // A client that stops reading its reply must not stall everybody else.
        timeval limit { 2, 0 };
        setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &limit, sizeof limit);
        clients_.push_back(Client { fd, {}, 0, Clock::now() });
    }

    // False once the client is finished with (answered, gone or talking nonsense).
    bool serve(Client& client)
    {
        ssize_t got = ::recv(client.fd, client.frame.data() + client.received,
            client.frame.size() - client.received, MSG_DONTWAIT);
        if (got < 0)
            return errno == EINTR || errno == EAGAIN;
        if (got == 0)
            return false;
        client.received += static_cast<std::size_t>(got);
        if (client.received < client.frame.size())
            return true;
        auto request = decode_request(client.frame.data());
        if (!request)
            return false;
        answer(client.fd, *request);
        return false;
    }

    void answer(int fd, const Request& request)
    {
        std::int32_t result = 0;
        std::vector<PersistHeldObject> records;
        switch (request.operation) {
        case Operation::accept:
            result = accept(request.type, request.key);
            break;
        case Operation::release:
            result = release(request.type, request.key);
            break;
        case Operation::query:
            records = list();
            result = 1;
            break;
        case Operation::quit:
            // Stop taking requests first, so that the asker finds no server once answered.
            ::close(listen_fd_);
            listen_fd_ = -1;
            release_all();
            stopping_ = true;
            result = 1;
            break;
        }
        std::vector<std::uint8_t> reply(kReplyHeaderSize + records.size() * kRecordSize);
        put_i32(reply.data(), result);
        put_i32(reply.data() + 4, static_cast<std::int32_t>(records.size()));
        for (std::size_t i = 0; i < records.size(); ++i) {
            put_i32(&reply[kReplyHeaderSize + i * kRecordSize], records[i].key);
            put_i32(&reply[kReplyHeaderSize + i * kRecordSize + 4], records[i].kind);
        }
        send_all(fd, reply.data(), reply.size());
    }

    std::int32_t accept(int type, int key)
    {
        const char* pattern = name_pattern(type);
        if (pattern == nullptr)
            return 0;
        auto name = named::segment_name(pattern, key);
        if (!name)
            return 0;
        auto segment = named::Segment::open(*name, false);
        if (!segment || !holds_expected_kind(type, *segment))
            return 0;
        std::fprintf(stderr, "Opening resource handle: type=%d keyId=%d name=%s\n", type, key, name->c_str());
        held_[type].push_front(Held { key, std::move(*segment) });
        return 1;
    }

    std::int32_t release(int type, int key)
    {
        if (name_pattern(type) == nullptr)
            return 0;
        auto& list = held_[type];
        for (auto it = list.begin(); it != list.end(); ++it) {
            if (it->key == key) {
                std::fprintf(stderr, "Closing resource handle: type=%d keyId=%d\n", type, key);
                list.erase(it);
                return 1;
            }
        }
        return 0;
    }

    void release_all()
    {
        for (int type = 0; type < kResourceTypes; ++type) {
            while (!held_[type].empty())
                release(type, held_[type].front().key);
        }
    }

    // Reader/writer locks are listed once, by their resource semaphore.
    std::vector<PersistHeldObject> list() const
    {
        static constexpr std::pair<int, int> kListed[]
            = { { kShmemType, PERSIST_KIND_SHMEM }, { kReslockResourceType, PERSIST_KIND_RESLOCK },
                  { kEventType, PERSIST_KIND_EVENT }, { kMutexType, PERSIST_KIND_MUTEX } };
        std::vector<PersistHeldObject> records;
        for (auto [type, kind] : kListed) {
            for (const auto& held : held_[type])
                records.push_back(PersistHeldObject { held.key, kind });
        }
        return records;
    }

    int listen_fd_;
    bool stopping_ = false;
    std::vector<Client> clients_;
    std::array<std::list<Held>, kResourceTypes> held_;
};

} // namespace
} // namespace plinth::persist

PLINTH_API int SysRunPersistServer(void)
{
    using namespace plinth::persist;
    sockaddr_un address {};
    socklen_t length = 0;
    if (!server_address(address, length))
        return 1;
    int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return 1;
    // The bind is the single-instance check: an abstract name has one owner.
    if (::bind(fd, reinterpret_cast<sockaddr*>(&address), length) != 0) {
        int error = errno;
        ::close(fd);
        return error == EADDRINUSE ? kAlreadyRunning : 1;
    }
    if (::listen(fd, 64) != 0) {
        ::close(fd);
        return 1;
    }
    Server server(fd);
    return server.run();
}
