#include "bsapi/out_chain.h"

#include "mox/bsapi.h"

#include <algorithm>

namespace mox::bsapi {

uint8_t* chain_reserve(ut_chain*& head, ut_chain*& tail, uint32_t& tail_cap, uint32_t n)
{
    if (tail != nullptr && tail_cap - tail->len >= n)
        return tail->data + tail->len;
    const uint32_t cap = std::max<uint32_t>(n, 1024);
    auto* node = static_cast<ut_chain*>(ut_alloc(UT_HERE, sizeof(ut_chain)));
    auto* data = node ? static_cast<uint8_t*>(ut_alloc(UT_HERE, cap)) : nullptr;
    if (data == nullptr) {
        ut_free(UT_HERE, node);
        ut_diag(UT_HERE, BSAPI_ERR_NO_MEMORY, UT_SEV_RECOVER, "out of memory");
        return nullptr;
    }
    *node = { nullptr, data, 0 };
    if (tail != nullptr)
        tail->next = node;
    else
        head = node;
    tail = node;
    tail_cap = cap;
    return data;
}

} // namespace mox::bsapi
