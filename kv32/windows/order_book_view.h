// The order book window's view: the tick dialog, the orders of the book's
// security (preset to the side and price of the cell pointed at) and its last
// trades; its rows keep the engine's order, so sorting is greyed. Its frame's
// status bar shows the document's last trade and other-side figures.
#pragma once

#include "kv32/windows/list_view.h"

class COrdBkDoc;

class COrdBkView : public CListView {
    Q_OBJECT
public:
    explicit COrdBkView(QWidget* parent = nullptr);
    ~COrdBkView() override;

    COrdBkDoc* GetBookDoc() const;
    void onInitialUpdate() override;
    void OnOrders();
    void OnLastTrades();

private:
    COrdBkDoc* m_pSinkDoc = nullptr;
};
