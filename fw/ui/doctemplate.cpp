#include "fw/ui/doctemplate.h"

#include "fw/ui/app.h"
#include "fw/ui/childframe.h"
#include "fw/ui/icons.h"
#include "fw/ui/mainframe.h"
#include "fw/ui/view.h"

#include <QCoreApplication>
#include <QMdiArea>
#include <QTimer>

namespace fw {

DocTemplate::DocTemplate(uint32_t resourceId, DocumentFactory makeDocument, ViewFactory makeView,
                         FrameFactory makeFrame)
    : DocTemplateBase(resourceId, std::move(makeDocument)), makeView_(std::move(makeView)),
      makeFrame_(std::move(makeFrame))
{
}

DocTemplate::~DocTemplate()
{
    // Here, not in the base: closing the documents closes this template's frames.
    closeAllDocuments();
}

ChildFrame* DocTemplate::makeFrame(Document& doc)
{
    std::unique_ptr<View> view = makeView_ ? makeView_() : nullptr;
    if (!view)
        return nullptr;
    View* v = view.get();
    std::unique_ptr<ChildFrame> frame =
        makeFrame_ ? makeFrame_(std::move(view)) : std::make_unique<ChildFrame>(std::move(view));
    if (!frame)
        return nullptr;
    v->setDocument(&doc);
    frame->syncTitle();
    if (QIcon icon = iconOf(resourceId()); !icon.isNull())
        frame->setWindowIcon(icon);
    ChildFrame* f = frame.get();
    MainFrame* main = App::instance() ? App::instance()->mainFrame() : nullptr;
    if (main)
        main->mdiArea()->addSubWindow(frame.release());
    else
        frame.release(); // deletes itself on close (WA_DeleteOnClose)
    return f;
}

ChildFrame* DocTemplate::createFrame(Document& doc, bool makeVisible)
{
    ChildFrame* f = makeFrame(doc);
    if (!f)
        return nullptr;
    f->view()->onInitialUpdate();
    if (makeVisible)
        f->show();
    return f;
}

bool DocTemplate::createWindows(Document& doc, bool)
{
    return makeFrame(doc) != nullptr;
}

void DocTemplate::initialUpdate(Document& doc, bool makeVisible)
{
    DocTemplateBase::initialUpdate(doc, makeVisible);
    if (!makeVisible)
        return;
    auto views = doc.views();
    for (DocumentView* v : views)
        if (auto* view = dynamic_cast<View*>(v); view && view->parentFrame())
            view->parentFrame()->show();
}

void DocTemplate::destroyLater(std::shared_ptr<Document> dying)
{
    if (QCoreApplication::instance())
        QTimer::singleShot(0, QCoreApplication::instance(), [dying] {});
    else
        DocTemplateBase::destroyLater(std::move(dying));
}

} // namespace fw
