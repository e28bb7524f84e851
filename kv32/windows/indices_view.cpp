#include "kv32/windows/indices_view.h"

CIndicesView::CIndicesView(QWidget* parent)
    : CListView(parent)
{
}

CIndicesView::~CIndicesView() = default;
