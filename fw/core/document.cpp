#include "fw/core/document.h"

#include <algorithm>

namespace fw {

Hint::~Hint() = default;

RowHint::~RowHint() = default;

void RowHint::AddRow(int row)
{
    if (row < 0)
        return;
    const auto at = static_cast<size_t>(row);
    if (at >= flags_.size())
        flags_.resize(at + 1, 0);
    uint8_t& flag = flags_[at];
    if (flag == kFlagged)
        return;
    if (flag == kCleared) {
        --cleared_;
    } else {
        if (!listed_.empty() && row < listed_.back())
            sorted_ = false;
        listed_.push_back(row);
    }
    flag = kFlagged;
}

void RowHint::ClearRow(int row)
{
    if (row < 0 || static_cast<size_t>(row) >= flags_.size())
        return;
    uint8_t& flag = flags_[static_cast<size_t>(row)];
    if (flag == kFlagged) {
        flag = kCleared;
        ++cleared_;
    }
    const auto it = std::upper_bound(ranges_.begin(), ranges_.end(), row,
        [](int r, const Range& range) { return r < range.first; });
    if (it == ranges_.begin() || std::prev(it)->second < row)
        return;
    const auto in = std::prev(it);
    const Range whole = *in;
    if (whole.first == row && whole.second == row) {
        ranges_.erase(in);
    } else if (whole.first == row) {
        in->first = row + 1;
    } else if (whole.second == row) {
        in->second = row - 1;
    } else {
        in->second = row - 1;
        ranges_.insert(std::next(in), Range { row + 1, whole.second });
    }
}

void RowHint::AddRange(int first, int last)
{
    first = std::max(first, 0);
    if (last < first)
        return;
    // Ranges arrive in order as a rule: join the last one or follow it.
    if (ranges_.empty() || ranges_.back().second + 1 < first) {
        ranges_.push_back({ first, last });
        return;
    }
    if (ranges_.back().first <= first) {
        ranges_.back().second = std::max(ranges_.back().second, last);
        return;
    }
    ranges_.push_back({ first, last });
    std::sort(ranges_.begin(), ranges_.end());
    std::vector<Range> merged;
    for (const Range& r : ranges_) {
        if (!merged.empty() && r.first <= merged.back().second + 1)
            merged.back().second = std::max(merged.back().second, r.second);
        else
            merged.push_back(r);
    }
    ranges_.swap(merged);
}

int RowHint::InRange(int row) const
{
    const auto it = std::upper_bound(ranges_.begin(), ranges_.end(), row,
        [](int r, const Range& range) { return r < range.first; });
    return it != ranges_.begin() && std::prev(it)->second >= row ? 1 : 0;
}

void RowHint::Clear()
{
    for (const int row : listed_)
        if (static_cast<size_t>(row) < flags_.size())
            flags_[static_cast<size_t>(row)] = 0;
    listed_.clear();
    sorted_ = true;
    cleared_ = 0;
    ranges_.clear();
}

void RowHint::SetSize(int rows)
{
    const size_t size = rows > 0 ? static_cast<size_t>(rows) : 0;
    if (size < flags_.size()) {
        // Rows cut off leave the list as well.
        std::erase_if(listed_, [this, size](int row) {
            const auto at = static_cast<size_t>(row);
            if (at < size)
                return false;
            if (flags_[at] == kCleared)
                --cleared_;
            return true;
        });
    }
    flags_.resize(size, 0);
}

const std::vector<int>& RowHint::Rows() const
{
    if (!sorted_) {
        std::sort(listed_.begin(), listed_.end());
        sorted_ = true;
    }
    if (cleared_ > 0) {
        std::erase_if(listed_, [this](int row) {
            uint8_t& flag = flags_[static_cast<size_t>(row)];
            if (flag != kCleared)
                return false;
            flag = 0;
            return true;
        });
        cleared_ = 0;
    }
    return listed_;
}

DocumentView::DocumentView() = default;

DocumentView::~DocumentView()
{
    if (document_)
        document_->removeView(this);
}

void DocumentView::setDocument(Document* doc)
{
    if (document_ == doc)
        return;
    Document* old = document_;
    document_ = doc;
    if (doc)
        doc->addView(this);
    if (old)
        old->removeView(this);
}

void DocumentView::onInitialUpdate()
{
    onDocumentUpdate(nullptr, 0, nullptr);
}

void DocumentView::closeWindow()
{
    setDocument(nullptr);
}

Document::Document() = default;

Document::~Document()
{
    // Views outlive a document only when a test builds them by hand; cut them loose.
    for (DocumentView* v : views_)
        v->document_ = nullptr;
}

void Document::onCloseDocument()
{
    if (closing_)
        return;
    closing_ = true;
    // Closing a window destroys its view, which takes itself off views_.
    auto views = views_;
    for (DocumentView* v : views)
        if (std::find(views_.begin(), views_.end(), v) != views_.end())
            v->closeWindow();
    if (template_)
        template_->removeDocument(this);
}

void Document::setTitle(const std::string& title)
{
    title_ = title;
    for (DocumentView* v : views_)
        v->onTitleChanged();
}

bool Document::hasWindow() const
{
    return std::any_of(views_.begin(), views_.end(), [](DocumentView* v) { return v->isWindow(); });
}

void Document::updateAllViews(DocumentView* sender, intptr_t hint, Hint* object)
{
    // Copy: a view may close itself while updating.
    auto views = views_;
    for (DocumentView* v : views)
        if (v != sender && std::find(views_.begin(), views_.end(), v) != views_.end())
            v->onDocumentUpdate(sender, hint, object);
}

void Document::addView(DocumentView* view)
{
    if (std::find(views_.begin(), views_.end(), view) == views_.end())
        views_.push_back(view);
    view->joinedAsWindow_ = view->isWindow();
}

void Document::removeView(DocumentView* view)
{
    const bool wasWindow = view->joinedAsWindow_ || view->isWindow();
    std::erase(views_, view);
    // A window that went without closing the document (destroyed directly) still ends it when
    // it was the last one.
    if (wasWindow && !hasWindow() && template_ && !closing_)
        onCloseDocument();
}

DocTemplateBase::DocTemplateBase(uint32_t resourceId, DocumentFactory makeDocument)
    : resourceId_(resourceId), makeDocument_(std::move(makeDocument))
{
}

DocTemplateBase::~DocTemplateBase()
{
    closeAll();
    dying_.clear();
}

std::unique_ptr<Document> DocTemplateBase::createNewDocument()
{
    return makeDocument_ ? makeDocument_() : nullptr;
}

Document* DocTemplateBase::openDocumentFile(const std::string&, bool makeVisible)
{
    dying_.clear();
    std::unique_ptr<Document> doc = createNewDocument();
    if (!doc)
        return nullptr;
    doc->template_ = this;
    Document* raw = doc.get();
    documents_.push_back(std::move(doc));
    if (!createWindows(*raw, makeVisible) || !raw->onNewDocument()) {
        // Abandoned before it opened: its windows go without onCloseDocument.
        raw->closing_ = true;
        auto views = raw->views_;
        for (DocumentView* v : views)
            v->closeWindow();
        removeDocument(raw);
        return nullptr;
    }
    initialUpdate(*raw, makeVisible);
    return raw;
}

void DocTemplateBase::initialUpdate(Document& doc, bool)
{
    auto views = doc.views();
    for (DocumentView* v : views)
        v->onInitialUpdate();
}

void DocTemplateBase::closeAllDocuments()
{
    closeAll();
}

void DocTemplateBase::closeAll()
{
    for (int guard = 0; !documents_.empty() && guard < 100000; ++guard) {
        Document* d = documents_.front().get();
        d->onCloseDocument();
        // An override that did not call the base still leaves the list.
        if (!documents_.empty() && documents_.front().get() == d)
            removeDocument(d);
    }
}

void DocTemplateBase::updateAllViews(DocumentView* sender, intptr_t hint, Hint* object)
{
    for (auto& d : documents_)
        d->updateAllViews(sender, hint, object);
}

void DocTemplateBase::removeDocument(Document* doc)
{
    for (auto it = documents_.begin(); it != documents_.end(); ++it) {
        if (it->get() != doc)
            continue;
        std::shared_ptr<Document> dying(std::move(*it));
        documents_.erase(it);
        dying->template_ = nullptr;
        destroyLater(std::move(dying));
        return;
    }
}

void DocTemplateBase::destroyLater(std::shared_ptr<Document> dying)
{
    dying_.push_back(std::move(dying));
}

} // namespace fw
