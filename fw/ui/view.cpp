#include "fw/ui/view.h"

#include "fw/ui/childframe.h"

namespace fw {

View::View(QWidget* parent) : QWidget(parent) {}

View::~View()
{
    if (document_)
        document_->removeView(this);
}

void View::setDocument(Document* doc)
{
    if (document_ == doc)
        return;
    Document* old = document_;
    document_ = doc;
    if (old)
        old->removeView(this);
    if (doc)
        doc->addView(this);
}

void View::onInitialUpdate()
{
    onUpdate(nullptr, 0, nullptr);
}

void View::onUpdate(View*, intptr_t, Hint*)
{
    update();
}

void View::onTitleChanged()
{
    if (ChildFrame* f = parentFrame())
        f->syncTitle();
}

ChildFrame* View::parentFrame() const
{
    for (QWidget* w = parentWidget(); w; w = w->parentWidget())
        if (auto* f = qobject_cast<ChildFrame*>(w))
            return f;
    return nullptr;
}

void View::commandChain(std::vector<CmdTarget*>& out)
{
    out.push_back(this);
    if (document_)
        out.push_back(document_);
}

} // namespace fw
