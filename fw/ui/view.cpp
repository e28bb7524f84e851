#include "fw/ui/view.h"

#include "fw/ui/childframe.h"

namespace fw {

View::View(QWidget* parent) : QWidget(parent) {}

View::~View()
{
    // Leave the document while this is still a whole View: whether it was the document's last
    // window decides whether the document closes.
    destroying_ = true;
    setDocument(nullptr);
}

void View::onDocumentUpdate(DocumentView* sender, intptr_t hint, Hint* object)
{
    onUpdate(dynamic_cast<View*>(sender), hint, object);
}

void View::onUpdate(View*, intptr_t, Hint*)
{
    update();
}

void View::onTitleChanged()
{
    if (frame_)
        frame_->syncTitle();
}

void View::closeWindow()
{
    if (frame_ && !destroying_)
        frame_->closeWithoutAsking();
    else
        setDocument(nullptr);
}

void View::commandChain(std::vector<CmdTarget*>& out)
{
    out.push_back(this);
    if (Document* doc = document())
        out.push_back(doc);
    if (frame_)
        out.push_back(frame_);
}

} // namespace fw
