#pragma once
// Inside of the protocol peer. The socket loop (peer_loop.cpp) owns the
// sockets and connections; everything a caller may change or read sits under
// `mu`.
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <thread>
#include <vector>

#include "protocol_peer.h"

namespace hostsim {

using PeerClock = std::chrono::steady_clock;

struct ReplyFault {
    enum class Kind { Cut, Coalesce, OverrideSeq, Malform, Replace, Reorder };
    Kind kind = Kind::Cut;
    uint32_t seq = 0;
    Malformation how = Malformation::BadKind;
    std::vector<uint8_t> bytes;
    std::vector<int> order; // Reorder: positions in arrival order
};

struct Outgoing {
    PeerClock::time_point due;
    std::vector<uint8_t> bytes;
    std::size_t sent = 0;
    bool closeAfter = false; // the link goes once these bytes are out
    int repliesInside = 0; // request replies carried, counted when written whole
};

enum class LinkPhase { ConnectInfo, Handshake, Running, Closing };

struct Connection {
    int fd = -1;
    int id = 0;
    LinkPhase phase = LinkPhase::ConnectInfo;
    std::vector<uint8_t> in;
    std::deque<Outgoing> out;
    std::optional<std::vector<uint8_t>> held; // a reply waiting for its coalescing partner
    int heldReplies = 0;
    // Replies collected for reordering, written once `reorder.size()` are in.
    std::vector<int> reorder;
    std::vector<Outgoing> reorderHeld;
    PeerClock::time_point closeDeadline {};
};

// Packet helpers (peer_wire.cpp).
// Checks every message header against the packet (false and `error` when one
// does not fit); fills `out` when given; `stray` is the first message whose
// sequence number differs from the packet's, or -1.
bool WalkPacket(std::span<const uint8_t> packet, PeerPacket* out, int& stray, std::string& error);
// The echo of a checked request: its own bytes with class 1 and no address words.
std::vector<uint8_t> EchoPacket(std::span<const uint8_t> request);
// XORs what follows the packet header with `key` (0 leaves it as it is).
void XorPayload(std::span<uint8_t> packet, uint8_t key);
// Gives a packet and its messages another sequence number.
void Restamp(std::vector<uint8_t>& packet, uint32_t seq);
void Malform(std::vector<uint8_t>& packet, Malformation how);
std::vector<uint8_t> EncodeConnectInfo(const ConnectInfo& info);

struct ProtocolPeer::Impl {
    explicit Impl(PeerConfig cfg);
    ~Impl();

    // ---- set up once, then read-only
    PeerConfig config;
    uint32_t address = 0; // network order
    uint32_t broadcast = 0; // network order, 0 for none
    uint16_t port = 0; // host order
    int udpFd = -1;
    int broadcastFd = -1;
    int wakeFd = -1;
    std::thread thread;
    std::atomic<bool> stopping { false };

    // ---- owned by the loop thread
    int listenFd = -1;
    std::vector<std::unique_ptr<Connection>> links;
    int nextLinkId = 1;

    // ---- shared, under mu
    mutable std::mutex mu;
    mutable std::condition_variable changed;
    uint32_t load = 0;
    bool answerDiscovery = true;
    LogonAnswer logon;
    std::vector<ReplyMessage> pluginReply;
    RequestHandler handler;
    std::chrono::milliseconds delay { 0 };
    std::deque<ReplyFault> faults;
    int dropAt = 0;
    PeerRecord rec;
    std::deque<std::function<void()>> commands;
    uint64_t commandsPosted = 0;
    uint64_t commandsDone = 0;

    // Runs `fn` on the loop thread and waits (bounded) until it has run.
    void runOnLoop(std::function<void()> fn);
    void wake() const;
    void armFault(ReplyFault fault);

    // ---- loop (peer_loop.cpp)
    void run();
    void openListener();
    void closeListener();
    void acceptLinks();
    void readDatagrams(int fd, bool viaBroadcast);
    void readLink(Connection& link);
    void queue(Connection& link, std::vector<uint8_t> bytes, int replies, bool closeAfter);
    void flush(Connection& link);
    void refuse(Connection& link, std::string why);
    void startClosing(Connection& link);
    void lose(Connection& link);
    void runCommands();
    int pollTimeoutMs() const;

    // ---- one connection's protocol (peer_session.cpp)
    ConnectInfo ourConnectInfo() const; // under mu
    void takeInput(Connection& link);
    void takePacket(Connection& link, std::span<const uint8_t> bytes, int stray);
    void answerLogon(Connection& link, const PeerPacket& packet, const LogonAnswer& answer);
    void sendReply(Connection& link, std::vector<uint8_t> bytes);
    void emitReply(Connection& link, std::vector<uint8_t> bytes, int replies, bool closeAfter);
};

} // namespace hostsim
