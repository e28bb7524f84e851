#pragma once
// Documents hold the data of a window; their views show it. Free of Qt: widget views (fw::View)
// and window-less views (a spreadsheet kept in step with a table) implement one DocumentView
// interface, and the bookkeeping of a template's documents lives here as well, so document
// logic (tables, sorting) builds and tests without widgets.
#include "fw/core/fw_core_api.h"
#include "fw/core/command.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace fw {

class Archive;
class DocTemplateBase;
class Document;

// The object handed to views with an update; documents and views agree on the concrete kind.
class FW_CORE_API Hint {
public:
    virtual ~Hint();
};

// One flag per row: 1 = the row changed. Indexes beyond the end read as unchanged. Besides the
// flags the hint keeps the list of flagged rows and runs of changed rows as ranges, so a hint
// over a large table costs what changed, not the size of the table: clearing it, walking its
// rows and handing them on never touch the rows that did not change.
class FW_CORE_API RowHint : public Hint {
public:
    using Range = std::pair<int, int>; // first and last row, both included

    RowHint() = default;
    explicit RowHint(int rows) : flags_(rows > 0 ? static_cast<size_t>(rows) : 0, 0) {}
    ~RowHint() override; // out of line: the class's vtable lives in this library only
    RowHint(const RowHint&) = default;
    RowHint& operator=(const RowHint&) = default;
    RowHint(RowHint&&) noexcept = default;
    RowHint& operator=(RowHint&&) noexcept = default;

    void AddRow(int row);
    // A row inside a range splits the range.
    void ClearRow(int row);
    // Every row from first to last changed (a shift of rows); the size is not extended.
    void AddRange(int first, int last);
    // Inline: documents ask it once per row of large tables on every update.
    int GetRow(int row) const
    {
        if (row < 0 || static_cast<size_t>(row) >= flags_.size())
            return 0;
        if (flags_[static_cast<size_t>(row)] == kFlagged)
            return 1;
        return ranges_.empty() ? 0 : InRange(row);
    }
    void Clear();
    int GetSize() const { return static_cast<int>(flags_.size()); }
    void SetSize(int rows);
    // The rows flagged one by one, ascending (rows only inside a range are not listed).
    const std::vector<int>& Rows() const;
    // The ranges, ascending and disjoint; they may reach past the size.
    const std::vector<Range>& Ranges() const { return ranges_; }
    // Set by a document whose hint flags every position that shows another record than before,
    // rows moved by rows that came or went included: a view can follow the change, a removal
    // too, without redrawing everything.
    bool CoversMoves() const { return coversMoves_; }
    void SetCoversMoves(bool covers) { coversMoves_ = covers; }

private:
    static constexpr uint8_t kFlagged = 1;
    static constexpr uint8_t kCleared = 2; // still in the list, no longer flagged
    int InRange(int row) const;

    // Mutable: Rows() takes cleared rows off the list and zeroes their flags.
    mutable std::vector<uint8_t> flags_;
    // Every row whose flag is not 0, each once; sorted and without cleared rows when Rows() ran.
    mutable std::vector<int> listed_;
    mutable bool sorted_ = true;
    mutable size_t cleared_ = 0;
    std::vector<Range> ranges_;
    bool coversMoves_ = false;
};

// What a document knows of each of its views.
class FW_CORE_API DocumentView {
public:
    DocumentView();
    virtual ~DocumentView(); // leaves its document
    DocumentView(const DocumentView&) = delete;
    DocumentView& operator=(const DocumentView&) = delete;

    Document* document() const { return document_; }
    // Attaches the view to a document (by the template, or a test); null detaches it.
    void setDocument(Document* doc);

    // After the document's windows exist and onNewDocument ran, before they show. The default
    // is an update from nobody.
    virtual void onInitialUpdate();
    // The document changed: hint and object say what (their meaning is the document's).
    virtual void onDocumentUpdate(DocumentView* sender, intptr_t hint, Hint* object) = 0;
    virtual void onTitleChanged() {}
    // A window of the document: the document closes when its last window closes. Window-less
    // views follow the document but do not keep it open.
    virtual bool isWindow() const { return false; }
    // The document is closing: a window closes (which destroys the view); the default leaves
    // the document.
    virtual void closeWindow();

private:
    friend class Document;
    Document* document_ = nullptr;
    // isWindow() as it was when the view joined; a destructor can no longer ask the override.
    bool joinedAsWindow_ = false;
};

