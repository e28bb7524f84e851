// The trades window's view: the cancellation commands on the selected
// trades, the operator's cancel, the order and trading-account summaries of
// the current trade, and Go To a trade number.
#pragma once

#include "kv32/windows/list_view.h"

class CTradesView : public CListView {
    Q_OBJECT
public:
    explicit CTradesView(QWidget* parent = nullptr);
    ~CTradesView() override;

    void OnTradeCancel(unsigned commandId);

protected:
    int FindHostIndexOfNumber(std::uint32_t number) const override;
};
