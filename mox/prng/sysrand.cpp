// The operating system's random source behind the generator interface: the source of every
// piece of key material.
#include "mox/prng.h"
#include "mox/ut.h"

#include <cerrno>
#include <sys/random.h>

namespace {

int sysSeed(const uint8_t*, size_t, prng*)
{
    return 0; // the kernel pool needs no help
}

int sysGenerate(uint8_t* out, size_t count, prng*)
{
    size_t done = 0;
    while (done < count) {
        ssize_t n = getrandom(out + done, count - done, 0);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            ut_diag(UT_HERE, PRNG_ERR_GET, UT_SEV_RECOVER, "getrandom failed");
            return -1;
        }
        done += static_cast<size_t>(n);
    }
    return 0;
}

void sysDestroy(prng* g)
{
    ut_free(UT_HERE, g);
}

} // namespace

prng* prng_new_sys()
{
    auto* g = static_cast<prng*>(ut_alloc(UT_HERE, sizeof(prng)));
    if (!g) {
        ut_diag(UT_HERE, PRNG_ERR, UT_SEV_RECOVER, "out of memory");
        return nullptr;
    }
    *g = prng { sysSeed, sysGenerate, sysDestroy, nullptr };
    return g;
}
