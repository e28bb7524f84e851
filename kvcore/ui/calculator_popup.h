// The calculator that a numeric edit's drop button opens below the edit: typed keys go
// to the engine's calculator, Enter hands the result to the edit, Escape or a click
// elsewhere closes it without a change.
#pragma once

#include <QFrame>

#include "kvcore/controls/currency_edit.h"
#include "kvcore/kvcore_api.h"

class QLabel;

class KVCORE_API KvCalculatorPopup : public QFrame {
    Q_OBJECT
public:
    // Shows the popup for the engine's open calculator; it deletes itself when closed.
    static KvCalculatorPopup* open(KvCurrencyEdit& engine, QWidget* anchor);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    KvCalculatorPopup(KvCurrencyEdit& engine, QWidget* anchor);
    void refresh();
    void finish(bool accept);

    KvCurrencyEdit& m_engine;
    QWidget* m_anchor;
    QLabel* m_display;
    bool m_done = false;
};
