#include "kv32/lists/list_dialogs.h"

#include <map>

namespace {

std::map<unsigned, KvCommandDialog>& CommandDialogs()
{
    static std::map<unsigned, KvCommandDialog> dialogs;
    return dialogs;
}

std::map<std::uint32_t, KvFilterDialog>& FilterDialogs()
{
    static std::map<std::uint32_t, KvFilterDialog> dialogs;
    return dialogs;
}

template <class Map, class Fn> void Install(Map& map, typename Map::key_type key, Fn fn)
{
    if (fn)
        map[key] = std::move(fn);
    else
        map.erase(key);
}

template <class Map> const typename Map::mapped_type* Find(const Map& map, typename Map::key_type key)
{
    const auto it = map.find(key);
    return it == map.end() ? nullptr : &it->second;
}

} // namespace

void KvSetCommandDialog(unsigned commandId, KvCommandDialog dialog)
{
    Install(CommandDialogs(), commandId, std::move(dialog));
}

void KvSetFilterDialog(std::uint32_t tableId, KvFilterDialog dialog)
{
    Install(FilterDialogs(), tableId, std::move(dialog));
}

const KvCommandDialog* KvFindCommandDialog(unsigned commandId)
{
    return Find(CommandDialogs(), commandId);
}

const KvFilterDialog* KvFindFilterDialog(std::uint32_t tableId)
{
    return Find(FilterDialogs(), tableId);
}

namespace {
std::function<bool(std::uint32_t)>& WindowIds()
{
    static std::function<bool(std::uint32_t)> exists;
    return exists;
}
} // namespace

void KvSetListWindowIds(std::function<bool(std::uint32_t tableId)> exists)
{
    WindowIds() = std::move(exists);
}

bool KvHasListWindow(std::uint32_t tableId)
{
    return WindowIds() && WindowIds()(tableId);
}
