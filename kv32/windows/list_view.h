// The view every list window over a table-index document shares: its
// commands are enabled by the rows at hand and, where the window says so, by
// the current record's state; a command on the selected rows sends one
// transaction per row through the multi-row road; Options > Filter opens the
// window's filter dialog; Go To selects the row of a typed number. A window's
// own view adds only its commands.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "kv32/lists/list_actions.h"
#include "kv32/lists/table_index_doc.h"
#include "kvcore/gridview/table_view.h"

class CListView : public CTView, public CListWindowPort {
    Q_OBJECT
public:
    explicit CListView(QWidget* parent = nullptr);
    ~CListView() override;

    CTableIndexDoc* GetListDoc() const;
    // The window's document, whichever kind of list document it is.
    CTDoc* GetTableDoc() const;
    KvRowState RowState() const;
    // The selected document rows.
    std::vector<unsigned> SelectedRows() const;

    // Options > Filter: the filter dialog of the window's table, when one exists.
    virtual void OnFilter();
    virtual bool HasFilterDialog() const;
    // Go To: asks for a text and selects the row it finds.
    void OnGoTo();

    using StateTest = std::function<bool(const std::uint8_t* current)>;
    // Opens the window of the table id when the program has one; null otherwise.
    static CTDoc* OpenListWindow(std::uint32_t tableId);
    // A window without a context menu of its own shows the grid's.
    void DoPopUpMenu(QPoint point, unsigned menuId) override;

    // What the commands ask of the application.
    void OpenTable(std::uint32_t tableId) override;
    void UpdateAllViews(std::uint32_t tableId) override;

protected:
    // Binds a command: enabled by the rule and, when given, by the state test
    // of the current row's record (null when there is none).
    void MapCommand(unsigned id, KvCommandRule rule, StateTest state, std::function<void()> run);
    // Binds a command that opens a dialog installed by other parts of the
    // program: disabled while none is installed.
    void MapDialogCommand(unsigned id, KvCommandRule rule, StateTest state, std::function<int()> argument);
    // Binds the enabling of a command that the application or the main frame
    // carries out: enabled by the rule and the state test while someone
    // handles it.
    void MapForwardedCommand(unsigned id, KvCommandRule rule, StateTest state);
    // Greys the sorting commands of a window whose rows keep their order.
    void DisableSorting();
    // Sends a transaction for each selected row.
    int SendForSelection(const KvRowAction& action);
    // The rows an export writes: the selected ones (sorted, each once) or all.
    std::vector<unsigned> ExportRows(bool all) const;
    // The file named in the main frame's file dialog; empty when none was.
    static std::string AskFileName(bool open, unsigned titleId, unsigned filterId, const std::string& defaultExt);
    // The host index of the record with the typed number, or -1.
    virtual int FindHostIndexOfNumber(std::uint32_t) const { return -1; }
    // The row Go To selects for the typed text, or -1 (by default the row of
    // the record whose number was typed).
    virtual int FindRowOfText(const std::string& text) const;
    // The record of the current row; null without one.
    const std::uint8_t* CurrentRecord() const;
};
