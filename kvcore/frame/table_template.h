// The table windows' document and template as the application core uses them:
// a template carries a table id, and its documents can say whether they
// already show what a request asks for, update themselves with a hint, and be
// stored in a workspace. The table windows build on these.
#pragma once

#include <cstdint>

#include "fw/ui/doctemplate.h"
#include "fw/ui/document.h"
#include "kvcore/kvcore_api.h"

class KVCORE_API CTDoc : public fw::Document {
public:
    // Whether this document already shows what param asks for (the base: always).
    virtual int CheckTable(void* /*param*/) { return 1; }
    // Refreshes the document's views for the hint.
    virtual void UpdateDocument(intptr_t hint, fw::Hint* object) { updateAllViews(nullptr, hint, object); }
    virtual int CanBeSerialized() { return 1; }
    // Keeps the window's layout for the next window of its table.
    virtual void StoreDocumentInfo() { }
    uint32_t GetTableID() const;
};

class KVCORE_API CTDocTemplate : public fw::DocTemplate {
public:
    CTDocTemplate(uint32_t tableId, DocumentFactory makeDocument, ViewFactory makeView);

    uint32_t GetDocTemplateID() const { return m_nTableId; }

    void UpdateAllDocuments(intptr_t hint, fw::Hint* object);
    void UpdateAllViews(fw::View* sender, intptr_t hint, fw::Hint* object);
    // Every open document that is a router target asks for its data.
    virtual void CollectAllDocumentsReqs() { }
    void StoreAllDocumentsInfo();
    int GetNumberOfDocuments() const { return static_cast<int>(documentCount()); }
    void CloseAllDocuments() { closeAllDocuments(); }
    CTDoc* GetFirstDoc() const;

private:
    uint32_t m_nTableId;
};
