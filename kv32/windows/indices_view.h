// The Indices window's view: the list window's own commands and nothing more.
#pragma once

#include "kv32/windows/list_view.h"

class CIndicesView : public CListView {
    Q_OBJECT
public:
    explicit CIndicesView(QWidget* parent = nullptr);
    ~CIndicesView() override;
};
