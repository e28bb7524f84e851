#include "fw/ui/document.h"

#include "fw/ui/childframe.h"
#include "fw/ui/doctemplate.h"
#include "fw/ui/view.h"

#include <algorithm>

namespace fw {

Hint::~Hint() = default;

void RowHint::AddRow(int row)
{
    if (row < 0)
        return;
    if (static_cast<size_t>(row) >= flags_.size())
        flags_.resize(static_cast<size_t>(row) + 1, 0);
    flags_[static_cast<size_t>(row)] = 1;
}

void RowHint::ClearRow(int row)
{
    if (GetRow(row))
        flags_[static_cast<size_t>(row)] = 0;
}

int RowHint::GetRow(int row) const
{
    if (row < 0 || static_cast<size_t>(row) >= flags_.size())
        return 0;
    return flags_[static_cast<size_t>(row)];
}

void RowHint::Clear()
{
    std::fill(flags_.begin(), flags_.end(), 0);
}

void RowHint::SetSize(int rows)
{
    flags_.resize(rows > 0 ? static_cast<size_t>(rows) : 0, 0);
}

Document::Document() = default;

Document::~Document()
{
    // Views outlive a document only when a test builds them by hand; cut them loose.
    for (View* v : views_)
        v->document_ = nullptr;
}

void Document::onCloseDocument()
{
    if (closing_)
        return;
    closing_ = true;
    // Closing a frame destroys its view, which removes itself from views_.
    std::vector<QPointer<ChildFrame>> frames;
    for (View* v : views_)
        if (ChildFrame* f = v->parentFrame())
            frames.emplace_back(f);
    for (auto& f : frames)
        if (f)
            f->closeWithoutAsking();
    if (template_)
        template_->removeDocument(this);
}

void Document::setTitle(const std::string& title)
{
    title_ = title;
    for (View* v : views_)
        v->onTitleChanged();
}

void Document::updateAllViews(View* sender, intptr_t hint, Hint* object)
{
    // Copy: a view may close itself while updating.
    auto views = views_;
    for (View* v : views)
        if (v != sender && std::find(views_.begin(), views_.end(), v) != views_.end())
            v->onUpdate(sender, hint, object);
}

void Document::addView(View* view)
{
    if (std::find(views_.begin(), views_.end(), view) == views_.end())
        views_.push_back(view);
}

void Document::removeView(View* view)
{
    std::erase(views_, view);
    if (views_.empty() && template_ && !closing_)
        template_->removeDocument(this);
}

} // namespace fw
