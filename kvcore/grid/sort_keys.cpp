#include "kvcore/grid/sort_keys.h"

#include "kvcore/grid/gx_doc.h"

#include <algorithm>
#include <cctype>

namespace kvcore {

std::optional<std::uint16_t> FindColumnTitle(const std::vector<std::string>& titles, const std::string& text)
{
    auto same = [&text](const std::string& title) {
        return title.size() == text.size()
            && std::equal(title.begin(), title.end(), text.begin(), [](char a, char b) {
                   return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
               });
    };
    const auto it = std::find_if(titles.begin(), titles.end(), same);
    if (text.empty() || it == titles.end())
        return std::nullopt;
    return static_cast<std::uint16_t>(it - titles.begin());
}

SortKeyEntries ShowSortKeys(const std::vector<std::string>& titles, const std::vector<std::uint32_t>& keys)
{
    SortKeyEntries entries;
    for (std::size_t k = 0; k < entries.size() && k < keys.size(); ++k) {
        const std::size_t column = keys[k] & 0xFFFF;
        entries[k].text = column < titles.size() ? titles[column] : std::string();
        entries[k].ascending = (keys[k] >> 16) != 0;
    }
    EnableSortKeys(titles, entries);
    return entries;
}

void EnableSortKeys(const std::vector<std::string>& titles, SortKeyEntries& entries)
{
    entries[0].enabled = true;
    for (std::size_t k = 1; k < entries.size(); ++k) {
        entries[k].enabled = entries[k - 1].enabled && FindColumnTitle(titles, entries[k - 1].text).has_value();
        if (!entries[k].enabled)
            entries[k].text.clear();
    }
}

SortKeysResult ReadSortKeys(const std::vector<std::string>& titles, const SortKeyEntries& entries)
{
    std::vector<std::uint32_t> keys;
    for (std::size_t k = 0; k < entries.size(); ++k) {
        const SortKeyEntry& entry = entries[k];
        if (!entry.enabled || entry.text.empty())
            continue;
        const auto column = FindColumnTitle(titles, entry.text);
        if (!column)
            return { std::nullopt, static_cast<int>(k) };
        keys.push_back(CTGXDoc::MakeSortKey(*column, entry.ascending ? CTGXDoc::kAscending : CTGXDoc::kDescending));
    }
    return { std::move(keys), -1 };
}

} // namespace kvcore
