// The "Columns" dialog of a list window: which columns the table shows and in which order, how
// many stay fixed at the left, and nine alternative column selections per table ("column sets")
// that a combo box switches between. The sets live in the table's layout entry of the session,
// so they travel with the user's settings; the set in use is the grid document's column-set
// index. The entry and the document change only on OK.
#pragma once

#include "kvcore/dialogs/two_list_dlg.h"
#include "kvcore/kvcore_api.h"
#include "kvcore/session/column_sets.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kvcore {
class CTGXDoc;
}
struct KvLayoutEntry;
struct KvColumnChooserArgs;

// No signals or slots of its own, so no meta-object either.
class KVCORE_API CFormatExDlg : public CSelectDlg {
public:
    // titles: the column titles by column id; selection: the caller's selected columns (never
    // written by the dialog itself). With a document and its table's layout entry the dialog
    // shows the column sets and, on OK, writes the document's selected columns, its column-set
    // index and the entry's sets; without them it only returns the chosen columns and the
    // fixed-columns count.
    CFormatExDlg(unsigned captionId, std::vector<std::string> titles, std::vector<std::uint16_t>* selection,
        kvcore::CTGXDoc* doc, KvLayoutEntry* entry, QWidget* parent, int mandatory);

    void onOK() override;

    // Before the dialog runs: show the fixed-columns field with this count. After OK: the count.
    void ShowFixedColumns(int count)
    {
        m_bShowFixedColumns = 1;
        m_nFixedColumns = count;
    }
    int FixedColumns() const { return m_nFixedColumns; }
    // The chosen columns after OK.
    const std::vector<std::uint16_t>& Result() const { return m_result; }

protected:
    void FillLists() override;
    void OnChangeCurrentSelection() override;

private:
    // Drops columns the table does not have, then lists the working selection as chosen.
    void ShowChosen();

    std::vector<std::string> m_titles;
    std::vector<std::uint16_t> m_result;
    kvcore::CTGXDoc* m_pDoc;
    KvLayoutEntry* m_pEntry;
    std::optional<KvColumnSets> m_sets;
};

// The table window's column command: the chooser on the window's document and its table's layout
// entry (installed as the table windows' column hook when the library loads). 1 for OK.
KVCORE_API int KvChooseColumns(KvColumnChooserArgs& args);
