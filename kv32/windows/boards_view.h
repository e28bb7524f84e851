// The boards, markets and instruments windows' view: Suspend and Unsuspend of
// the selected entries, enabled by the current entry's status; the boards
// window adds the board's order methods and Summary by Board.
#pragma once

#include "kv32/windows/list_view.h"

class CStateListDoc;

class CStateListView : public CListView {
    Q_OBJECT
public:
    explicit CStateListView(bool boards, QWidget* parent = nullptr);
    ~CStateListView() override;

    CStateListDoc* GetStateDoc() const;
    void OnSuspend(bool suspend);
    void OnBoardMethods();
};
