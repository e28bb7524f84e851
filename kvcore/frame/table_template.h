// The template of one kind of list window: the windowing framework's multi-document template
// plus the table id by which the application opens the window, finds its template and keys the
// session's stored layout of the table. Its operations act on every open document of the table
// at once, first opened first.
#pragma once

#include <cstdint>

#include "fw/ui/doctemplate.h"
#include "kvcore/doc/ct_doc.h"
#include "kvcore/kvcore_api.h"

class KVCORE_API CTDocTemplate : public fw::DocTemplate, public KvTableTemplate {
public:
    // The table id starts as the resource id; the frame is a CTChildFrame unless one is given.
    CTDocTemplate(uint32_t nIDResource, DocumentFactory makeDocument, ViewFactory makeView,
        FrameFactory makeFrame = nullptr);
    ~CTDocTemplate() override;

    uint32_t GetDocTemplateID() const override { return m_nTableId; }
    void SetDocTemplateID(uint32_t id) { m_nTableId = id; }

    // The framework's, and the document becomes the most recently created one.
    std::unique_ptr<fw::Document> createNewDocument() override;
    // The document this process created last, while it is open (null otherwise).
    static CTDoc* GetLastCreatedDocument();

    // While documents are left, the first one closes.
    void CloseAllDocuments() { closeAllDocuments(); }
    // Every router-target document whose UpdateReq asked for data queues its reply slots; 1 when
    // the template has at least one document.
    int CollectAllDocumentsReqs();
    void UpdateAllDocuments(intptr_t hint, fw::Hint* object);
    void UpdateAllViews(fw::View* sender, intptr_t hint, fw::Hint* object);
    // Every document's first grid view repaints in full.
    void ResetAllDocumentsControls();
    void StoreAllDocumentsInfo();
    int GetNumberOfDocuments() const { return static_cast<int>(documentCount()); }
    CTDoc* GetFirstDoc() const;
    CTDoc* GetLastDoc() const;

private:
    uint32_t m_nTableId;
};
