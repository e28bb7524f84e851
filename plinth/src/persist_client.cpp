#include "persist_client.h"

#include <dlfcn.h>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <mutex>
#include <thread>
#include <vector>

#include "persist_wire.h"
#include "plinth/persist.h"

extern char** environ;

namespace plinth::persist {
namespace {

// How long a client waits for a server to come up or to answer.
constexpr auto kServerWait = std::chrono::seconds(10);

std::mutex program_mutex;
std::string program_override;

class Socket {
public:
    explicit Socket(int fd)
        : fd_(fd)
    {
    }
    Socket(const Socket&) = delete;
    Socket& operator=(const Socket&) = delete;
    ~Socket()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    int fd() const { return fd_; }

private:
    int fd_;
};

enum class Outcome { answered, no_server, failed };

struct Reply {
    std::int32_t result = 0;
    std::vector<PersistHeldObject> records;
    pid_t server = 0;
};

bool receive_all(int fd, std::uint8_t* data, std::size_t length)
{
    while (length > 0) {
        ssize_t got = ::recv(fd, data, length, 0);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return false;
        data += got;
        length -= static_cast<std::size_t>(got);
    }
    return true;
}

Outcome exchange(const Request& request, Reply& reply)
{
    sockaddr_un address {};
    socklen_t length = 0;
    if (!server_address(address, length))
        return Outcome::failed;
    Socket socket(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
    if (socket.fd() < 0)
        return Outcome::failed;
    if (::connect(socket.fd(), reinterpret_cast<sockaddr*>(&address), length) != 0) {
        return errno == ECONNREFUSED || errno == ENOENT ? Outcome::no_server : Outcome::failed;
    }
    timeval limit { static_cast<time_t>(kServerWait.count()), 0 };
    setsockopt(socket.fd(), SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit);
    setsockopt(socket.fd(), SOL_SOCKET, SO_SNDTIMEO, &limit, sizeof limit);
    ucred peer {};
    socklen_t peer_length = sizeof peer;
    if (getsockopt(socket.fd(), SOL_SOCKET, SO_PEERCRED, &peer, &peer_length) == 0)
        reply.server = peer.pid;

    auto frame = encode_request(request);
    std::uint8_t header[kReplyHeaderSize];
    if (!send_all(socket.fd(), frame.data(), frame.size())
        || !receive_all(socket.fd(), header, sizeof header)) {
        return Outcome::failed;
    }
    reply.result = get_i32(header);
    auto count = static_cast<std::uint32_t>(get_i32(header + 4));
    if (count > kMaxRecords)
        return Outcome::failed;
    std::vector<std::uint8_t> body(static_cast<std::size_t>(count) * kRecordSize);
    if (!body.empty() && !receive_all(socket.fd(), body.data(), body.size()))
        return Outcome::failed;
    reply.records.resize(count);
    for (std::uint32_t i = 0; i < count; ++i) {
        reply.records[i].key = get_i32(&body[i * kRecordSize]);
        reply.records[i].kind = get_i32(&body[i * kRecordSize + 4]);
    }
    return Outcome::answered;
}

bool executable(const std::string& path)
{
    return !path.empty() && access(path.c_str(), X_OK) == 0;
}

// plinth_o beside the library (or program) that holds this code, else on PATH.
std::string server_program()
{
    {
        std::lock_guard lock(program_mutex);
        if (!program_override.empty())
            return program_override;
    }
    Dl_info info {};
    if (dladdr(reinterpret_cast<void*>(&PersistAccept), &info) != 0 && info.dli_fname != nullptr) {
        std::string self(info.dli_fname);
        auto slash = self.rfind('/');
        if (slash != std::string::npos) {
            std::string beside = self.substr(0, slash + 1) + "plinth_o";
            if (executable(beside))
                return beside;
        }
    }
    const char* path = std::getenv("PATH");
    std::string dirs = path != nullptr ? path : "";
    std::size_t start = 0;
    while (start <= dirs.size()) {
        std::size_t end = dirs.find(':', start);
        if (end == std::string::npos)
            end = dirs.size();
        std::string dir = dirs.substr(start, end - start);
        if (!dir.empty()) {
            std::string candidate = dir + "/plinth_o";
            if (executable(candidate))
                return candidate;
        }
        start = end + 1;
    }
    return std::string();
}

bool server_answers()
{
    Reply reply;
    return exchange(Request { Operation::query, 0, 0 }, reply) == Outcome::answered;
}

// plinth_o puts the server in the background and exits once it answers (0), or
// with 183 when another one won the race; either way a server is then there.
bool start_server()
{
    std::string program = server_program();
    if (program.empty())
        return false;
    posix_spawn_file_actions_t actions;
    posix_spawnattr_t attributes;
    posix_spawn_file_actions_init(&actions);
    posix_spawnattr_init(&attributes);
    // Detached: no terminal, and no pipes of ours kept open by a long-lived server.
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    sigset_t no_signals;
    sigemptyset(&no_signals);
    posix_spawnattr_setsigmask(&attributes, &no_signals);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID | POSIX_SPAWN_SETSIGMASK);
    char name[] = "plinth_o";
    char* argv[] = { name, nullptr };
    pid_t pid = 0;
    int spawned = posix_spawn(&pid, program.c_str(), &actions, &attributes, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    if (spawned != 0)
        return false;

    auto deadline = std::chrono::steady_clock::now() + kServerWait;
    while (std::chrono::steady_clock::now() < deadline) {
        int status = 0;
        pid_t done = waitpid(pid, &status, WNOHANG);
        if (done == pid) {
            int code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
            return (code == 0 || code == kAlreadyRunning) && server_answers();
        }
        // Without the child to wait for (SIGCHLD ignored), watch the server itself.
        if (done < 0 && errno != EINTR && server_answers())
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    return false;
}

} // namespace

int PersistAccept(int type, int key)
{
    Reply reply;
    Request request { Operation::accept, type, key };
    Outcome outcome = exchange(request, reply);
    if (outcome == Outcome::no_server) {
        if (!start_server())
            return 0;
        outcome = exchange(request, reply);
    }
    return outcome == Outcome::answered && reply.result == 1 ? 1 : 0;
}

int PersistRelease(int type, int key)
{
    Reply reply;
    return exchange(Request { Operation::release, type, key }, reply) == Outcome::answered
            && reply.result == 1
        ? 1
        : 0;
}

void set_server_program_for_testing(const std::string& path)
{
    std::lock_guard lock(program_mutex);
    program_override = path;
}

pid_t server_pid()
{
    Reply reply;
    return exchange(Request { Operation::query, 0, 0 }, reply) == Outcome::answered ? reply.server : 0;
}

} // namespace plinth::persist

PLINTH_API int SysQueryPersistServer(PersistHeldObject* objects, int capacity, int* count)
{
    using namespace plinth::persist;
    if (capacity < 0 || (capacity > 0 && objects == nullptr))
        return 0;
    Reply reply;
    if (exchange(Request { Operation::query, 0, 0 }, reply) != Outcome::answered)
        return 0;
    std::size_t n = reply.records.size();
    for (std::size_t i = 0; i < n && i < static_cast<std::size_t>(capacity); ++i)
        objects[i] = reply.records[i];
    if (count != nullptr)
        *count = static_cast<int>(n);
    return 1;
}

PLINTH_API int SysStopPersistServer(void)
{
    using namespace plinth::persist;
    Reply reply;
    return exchange(Request { Operation::quit, 0, 0 }, reply) == Outcome::answered && reply.result == 1 ? 1
                                                                                                        : 0;
}
