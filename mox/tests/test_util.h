#pragma once
// Small helpers shared by the toolkit's tests.

#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace moxtest {

using Bytes = std::vector<uint8_t>;

inline Bytes hex(const std::string& s)
{
    Bytes out;
    auto nib = [](char c) -> int {
        if (c >= '0' && c <= '9')
            return c - '0';
        if (c >= 'a' && c <= 'f')
            return c - 'a' + 10;
        if (c >= 'A' && c <= 'F')
            return c - 'A' + 10;
        return -1;
    };
    int hi = -1;
    for (char c : s) {
        const int v = nib(c);
        if (v < 0)
            continue;
        if (hi < 0) {
            hi = v;
        } else {
            out.push_back(uint8_t(hi * 16 + v));
            hi = -1;
        }
    }
    return out;
}

inline std::string tohex(const uint8_t* p, size_t n)
{
    static const char* d = "0123456789abcdef";
    std::string s;
    for (size_t i = 0; i < n; ++i) {
        s += d[p[i] >> 4];
        s += d[p[i] & 15];
    }
    return s;
}
inline std::string tohex(const Bytes& b) { return tohex(b.data(), b.size()); }

inline Bytes ascii(const std::string& s) { return Bytes(s.begin(), s.end()); }

inline Bytes random_bytes(std::mt19937& rng, size_t n)
{
    Bytes b(n);
    for (auto& x : b)
        x = uint8_t(rng());
    return b;
}

} // namespace moxtest
