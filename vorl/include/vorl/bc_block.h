#pragma once
// The two shared blocks of broadcasting, as byte offsets (C++ only, header-only
// so that the broadcaster and listener processes use exactly what the library
// does). Words are 32-bit in host order, read and written whole and atomically;
// packets inside the blocks are in wire form (big-endian headers).
//
// Server block: a 96-byte header, b broadcaster entries of 72 bytes, b * c entries
// of 16 bytes, then the ring of d bytes into which broadcast servers write packets
// (each taking its length rounded up to 4) and from which broadcasters read them.
//
// Client block: a header, a 30,000-byte plug-in packet area at +168, a ring of n
// packet entries of 16 bytes at +30,168, then d bytes of packet data in two regions:
// the first from 0, the second from the offset at +68. A listener writes packets in
// one region after the other; the client reads each region from its read position
// and hands a region back (limit -1, position at its start) once it has read up to
// the region's limit.
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "vorl/codec.h"
#include "vorl/wire.h"

namespace vorl::bc {

// ---- server block
inline constexpr std::size_t kServerHeaderSize = 96;
inline constexpr std::size_t kServerState = 4;       // 0 stopped, 1 inactive, 2 active
inline constexpr std::size_t kServerRingSize = 12;
inline constexpr std::size_t kServerSeq = 16;        // shared by every server of the block
inline constexpr std::size_t kServerBroadcasters = 20;
inline constexpr std::size_t kServerEntries = 24;    // per broadcaster
inline constexpr std::size_t kServerInterval = 36;   // ms between looks at a full ring
inline constexpr std::size_t kServerReadPos = 44;    // what the broadcasters have read
inline constexpr std::size_t kServerWritePos = 48;
inline constexpr std::size_t kServerWrapMark = 52;
inline constexpr std::size_t kServerLockKey = 76;
inline constexpr std::size_t kBroadcasterSize = 72;
inline constexpr std::size_t kBroadcasterEventKey = 12;
inline constexpr std::size_t kServerEntrySize = 16;

inline constexpr int kStateStopped = 0;
inline constexpr int kStateInactive = 1;
inline constexpr int kStateActive = 2;

// ---- client block
inline constexpr std::size_t kClientLockKey = 8;
inline constexpr std::size_t kClientEventKey = 12;
inline constexpr std::size_t kClientRunning = 28;
inline constexpr std::size_t kClientResult = 40;
inline constexpr std::size_t kClientRegion2 = 68;     // start of the second region
inline constexpr std::size_t kClientDataSize = 72;    // d
inline constexpr std::size_t kClientEntryCount = 76;  // n
inline constexpr std::size_t kClientReadIndex = 80;
inline constexpr std::size_t kClientValue = 84;
inline constexpr std::size_t kClientRequest = 88;
inline constexpr std::size_t kClientInterval = 96;    // ms between looks at a pending request
inline constexpr std::size_t kClientWriteIndex = 100; // the listener's
inline constexpr std::size_t kClientReadPos1 = 120;
inline constexpr std::size_t kClientWritePos1 = 124;  // the listener's
inline constexpr std::size_t kClientLimit1 = 128;
inline constexpr std::size_t kClientReadPos2 = 132;
inline constexpr std::size_t kClientWritePos2 = 136;  // the listener's
inline constexpr std::size_t kClientLimit2 = 140;
inline constexpr std::size_t kClientPluginArea = 168;
inline constexpr std::size_t kClientEntriesAt = 30168;
inline constexpr std::size_t kEntryOffset = 0;
inline constexpr std::size_t kEntryState = 8;         // -1 when empty
inline constexpr std::size_t kEntryLength = 12;
inline constexpr std::size_t kClientEntrySize = 16;

inline constexpr int kMaxPacket = 30000;

inline constexpr std::size_t ServerBlockSize(std::size_t b, std::size_t c, std::size_t d) {
  return c * 16 * b + d + 72 * b + 96;
}
inline constexpr std::size_t ServerRingAt(std::size_t b, std::size_t c) {
  return kServerHeaderSize + kBroadcasterSize * b + kServerEntrySize * b * c;
}
inline constexpr std::size_t ClientBlockSize(std::size_t n, std::size_t d) { return n * 16 + d + 30408; }
inline constexpr std::size_t ClientDataAt(std::size_t n) { return kClientEntriesAt + kClientEntrySize * n; }
static_assert(kClientPluginArea + kMaxPacket == kClientEntriesAt);

inline constexpr int Round4(int n) { return n + ((4 - (n & 3)) & 3); }

inline int32_t Load(const uint8_t* block, std::size_t offset) {
  return std::atomic_ref<int32_t>(*reinterpret_cast<int32_t*>(const_cast<uint8_t*>(block) + offset)).load();
}
inline void Store(uint8_t* block, std::size_t offset, int32_t value) {
  std::atomic_ref<int32_t>(*reinterpret_cast<int32_t*>(block + offset)).store(value);
}

// The packet length word of a packet in wire form.
inline int PacketLength(const uint8_t* packet) { return wire::getU16(packet + 14); }

// What a broadcaster does with the server ring: takes the packets in order,
// following the wrap mark, and publishes how far it has read so that the writers
// may reuse the space. The caller holds the block's read lock around Next.
class ServerRingReader {
public:
  ServerRingReader(uint8_t* block, std::size_t ringAt, int ringSize)
      : block_(block), ring_(block + ringAt), size_(ringSize) {}

