// The control events window's view: the current event in its dialog, and the
// deletion of a pending suspension.
#pragma once

#include "kv32/windows/list_view.h"

class CSupervisorOperationsView : public CListView {
    Q_OBJECT
public:
    explicit CSupervisorOperationsView(QWidget* parent = nullptr);
    ~CSupervisorOperationsView() override;

    void OnView();
    void OnDelete();

private:
    int CurrentHostRow() const;
};
