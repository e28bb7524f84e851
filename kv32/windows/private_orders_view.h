// The private order book window's view: release, move, delete, amend and
// clear the locally kept orders, export them and import them from a file;
// an empty window offers the import on the grid's menu.
#pragma once

#include "kv32/windows/list_view.h"

class CPrivateOrderDoc;

class CPrivateOrderView : public CListView {
    Q_OBJECT
public:
    explicit CPrivateOrderView(QWidget* parent = nullptr);
    ~CPrivateOrderView() override;

    void OnRelease();
    void OnMove();
    void OnDelete();
    void OnAmend();
    void OnClear();
    void OnExport(bool all);
    void OnImport();

    // Without rows the grid's menu also offers the import.
    void DoPopUpMenu(QPoint point, unsigned menuId) override;
    std::optional<fw::Menu> EmptyWindowMenu() const;

private:
    CPrivateOrderDoc* Doc() const;
};
