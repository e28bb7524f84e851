#include "kvcore/app/menu_access.h"

#include "fw/core/menu.h"
#include "kvcore/app/app_core_logic.h"

namespace {

uint32_t CheckedId(const fw::Menu& item)
{
    if (item.isSeparator())
        return 0;
    return item.isPopup() ? kPopupItemId : item.id();
}

} // namespace

void PruneMenu(fw::Menu* menu)
{
    if (menu == nullptr)
        return;
    // From the last item to the first, so that removals never shift what is still to come.
    for (size_t i = menu->itemCount(); i-- > 0;) {
        fw::Menu* item = menu->itemAt(i);
        if (CanAccess(CheckedId(*item), 0) == 0) {
            menu->removeAt(i);
            continue;
        }
        if (item->isPopup()) {
            PruneMenu(item);
            if (item->itemCount() == 0)
                menu->removeAt(i);
        }
    }
    // Separators that would lead, trail or follow another go; a menu of separators alone
    // becomes empty.
    menu->tidySeparators();
}

void RemoveEmptyPopups(fw::Menu* menu)
{
    if (menu == nullptr)
        return;
    for (size_t i = menu->itemCount(); i-- > 0;) {
        fw::Menu* item = menu->itemAt(i);
        if (!item->isPopup())
            continue;
        RemoveEmptyPopups(item);
        if (item->itemCount() == 0)
            menu->removeAt(i);
    }
}
