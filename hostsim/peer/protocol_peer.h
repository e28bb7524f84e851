#pragma once
// A scriptable stand-in for the host's router process, as the router client
// sees it: UDP discovery, the TCP connect-information exchange, the plug-in
// handshake, logon and one reply per request packet. It runs in the test's
// own process on one thread of its own and only ever listens on loopback.
//
// Typical use:
//
//   hostsim::ProtocolPeer peer({.address = "127.0.0.2", .load = 40});
//   // client: service peer.service(), PossibleHosts "127.0.0.2" or
//   //         BroadcastAddress "127.255.255.255"
//   peer.setLogonAnswer(hostsim::LogonAnswer::refuse("wrong password"));
//   peer.coalesceNextReplies();
//   ASSERT_TRUE(peer.waitForRequests(2, std::chrono::seconds(5)));
//   EXPECT_EQ(peer.record().requestSequences(), (std::vector<uint32_t>{1, 2}));
//
// Threading: every public member may be called from any thread. Handlers set
// by the caller run on the peer's thread, without the peer's lock held, so
// they may call the peer's members themselves.
//
// Faults armed with the "Next" members are one-shot and queue up: each
// request reply (on whichever connection) consumes the oldest armed fault. Logon and plug-in replies
// never consume them, so faults may be armed before the client connects.
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "vorl/wire.h"

namespace hostsim {

// First message types of a logon reply (what the workstation's logon
// callback understands).
inline constexpr uint16_t kLogonRefused = 192;
inline constexpr uint16_t kLogonAccepted = 193;

struct PeerConfig {
    std::string address = "127.0.0.1"; // a 127.x address to listen on (TCP and UDP)
    // TCP and UDP port (the same number, as a service of digits names both);
    // 0 picks a free one. A second peer on another address may reuse a port.
    uint16_t port = 0;
    // Discovery datagrams sent here are answered too; empty: not listened for.
    std::string broadcastAddress = "127.255.255.255";
    bool answerDiscovery = true;
    bool acceptConnections = true; // false: TCP connects are refused
    // What goes into every ConnectInfo the peer sends (discovery and TCP).
    std::string hostType = "hostsim";
    uint32_t version = 40201;
    uint32_t sendBufferSize = 30000;
    // Also the largest request packet taken; a longer one is a protocol error.
    uint32_t recvBufferSize = 30000;
    uint32_t windowSize = 8;
    uint32_t load = 0;
    // Received packets kept in the record (counters go on beyond it); 0 for
    // throughput runs, where copying every packet would be measured too.
    std::size_t recordLimit = 10000;
    // Not 0: the payload of every packet but plug-in packets is XORed with
    // this byte both ways, as a transforming plug-in on the client does.
    uint8_t payloadKey = 0;
};

// A message as received, header in host order.
struct PeerMessage {
    VORLMsg header {};
    std::vector<uint8_t> data;
    std::string text() const { return { data.begin(), data.end() }; }
};

// A packet as received.
struct PeerPacket {
    int connection = 0; // 1 for the first accepted connection, then counting up
    VORLPktHdr header {};
    std::vector<PeerMessage> messages;
    std::vector<uint8_t> bytes; // exactly as it arrived
    bool isPlugin() const { return header.seq == VORL_PLUGIN_SEQ; }
    bool isLogon() const { return header.seq == 0; }
    bool isRequest() const { return !isPlugin() && !isLogon(); }
};

// A message of a reply. The peer fills in the sequence number.
struct ReplyMessage {
    uint16_t type = 0;
    std::vector<uint8_t> data;
    uint32_t handle = 0;
    uint16_t windowSlot = 0;
    uint16_t clientSlot = 0xFFFF;

    // Answers `request`: its handle and routing words come back unchanged.
    static ReplyMessage answering(const PeerMessage& request, uint16_t type, std::string_view text);
    // The request message itself: type, data, handle and routing words.
    static ReplyMessage echo(const PeerMessage& request);
};

// Builds the reply messages for one request packet; std::nullopt leaves the
// request unanswered. The default echoes the request: the same messages
// (type, data, handle, routing words) under a header of class 1.
using RequestHandler = std::function<std::optional<std::vector<ReplyMessage>>(const PeerPacket&)>;

// How the peer answers a logon packet (sequence 0).
struct LogonAnswer {
    enum class Kind {
        Accept, // one message of type 193 carrying `text`
        Refuse, // one message of type 192 carrying `text`
        NoMessages, // a reply packet without messages
        Silent // no reply at all
    };
    Kind kind = Kind::Accept;
    std::string text;
    static LogonAnswer accept(std::string text = {}) { return { Kind::Accept, std::move(text) }; }
    static LogonAnswer refuse(std::string text) { return { Kind::Refuse, std::move(text) }; }
};

// Ways to spoil a reply while keeping the rest of its bytes.
enum class Malformation {
    BadKind, // packet kind 3
    LengthBelowHeader, // header length 8, the 16 header bytes sent
    LengthAboveLimit, // header length 65535, the real bytes sent
    CountBeyondPacket, // message count 5 higher than the messages present
    MessageBeyondPacket // the first message's length runs 1000 bytes past the packet
};

struct DiscoveryRecord {
    uint32_t fromAddress = 0; // network order
    uint16_t fromPort = 0; // host order
    ConnectInfo info {}; // host order
    bool viaBroadcast = false;
};

// What the peer has seen, in arrival order.
struct PeerRecord {
    std::vector<DiscoveryRecord> discoveries;
    // Discovery datagrams whose length is not 52, or that come from the peer's
    // own address and port; neither is recorded nor answered.
    int ignoredDatagrams = 0;
    std::vector<ConnectInfo> connectInfos; // one per connection that completed the exchange
    std::vector<PeerPacket> packets; // every packet, up to the record limit
    std::vector<std::string> logonTexts;
    std::size_t packetsReceived = 0; // all packets, also beyond the record limit
    std::size_t requestsReceived = 0;
    std::size_t repliesSent = 0; // request replies written whole
    int connectionsAccepted = 0;
    int connectionsClosed = 0; // by either side
    std::vector<std::string> protocolErrors; // what the peer refused; the link was dropped

