// The rules of the security selection dialog without its window: the chooser
// of boards or security names, the securities matching what is chosen there,
// and the ordered selection with each line's security index as its item
// data. The caller's index array changes only on OK.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "kvcore/dialogs/drag_list.h"

class CTDoc;

enum class KvChooserMode { Boards = 0, Securities = 1 };

struct KvSelectButtons {
    bool ok = false;
    bool add = false;
    bool addAll = false;
    bool remove = false;
    bool removeAll = false;
    bool unselectChooser = false;
    bool unselectAvailable = false;
};

class KvAlertSelectForm {
public:
    // The three lists as the dialog (or a test) holds them; they outlive the form.
    KvAlertSelectForm(KvListBoxPort& chooser, KvListBoxPort& available, KvListBoxPort& selection,
        std::vector<uint32_t>& callerIndices, bool singleChoice);

    // Fills the selection from the caller's array (indices outside the
    // securities table are dropped), the chooser in boards mode.
    void Init();
    void SetMode(KvChooserMode mode);
    KvChooserMode Mode() const { return m_mode; }
    // The chooser's marks changed: the available list shows what matches them.
    void ChooserChanged();
    void Add();
    // A double click in the available list: the line under the pointer.
    void AddLine(int line);
    void AddAll();
    void Remove();
    void RemoveAll();
    void UnselectChooser();
    void UnselectAvailable();
    // Writes the selection into the caller's array.
    void Accept();

    KvSelectButtons Buttons() const;
    bool SingleChoice() const { return m_single; }
    // The selection's indices in display order.
    std::vector<uint32_t> Selected() const;
    // The line of a security in the available and selection lists.
    static std::string SecurityLine(int index);

private:
    void FillChooser();
    // Inserts the index at the selection's caret unless it is there already.
    bool Insert(uint32_t index, int& at);
    int InsertPosition() const;
    void AddIndices(const std::vector<uint32_t>& indices);
    bool Contains(uint32_t index) const;

    KvListBoxPort& m_chooser;
    KvListBoxPort& m_available;
    KvListBoxPort& m_selection;
    std::vector<uint32_t>& m_caller;
    bool m_single;
    KvChooserMode m_mode = KvChooserMode::Boards;
    int m_filledMode = -1;
};

// The securities window takes a selection handed to it: appends the indices
// to its own selection and updates itself. That window installs the taker.
using KvSecuritySelectionTaker = std::function<void(CTDoc& doc, const std::vector<uint32_t>& indices)>;
void KvSetSecuritySelectionTaker(KvSecuritySelectionTaker taker);
// False when no window took it (no document, or no taker installed).
bool KvHandOverSecuritySelection(CTDoc* doc, const std::vector<uint32_t>& indices);
