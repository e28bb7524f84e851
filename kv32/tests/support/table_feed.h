// Hands one host message to a table as the router does.
#pragma once

#include <cstdint>
#include <string>

#include "kv32/tables/all_tables.h"

namespace kv32test {

inline void Feed(CVorlTarget& table, int type, std::string bytes)
{
    tagTMSG m;
    m.nType = type;
    m.nLength = static_cast<int32_t>(bytes.size());
    m.pText = reinterpret_cast<unsigned char*>(bytes.data());
    table.StoreDataItem(&m);
}

} // namespace kv32test
