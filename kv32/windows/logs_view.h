// The Logs window's view: the list's own commands and the log filter.
#pragma once

#include "kv32/windows/list_view.h"

class CLogsView : public CListView {
    Q_OBJECT
public:
    explicit CLogsView(QWidget* parent = nullptr);
    ~CLogsView() override;
};

// The log filter dialog joins the Logs window's Options > Filter.
void KvInstallLogsFilterDialog();
