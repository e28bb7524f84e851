// The Securities on Boards window's view: a title row twice the usual height
// for the board names, Go To a short name, and a context menu whose trading
// commands go to the application's handlers; the book and related-window
// commands belong to the Securities window and stay disabled here.
#pragma once

#include "kv32/windows/list_view.h"

class CSecBrdsDoc;

class CSecBrdsView : public CListView {
    Q_OBJECT
public:
    explicit CSecBrdsView(QWidget* parent = nullptr);
    ~CSecBrdsView() override;

    CSecBrdsDoc* GetSecBrdsDoc() const;
    void onInitialUpdate() override;

protected:
    int FindRowOfText(const std::string& text) const override;
};
