#include "kvcore/frame/table_template.h"

#include "fw/ui/view.h"
#include "kvcore/doc/doc_vorl.h"
#include "kvcore/gridview/child_frame.h"
#include "kvcore/gridview/gx_view.h"

namespace {

// The last document created, with a token that expires when it goes.
struct LastCreated {
    CTDoc* doc = nullptr;
    std::weak_ptr<void> alive;
};

LastCreated& Last()
{
    static LastCreated last;
    return last;
}

fw::DocTemplate::FrameFactory TableFrame(fw::DocTemplate::FrameFactory given)
{
    if (given)
        return given;
    return [](std::unique_ptr<fw::View> view) -> std::unique_ptr<fw::ChildFrame> {
        return std::make_unique<CTChildFrame>(std::move(view));
    };
}

} // namespace

CTDocTemplate::CTDocTemplate(
    uint32_t nIDResource, DocumentFactory makeDocument, ViewFactory makeView, FrameFactory makeFrame)
    : fw::DocTemplate(nIDResource, std::move(makeDocument), std::move(makeView), TableFrame(std::move(makeFrame)))
    , m_nTableId(nIDResource)
{
}

CTDocTemplate::~CTDocTemplate() = default;

std::unique_ptr<fw::Document> CTDocTemplate::createNewDocument()
{
    std::unique_ptr<fw::Document> doc = fw::DocTemplate::createNewDocument();
    auto* table = dynamic_cast<CTDoc*>(doc.get());
    Last() = { table, table != nullptr ? table->lifeToken() : std::weak_ptr<void>() };
    return doc;
}

CTDoc* CTDocTemplate::GetLastCreatedDocument()
{
    return Last().alive.expired() ? nullptr : Last().doc;
}

int CTDocTemplate::CollectAllDocumentsReqs()
{
    // By index: a request may end in a message box, during which documents can close.
    for (size_t i = 0; i < documents().size(); ++i) {
        if (auto* doc = dynamic_cast<CTDocVorl*>(documents()[i].get()); doc != nullptr && doc->UpdateReq())
            doc->OnPostUpdateReq();
    }
    return documents().empty() ? 0 : 1;
}

void CTDocTemplate::UpdateAllDocuments(intptr_t hint, fw::Hint* object)
{
    // By index: an update may close a document.
    for (size_t i = 0; i < documents().size(); ++i) {
        if (auto* doc = dynamic_cast<CTDoc*>(documents()[i].get()))
            doc->UpdateDocument(hint, object);
    }
}

void CTDocTemplate::UpdateAllViews(fw::View* sender, intptr_t hint, fw::Hint* object)
{
    updateAllViews(sender, hint, object);
}

void CTDocTemplate::ResetAllDocumentsControls()
{
    for (const auto& doc : documents()) {
        for (fw::DocumentView* view : doc->views()) {
            if (auto* grid = dynamic_cast<kvcore::CTGXView*>(view)) {
                grid->ResetControl();
                break;
            }
        }
    }
}

void CTDocTemplate::StoreAllDocumentsInfo()
{
    for (const auto& doc : documents()) {
        if (auto* table = dynamic_cast<CTDoc*>(doc.get()))
            table->StoreDocumentInfo();
    }
}

CTDoc* CTDocTemplate::GetFirstDoc() const
{
    return documents().empty() ? nullptr : dynamic_cast<CTDoc*>(documents().front().get());
}

CTDoc* CTDocTemplate::GetLastDoc() const
{
    return documents().empty() ? nullptr : dynamic_cast<CTDoc*>(documents().back().get());
}
