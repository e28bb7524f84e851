#pragma once
// vorlrouter: a stand-in for the host's router process. It answers discovery
// datagrams, accepts the clients' TCP connections, owns the server side's
// shared block and hands every request packet to the host applications that
// have attached to it, sending their replies back on the client's connection.
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <list>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "plinth/event.h"
#include "plinth/mutex.h"
#include "plinth/shmem.h"
#include "vorl/plugins.h"
#include "vorl/server_block.h"

namespace vorlrouter {

struct RouterConfig {
    std::string file;
    std::string section = "VORLRouter";
    std::string pluginSection;
    std::string hostType;
    std::string listenAddress = "127.0.0.1";
    std::string broadcastAddress = "127.255.255.255"; // empty: no broadcast listener
    uint16_t port = 0; // host order
    int key = 0; // of the shared block
    int objectKey = 0; // first key of the block's events and mutexes
    int clients = 16; // n
    int window = 8; // w
    int requestSize = 30000; // a
    int replySize = 30000; // b
    int load = 0;
};

// Reads "file[,section]": keys "Service", "HostType", "shmkey" (else the
// service's port), "Clients", "WindowSize", "RequestSize", "ReplySize",
// "ListenAddress", "BroadcastAddress", "Load", "ObjectKey", "PluginSection".
// Empty on success, else the reason.
std::string ReadConfig(const std::string& configText, RouterConfig& out);

// The shared block and the named objects its header names. A block left by a
// router that died is taken over when its geometry matches, so that attached
// host applications keep working across a restart.
class SharedBlock {
public:
    ~SharedBlock();
    std::string open(const RouterConfig& config);
    void close();

    const vorl::block::View& view() const { return view_; }
    PlinthEvent* wake() const { return wake_; }
    PlinthMutex* queueMutex() const { return queueMutex_; }
    PlinthMutex* clientMutex() const { return clientMutex_; }
    PlinthEvent* slotEvent(int client) const { return slotEvents_[static_cast<std::size_t>(client)]; }

private:
    void initialise(const RouterConfig& config);
    PlinthShmem* shm_ = nullptr;
    vorl::block::View view_;
    PlinthEvent* wake_ = nullptr;
    PlinthMutex* queueMutex_ = nullptr;
    PlinthMutex* clientMutex_ = nullptr;
    std::vector<PlinthEvent*> slotEvents_;
};

class Router;

// One client's TCP connection: a reader thread that does the handshake and
// queues requests, and a replier thread that sends the ready replies.
class Link {
public:
    Link(Router& router, int fd, uint32_t address);
    ~Link();
    void start();
    bool finished() const { return finished_.load(); }
    void stop();

private:
    void readerMain();
    void replierMain();
    bool handshake();
    bool serve();
    bool queueRequest(const uint8_t* packet, std::size_t length);
    int takeWindowSlot();
    void sendReadyReplies();
    bool sendBytes(const uint8_t* data, std::size_t length);
    void release();

    Router& router_;
    int fd_;
    uint32_t address_; // network order
    int slot_ = -1;
    int32_t id_ = 0; // in the client entry while the slot is ours
    std::atomic<bool> stopping_ { false };
    std::atomic<bool> finished_ { false };
    std::mutex sendLock_;
    std::mutex windowLock_;
    std::condition_variable windowFree_;
    std::vector<bool> inUse_;
    std::vector<uint32_t> seqOf_;
    std::thread reader_;
    std::thread replier_;
};

class Router {
public:
    explicit Router(RouterConfig config);
    ~Router();
    // Opens the block, the plug-ins and the sockets; empty on success.
    std::string start();
    // Serves until stop() (from a signal handler: only the flag is set).
    void run();
    void requestStop() { stop_.store(true); }

    const RouterConfig& config() const { return config_; }
    SharedBlock& block() { return block_; }
    PluginSet* plugins() { return plugins_; }
    // Every call into the plug-in set goes through this lock: the set is one
    // for all connections.
    std::mutex& pluginLock() { return pluginLock_; }
    bool stopping() const { return stop_.load(); }
    int connectedClients() const { return connected_.load(); }
    void countClient(int delta) { connected_.fetch_add(delta); }

private:
    void answerDiscovery(int sock);
    void acceptClient();
    void reapLinks(bool all);

    RouterConfig config_;
    SharedBlock block_;
    PluginSet* plugins_ = nullptr;
    std::mutex pluginLock_;
    int listener_ = -1;
    int udp_ = -1;
    int udpBroadcast_ = -1;
    std::atomic<bool> stop_ { false };
    std::atomic<int> connected_ { 0 };
    std::list<std::unique_ptr<Link>> links_;
};

} // namespace vorlrouter
