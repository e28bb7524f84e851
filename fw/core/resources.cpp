#include "fw/core/resources.h"

#include "fw/core/codepage.h"
#include "fw/core/menu.h"

namespace fw {
namespace {

std::vector<ResourceSet>& sets()
{
    static std::vector<ResourceSet> all;
    return all;
}

template <class T, class Get> const T* findLast(std::uint32_t id, Get get)
{
    const auto& all = sets();
    for (auto it = all.rbegin(); it != all.rend(); ++it)
        for (const auto& item : get(*it))
            if (item.id == id)
                return &item;
    return nullptr;
}

void fillMenu(Menu& parent, std::span<const MenuEntry> entries, std::size_t& i, int depth, Language lang)
{
    while (i < entries.size()) {
        const MenuEntry& e = entries[i];
        if (e.depth < depth)
            return;
        ++i;
        if (e.depth > depth)
            continue; // an entry without a popup above it; the resource check reports it
        switch (e.kind) {
        case MenuEntryKind::Command:
            parent.add(Menu::command(e.id, resourceText(e.en, e.hu, lang)));
            break;
        case MenuEntryKind::Separator:
            parent.add(Menu::separator());
            break;
        case MenuEntryKind::Popup: {
            Menu popup = Menu::popup(resourceText(e.en, e.hu, lang));
            fillMenu(popup, entries, i, depth + 1, lang);
            parent.add(std::move(popup));
            break;
        }
        }
    }
}

} // namespace

void addResources(const ResourceSet& set)
{
    sets().push_back(set);
    strings().add(set.strings);
}

std::span<const ResourceSet> resourceSets()
{
    return sets();
}

const DialogTemplate* findDialog(std::uint32_t id)
{
    return findLast<DialogTemplate>(id, [](const ResourceSet& s) { return s.dialogs; });
}

const MenuTemplate* findMenu(std::uint32_t id)
{
    return findLast<MenuTemplate>(id, [](const ResourceSet& s) { return s.menus; });
}

const AccelTable* findAccel(std::uint32_t id)
{
    return findLast<AccelTable>(id, [](const ResourceSet& s) { return s.accels; });
}

const IconResource* findIcon(std::uint32_t id)
{
    return findLast<IconResource>(id, [](const ResourceSet& s) { return s.icons; });
}

std::string resourceText(const char* en, const char* hu, Language lang)
{
    const char* text = (lang == Language::Hungarian && hu) ? hu : en;
    return text ? utf8ToCp1250(text).text : std::string();
}

Menu buildMenu(const MenuTemplate& menu, Language lang)
{
    Menu root = Menu::popup({});
    std::size_t i = 0;
    fillMenu(root, menu.entries, i, 0, lang);
    return root;
}

} // namespace fw