    // Sequence numbers of the recorded request packets (neither logon nor
    // plug-in packets), in arrival order, resends included.
    std::vector<uint32_t> requestSequences() const;
    // The recorded request packets; the pointers live as long as this record.
    std::vector<const PeerPacket*> requests() const;
};

class ProtocolPeer {
public:
    // Binds the sockets and starts the peer's thread. Throws std::runtime_error
    // when the address is not a loopback address or the ports cannot be bound.
    explicit ProtocolPeer(PeerConfig config = {});
    // Closes every socket and joins the thread.
    ~ProtocolPeer();
    ProtocolPeer(const ProtocolPeer&) = delete;
    ProtocolPeer& operator=(const ProtocolPeer&) = delete;

    uint16_t port() const; // TCP and UDP port, host order
    uint32_t address() const; // network order
    const std::string& addressText() const;
    std::string service() const; // the port as decimal text

    // ---- behaviour (kept until changed)
    void setLoad(uint32_t load);
    void setDiscoveryAnswering(bool on);
    // false closes the listener (connects are refused); true listens again on
    // the same port. Returns once the peer's thread has done it.
    void setAcceptingConnections(bool on);
    void setLogonAnswer(LogonAnswer answer);
    // The messages of the peer's plug-in packet, sent for every plug-in packet
    // of the handshake (default: none, an empty plug-in packet).
    void setPluginReply(std::vector<ReplyMessage> messages);
    // Null restores the echo.
    void setRequestHandler(RequestHandler handler);
    // Holds back everything the peer writes on TCP by `delay`.
    void setReplyDelay(std::chrono::milliseconds delay);

    // ---- faults
    // Closes every connection now (an orderly close). Returns once done.
    void dropLinks();
    // The n-th request packet from now (1: the next) is recorded, left
    // unanswered, and its connection is closed. 0 disarms.
    void dropAtRequest(int n);
    // The next request reply is written up to about half its length, then the
    // connection is closed.
    void cutNextReply();
    // The next request reply is held and written together with the one after
    // it in a single write.
    void coalesceNextReplies();
    // The next request reply carries `seq` (header and messages) instead of the
    // request's sequence number.
    void overrideNextSequence(uint32_t seq);
    // The next order.size() request replies of a link are held until all are
    // made, then written one by one in this order: positions in the order the
    // requests arrived, e.g. {2, 0, 1}. Throws std::invalid_argument when the
    // order is not a permutation of 0..n-1. Takes one armed place, the first
    // of the collected replies; the others still take theirs.
    void reorderNextReplies(std::vector<int> order);
    void malformNextReply(Malformation how);
    // The next request reply is replaced by these bytes.
    void replaceNextReply(std::vector<uint8_t> bytes);
    // Writes these bytes now on every connection that finished the exchange;
    // returns how many connections got them. With encodePacket this is also a
    // late reply to a request that a handler left unanswered.
    int sendRaw(std::vector<uint8_t> bytes);

    // ---- record
    PeerRecord record() const;
    void clearRecord();
    // Waits, at most `timeout`, until `done` holds for the record. `done` runs
    // under the peer's lock: it must not call the peer.
    bool waitFor(const std::function<bool(const PeerRecord&)>& done, std::chrono::milliseconds timeout) const;
    bool waitForRequests(std::size_t count, std::chrono::milliseconds timeout) const;
    bool waitForConnections(int count, std::chrono::milliseconds timeout) const;
    bool waitForDisconnects(int count, std::chrono::milliseconds timeout) const;

    // Wire form of a packet (kind 2, class 1) with these messages, each
    // stamped with `seq`. Empty when it would not fit a 16-bit length.
    static std::vector<uint8_t> encodePacket(uint32_t seq, const std::vector<ReplyMessage>& messages);

    struct Impl;

private:
    std::unique_ptr<Impl> impl_;
};

} // namespace hostsim
