#pragma once
// Helpers for tests of the toolkit's sessions: running a whole DES session,
// collecting an output chain, a scripted random source, and a leak check.

#include "mox/bsapi.h"
#include "test_util.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace moxtest {

inline Bytes take_chain(ut_chain* c)
{
    Bytes out;
    for (ut_chain* n = c; n != nullptr; n = n->next)
        out.insert(out.end(), n->data, n->data + n->len);
    ut_free_chain(UT_HERE, c);
    return out;
}

struct DesKeys {
    std::vector<Bytes> keys;
    std::vector<Bytes> ivs;
    std::vector<mblk> kb, ib;
    bsapi_key k{};
    DesKeys(std::vector<Bytes> ks, const pad_scheme* pad, std::vector<Bytes> iv = {},
            uint32_t feedback = 0)
        : keys(std::move(ks)), ivs(std::move(iv))
    {
        for (auto& b : keys)
            kb.push_back({b.data(), uint32_t(b.size()), uint32_t(b.size())});
        for (auto& b : ivs)
            ib.push_back({b.data(), uint32_t(b.size()), uint32_t(b.size())});
        k = {kb.data(), uint32_t(kb.size()), ib.empty() ? nullptr : ib.data(), uint32_t(ib.size()),
             feedback, pad};
    }
};

// Runs one session over `in`, appended in pieces of the given sizes (the rest at the end).
// Returns false when start, append or finish fails.
inline bool run_des(const des_param& p, const bsapi_key& k, const Bytes& in, Bytes& out,
                    std::vector<size_t> pieces = {}, prng* g = nullptr)
{
    des_session* s = bsapi_start_des(&p, g, &k);
    if (s == nullptr)
        return false;
    size_t off = 0;
    for (size_t n : pieces) {
        n = std::min(n, in.size() - off);
        if (bsapi_append_des(in.data() + off, uint32_t(n), s) != 0) {
            bsapi_kill_des(s);
            return false;
        }
        off += n;
    }
    if (bsapi_append_des(in.data() + off, uint32_t(in.size() - off), s) != 0) {
        bsapi_kill_des(s);
        return false;
    }
    ut_chain* c = nullptr;
    if (bsapi_finish_des(s, &c) != 0)
        return false;
    out = take_chain(c);
    return true;
}

// A random source that replays a script of bytes, then fails (or repeats a fill byte).
struct ScriptedPrng {
    prng g{};
    Bytes script;
    size_t at = 0;
    int fill = -1; // -1: fail once the script runs out
    explicit ScriptedPrng(Bytes s, int fill_byte = -1) : script(std::move(s)), fill(fill_byte)
    {
        g.seed = [](const uint8_t*, size_t, prng*) { return 0; };
        g.generate = [](uint8_t* out, size_t n, prng* self) {
            auto* me = static_cast<ScriptedPrng*>(self->state);
            for (size_t i = 0; i < n; ++i) {
                if (me->at < me->script.size())
                    out[i] = me->script[me->at++];
                else if (me->fill >= 0)
                    out[i] = uint8_t(me->fill);
                else
                    return -1;
            }
            return 0;
        };
        g.destroy = [](prng*) {};
        g.state = this;
    }
};

// Fails the test when a test leaves toolkit blocks allocated.
class LeakCheck : public ::testing::Test {
protected:
    void SetUp() override { held_ = ut_mem_held(); }
    void TearDown() override { EXPECT_EQ(ut_mem_held(), held_) << "toolkit blocks leaked"; }

private:
    int held_ = 0;
};

} // namespace moxtest
