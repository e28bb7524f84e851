#pragma once
// The digest algorithms themselves, free of the toolkit's allocator: the
// module records in hash_modules.cpp wrap these.

#include "bsapi/des_core.h"
#include "hash/md_frame.h"

#include <cstddef>
#include <cstdint>

namespace mox::hash {

struct Words5 {
    uint32_t h[5];
};
struct Words4 {
    uint32_t h[4];
};

void sha1_compress(Words5& s, const uint8_t* blocks, size_t count);
void sha1_compress_portable(Words5& s, const uint8_t* blocks, size_t count);
void md5_compress(Words4& s, const uint8_t* blocks, size_t count);
void ripemd_compress(Words4& s, const uint8_t* blocks, size_t count);

class Sha1 {
public:
    static constexpr size_t kSize = 20;
    Sha1();
    void update(const uint8_t* data, size_t len) { frame_.update(data, len); }
    size_t size() const { return kSize; }
    unsigned bits() const { return 8 * kSize; }
    void finish(uint8_t out[kSize]);

private:
    MdFrame<Words5, sha1_compress, true> frame_;
};

// MD5 and the original RIPEMD of the RIPE project (128 bits, not RIPEMD-128) share their framing,
// their initial words and their little-endian output; only the compression differs.
template <void (*Compress)(Words4&, const uint8_t*, size_t)>
class Md4Family {
public:
    static constexpr size_t kSize = 16;
    Md4Family() : frame_(Words4{{0x67452301u, 0xefcdab89u, 0x98badcfeu, 0x10325476u}}) {}
    void update(const uint8_t* data, size_t len) { frame_.update(data, len); }
    size_t size() const { return kSize; }
    unsigned bits() const { return 8 * kSize; }
    void finish(uint8_t out[kSize])
    {
        const Words4& s = frame_.finish();
        for (int i = 0; i < 4; ++i)
            store_le32(out + 4 * i, s.h[i]);
    }

private:
    MdFrame<Words4, Compress, false> frame_;
};
using Md5 = Md4Family<md5_compress>;
using Ripemd = Md4Family<ripemd_compress>;

// MDC-2 with DES; double width keeps two chaining values, single width one.
// `bits` is the digest length: 0 or anything above the width means the full width.
class Mdc2 {
public:
    Mdc2(bool double_width, unsigned bits);
    void update(const uint8_t* data, size_t len);
    size_t size() const { return (bits_ + 7) / 8; }
    unsigned bits() const { return bits_; }
    // Writes size() bytes.
    void finish(uint8_t* out);

private:
    void block(const uint8_t x[8]);

    bool double_;
    unsigned bits_;
    uint8_t a_[8];
    uint8_t b_[8];
    uint8_t part_[8] = {};
    size_t fill_ = 0;
    des::Schedule sched_{};
};

} // namespace mox::hash
