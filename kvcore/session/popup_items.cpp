#include "kvcore/session/popup_items.h"

#include <algorithm>

#include "fw/core/resources.h"
#include "fw/core/strings.h"
#include "kvcore/app/menu_access.h"

std::optional<fw::Menu> KvTableMenu(unsigned tableId)
{
    const fw::MenuTemplate* tmpl = fw::findMenu(tableId);
    if (tmpl == nullptr)
        return std::nullopt;
    fw::Menu menu = fw::buildMenu(*tmpl, fw::language());
    if (const fw::Menu* first = menu.itemAt(0); first != nullptr && first->isPopup()) {
        fw::Menu popup = *first;
        menu = std::move(popup);
    }
    PruneMenu(&menu);
    return menu;
}

std::vector<KvPopupItem> KvPopupItems(const fw::Menu& menu)
{
    std::vector<KvPopupItem> items;
    for (const fw::Menu& item : menu.items()) {
        KvPopupItem entry;
        if (item.isSeparator()) {
            entry.text.assign(53, '-');
        } else {
            entry.text = item.text();
            std::erase(entry.text, '&');
            entry.command = static_cast<std::uint16_t>(item.id());
        }
        items.push_back(std::move(entry));
    }
    return items;
}

std::vector<KvPopupItem> KvPopupSelection(
    const std::vector<KvPopupItem>& items, const std::vector<std::uint16_t>& definition)
{
    std::vector<KvPopupItem> shown;
    for (std::uint16_t position : definition)
        if (position < items.size())
            shown.push_back(items[position]);
    return shown;
}

std::vector<std::uint16_t> KvPopupDefinition(
    const std::vector<KvPopupItem>& items, const std::vector<std::string>& chosenTexts)
{
    std::vector<std::uint16_t> definition;
    for (const std::string& text : chosenTexts) {
        const auto found
            = std::find_if(items.begin(), items.end(), [&](const KvPopupItem& item) { return item.text == text; });
        if (found != items.end())
            definition.push_back(static_cast<std::uint16_t>(found - items.begin()));
    }
    return definition;
}
