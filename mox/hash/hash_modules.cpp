// The digest module records: contexts from the checked allocator around the
// algorithms of digest_core.h.

#include "hash/digest_core.h"
#include "mox/bsapi.h"

#include <new>

namespace {

using namespace mox::hash;

template <typename T, typename... Args>
T* make_ctx(Args... args)
{
    void* mem = ut_alloc(UT_HERE, sizeof(T));
    return mem ? new (mem) T(args...) : nullptr;
}

template <typename T>
void drop_ctx(T* ctx)
{
    if (ctx == nullptr)
        return;
    ctx->~T();
    ut_free(UT_HERE, ctx);
}

bool check_bits(uint32_t nbits)
{
    if (nbits & 7) {
        ut_diag(UT_HERE, 0, UT_SEV_FATAL, "assertion failed: %s", "!(nbits & 7)");
        return false;
    }
    return true;
}

// SHA-1, MD5 and RIPEMD share everything but the algorithm.
template <typename H, uint32_t Bits>
struct Fixed {
    static void* new_ctx(uint32_t) { return make_ctx<H>(); }
    static uint32_t size(const void*) { return H::kSize; }
    static int append(const uint8_t* data, uint32_t nbits, void* ctx)
    {
        if (check_bits(nbits) && nbits > 0)
            static_cast<H*>(ctx)->update(data, nbits / 8);
        return 1;
    }
    static void kill(void* ctx) { drop_ctx(static_cast<H*>(ctx)); }
    static uint8_t* finish(void* ctx, uint32_t* nbits)
    {
        H* h = static_cast<H*>(ctx);
        auto* out = static_cast<uint8_t*>(ut_alloc(UT_HERE, H::kSize));
        if (out != nullptr) {
            h->finish(out);
            if (nbits)
                *nbits = Bits;
        }
        drop_ctx(h);
        return out;
    }
};

template <bool Double>
struct Mdc2Module {
    static void* new_ctx(uint32_t bits) { return make_ctx<Mdc2>(Double, unsigned(bits)); }
    static uint32_t size(const void* ctx) { return uint32_t(static_cast<const Mdc2*>(ctx)->size()); }
    static int append(const uint8_t* data, uint32_t nbits, void* ctx)
    {
        if (check_bits(nbits) && nbits > 0)
            static_cast<Mdc2*>(ctx)->update(data, nbits / 8);
        return 1;
    }
    static void kill(void* ctx) { drop_ctx(static_cast<Mdc2*>(ctx)); }
    static uint8_t* finish(void* ctx, uint32_t* nbits)
    {
        Mdc2* m = static_cast<Mdc2*>(ctx);
        auto* out = static_cast<uint8_t*>(ut_alloc(UT_HERE, m->size()));
        if (out != nullptr) {
            m->finish(out);
            if (nbits)
                *nbits = m->bits();
        }
        drop_ctx(m);
        return out;
    }
};

template <typename M>
constexpr hash_module record(const char* name, int id)
{
    return {name, id, 1, M::new_ctx, M::size, M::append, M::kill, M::finish};
}

} // namespace

const hash_module hash_sha = record<Fixed<Sha1, 160>>("SHA", 9);
const hash_module hash_md5 = record<Fixed<Md5, 128>>("MD5", 7);
const hash_module hash_ripemd = record<Fixed<Ripemd, 128>>("RIPEMD", 1);
const hash_module hash_dmdc2 = record<Mdc2Module<true>>("MDC2-DES-double-width", 4);
const hash_module hash_smdc2 = record<Mdc2Module<false>>("MDC2-DES-single-width", 3);
