#include "kvcore/frame/table_template.h"

#include "fw/ui/view.h"

uint32_t CTDoc::GetTableID() const
{
    const auto* tmpl = dynamic_cast<const CTDocTemplate*>(docTemplate());
    return tmpl == nullptr ? 0 : tmpl->GetDocTemplateID();
}

CTDocTemplate::CTDocTemplate(uint32_t tableId, DocumentFactory makeDocument, ViewFactory makeView)
    : fw::DocTemplate(tableId, std::move(makeDocument), std::move(makeView))
    , m_nTableId(tableId)
{
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
