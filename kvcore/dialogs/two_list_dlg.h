// The base of the choose-and-order dialogs: the available items on the left, the chosen ones
// in their order on the right (a list the user reorders by dragging or with its arrows), and
// the buttons that move items between them. A derived dialog fills both lists (FillLists)
// and, on OK, turns the chosen list into its result; the base never writes the caller's
// array. Optional: a fixed-columns field and a combo box of selection sets.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "fw/ui/dialog.h"
#include "kvcore/dialogs/plain_num_edit.h"
#include "kvcore/dialogs/two_list.h"
#include "kvcore/kvcore_api.h"

class CDnDListBox;
class KvListWidgetPort;

class KVCORE_API CSelectDlg : public fw::Dialog {
    Q_OBJECT
public:
    // selection: the caller's array, copied into the working selection; the first
    // `mandatory` available items cannot be removed once chosen.
    CSelectDlg(unsigned captionId, std::vector<std::uint16_t>* selection, QWidget* parent, int mandatory);
    ~CSelectDlg() override;

    bool onInitDialog() override;
    // Closes with OK; the derived dialog writes its result first.
    void onOK() override;

    void OnClickedAdd();
    void OnClickedRemove();
    void OnClickedAddall();
    void OnClickedRemoveall();
    void OnDblclkAvailable() { OnClickedAdd(); }
    void OnDblclkSelected();
    void OnSetfocusAvailable();
    void OnSetfocusSelected();

    // The working selection: for each chosen item, in the chosen list's order, its index in
    // the available list.
    const std::vector<std::uint16_t>& WorkingSelection() const { return m_selection; }

protected:
    // Fills the available list, and the chosen list in the working selection's order.
    virtual void FillLists() = 0;
    virtual std::string GetCaptionText() const;
    // The selection combo changed (the base's initialisation calls it once when the combo is
    // shown): the base sets the buttons.
    virtual void OnChangeCurrentSelection();

    // The two lists; valid from onInitDialog on.
    KvListBoxPort& AvailableList();
    KvListBoxPort& ChosenList();
    CDnDListBox* ChosenListBox() const { return m_chosen; }
    // The buttons and focus as the chooser's last step left them.
    void ShowState();

    int m_bShowFixedColumns = 0;
    int m_nFixedColumns = 0;
    // Entries of the selection combo (the derived dialog's selection sets), whether it shows,
    // and the current one.
    int m_nSelectionSets = 0;
    int m_bShowSelectionCombo = 0;
    int m_nCurrentSelection = 0;
    int m_nMandatory;
    std::vector<std::uint16_t>* m_pSelection;
    unsigned m_nCaptionId;
    std::vector<std::uint16_t> m_selection;
    CNumEdit m_fixedColumnsEdit;

private:
    std::unique_ptr<KvListWidgetPort> m_available;
    CDnDListBox* m_chosen = nullptr;
    std::unique_ptr<KvTwoListChooser> m_chooser;
};
