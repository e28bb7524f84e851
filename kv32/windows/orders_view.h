// The orders window's view: amend and withdraw the current order through
// their dialogs, withdraw or approve the selected orders, withdraw today's
// or all orders, export orders, send them again to the trading engine, copy
// or move them to the private order book, and Go To an order number.
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
    void OnExport(bool all);
    void OnCopyToEngine();
    void OnAmendToEngine();
    // Asks for the work area, then files copies of the selected orders under it.
    void OnCopyToPrivateBook();
    // Asks for the work area, then withdraws the selected orders that are
    // still on the book and keeps a copy of each the host withdrew.
    void OnMoveToPrivateBook();

protected:
    int FindHostIndexOfNumber(std::uint32_t number) const override;

private:
    int CurrentHostIndex() const;
};
