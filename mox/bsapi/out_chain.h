#pragma once
// The output chain a DES or RSA session fills and its finish hands back.

#include "mox/ut.h"

#include <cstdint>

namespace mox::bsapi {

// Room for n more bytes at the end of an output chain: the tail node when it has room, else a
// new node of max(n, 1024) bytes linked after it. Null (reported) when out of memory.
uint8_t* chain_reserve(ut_chain*& head, ut_chain*& tail, uint32_t& tail_cap, uint32_t n);

// The same on a session's own chain (head, tail, tail_cap).
template <typename Session> uint8_t* chain_reserve(Session* s, uint32_t n)
{
    return chain_reserve(s->head, s->tail, s->tail_cap, n);
}

// Hands the session's chain to the caller and starts a new one.
template <typename Session> ut_chain* take_chain(Session* s)
{
    ut_chain* head = s->head;
    s->head = s->tail = nullptr;
    s->tail_cap = 0;
    return head;
}

} // namespace mox::bsapi
