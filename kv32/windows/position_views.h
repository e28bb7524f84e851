// The views of the security positions windows: a firm's (its trading
// accounts opener waits for the trading accounts window) and a trading
// account's, whose criteria the security-position filter dialog sets.
#pragma once

#include "kvcore/gridview/table_view.h"

class CCurPosSecsView : public CTView {
    Q_OBJECT
public:
    explicit CCurPosSecsView(QWidget* parent = nullptr);
    ~CCurPosSecsView() override;
};

class CTrdAccSummView : public CTView {
    Q_OBJECT
public:
    explicit CTrdAccSummView(QWidget* parent = nullptr);
    ~CTrdAccSummView() override;
    // Options > Filter: the criteria dialog; on OK the window asks again.
    void OnFilter();
};
