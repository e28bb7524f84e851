// The News window's view: read a head's text, open its file, change or
// remove a waiting head, and the news filter.
#pragma once

#include "kv32/windows/list_view.h"

class CNewsView : public CListView {
    Q_OBJECT
public:
    explicit CNewsView(QWidget* parent = nullptr);
    ~CNewsView() override;

    void OnNewsText();
    void OnNewsFile();
    void OnEditNews();
    void OnDeleteNews();

private:
    // The host index of the current row's head, or -1.
    int CurrentHostIndex() const;
};

// The news filter dialog joins the window's Options > Filter.
void KvInstallNewsFilterDialog();
