// The "Sort" dialog of a list window: up to three columns, each ascending or descending. It
// edits the caller's list of sort keys and writes it only when every key the user left enabled
// names a column; the caller sorts again whatever the dialog answers.
#pragma once

#include "fw/ui/dialog.h"
#include "kvcore/grid/sort_keys.h"
#include "kvcore/kvcore_api.h"

#include <cstdint>
#include <string>
#include <vector>

enum KvSortDlgId : unsigned {
    IDD_SORT = 30210,
    IDS_SORT_ENTRY_NOT_VALID = 30116,
    IDC_SORT_COMBO1 = 379,
    IDC_SORT_ASCENDING1 = 380,
    IDC_SORT_DESCENDING1 = 381,
    IDC_SORT_COMBO2 = 382,
    IDC_SORT_ASCENDING2 = 383,
    IDC_SORT_DESCENDING2 = 384,
    IDC_SORT_COMBO3 = 385,
    IDC_SORT_ASCENDING3 = 386,
    IDC_SORT_DESCENDING3 = 388,
};

class KVCORE_API CDlgTabSort : public fw::Dialog {
    Q_OBJECT
public:
    // titles: the table's column titles by column id (the combos list them in that order, so an
    // item's index is the column id); keys: the document's sort keys, highest priority first.
    CDlgTabSort(std::vector<std::string> titles, std::vector<std::uint32_t>& keys, QWidget* parent = nullptr);

    bool onInitDialog() override;
    void onOK() override;

private:
    void ShowEntries(const kvcore::SortKeyEntries& entries);
    // The controls' values; a typed text that a combo's search finds (case ignored) reads as the
    // title of that item.
    kvcore::SortKeyEntries ReadEntries() const;
    void EnableControls();
    void EnableKey(int key, bool enable);

    std::vector<std::string> m_titles;
    std::vector<std::uint32_t>& m_keys;
};