  // The next packet (pointer into the ring, its length) or null when none is new or
  // the ring is inconsistent (*broken set).
  const uint8_t* Next(int* length, bool* broken) {
    *broken = false;
    for (int turn = 0; turn < 2; ++turn) {
      const int read = Load(block_, kServerReadPos);
      const int write = Load(block_, kServerWritePos);
      const int mark = Load(block_, kServerWrapMark);
      if (read == write) return nullptr;
      if (read > write && read >= mark) { // the writers went back to 0 after this point
        Store(block_, kServerReadPos, 0);
        continue;
      }
      const int end = read < write ? write : mark;
      if (read < 0 || end > size_ || end - read < VORL_BCPKTHDR_SIZE) break;
      const int n = PacketLength(ring_ + read);
      if (n < VORL_BCPKTHDR_SIZE || Round4(n) > end - read) break;
      *length = n;
      pending_ = read + Round4(n);
      return ring_ + read;
    }
    *broken = true;
    return nullptr;
  }
  // A look without the lock: whether the writers have moved on since the last
  // packet. Lets an idle reader wait without taking the lock again and again.
  bool HasNew() const { return Load(block_, kServerReadPos) != Load(block_, kServerWritePos); }

  // Gives the space of the packet last returned back to the writers.
  void Done() { Store(block_, kServerReadPos, pending_); }

private:
  uint8_t* block_;
  uint8_t* ring_;
  int size_;
  int pending_ = 0;
};

// What a listener does with a client block: places packets into the data regions
// and announces them in the entry ring. The caller holds the block's write lock.
class ClientBlockWriter {
public:
  explicit ClientBlockWriter(uint8_t* block) : block_(block) {}

  // False when there is no room now (the client has not read enough yet); the
  // caller tries again later. Packets longer than 30,000 bytes are refused (*refused).
  bool Put(const uint8_t* packet, int length, bool* refused) {
    *refused = length < VORL_BCPKTHDR_SIZE || length > kMaxPacket;
    if (*refused) return false;
    const int n = Load(block_, kClientEntryCount);
    const int d = Load(block_, kClientDataSize);
    const int start2 = Load(block_, kClientRegion2);
    const int index = Load(block_, kClientWriteIndex);
    uint8_t* entry = block_ + kClientEntriesAt + kClientEntrySize * static_cast<std::size_t>(index);
    if (Load(entry, kEntryState) != -1) return false;
    const int need = Round4(length);
    if (need > start2 || need > d - start2) {
      *refused = true;
      return false;
    }
    int region = current_;
    std::size_t writeAt = region == 1 ? kClientWritePos1 : kClientWritePos2;
    int position = Load(block_, writeAt);
    int end = region == 1 ? start2 : d;
    if (position + need > end) {
      const int other = region == 1 ? 2 : 1;
      const std::size_t otherLimit = other == 1 ? kClientLimit1 : kClientLimit2;
      if (Load(block_, otherLimit) != -1) return false; // the client still reads there
      Store(block_, region == 1 ? kClientLimit1 : kClientLimit2, position);
      current_ = region = other;
      writeAt = region == 1 ? kClientWritePos1 : kClientWritePos2;
      position = region == 1 ? 0 : start2;
      end = region == 1 ? start2 : d;
    }
    uint8_t* data = block_ + ClientDataAt(static_cast<std::size_t>(n));
    std::memcpy(data + position, packet, static_cast<std::size_t>(length));
    std::memset(data + position + length, 0, static_cast<std::size_t>(need - length));
    Store(block_, writeAt, position + need);
    Store(entry, kEntryOffset, position);
    Store(entry, kEntryLength, length);
    Store(entry, kEntryState, 0);
    Store(block_, kClientWriteIndex, (index + 1) % n);
    return true;
  }

private:
  uint8_t* block_;
  int current_ = 1;
};

} // namespace vorl::bc
