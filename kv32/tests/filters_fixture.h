// The tables that filter criteria read, with a few rows each: two boards
// ("BRD1" row 0, "BRD2" row 1, from the security fixture), two securities
// (SEC1 on BRD1 row 0, SEC2 on BRD2 row 1), and helpers that build the
// records the criteria test and the archive bytes they store.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "fw/core/archive.h"
#include "fw/core/strings.h"
#include "kvcore/app/profile_settings.h"
#include "kvcore/values/cdatetime.h"
#include "security_test_fixture.h"

namespace kv32test {

inline constexpr const char* kSec1Key = "0BRD1INSTR0000001";
inline constexpr const char* kSec2Key = "0BRD2INSTR0000002";
// SEC1's instrument on the second board.
inline constexpr const char* kSec1OnBrd2Key = "0BRD2INSTR0000001";

// 32 order flags with the given positions set.
inline std::string Flags(std::initializer_list<int> set)
{
    std::string flags(32, '0');
    for (const int i : set)
        flags[static_cast<size_t>(i)] = '1';
    return flags;
}

template <size_t N> void Put(char (&field)[N], std::string_view text)
{
    const size_t n = text.size() < N - 1 ? text.size() : N - 1;
    text.copy(field, n);
    field[n] = '\0';
}

// Hand-written archive bytes, piece by piece, little-endian.
class Bytes {
public:
    Bytes& Word(uint16_t v) { return Raw({ uint8_t(v), uint8_t(v >> 8) }); }
    Bytes& DWord(uint32_t v)
    {
        return Raw({ uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), uint8_t(v >> 24) });
    }
    // A string shorter than 255 bytes: its length byte, then the bytes.
    Bytes& Str(std::string_view s)
    {
        m_bytes.push_back(static_cast<uint8_t>(s.size()));
        m_bytes.insert(m_bytes.end(), s.begin(), s.end());
        return *this;
    }
    Bytes& Raw(std::initializer_list<uint8_t> bytes)
    {
        m_bytes.insert(m_bytes.end(), bytes);
        return *this;
    }
    const std::vector<uint8_t>& Get() const { return m_bytes; }

private:
    std::vector<uint8_t> m_bytes;
};

class CriteriaTables : public SecurityFixture {
protected:
    CriteriaTables()
    {
        fw::setLanguage(fw::Language::English);
        iMMOverWrite = 0;
        SecuritySpec sec1;
        sec1.key = 1;
        sec1.board = "BRD1";
        sec1.instrument = "INSTR0000001";
        sec1.shortName = "SEC1";
        m_sec1 = AddSecurity(sec1);
        SecuritySpec sec2;
        sec2.key = 2;
        sec2.board = "BRD2";
        sec2.instrument = "INSTR0000002";
        sec2.shortName = "SEC2";
        m_sec2 = AddSecurity(sec2);
    }
    ~CriteriaTables() override
    {
        fw::setLanguage(fw::Language::English);
        iMMOverWrite = 0;
    }

    // What a criteria object stores.
    template <class T> static std::vector<uint8_t> Stored(T& criteria)
    {
        fw::Archive ar;
        criteria.Serialize(ar);
        return ar.bytes();
    }
    // Loads bytes into the criteria; the archive is left for checks.
    template <class T> static void LoadInto(T& criteria, const std::vector<uint8_t>& bytes)
    {
        fw::Archive ar(bytes);
        criteria.Serialize(ar);
    }

    int m_sec1 = -1;
    int m_sec2 = -1;
};

} // namespace kv32test
