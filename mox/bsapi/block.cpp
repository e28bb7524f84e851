// The block framework of the DES session: partial-block buffering, the output
// chain, and padding or unpadding at finish.

#include "bsapi/des_session.h"

#include <cstring>

namespace mox::bsapi {

void des_free(des_session* s)
{
    if (s == nullptr)
        return;
    ut_free_chain(UT_HERE, s->head);
    // Key schedules and held plaintext do not outlive the session.
    volatile uint8_t* p = reinterpret_cast<volatile uint8_t*>(s);
    for (size_t i = 0; i < sizeof(*s); ++i)
        p[i] = 0;
    ut_free(UT_HERE, s);
}

} // namespace mox::bsapi

using namespace mox::bsapi;

int bsapi_append_des(const uint8_t* data, uint32_t len, des_session* s)
{
    if (s == nullptr || (data == nullptr && len > 0)) {
        ut_diag(UT_HERE, 0, UT_SEV_FATAL, "null %s", s == nullptr ? "session" : "input pointer");
        return -1;
    }
    if (len == 0)
        return 0;
    if (s->mode > DES_MODE_CBC) {
        // The feedback modes need no whole blocks: every byte goes out at once.
        uint8_t* out = chain_reserve(s, len);
        if (out == nullptr)
            return -1;
        des_run(s, data, out, len);
        s->tail->len += len;
        return 0;
    }
    const uint64_t total = uint64_t(s->nheld) + len;
    if (total < 8) {
        std::memcpy(s->held + s->nheld, data, len);
        s->nheld = uint32_t(total);
        return 0;
    }
    if (total > 0xFFFFFFF8u) {
        ut_diag(UT_HERE, BSAPI_ERR_NO_MEMORY, UT_SEV_RECOVER, "out of memory");
        return -1;
    }
    const uint32_t whole = uint32_t(total) & ~uint32_t(7);
    uint8_t* out = chain_reserve(s, whole);
    if (out == nullptr)
        return -1;
    if (s->nheld > 0) {
        const uint32_t fill = 8 - s->nheld;
        std::memcpy(s->held + s->nheld, data, fill);
        des_run(s, s->held, out, 8);
        out += 8;
        data += fill;
        len -= fill;
        s->nheld = 0;
        s->tail->len += 8;
    }
    const uint32_t direct = len & ~uint32_t(7);
    if (direct > 0) {
        des_run(s, data, out, direct);
        s->tail->len += direct;
    }
    s->nheld = len - direct;
    std::memcpy(s->held, data + direct, s->nheld);
    return 0;
}

namespace {

int fail(des_session* s, ut_chain** out)
{
    des_free(s);
    if (out != nullptr)
        *out = nullptr;
    return -1;
}

// Removes the padding from the last block of the output chain.
int unpad_tail(des_session* s)
{
    ut_chain* t = s->tail;
    if (t == nullptr || t->len < 8) {
        ut_diag(UT_HERE, BSAPI_ERR_PADDING, UT_SEV_RECOVER, "unable to identify padding");
        return -1;
    }
    uint32_t keep = 0;
    if (s->pad->unpad(t->data + t->len - 8, &keep, 8, 1) != 0 || keep > 8) {
        ut_diag(UT_HERE, BSAPI_ERR_PADDING, UT_SEV_RECOVER, "unpadding failed");
        return -1;
    }
    t->len -= 8 - keep;
    if (t->len == 0) {
        // A node left empty leaves the chain.
        ut_chain** link = &s->head;
        while (*link != t)
            link = &(*link)->next;
        *link = nullptr;
        ut_free_chain(UT_HERE, t);
        s->tail = nullptr;
        for (ut_chain* n = s->head; n != nullptr; n = n->next)
            s->tail = n;
        s->tail_cap = 0;
    }
    return 0;
}

} // namespace

int bsapi_finish_des(des_session* s, ut_chain** out)
{
    if (s == nullptr || out == nullptr) {
        ut_diag(UT_HERE, 0, UT_SEV_FATAL, "null %s", s == nullptr ? "session" : "output pointer");
        return -1;
    }
    *out = nullptr;
    if (s->mode <= DES_MODE_CBC) {
        if (s->direction == BSAPI_ENCRYPT) {
            if (s->pad != nullptr) {
                if (s->pad->pad(s->held, s->nheld, 8, s->rng, 0) != 0) {
                    ut_diag(UT_HERE, BSAPI_ERR_PADDING, UT_SEV_RECOVER, "padding failed");
                    return fail(s, out);
                }
            } else if (s->nheld > 0) {
                std::memset(s->held + s->nheld, 0, 8 - s->nheld);
            }
            if (s->pad != nullptr || s->nheld > 0) {
                uint8_t* dst = chain_reserve(s, 8);
                if (dst == nullptr)
                    return fail(s, out);
                des_run(s, s->held, dst, 8);
                s->tail->len += 8;
                s->nheld = 0;
            }
        } else {
            if (s->nheld > 0) {
                ut_diag(UT_HERE, BSAPI_ERR_TRAILING, UT_SEV_RECOVER, "%d trailing cyphertext octets",
                        int(s->nheld));
                return fail(s, out);
            }
            if (s->pad != nullptr && unpad_tail(s) != 0)
                return fail(s, out);
        }
    }
    *out = take_chain(s);
    des_free(s);
    return 0;
}

ut_chain* bsapi_read_des(des_session* s)
{
    if (s == nullptr) {
        ut_diag(UT_HERE, 0, UT_SEV_FATAL, "null %s", "session");
        return nullptr;
    }
    return take_chain(s);
}

void bsapi_kill_des(des_session* s)
{
    des_free(s);
}
