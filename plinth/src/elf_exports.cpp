// Reads the dynamic symbol table of a loaded module through its dynamic section.
#include "elf_exports.h"

#include <algorithm>
#include <cstdint>
#include <dlfcn.h>
#include <elf.h>
#include <link.h>

namespace plinth {
namespace {

// Dynamic entries hold addresses that the loader has usually relocated already; on some
// targets they stay link-time values and need the load base added.
template <typename T>
const T* relocated(const link_map* map, ElfW(Addr) value)
{
    if (value < map->l_addr)
        value += map->l_addr;
    return reinterpret_cast<const T*>(value);
}

// The symbol count from the GNU hash table: one past the highest symbol in any chain.
size_t countFromGnuHash(const uint32_t* table)
{
    const uint32_t bucketCount = table[0];
    const uint32_t symbolOffset = table[1];
    const uint32_t bloomSize = table[2];
    const auto* bloom = reinterpret_cast<const ElfW(Addr)*>(table + 4);
    const uint32_t* buckets = reinterpret_cast<const uint32_t*>(bloom + bloomSize);
    const uint32_t* chains = buckets + bucketCount;
    uint32_t highest = 0;
    for (uint32_t i = 0; i < bucketCount; ++i)
        highest = std::max(highest, buckets[i]);
    if (highest < symbolOffset)
        return symbolOffset;
    while ((chains[highest - symbolOffset] & 1u) == 0)
        ++highest;
    return highest + 1;
}

} // namespace

std::vector<std::string> exportedNames(void* module)
{
    std::vector<std::string> names;
    link_map* map = nullptr;
    if (!module || dlinfo(module, RTLD_DI_LINKMAP, &map) != 0 || !map || !map->l_ld)
        return names;

    const ElfW(Sym)* symbols = nullptr;
    const char* strings = nullptr;
    size_t stringsSize = 0;
    size_t count = 0;
    for (const ElfW(Dyn)* dyn = map->l_ld; dyn->d_tag != DT_NULL; ++dyn) {
        switch (dyn->d_tag) {
        case DT_SYMTAB:
            symbols = relocated<ElfW(Sym)>(map, dyn->d_un.d_ptr);
            break;
        case DT_STRTAB:
            strings = relocated<char>(map, dyn->d_un.d_ptr);
            break;
        case DT_STRSZ:
            stringsSize = dyn->d_un.d_val;
            break;
        case DT_HASH:
            count = relocated<uint32_t>(map, dyn->d_un.d_ptr)[1]; // nchain
            break;
        case DT_GNU_HASH:
            if (count == 0)
                count = countFromGnuHash(relocated<uint32_t>(map, dyn->d_un.d_ptr));
            break;
        default:
            break;
        }
    }
    if (!symbols || !strings || count == 0)
        return names;

    for (size_t i = 1; i < count; ++i) {
        const ElfW(Sym)& sym = symbols[i];
        const unsigned bind = ELF64_ST_BIND(sym.st_info);
        const unsigned type = ELF64_ST_TYPE(sym.st_info);
        if (sym.st_shndx == SHN_UNDEF || sym.st_shndx == SHN_ABS || sym.st_name >= stringsSize)
            continue;
        if (bind != STB_GLOBAL && bind != STB_WEAK && bind != STB_GNU_UNIQUE)
            continue;
        if (type != STT_FUNC && type != STT_OBJECT && type != STT_GNU_IFUNC && type != STT_TLS)
            continue;
        if (ELF64_ST_VISIBILITY(sym.st_other) != STV_DEFAULT && ELF64_ST_VISIBILITY(sym.st_other) != STV_PROTECTED)
            continue;
        const char* name = strings + sym.st_name;
        if (*name)
            names.emplace_back(name);
    }
    std::sort(names.begin(), names.end());
    names.erase(std::unique(names.begin(), names.end()), names.end());
    return names;
}

} // namespace plinth