class FW_CORE_API Document : public CmdTarget {
public:
    Document();
    ~Document() override;

    // Called once by the template after the document's windows exist and before their initial
    // update; false abandons the document.
    virtual bool onNewDocument() { return true; }
    // Closes every window of the document, then the template destroys it. The windows and views
    // still exist when an override runs before calling this. Runs once.
    virtual void onCloseDocument();
    bool isClosing() const { return closing_; }

    // Stores or loads the document's state (workspaces, settings); the default has none.
    virtual void serialize(Archive& /*ar*/) {}

    const std::string& title() const { return title_; }
    virtual void setTitle(const std::string& title);

    bool isModified() const { return modified_; }
    void setModified(bool modified = true) { modified_ = modified; }

    DocTemplateBase* docTemplate() const { return template_; }
    const std::vector<DocumentView*>& views() const { return views_; }
    DocumentView* firstView() const { return views_.empty() ? nullptr : views_.front(); }
    // True while some view is a window of the document.
    bool hasWindow() const;

    // Every view but sender gets onDocumentUpdate(sender, hint, object).
    void updateAllViews(DocumentView* sender, intptr_t hint = 0, Hint* object = nullptr);

    // Bookkeeping of the views; called by DocumentView::setDocument. When the last window
    // leaves, the document closes.
    void addView(DocumentView* view);
    void removeView(DocumentView* view);

private:
    friend class DocTemplateBase;
    DocTemplateBase* template_ = nullptr;
    std::vector<DocumentView*> views_;
    std::string title_;
    bool modified_ = false;
    bool closing_ = false;
};

// The documents of one kind: how a new one is made, and the list of those open. Templates with
// windows (fw::DocTemplate) add the frame and view of each document.
class FW_CORE_API DocTemplateBase {
public:
    using DocumentFactory = std::function<std::unique_ptr<Document>()>;

    DocTemplateBase(uint32_t resourceId, DocumentFactory makeDocument);
    virtual ~DocTemplateBase();
    DocTemplateBase(const DocTemplateBase&) = delete;
    DocTemplateBase& operator=(const DocTemplateBase&) = delete;

    uint32_t resourceId() const { return resourceId_; }

    // A new document, in this order: the document (createNewDocument), its windows
    // (createWindows), onNewDocument, then the initial update of its views (initialUpdate).
    // Null when a step refuses; the windows made so far are closed again.
    virtual Document* openDocumentFile(const std::string& path, bool makeVisible = true);
    // Makes a new document; templates that keep track of the documents they create hook here.
    virtual std::unique_ptr<Document> createNewDocument();

    const std::vector<std::unique_ptr<Document>>& documents() const { return documents_; }
    size_t documentCount() const { return documents_.size(); }

    // While documents are left, the first one runs onCloseDocument (which takes it off the list).
    virtual void closeAllDocuments();
    void updateAllViews(DocumentView* sender, intptr_t hint, Hint* object);

    // Takes the document off the list and destroys it once its own handlers have returned.
    void removeDocument(Document* doc);

protected:
    // The windows of a new document (frame and view); false abandons the document. None here.
    virtual bool createWindows(Document& /*doc*/, bool /*makeVisible*/) { return true; }
    // The initial update of every view of a new document; templates with windows then show them.
    virtual void initialUpdate(Document& doc, bool makeVisible);
    // Destroys a document taken off the list once control is back in the event loop. Without one
    // (no windows) it is kept until the next document opens or the template goes.
    virtual void destroyLater(std::shared_ptr<Document> dying);

private:
    void closeAll();

    uint32_t resourceId_;
    DocumentFactory makeDocument_;
    std::vector<std::unique_ptr<Document>> documents_;
    std::vector<std::shared_ptr<Document>> dying_;
};

} // namespace fw
