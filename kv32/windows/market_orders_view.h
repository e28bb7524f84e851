// The market by order window's view: the tick dialog; its rows keep the
// engine's order, so sorting is greyed.
#pragma once

#include "kv32/windows/list_view.h"

class CMktOrdView : public CListView {
    Q_OBJECT
public:
    explicit CMktOrdView(QWidget* parent = nullptr);
    ~CMktOrdView() override;
};
