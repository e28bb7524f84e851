#include "kvcore/grid/gx_popup.h"

namespace kvcore {

fw::Menu KvBuildDefinedPopup(const fw::Menu& tableMenu, const std::vector<std::uint16_t>& definition,
    const std::function<bool(std::uint32_t)>& canAccess)
{
    fw::Menu popup;
    for (std::uint16_t position : definition) {
        const fw::Menu* item = tableMenu.itemAt(position);
        if (!item)
            continue;
        if (item->isPopup()) {
            popup.add(*item);
            continue;
        }
        if (canAccess && !canAccess(item->id()))
            continue;
        popup.add(item->isSeparator() ? fw::Menu::separator() : fw::Menu::command(item->id(), item->text()));
    }
    return popup;
}

} // namespace kvcore
