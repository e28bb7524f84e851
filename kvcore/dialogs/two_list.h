// The rules of the choose-and-order dialogs, without the window: items are picked from the
// list of available items into the list of chosen items, whose order the user sets. The
// working selection holds, for each chosen item in the chosen list's order, its index in the
// available list; the first `mandatory` available items, once chosen, are never removed.
#pragma once

#include <cstdint>
#include <vector>

#include "kvcore/dialogs/drag_list.h"
#include "kvcore/kvcore_api.h"

struct KvChooserButtons {
    bool ok = false;
    bool add = false;
    bool addAll = false;
    bool remove = false;
    bool removeAll = false;
    bool operator==(const KvChooserButtons&) const = default;
};

enum class KvChooserFocus { Available, Chosen };

class KVCORE_API KvTwoListChooser {
public:
    KvTwoListChooser(
        KvListBoxPort& available, KvListBoxPort& chosen, std::vector<std::uint16_t>& selection, int mandatory);

    // The buttons once the lists are filled.
    void Init();
    // The items selected in the available list that are not chosen yet go before the chosen
    // list's caret (at the end without one), in their order.
    void Add();
    void AddAll();
    // The selected chosen items go, bar the mandatory ones.
    void Remove();
    // Everything goes but the mandatory items, which stay chosen.
    void RemoveAll();
    // The buttons after the lists were refilled (another selection set).
    void ChangeCurrentSelection();
    // The chosen list was reordered (newOrder[i] = the old index of the item now at i): the
    // working selection follows, so it always lists the items in the order shown.
    void Reordered(const std::vector<int>& newOrder);

    const KvChooserButtons& Buttons() const { return m_buttons; }
    KvChooserFocus Focus() const { return m_focus; }
    int Mandatory() const { return m_mandatory; }

private:
    void AfterAdding();

    KvListBoxPort& m_available;
    KvListBoxPort& m_chosen;
    std::vector<std::uint16_t>& m_selection;
    int m_mandatory;
    KvChooserButtons m_buttons;
    KvChooserFocus m_focus = KvChooserFocus::Available;
};
