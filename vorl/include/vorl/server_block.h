#pragma once
// The server side's shared block, byte for byte (C++ only, header-only so that
// the host's router process lays it out exactly as the library reads it).
//
//   header        104 bytes
//   client table  n entries of 44 bytes
//   queue         n * w entries of 12 bytes {client slot, window slot, class}
//   reply states  n * w records of 32 bytes
//   request areas n * w areas of a bytes
//   reply areas   n * w areas of b bytes
//
// Every word is a 32-bit integer in host order at a fixed offset; nothing in
// the block is a pointer, so each process may map it at its own address.
// Words that a process reads while another may write them without a lock
// between (the running flag, the connected flag, the reply state) go through
// the atomic accessors; everything else is guarded by the block's mutexes or
// handed over through its events.
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace vorl::block {

// Header offsets.
inline constexpr std::size_t kHdrWakeEventKey = 8;
inline constexpr std::size_t kHdrQueueMutexKey = 12;
inline constexpr std::size_t kHdrClientMutexKey = 16;
inline constexpr std::size_t kHdrOperatorEventKey = 24; // slot i uses this key + i
inline constexpr std::size_t kHdrRunning = 32;
inline constexpr std::size_t kHdrHostType = 36; // 32 bytes, zero-terminated
inline constexpr std::size_t kHdrOperatorCount = 68;
inline constexpr std::size_t kHdrClients = 72; // n
inline constexpr std::size_t kHdrRequestSize = 76; // a
inline constexpr std::size_t kHdrReplySize = 80; // b
inline constexpr std::size_t kHdrWindow = 84; // w
inline constexpr std::size_t kHdrQueueRead = 96;
inline constexpr std::size_t kHdrQueueWrite = 100;
inline constexpr std::size_t kHeaderSize = 104;
inline constexpr std::size_t kHostTypeSize = 32;
inline constexpr std::size_t kHostTypeMax = 30;
static_assert(kHdrQueueWrite + 4 == kHeaderSize);
static_assert(kHdrHostType + kHostTypeSize == kHdrOperatorCount);

// Client table entry offsets.
inline constexpr std::size_t kCliConnected = 0;
inline constexpr std::size_t kCliOperator = 16; // -1 free for an operator, 0 in use by one
inline constexpr std::size_t kCliMaxReply = 20;
inline constexpr std::size_t kCliMaxRequest = 24;
inline constexpr std::size_t kCliReplyEventKey = 28;
inline constexpr std::size_t kCliReset1 = 36;
inline constexpr std::size_t kCliReset2 = 40;
inline constexpr std::size_t kClientSize = 44;
static_assert(kCliReset2 + 4 == kClientSize);

// Queue entry offsets.
inline constexpr std::size_t kQueClient = 0;
inline constexpr std::size_t kQueWindow = 4;
inline constexpr std::size_t kQueClass = 8;
inline constexpr std::size_t kQueueEntrySize = 12;

// Reply state record offsets: the reply's packet header in host order (the
// VORLPktHdr field offsets), two words -1, "reply taken", the state.
inline constexpr std::size_t kRsHeader = 0;
inline constexpr std::size_t kRsSpare1 = 16;
inline constexpr std::size_t kRsSpare2 = 20;
inline constexpr std::size_t kRsTaken = 24;
inline constexpr std::size_t kRsState = 28;
inline constexpr std::size_t kReplyStateSize = 32;
static_assert(kRsState + 4 == kReplyStateSize);
static_assert(kQueueEntrySize + kReplyStateSize == 44);

// Reply states.
inline constexpr int32_t kStateNone = 0;
inline constexpr int32_t kStateBuilding = 2;
inline constexpr int32_t kStateReady = 3;

// Limits a block's geometry must keep: packet lengths are 16-bit, and a
// block read from memory that another process wrote is checked against them
// before any offset is computed from it.
inline constexpr int32_t kMaxClients = 4096;
inline constexpr int32_t kMaxWindow = 256;
inline constexpr int32_t kMinArea = 16 + 20;
inline constexpr int32_t kMaxArea = 65535;

inline int32_t getI32(const uint8_t* p)
{
    int32_t v;
    std::memcpy(&v, p, 4);
    return v;
}
inline void putI32(uint8_t* p, int32_t v)
{
    std::memcpy(p, &v, 4);
}
// Every word sits at an offset that is a multiple of 4 from the page-aligned
// base, so these are naturally aligned.
inline int32_t loadI32(const uint8_t* p)
{
    return __atomic_load_n(reinterpret_cast<const int32_t*>(p), __ATOMIC_ACQUIRE);
}
inline void storeI32(uint8_t* p, int32_t v)
{
    __atomic_store_n(reinterpret_cast<int32_t*>(p), v, __ATOMIC_RELEASE);
}
inline bool casI32(uint8_t* p, int32_t expected, int32_t desired)
{
    return __atomic_compare_exchange_n(
        reinterpret_cast<int32_t*>(p), &expected, desired, false, __ATOMIC_ACQ_REL, __ATOMIC_ACQUIRE);
}

struct Geometry {
    int32_t n = 0; // client slots
    int32_t a = 0; // request area size
    int32_t b = 0; // reply area size
    int32_t w = 0; // window
    bool valid() const
    {
        return n >= 1 && n <= kMaxClients && w >= 1 && w <= kMaxWindow && a >= kMinArea && a <= kMaxArea
            && b >= kMinArea && b <= kMaxArea;
    }
    std::size_t slots() const { return static_cast<std::size_t>(n) * static_cast<std::size_t>(w); }
    std::size_t clientTable() const { return kHeaderSize; }
    std::size_t queue() const { return clientTable() + kClientSize * static_cast<std::size_t>(n); }
    std::size_t replyStates() const { return queue() + kQueueEntrySize * slots(); }
    std::size_t requestAreas() const { return replyStates() + kReplyStateSize * slots(); }
    std::size_t replyAreas() const { return requestAreas() + static_cast<std::size_t>(a) * slots(); }
    // 104 + 44 n + n w (44 + a + b)
    std::size_t size() const { return replyAreas() + static_cast<std::size_t>(b) * slots(); }
};

// A view of a mapped block. All indexes are checked by the callers against
// the geometry; the view itself only computes addresses.
class View {
public:
    View() = default;
    View(uint8_t* base, const Geometry& g)
        : base_(base)
        , g_(g)
    {
    }
    // The geometry written in the block's header.
    static Geometry ReadGeometry(const uint8_t* base)
    {
        return Geometry { getI32(base + kHdrClients), getI32(base + kHdrRequestSize),
            getI32(base + kHdrReplySize), getI32(base + kHdrWindow) };
    }

    uint8_t* base() const { return base_; }
    const Geometry& geometry() const { return g_; }
    uint8_t* header(std::size_t offset) const { return base_ + offset; }
    uint8_t* client(int c) const
    {
        return base_ + g_.clientTable() + kClientSize * static_cast<std::size_t>(c);
    }
    uint8_t* queueEntry(int i) const
    {
        return base_ + g_.queue() + kQueueEntrySize * static_cast<std::size_t>(i);
    }
    std::size_t slot(int c, int s) const
    {
        return static_cast<std::size_t>(c) * static_cast<std::size_t>(g_.w) + static_cast<std::size_t>(s);
    }
    uint8_t* replyState(int c, int s) const
    {
        return base_ + g_.replyStates() + kReplyStateSize * slot(c, s);
    }
    uint8_t* requestArea(int c, int s) const
    {
        return base_ + g_.requestAreas() + static_cast<std::size_t>(g_.a) * slot(c, s);
    }
    uint8_t* replyArea(int c, int s) const
    {
        return base_ + g_.replyAreas() + static_cast<std::size_t>(g_.b) * slot(c, s);
    }
    bool validSlot(int c, int s) const { return c >= 0 && c < g_.n && s >= 0 && s < g_.w; }

    bool running() const { return loadI32(base_ + kHdrRunning) != 0; }
    void setRunning(bool on) const { storeI32(base_ + kHdrRunning, on ? 1 : 0); }
    // The host type, never read past its 32 bytes.
    void hostType(char out[kHostTypeSize]) const
    {
        std::memcpy(out, base_ + kHdrHostType, kHostTypeSize);
        out[kHostTypeMax] = '\0';
    }
    void setHostType(const char* text) const
    {
        uint8_t* p = base_ + kHdrHostType;
        std::memset(p, 0, kHostTypeSize);
        if (text != nullptr)
            std::memcpy(p, text, strnlen(text, kHostTypeMax));
    }

private:
    uint8_t* base_ = nullptr;
    Geometry g_ {};
};

// The host-order packet header of a reply state record, at the wire record's
// field offsets.
struct HostHeader {
    static void Put(uint8_t* p, uint8_t kind, uint8_t reserved, uint16_t pktClass, uint32_t address,
        uint32_t seq, uint16_t count, uint16_t length)
    {
        p[0] = kind;
        p[1] = reserved;
        std::memcpy(p + 2, &pktClass, 2);
        std::memcpy(p + 4, &address, 4);
        std::memcpy(p + 8, &seq, 4);
        std::memcpy(p + 12, &count, 2);
        std::memcpy(p + 14, &length, 2);
    }
};

} // namespace vorl::block
