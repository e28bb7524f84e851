// The Last N Trades window's view: the list window's own commands, and Go To
// a trade number among the trades shown.
#pragma once

#include "kv32/windows/list_view.h"

class CLastNView : public CListView {
    Q_OBJECT
public:
    explicit CLastNView(QWidget* parent = nullptr);
    ~CLastNView() override;

protected:
    int FindHostIndexOfNumber(std::uint32_t number) const override;
};
