// The Trading Events window's view: Add and Modify open the trading event
// dialog, Remove asks and sends the removal of the current event.
#pragma once

#include "kv32/windows/list_view.h"

class CTimesView : public CListView {
    Q_OBJECT
public:
    explicit CTimesView(QWidget* parent = nullptr);
    ~CTimesView() override;

    void OnRemove();
};
