// The fingerprint stamp: five 17-bit hashes of a number, recorded as bits of a 16,384-byte file,
// so that a key generator can refuse a value it has produced before.
#include "mox/fprnt.h"
#include "mox/ut.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

constexpr uint32_t kMask17 = (1u << 17) - 1;

// Five rows of 256 fixed bytes; stamps compare only between builds with the same rows.
constexpr std::array<std::array<uint8_t, 256>, 5> buildTable()
{
    std::array<std::array<uint8_t, 256>, 5> t {};
    uint32_t v = 0x2545F491u;
    for (auto& row : t)
        for (auto& b : row) {
            v ^= v << 13;
            v ^= v >> 17;
            v ^= v << 5;
            b = static_cast<uint8_t>(v >> 11);
        }
    return t;
}
constexpr auto kTable = buildTable();

struct FileClose {
    void operator()(FILE* f) const { std::fclose(f); }
};

} // namespace

int fprnt_stamp(const char* file, mpm_mach* m, int r)
{
    if (!m || r < 0 || r >= MPM_REGS)
        return -1;
    std::vector<uint8_t> bytes(static_cast<size_t>(mpm_bytelen(m, r)));
    long n = mpm_store(m, r, bytes.data(), bytes.size());
    if (n < 0)
        return -1;
    const uint32_t sign = m->reg[r].sign ? 1 : 0;
    uint32_t h[5];
    for (uint32_t& v : h)
        v = (sign + 2u * static_cast<uint32_t>(n)) & kMask17;
    for (long i = 0; i < n; ++i)
        for (int k = 0; k < 5; ++k) {
            h[k] ^= kTable[k][(bytes[i] ^ h[k]) & 0xFF];
            h[k] = ((h[k] >> 5) + (h[k] << 12)) & kMask17;
        }
    std::sort(std::begin(h), std::end(h));

    if (!file)
        return -2;
    std::unique_ptr<FILE, FileClose> f(std::fopen(file, "r+b"));
    if (!f) {
        ut_diag(UT_HERE, 0, UT_SEV_RECOVER, "unable to open stamp file `%s'", file);
        return -2;
    }
    if (std::fseek(f.get(), 0, SEEK_END) != 0 || std::ftell(f.get()) < FPRNT_FILE_SIZE) {
        ut_diag(UT_HERE, 0, UT_SEV_RECOVER, "stamp file `%s' is too short", file);
        return -2;
    }
    int fresh = 0;
    for (uint32_t v : h) {
        uint8_t byte = 0;
        if (std::fseek(f.get(), static_cast<long>(v / 8), SEEK_SET) != 0
            || std::fread(&byte, 1, 1, f.get()) != 1)
            return -2;
        if (byte & (1u << (v % 8)))
            continue;
        byte = static_cast<uint8_t>(byte | (1u << (v % 8)));
        if (std::fseek(f.get(), static_cast<long>(v / 8), SEEK_SET) != 0
            || std::fwrite(&byte, 1, 1, f.get()) != 1)
            return -2;
        ++fresh;
    }
    if (std::fflush(f.get()) != 0)
        return -2;
    return fresh;
}
