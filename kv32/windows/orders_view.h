// The orders window's view: amend and withdraw the current order through
// their dialogs, withdraw or approve the selected orders, withdraw today's
// or all orders, and Go To an order number.
#pragma once

#include "kv32/windows/list_view.h"

class COrdersView : public CListView {
    Q_OBJECT
public:
    explicit COrdersView(QWidget* parent = nullptr);
    ~COrdersView() override;

    void OnAmend();
    void OnWithdraw();
    void OnOrderMethods();
    // A trades window of the selected orders, and an orders window of the open orders.
    void OnTrades();
    void OnOutstanding();
    void OnApprove();
    void OnWithdrawToday();
    void OnWithdrawAll();

protected:
    int FindHostIndexOfNumber(std::uint32_t number) const override;

private:
    int CurrentHostIndex() const;
};
