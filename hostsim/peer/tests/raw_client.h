#pragma once
// A bare socket client for driving the peer in tests: it writes exactly the
// bytes a test gives it and reads with bounded waits, so each test sees the
// peer's bytes as they arrive. Loopback only.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "plinth/sockwait.h"
#include "protocol_peer.h"
#include "vorl/codec.h"

namespace hostsim::test {

namespace wire = vorl::wire;
using std::chrono::milliseconds;

inline constexpr milliseconds kWait { 5000 }; // generous bound for anything expected

inline timeval ToTimeval(milliseconds ms)
{
    return { static_cast<time_t>(ms.count() / 1000), static_cast<suseconds_t>((ms.count() % 1000) * 1000) };
}

inline sockaddr_in Endpoint(uint32_t address, uint16_t port)
{
    sockaddr_in sa {};
    sa.sin_family = AF_INET;
    sa.sin_addr.s_addr = address;
    sa.sin_port = htons(port);
    return sa;
}

inline uint32_t Ip(const char* text)
{
    in_addr a {};
    inet_pton(AF_INET, text, &a);
    return a.s_addr;
}

inline std::vector<uint8_t> ClientConnectInfo(uint32_t window = 3)
{
    ConnectInfo c {};
    c.version = 40201;
    c.sendBufferSize = 30000;
    c.recvBufferSize = 30000;
    c.windowSize = window;
    std::vector<uint8_t> out(wire::kConnectInfoSize);
    wire::encode(c, out.data());
    return out;
}

struct Msg {
    uint16_t type = 0;
    std::string text;
    uint32_t handle = 0;
};

// A packet as a client builds it: routing word 0xFFFF, each message stamped
// with the packet's sequence number.
inline std::vector<uint8_t> ClientPacket(uint32_t seq, const std::vector<Msg>& msgs)
{
    std::vector<ReplyMessage> rm;
    for (const Msg& m : msgs) {
        ReplyMessage r;
        r.type = m.type;
        r.data.assign(m.text.begin(), m.text.end());
        r.handle = m.handle;
        rm.push_back(r);
    }
    return ProtocolPeer::encodePacket(seq, rm);
}

// A parsed packet from the peer.
struct Got {
    VORLPktHdr hdr {};
    std::vector<VORLMsg> msgs;
    std::vector<std::string> texts;
};

inline std::optional<Got> ParseGot(const std::vector<uint8_t>& b)
{
    Got g;
    if (!wire::decode(std::span<const uint8_t>(b), g.hdr) || g.hdr.length != b.size())
        return std::nullopt;
    std::size_t at = wire::kPktHdrSize;
    for (unsigned i = 0; i < g.hdr.count; ++i) {
        VORLMsg m {};
        if (!wire::decode(std::span<const uint8_t>(b).subspan(at), m))
            return std::nullopt;
        at += wire::kMsgSize;
        if (m.length > b.size() - at)
            return std::nullopt;
        g.texts.emplace_back(b.begin() + static_cast<std::ptrdiff_t>(at),
            b.begin() + static_cast<std::ptrdiff_t>(at + m.length));
        at += m.length;
        g.msgs.push_back(m);
    }
    return g;
}

class RawLink {
public:
    RawLink(uint32_t address, uint16_t port)
    {
        fd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in sa = Endpoint(address, port);
        connected_ = fd_ >= 0 && ::connect(fd_, reinterpret_cast<sockaddr*>(&sa), sizeof sa) == 0;
        if (connected_) {
            int on = 1;
            ::setsockopt(fd_, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
        }
    }
    ~RawLink()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    RawLink(const RawLink&) = delete;
    RawLink& operator=(const RawLink&) = delete;

    bool connected() const { return connected_; }

    bool send(const std::vector<uint8_t>& bytes)
    {
        return ::send(fd_, bytes.data(), bytes.size(), MSG_NOSIGNAL) == static_cast<ssize_t>(bytes.size());
    }

    // One receive: the bytes, empty on time-out; closed_ tells an orderly close.
    std::vector<uint8_t> readOnce(milliseconds wait, std::size_t max = 65536)
    {
        std::vector<uint8_t> buf(max);
        timeval tv = ToTimeval(wait);
        int n = PlinthRecvWait(fd_, buf.data(), static_cast<int>(buf.size()), 0, &tv);
        if (n == PLINTH_RECV_CLOSED || n == PLINTH_RECV_ERROR)
            closed_ = true;
        buf.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
        return buf;
    }

    // Exactly n bytes, or nullopt when they do not come within `wait` in all.
    std::optional<std::vector<uint8_t>> readExactly(std::size_t n, milliseconds wait = kWait)
    {
        std::vector<uint8_t> out;
        const auto end = std::chrono::steady_clock::now() + wait;
        while (out.size() < n && !closed_) {
            auto left = std::chrono::duration_cast<milliseconds>(end - std::chrono::steady_clock::now());
            if (left.count() <= 0)
                return std::nullopt;
            std::vector<uint8_t> got = readOnce(left, n - out.size());
            out.insert(out.end(), got.begin(), got.end());
        }
        if (out.size() < n)
            return std::nullopt;
        return out;
    }

    std::optional<Got> readPacket(milliseconds wait = kWait)
    {
        auto head = readExactly(wire::kPktHdrSize, wait);
        if (!head)
            return std::nullopt;
        VORLPktHdr h {};
        wire::decode(head->data(), h);
        if (h.length < wire::kPktHdrSize)
            return std::nullopt;
        auto rest = readExactly(h.length - wire::kPktHdrSize, wait);
        if (!rest)
            return std::nullopt;
        head->insert(head->end(), rest->begin(), rest->end());
        return ParseGot(*head);
    }

    // True once the peer has closed the link (anything still arriving is read
    // and dropped); false when it stays open for `wait`.
    bool waitClosed(milliseconds wait = kWait)
    {
        const auto end = std::chrono::steady_clock::now() + wait;
        while (!closed_) {
            auto left = std::chrono::duration_cast<milliseconds>(end - std::chrono::steady_clock::now());
            if (left.count() <= 0)
                return false;
            readOnce(left);
        }
        return true;
    }

    // The connect-information exchange and an empty plug-in packet; the
    // peer's ConnectInfo, or nullopt.
    std::optional<ConnectInfo> exchange(uint32_t window = 3)
    {
        if (!send(ClientConnectInfo(window)))
            return std::nullopt;
        auto info = readExactly(wire::kConnectInfoSize);
        if (!info)
            return std::nullopt;
        ConnectInfo c {};
        wire::decode(info->data(), c);
        if (!send(ClientPacket(VORL_PLUGIN_SEQ, {})))
            return std::nullopt;
        auto plugin = readPacket();
        if (!plugin || plugin->hdr.seq != VORL_PLUGIN_SEQ)
            return std::nullopt;
        return c;
    }

    // Exchange plus an accepted logon.
    bool logOn(const std::string& text = "user")
    {
        if (!exchange())
            return false;
        if (!send(ClientPacket(0, { { 7, text, 0 } })))
            return false;
        auto reply = readPacket();
        return reply && reply->hdr.seq == 0 && reply->hdr.count == 1 && reply->msgs[0].type == kLogonAccepted;
    }

private:
    int fd_ = -1;
    bool connected_ = false;
    bool closed_ = false;
};

} // namespace hostsim::test
