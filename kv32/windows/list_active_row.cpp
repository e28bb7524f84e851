#include "kv32/windows/list_active_row.h"

#include "fw/ui/app.h"
#include "fw/ui/mainframe.h"
#include "kv32/windows/list_view.h"

namespace {

class CFrontListRow : public KvActiveRow {
public:
    std::uint32_t TableId() const override
    {
        const CTableIndexDoc* doc = Document();
        return doc == nullptr ? kListNone : doc->GetTableID();
    }
    int RecordIndex() const override
    {
        const CTableIndexDoc* doc = Document();
        return doc == nullptr ? -1 : doc->HostIndexOfRow(doc->GetCurrentIndex());
    }
    int CurrentColumn() const override
    {
        const CTableIndexDoc* doc = Document();
        return doc == nullptr ? -1 : doc->GetCurrentColumn();
    }

private:
    static const CTableIndexDoc* Document()
    {
        fw::App* app = fw::App::instance();
        fw::MainFrame* frame = app != nullptr ? app->mainFrame() : nullptr;
        auto* view = frame != nullptr ? dynamic_cast<CListView*>(frame->activeView()) : nullptr;
        return view != nullptr ? view->GetListDoc() : nullptr;
    }
};

} // namespace

KvActiveRow& KvFrontListRow()
{
    static CFrontListRow row;
    return row;
}
