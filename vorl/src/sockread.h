#pragma once
// Timed reads of whole records and packets from a stream socket.
#include <cstddef>
#include <cstdint>

namespace vorl {

// Time-outs in seconds. The per-read wait is `receive` before the first byte
// of a packet and `character` after it, never beyond what is left of `packet`
// counted from `startTick`.
struct ReadLimits {
  int receive = 5;
  int character = 2;
  int packet = 10;
  uint32_t startTick = 0;
};

// Reads exactly `size` bytes. `begun` tells (and is set when) bytes of the
// record were already read. 0; 22 when a wait ends without data; 24 on a
// read error or when the peer closed the connection.
int ReadExact(int sock, uint8_t* buffer, std::size_t size, const ReadLimits& limits, bool& begun);

// Reads one point-to-point packet: its 16-byte header, then the rest of its
// length. 10 when the length is below 16 or above `capacity`; else as ReadExact.
int ReadPacket(int sock, uint8_t* buffer, std::size_t capacity, const ReadLimits& limits,
               std::size_t& length);

// Writes all bytes (MSG_NOSIGNAL). False on an error.
bool SendAll(int sock, const uint8_t* data, std::size_t size);

} // namespace vorl
