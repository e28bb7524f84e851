#pragma once
// Shared framing of the 64-byte-block digests (SHA-1, MD5, RIPEMD): input
// buffering, and the closing padding with the 64-bit message length.

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace mox::hash {

// Compress(state, blocks, count) runs the compression function over `count`
// whole 64-byte blocks. BigEndianLength selects how the bit length is written.
template <typename State, void (*Compress)(State&, const uint8_t*, size_t), bool BigEndianLength>
class MdFrame {
public:
    explicit MdFrame(const State& initial) : state_(initial) {}

    void update(const uint8_t* data, size_t len)
    {
        total_ += len;
        if (used_ > 0) {
            const size_t take = len < 64 - used_ ? len : 64 - used_;
            std::memcpy(buf_ + used_, data, take);
            used_ += take;
            data += take;
            len -= take;
            if (used_ < 64)
                return;
            Compress(state_, buf_, 1);
            used_ = 0;
        }
        if (len >= 64) {
            Compress(state_, data, len / 64);
            data += len & ~size_t(63);
            len &= 63;
        }
        if (len > 0) {
            std::memcpy(buf_, data, len);
            used_ = len;
        }
    }

    // Appends the padding and length and hands back the final state.
    const State& finish()
    {
        const uint64_t bits = total_ * 8;
        buf_[used_++] = 0x80;
        if (used_ > 56) {
            std::memset(buf_ + used_, 0, 64 - used_);
            Compress(state_, buf_, 1);
            used_ = 0;
        }
        std::memset(buf_ + used_, 0, 56 - used_);
        for (int i = 0; i < 8; ++i)
            buf_[56 + i] = uint8_t(BigEndianLength ? bits >> (56 - 8 * i) : bits >> (8 * i));
        Compress(state_, buf_, 1);
        used_ = 0;
        return state_;
    }

private:
    State state_;
    uint8_t buf_[64] = {};
    size_t used_ = 0;
    uint64_t total_ = 0;
};

inline uint32_t load_le32(const uint8_t* p)
{
    return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24);
}
inline void store_le32(uint8_t* p, uint32_t v)
{
    p[0] = uint8_t(v);
    p[1] = uint8_t(v >> 8);
    p[2] = uint8_t(v >> 16);
    p[3] = uint8_t(v >> 24);
}

} // namespace mox::hash
