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

// Every digest shares the module around it; only how a context is made differs: the fixed ones
// take nothing, MDC-2 its width and the asked length.
template <typename H, H* (*Make)(uint32_t bits)>
struct Module {
    static void* new_ctx(uint32_t bits) { return Make(bits); }
    static uint32_t size(const void* ctx) { return uint32_t(static_cast<const H*>(ctx)->size()); }
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
        auto* out = static_cast<uint8_t*>(ut_alloc(UT_HERE, h->size()));
        if (out != nullptr) {
            h->finish(out);
            if (nbits)
                *nbits = h->bits();
        }
        drop_ctx(h);
        return out;
    }
};

template <typename H>
H* make_fixed(uint32_t)
{
    return make_ctx<H>();
}

template <bool Double>
Mdc2* make_mdc2(uint32_t bits)
{
    return make_ctx<Mdc2>(Double, unsigned(bits));
}

template <typename H>
using Fixed = Module<H, make_fixed<H>>;
template <bool Double>
using Mdc2Module = Module<Mdc2, make_mdc2<Double>>;

template <typename M>
constexpr hash_module record(const char* name, int id)
{
    return {name, id, 1, M::new_ctx, M::size, M::append, M::kill, M::finish};
}

} // namespace

const hash_module hash_sha = record<Fixed<Sha1>>("SHA", 9);
const hash_module hash_md5 = record<Fixed<Md5>>("MD5", 7);
const hash_module hash_ripemd = record<Fixed<Ripemd>>("RIPEMD", 1);
const hash_module hash_dmdc2 = record<Mdc2Module<true>>("MDC2-DES-double-width", 4);
const hash_module hash_smdc2 = record<Mdc2Module<false>>("MDC2-DES-single-width", 3);
