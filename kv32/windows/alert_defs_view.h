// The Firms, Users and Securities Alerts windows' views: "Al&erts..." opens
// the alert dialog of the window's kind on the current row's subject (the
// dialog then tests the changed figures again); the rows follow when the
// dialog tells the table's windows.
#pragma once

#include "kv32/windows/list_view.h"

class CAlertDefsView : public CListView {
    Q_OBJECT
public:
    CAlertDefsView(unsigned alertsCommand, QWidget* parent = nullptr);
    ~CAlertDefsView() override;
};

class CFAlertsView : public CAlertDefsView {
    Q_OBJECT
public:
    explicit CFAlertsView(QWidget* parent = nullptr);
};

class CSAlertsView : public CAlertDefsView {
    Q_OBJECT
public:
    explicit CSAlertsView(QWidget* parent = nullptr);
};

class CTAlertsView : public CAlertDefsView {
    Q_OBJECT
public:
    explicit CTAlertsView(QWidget* parent = nullptr);
};
