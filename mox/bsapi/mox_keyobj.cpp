// The 100-byte MOX key object. It holds offsets within itself instead of
// addresses, so a copy in shared memory is valid in every process that maps
// it; RSA key encodings are too large for it and stay in a per-process table.

#include "bsapi/mox_keyobj.h"

#include <cstring>
#include <vector>

namespace mox::api {
namespace {

constexpr uint32_t kOffKeyList = 4;
constexpr uint32_t kOffIvList = 8;
constexpr uint32_t kOffFeedback = 12;
constexpr uint32_t kOffPadding = 20;
constexpr uint32_t kOffK1 = 48;
constexpr uint32_t kOffK2 = 56;
constexpr uint32_t kListAt = 64;
constexpr uint32_t kTokenBit = 0x80000000u;

uint32_t get32(const MOXKEY* k, uint32_t off)
{
    uint32_t v;
    std::memcpy(&v, k->raw + off, 4);
    return v;
}

void put32(MOXKEY* k, uint32_t off, uint32_t v) { std::memcpy(k->raw + off, &v, 4); }

void put_entry(MOXKEY* k, int i, uint32_t ref, uint32_t size, uint32_t used)
{
    put32(k, kListAt + 12 * i, ref);
    put32(k, kListAt + 12 * i + 4, size);
    put32(k, kListAt + 12 * i + 8, used);
}

// Slots of the RSA table; a token carries the slot index and a generation, so
// a stale object never reaches a later key that reuses its slot.
struct Slot {
    mblk enc{nullptr, 0, 0};
    uint32_t generation = 0;
};
std::vector<Slot>& table()
{
    static std::vector<Slot> t;
    return t;
}

const mblk* lookup(uint32_t token)
{
    if (!(token & kTokenBit))
        return nullptr;
    const uint32_t index = token & 0xFFFF, gen = (token >> 16) & 0x7FFF;
    auto& t = table();
    if (index >= t.size() || t[index].generation != gen || t[index].enc.data == nullptr)
        return nullptr;
    return &t[index].enc;
}

} // namespace

void keyobj_init_des(MOXKEY* key, const uint8_t k1[8], const uint8_t k2[8])
{
    std::memset(key->raw, 0, sizeof key->raw);
    put32(key, kOffKeyList, kListAt);
    put32(key, kOffPadding, PAD_ID_PKCS5);
    std::memcpy(key->raw + kOffK1, k1, 8);
    std::memcpy(key->raw + kOffK2, k2, 8);
    put_entry(key, 0, kOffK1, 8, 8);
    put_entry(key, 1, kOffK2, 8, 8);
    put_entry(key, 2, kOffK1, 8, 8);
}

bool keyobj_init_rsa(MOXKEY* key, mblk* encoding)
{
    auto& t = table();
    size_t index = 0;
    while (index < t.size() && t[index].enc.data != nullptr)
        ++index;
    if (index > 0xFFFF) {
        ut_free_mblk(UT_HERE, encoding);
        return false;
    }
    if (index == t.size())
        t.emplace_back();
    Slot& slot = t[index];
    slot.generation = (slot.generation + 1) & 0x7FFF;
    slot.enc = *encoding;
    *encoding = {nullptr, 0, 0};
    std::memset(key->raw, 0, sizeof key->raw);
    put32(key, kOffKeyList, kListAt);
    put32(key, kOffPadding, PAD_ID_VELMARINE_RSA);
    put_entry(key, 0, kTokenBit | (slot.generation << 16) | uint32_t(index), slot.enc.size, slot.enc.used);
    return true;
}

const mblk* keyobj_rsa_encoding(const MOXKEY* key)
{
    return get32(key, kOffKeyList) == kListAt ? lookup(get32(key, kListAt)) : nullptr;
}

void keyobj_release(MOXKEY* key)
{
    if (get32(key, kOffKeyList) != kListAt)
        return;
    const uint32_t token = get32(key, kListAt);
    if (lookup(token) == nullptr)
        return;
    ut_free_mblk(UT_HERE, &table()[token & 0xFFFF].enc);
    put_entry(key, 0, 0, 0, 0);
}

void keyobj_release_all()
{
    for (Slot& s : table())
        ut_free_mblk(UT_HERE, &s.enc);
}

bool keyobj_view(const MOXKEY* key, mblk list[3], bsapi_key* out)
{
    if (get32(key, kOffKeyList) != kListAt || get32(key, kOffIvList) != 0)
        return false;
    const pad_scheme* pad = pad_scheme_by_id(int(get32(key, kOffPadding)));
    uint32_t n = 0;
    for (; n < 3; ++n) {
        const uint32_t ref = get32(key, kListAt + 12 * n);
        const uint32_t size = get32(key, kListAt + 12 * n + 4);
        const uint32_t used = get32(key, kListAt + 12 * n + 8);
        if (ref == 0)
            break;
        if (ref & kTokenBit) {
            const mblk* enc = lookup(ref);
            if (enc == nullptr || n != 0)
                return false;
            list[n] = *enc;
            continue;
        }
        // Key bytes inside the object: the whole block must lie within it.
        if (used > size || ref < kOffK1 || ref > sizeof key->raw || size > sizeof key->raw - ref)
            return false;
        list[n] = {const_cast<uint8_t*>(key->raw + ref), size, used};
    }
    if (n == 0)
        return false;
    *out = {list, n, nullptr, 0, get32(key, kOffFeedback), pad};
    return true;
}

} // namespace mox::api
