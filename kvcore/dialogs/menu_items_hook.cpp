// The table window's popup-menu command opens the popup editor once the library is loaded.
#include "kvcore/dialogs/menu_items_dlg.h"
#include "kvcore/gridview/table_dialogs.h"
#include "kvcore/gridview/table_view.h"

namespace {

int EditPopup(CTView& view, std::uint32_t tableId, std::vector<std::uint16_t>& definition)
{
    CMenuItemsDlg dlg(tableId, &definition, &view);
    return dlg.doModal();
}

[[maybe_unused]] const bool kInstalled = (KvTableDialogs().editPopup = EditPopup, true);

} // namespace
