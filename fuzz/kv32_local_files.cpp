// Arbitrary bytes as the user's private order book file and as the audit
// display modes file ("audits.kv"): the readers refuse or accept without a
// crash or a read past the end, and what they accept writes back to bytes
// that read the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "kv32/tables/audit_type_table.h"
#include "kv32/tables/local_order_record.h"

namespace {

bool SameRecord(const CLocalOrderRec& a, const CLocalOrderRec& b)
{
    std::vector<uint8_t> x, y;
    WriteLocalOrderRecord(a, x);
    WriteLocalOrderRecord(b, y);
    return x == y;
}

void book(const std::vector<uint8_t>& bytes)
{
    std::vector<CLocalOrderRec> read;
    if (!ReadLocalOrderFile(bytes, read))
        return;
    std::vector<const CLocalOrderRec*> pointers;
    for (const CLocalOrderRec& r : read)
        pointers.push_back(&r);
    std::vector<uint8_t> out;
    if (!WriteLocalOrderFile(pointers, out))
        std::abort();
    std::vector<CLocalOrderRec> back;
    if (!ReadLocalOrderFile(out, back) || back.size() != read.size())
        std::abort();
    for (size_t i = 0; i < read.size(); ++i) {
        if (!SameRecord(read[i], back[i]))
            std::abort();
    }
}

void overrides(const std::vector<uint8_t>& bytes)
{
    std::vector<AuditOverride> read;
    if (!ReadAuditOverrides(bytes, read))
        return;
    std::vector<uint8_t> out;
    if (!WriteAuditOverrides(read, out))
        std::abort();
    std::vector<AuditOverride> back;
    if (!ReadAuditOverrides(out, back) || back != read)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::vector<std::uint8_t> bytes(data, data + size);
    book(bytes);
    overrides(bytes);
    return 0;
}
