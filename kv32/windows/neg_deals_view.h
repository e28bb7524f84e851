// The negotiated deals window's view: confirm and amend the current deal
// (their dialogs), withdraw and approve the selected deals, the trading
// account summary, and Go To a deal number.
#pragma once

#include "kv32/windows/list_view.h"

class CNDealsView : public CListView {
    Q_OBJECT
public:
    explicit CNDealsView(QWidget* parent = nullptr);
    ~CNDealsView() override;

    void OnDealTransaction(unsigned commandId);

protected:
    int FindHostIndexOfNumber(std::uint32_t number) const override;
};
