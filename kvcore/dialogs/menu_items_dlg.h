// The popup-menu editor: a two-list chooser over the items of one table's menu, cut down to
// the user's rights. The user's popup definition (menu positions in the order the table's
// right-click menu shows them) is changed in place on OK.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "kvcore/dialogs/two_list_dlg.h"
#include "kvcore/kvcore_api.h"
#include "kvcore/session/popup_items.h"

class KVCORE_API CMenuItemsDlg : public CSelectDlg {
    Q_OBJECT
public:
    // tableId is also the id of the table's menu and of the caption's string.
    CMenuItemsDlg(unsigned tableId, std::vector<std::uint16_t>* definition, QWidget* parent = nullptr);

    void onOK() override;

protected:
    void FillLists() override;

    // The pruned menu's items in menu order: texts without '&' (a hyphen line for a
    // separator) and command ids (0 for a separator).
    std::vector<std::string> m_itemTexts;
    std::vector<std::uint16_t> m_itemIds;

private:
    // The table's menu cut down to the user's rights; false when there is no such menu.
    bool LoadItems(std::vector<KvPopupItem>& items) const;
};
