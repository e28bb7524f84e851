// The Messages window's view: read the current message, change or withdraw
// the user's own waiting message, and the letter filter.
#pragma once

#include "kv32/windows/list_view.h"

class CMsgsView : public CListView {
    Q_OBJECT
public:
    explicit CMsgsView(QWidget* parent = nullptr);
    ~CMsgsView() override;

    void OnViewMessage();
    void OnEditMessage();
    void OnDeleteMessage();

private:
    // The host index of the current row's message, or -1.
    int CurrentHostIndex() const;
};

// The messages filter dialog joins the window's Options > Filter.
void KvInstallMessagesFilterDialog();
