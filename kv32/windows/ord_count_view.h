// The Order Counting window's view (the limits of the current row's board
// and firm, and the Order Counting Alerts window) and the Order Counting
// Alerts window's plain view.
#pragma once

#include "kv32/windows/list_view.h"

class COrdCountView : public CListView {
    Q_OBJECT
public:
    explicit COrdCountView(QWidget* parent = nullptr);
    ~COrdCountView() override;
};

class COAlertsView : public CListView {
    Q_OBJECT
public:
    explicit COAlertsView(QWidget* parent = nullptr);
    ~COAlertsView() override;
};

// The order-counting filter dialog joins the Order Counting window's Options > Filter.
void KvInstallOrdCountFilterDialog();
