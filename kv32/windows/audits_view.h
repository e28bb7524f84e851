// The Audit Events window's view (the list's own commands and the audit
// filter) and the Audit Types window's view, which changes a type's display
// mode.
#pragma once

#include "kv32/windows/list_view.h"

class CAuditsView : public CListView {
    Q_OBJECT
public:
    explicit CAuditsView(QWidget* parent = nullptr);
    ~CAuditsView() override;
};

class CAuditTypesView : public CListView {
    Q_OBJECT
public:
    explicit CAuditTypesView(QWidget* parent = nullptr);
    ~CAuditTypesView() override;

    void OnOverrideMode();
};

// The audit filter dialog joins the Audit Events window's Options > Filter.
void KvInstallAuditsFilterDialog();
