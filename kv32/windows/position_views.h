// The views of the positions windows: a firm's security positions (with the
// opener of the trading accounts window), the trading accounts' (with the
// opener of an account's cash positions), and a
// trading account's security positions, whose criteria the security-position
// filter dialog sets.
#pragma once

#include "kvcore/gridview/table_view.h"

class CCurPosSecsView : public CTView {
    Q_OBJECT
public:
    explicit CCurPosSecsView(QWidget* parent = nullptr);
    ~CCurPosSecsView() override;
    // The trading accounts window, set to the current row's security when it
    // is the only one.
    void OnTradingAccounts();
};

class CTrAccView : public CTView {
    Q_OBJECT
public:
    explicit CTrAccView(QWidget* parent = nullptr);
    ~CTrAccView() override;
    // The cash positions window of the current row's account.
    void OnCashPositions();
};

class CTrdAccSummView : public CTView {
    Q_OBJECT
public:
    explicit CTrdAccSummView(QWidget* parent = nullptr);
    ~CTrdAccSummView() override;
    // Options > Filter: the criteria dialog; on OK the window asks again.
    void OnFilter();
};

namespace fw {
class CommandMap;
}
// The main frame's openers: the trading accounts window, and a trading
// account's security positions after their criteria are chosen.
void KvBindPositionCommands(fw::CommandMap& map);
