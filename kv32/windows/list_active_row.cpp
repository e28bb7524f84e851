#include "kv32/windows/list_active_row.h"

#include "fw/ui/app.h"
#include "fw/ui/mainframe.h"
#include "kv32/lists/list_row_source.h"
#include "kv32/windows/list_view.h"

namespace {

class CFrontListRow : public KvActiveRow {
public:
    std::uint32_t TableId() const override
    {
        const CTDoc* doc = Document();
        return doc == nullptr ? kListNone : doc->GetTableID();
    }
    int RecordIndex() const override
    {
        const CTDoc* doc = Document();
        const auto* rows = dynamic_cast<const CListRowSource*>(doc);
        return rows == nullptr ? -1 : rows->HostIndexOfRow(doc->GetCurrentIndex());
    }
    int CurrentColumn() const override
    {
        const CTDoc* doc = Document();
        return doc == nullptr ? -1 : doc->GetCurrentColumn();
    }
    std::string BookSecurityKey() const override
    {
        const auto* rows = dynamic_cast<const CListRowSource*>(Document());
        return rows == nullptr ? std::string() : rows->BookSecurityKey();
    }
    int BoardIndex() const override
    {
        const auto* rows = dynamic_cast<const CListRowSource*>(Document());
        return rows == nullptr ? -1 : rows->BoardIndex();
    }
    KvBookRow BookRow() const override
    {
        const CTDoc* doc = Document();
        const auto* rows = dynamic_cast<const CListRowSource*>(doc);
        return rows == nullptr ? KvBookRow {} : rows->BookRowAt(doc->GetCurrentIndex());
    }

private:
    static const CTDoc* Document()
    {
        fw::App* app = fw::App::instance();
        fw::MainFrame* frame = app != nullptr ? app->mainFrame() : nullptr;
        auto* view = frame != nullptr ? dynamic_cast<CListView*>(frame->activeView()) : nullptr;
        return view != nullptr ? view->GetTableDoc() : nullptr;
    }
};

} // namespace

KvActiveRow& KvFrontListRow()
{
    static CFrontListRow row;
    return row;
}
