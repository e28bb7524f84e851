#pragma once
// A document template makes documents of one kind together with their views and frames.
#include "fw/ui/fw_ui_api.h"
#include <QObject>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace fw {

class ChildFrame;
class Document;
class Hint;
class View;

class FW_UI_API DocTemplate {
public:
    using DocumentFactory = std::function<std::unique_ptr<Document>()>;
    using ViewFactory = std::function<std::unique_ptr<View>()>;

    DocTemplate(uint32_t resourceId, DocumentFactory makeDocument, ViewFactory makeView);
    virtual ~DocTemplate();
    DocTemplate(const DocTemplate&) = delete;
    DocTemplate& operator=(const DocTemplate&) = delete;

    uint32_t resourceId() const { return resourceId_; }

    // A new document with one view in a new child frame of the application's main frame (or a
    // free-standing frame when there is none). Null when the document refuses onNewDocument.
    virtual Document* openDocumentFile(const std::string& path, bool makeVisible = true);
    // Another frame and view on an existing document.
    ChildFrame* createFrame(Document& doc, bool makeVisible = true);

    const std::vector<std::unique_ptr<Document>>& documents() const { return documents_; }
    size_t documentCount() const { return documents_.size(); }

    void closeAllDocuments();
    void updateAllViews(View* sender, intptr_t hint, Hint* object);

    // Destroys the document once control is back in the event loop (it may be running one of its
    // own handlers now).
    void removeDocument(Document* doc);

private:
    uint32_t resourceId_;
    DocumentFactory makeDocument_;
    ViewFactory makeView_;
    std::vector<std::unique_ptr<Document>> documents_;
};

} // namespace fw
