// The view of the cash positions window: the limits commands of its criteria's
// kind on the current row, and the criteria dialog.
#pragma once

#include "kvcore/gridview/table_view.h"

class CCurPosFilter;
class CCurPosDoc;

class CCurPosView : public CTView {
    Q_OBJECT
public:
    explicit CCurPosView(QWidget* parent = nullptr);
    ~CCurPosView() override;
    // The limits dialog for the current row, of the criteria's kind.
    void OnSetLimits();
    // Options > Filter: the criteria dialog; on OK the window asks again.
    void OnFilter();
};

// Opens the cash positions window for the criteria: the window already
// showing equal criteria comes to the front, else a new one opens.
CCurPosDoc* KvOpenCashPositions(const CCurPosFilter& criteria);

// The users and firms windows' Cash Positions commands (given the user's row
// of the trader table, or the firm's of the participant table) open the
// window for that user (with the user's firm, which the host's request
// names) or that firm. Without a row the users window opens it for no user.
void KvInstallCashPositionsOpeners();
