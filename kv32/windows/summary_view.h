// The summary window's view: Summary by Board of the window's board.
#pragma once

#include "kv32/windows/list_view.h"

class CSumView : public CListView {
    Q_OBJECT
public:
    explicit CSumView(QWidget* parent = nullptr);
    ~CSumView() override;
};
