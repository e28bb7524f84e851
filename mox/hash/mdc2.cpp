#include "hash/digest_core.h"

#include <cstring>

namespace mox::hash {

Mdc2::Mdc2(bool double_width, unsigned bits) : double_(double_width)
{
    const unsigned full = double_width ? 128 : 64;
    bits_ = (bits == 0 || bits > full) ? full : bits;
    std::memset(a_, 0x52, 8);
    std::memset(b_, 0x25, 8);
}

void Mdc2::block(const uint8_t x[8])
{
    uint8_t key[8];
    uint8_t ea[8];
    std::memcpy(key, a_, 8);
    key[0] = uint8_t((key[0] & 0xDF) | 0x40);
    des::make_schedule(key, false, sched_);
    std::memcpy(ea, x, 8);
    des::crypt_bytes(ea, sched_);
    for (int i = 0; i < 8; ++i)
        ea[i] ^= x[i];
    if (!double_) {
        std::memcpy(a_, ea, 8);
        return;
    }
    uint8_t eb[8];
    std::memcpy(key, b_, 8);
    key[0] = uint8_t((key[0] & 0xBF) | 0x20);
    des::make_schedule(key, false, sched_);
    std::memcpy(eb, x, 8);
    des::crypt_bytes(eb, sched_);
    for (int i = 0; i < 8; ++i)
        eb[i] ^= x[i];
    // The two lines exchange their right halves after every block.
    std::memcpy(a_, ea, 4);
    std::memcpy(a_ + 4, eb + 4, 4);
    std::memcpy(b_, eb, 4);
    std::memcpy(b_ + 4, ea + 4, 4);
}

void Mdc2::update(const uint8_t* data, size_t len)
{
    while (len > 0) {
        const size_t take = len < 8 - fill_ ? len : 8 - fill_;
        std::memcpy(part_ + fill_, data, take);
        fill_ += take;
        data += take;
        len -= take;
        if (fill_ == 8) {
            block(part_);
            fill_ = 0;
        }
    }
}

void Mdc2::finish(uint8_t* out)
{
    if (fill_ > 0) {
        std::memset(part_ + fill_, 0, 8 - fill_);
        block(part_);
        fill_ = 0;
    }
    // The first ceil(L/2) bits of A, then the first floor(L/2) bits of B,
    // packed without gaps (single width: the first L bits of A).
    const unsigned from_a = double_ ? (bits_ + 1) / 2 : bits_;
    const unsigned from_b = double_ ? bits_ / 2 : 0;
    std::memset(out, 0, size());
    auto put = [&](const uint8_t* src, unsigned nbits, unsigned at) {
        for (unsigned i = 0; i < nbits; ++i) {
            if (src[i / 8] & (0x80u >> (i % 8)))
                out[(at + i) / 8] |= uint8_t(0x80u >> ((at + i) % 8));
        }
    };
    put(a_, from_a, 0);
    put(b_, from_b, from_a);
}

} // namespace mox::hash
