#include "kvcore/dialogs/sort_dlg.h"

#include "kvcore/app/message_box.h"

namespace {

struct KeyControls {
    std::uint32_t combo, ascending, descending;
};

constexpr KeyControls kKeys[] = {
    { IDC_SORT_COMBO1, IDC_SORT_ASCENDING1, IDC_SORT_DESCENDING1 },
    { IDC_SORT_COMBO2, IDC_SORT_ASCENDING2, IDC_SORT_DESCENDING2 },
    { IDC_SORT_COMBO3, IDC_SORT_ASCENDING3, IDC_SORT_DESCENDING3 },
};

} // namespace

CDlgTabSort::CDlgTabSort(std::vector<std::string> titles, std::vector<std::uint32_t>& keys, QWidget* parent)
    : fw::Dialog(IDD_SORT, parent)
    , m_titles(std::move(titles))
    , m_keys(keys)
{
    commands().onNotify(IDC_SORT_COMBO1, fw::Notify::SelChange, [this] { EnableKey(1, true); });
    commands().onNotify(IDC_SORT_COMBO2, fw::Notify::SelChange, [this] { EnableKey(2, true); });
    commands().onNotify(IDC_SORT_COMBO1, fw::Notify::KillFocus, [this] { EnableControls(); });
    commands().onNotify(IDC_SORT_COMBO2, fw::Notify::KillFocus, [this] { EnableControls(); });
}

bool CDlgTabSort::onInitDialog()
{
    fw::Dialog::onInitDialog();
    for (const KeyControls& key : kKeys)
        for (const std::string& title : m_titles)
            addString(key.combo, title);
    ShowEntries(kvcore::ShowSortKeys(m_titles, m_keys));
    EnableControls();
    return true;
}

void CDlgTabSort::ShowEntries(const kvcore::SortKeyEntries& entries)
{
    for (std::size_t k = 0; k < entries.size(); ++k) {
        const KeyControls& c = kKeys[k];
        setItemText(c.combo, entries[k].text);
        checkButton(c.ascending, entries[k].ascending ? 1 : 0);
        checkButton(c.descending, entries[k].ascending ? 0 : 1);
    }
}

kvcore::SortKeyEntries CDlgTabSort::ReadEntries() const
{
    kvcore::SortKeyEntries entries;
    for (std::size_t k = 0; k < entries.size(); ++k) {
        const KeyControls& c = kKeys[k];
        entries[k].text = itemText(c.combo);
        // The combo's own search folds case beyond ASCII (Hungarian titles).
        const int found = findStringExact(c.combo, -1, entries[k].text);
        if (found >= 0 && static_cast<std::size_t>(found) < m_titles.size())
            entries[k].text = m_titles[static_cast<std::size_t>(found)];
        entries[k].ascending = isButtonChecked(c.ascending) != 0;
        entries[k].enabled = isItemEnabled(c.combo);
    }
    return entries;
}

void CDlgTabSort::EnableKey(int key, bool enable)
{
    const KeyControls& c = kKeys[key];
    for (std::uint32_t id : { c.combo, c.ascending, c.descending })
        enableItem(id, enable);
}

void CDlgTabSort::EnableControls()
{
    kvcore::SortKeyEntries entries = ReadEntries();
    kvcore::EnableSortKeys(m_titles, entries);
    for (std::size_t k = 0; k < entries.size(); ++k) {
        EnableKey(static_cast<int>(k), entries[k].enabled);
        if (!entries[k].enabled)
            setItemText(kKeys[k].combo, std::string());
    }
}

void CDlgTabSort::onOK()
{
    const kvcore::SortKeysResult result = kvcore::ReadSortKeys(m_titles, ReadEntries());
    if (!result.keys) {
        KvMessageBoxId(IDS_SORT_ENTRY_NOT_VALID, fw::MB_OK);
        gotoItem(kKeys[result.rejected].combo);
        return;
    }
    m_keys = *result.keys;
    endDialog(fw::IDOK);
}
