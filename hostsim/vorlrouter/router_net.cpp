// The router's sockets: discovery answers, accepted connections, and the
// loop that serves them until a stop is asked for.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "router.h"
#include "vorl/codec.h"
#include "vorl/util.h"

namespace vorlrouter {

namespace {

int boundSocket(int type, const std::string& address, uint16_t port, std::string& why)
{
    const int fd = socket(AF_INET, type | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        why = std::strerror(errno);
        return -1;
    }
    const int on = 1;
    setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    sockaddr_in sa {};
    sa.sin_family = AF_INET;
    sa.sin_port = htons(port);
    inet_pton(AF_INET, address.c_str(), &sa.sin_addr);
    if (bind(fd, reinterpret_cast<sockaddr*>(&sa), sizeof sa) != 0
        || (type == SOCK_STREAM && listen(fd, 64) != 0)) {
        why = address + ":" + std::to_string(port) + ": " + std::strerror(errno);
        close(fd);
        return -1;
    }
    return fd;
}

} // namespace

Router::Router(RouterConfig config)
    : config_(std::move(config))
{
}

Router::~Router()
{
    reapLinks(true);
    for (int fd : { listener_, udp_, udpBroadcast_ })
        if (fd >= 0)
            close(fd);
    PluginsCleanup(plugins_);
    block_.close();
}

std::string Router::start()
{
    if (std::string why = block_.open(config_); !why.empty())
        return why;
    // The server half of the plug-ins: one set for every connection, not
    // attached to one client.
    const PluginHostInfo info { VORL_PLUGIN_INTERFACE_VERSION, config_.file.c_str(),
        config_.pluginSection.c_str(), config_.clients, 0, VORL_ROLE_SERVER };
    plugins_ = PluginsInit(&info, nullptr, 0);
    if (plugins_ == nullptr)
        return "the plug-ins of \"" + config_.pluginSection + "\" could not be loaded";
    std::string why;
    listener_ = boundSocket(SOCK_STREAM, config_.listenAddress, config_.port, why);
    if (listener_ < 0)
        return "listen: " + why;
    udp_ = boundSocket(SOCK_DGRAM, config_.listenAddress, config_.port, why);
    if (udp_ < 0)
        return "discovery: " + why;
    if (!config_.broadcastAddress.empty() && config_.broadcastAddress != config_.listenAddress) {
        udpBroadcast_ = boundSocket(SOCK_DGRAM, config_.broadcastAddress, config_.port, why);
        if (udpBroadcast_ < 0)
            std::fprintf(stderr, "vorlrouter: broadcast discovery off: %s\n", why.c_str());
    }
    return {};
}

void Router::run()
{
    while (!stop_.load()) {
        pollfd fds[3] = { { listener_, POLLIN, 0 }, { udp_, POLLIN, 0 }, { udpBroadcast_, POLLIN, 0 } };
        const int rc = poll(fds, udpBroadcast_ >= 0 ? 3 : 2, 200);
        if (rc < 0 && errno != EINTR)
            break;
        if (rc > 0) {
            if (fds[0].revents & POLLIN)
                acceptClient();
            if (fds[1].revents & POLLIN)
                answerDiscovery(udp_);
            if (udpBroadcast_ >= 0 && (fds[2].revents & POLLIN))
                answerDiscovery(udpBroadcast_);
        }
        reapLinks(false);
    }
    reapLinks(true);
}

void Router::answerDiscovery(int sock)
{
    uint8_t bytes[512];
    sockaddr_in from {};
    socklen_t fromLength = sizeof from;
    const ssize_t n
        = recvfrom(sock, bytes, sizeof bytes, MSG_DONTWAIT, reinterpret_cast<sockaddr*>(&from), &fromLength);
    if (n < static_cast<ssize_t>(VORL_CONNECTINFO_SIZE))
        return;
    ConnectInfo theirs {};
    vorl::wire::decode(bytes, theirs);
    theirs.hostType[sizeof theirs.hostType - 1] = '\0';
    // A client of another host type is not ours to serve.
    if (theirs.hostType[0] != '\0' && config_.hostType != theirs.hostType)
        return;
    ConnectInfo ours {};
    std::strncpy(ours.hostType, config_.hostType.c_str(), sizeof ours.hostType - 1);
    ours.version = VORL_PROTOCOL_VERSION;
    ours.sendBufferSize = static_cast<uint32_t>(config_.replySize);
    ours.recvBufferSize = static_cast<uint32_t>(config_.requestSize);
    ours.windowSize = static_cast<uint32_t>(config_.window);
    ours.load = static_cast<uint32_t>(config_.load + connected_.load());
    uint8_t reply[VORL_CONNECTINFO_SIZE];
    vorl::wire::encode(ours, reply);
    // Answered from the listening address, which the client then connects to.
    sendto(udp_, reply, sizeof reply, MSG_NOSIGNAL, reinterpret_cast<sockaddr*>(&from), fromLength);
}

void Router::acceptClient()
{
    sockaddr_in from {};
    socklen_t fromLength = sizeof from;
    const int fd = accept4(listener_, reinterpret_cast<sockaddr*>(&from), &fromLength, SOCK_CLOEXEC);
    if (fd < 0)
        return;
    const int on = 1;
    setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
    links_.push_back(std::make_unique<Link>(*this, fd, from.sin_addr.s_addr));
    links_.back()->start();
}

void Router::reapLinks(bool all)
{
    for (auto it = links_.begin(); it != links_.end();) {
        if (all)
            (*it)->stop();
        if (all || (*it)->finished()) {
            it = links_.erase(it); // joins its threads
        } else {
            ++it;
        }
    }
}

} // namespace vorlrouter
