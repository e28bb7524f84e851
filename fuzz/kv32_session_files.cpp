// Arbitrary bytes as the user's local trading accounts file and as the
// program's tail of the settings file: the readers refuse or accept without a
// crash or a read past the end, and what they accept writes back to bytes that
// read the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "fw/core/archive.h"
#include "kv32/shell/session.h"
#include "kv32/shell/tr_acc_local.h"

namespace {

void accounts(const std::vector<std::uint8_t>& bytes)
{
    fw::Archive in(bytes);
    CTrAccLocalArray read;
    try {
        read.Serialize(in);
    } catch (const fw::ArchiveError&) {
        return;
    }
    fw::Archive out;
    read.Serialize(out);
    fw::Archive again(out.bytes());
    CTrAccLocalArray back;
    back.Serialize(again);
    if (back.m_entries != read.m_entries)
        std::abort();
}

void tail(const std::vector<std::uint8_t>& bytes)
{
    fw::Archive in(bytes);
    CKvSessionTail read;
    try {
        read = ReadSessionTail(in);
    } catch (const fw::ArchiveError&) {
        return;
    }
    fw::Archive out;
    WriteSessionTail(out, read);
    fw::Archive again(out.bytes());
    if (!(ReadSessionTail(again) == read))
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::vector<std::uint8_t> bytes(data, data + size);
    accounts(bytes);
    tail(bytes);
    return 0;
}
