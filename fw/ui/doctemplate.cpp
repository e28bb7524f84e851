#include "fw/ui/doctemplate.h"

#include "fw/ui/app.h"
#include "fw/ui/childframe.h"
#include "fw/ui/document.h"
#include "fw/ui/mainframe.h"
#include "fw/ui/view.h"

#include <QCoreApplication>
#include <QMdiArea>
#include <QTimer>

namespace fw {

DocTemplate::DocTemplate(uint32_t resourceId, DocumentFactory makeDocument, ViewFactory makeView)
    : resourceId_(resourceId), makeDocument_(std::move(makeDocument)), makeView_(std::move(makeView))
{
}

DocTemplate::~DocTemplate()
{
    closeAllDocuments();
}

Document* DocTemplate::openDocumentFile(const std::string&, bool makeVisible)
{
    std::unique_ptr<Document> doc = makeDocument_();
    if (!doc)
        return nullptr;
    doc->template_ = this;
    if (!doc->onNewDocument())
        return nullptr;
    Document* raw = doc.get();
    documents_.push_back(std::move(doc));
    if (!createFrame(*raw, makeVisible)) {
        removeDocument(raw);
        return nullptr;
    }
    return raw;
}

ChildFrame* DocTemplate::createFrame(Document& doc, bool makeVisible)
{
    std::unique_ptr<View> view = makeView_();
    if (!view)
        return nullptr;
    View* v = view.get();
    v->setDocument(&doc);
    auto frame = std::make_unique<ChildFrame>(std::move(view));
    ChildFrame* f = frame.get();
    MainFrame* main = App::instance() ? App::instance()->mainFrame() : nullptr;
    if (main)
        main->mdiArea()->addSubWindow(frame.release());
    else
        frame.release(); // deletes itself on close (WA_DeleteOnClose)
    v->onInitialUpdate();
    if (makeVisible)
        f->show();
    return f;
}

void DocTemplate::closeAllDocuments()
{
    // onCloseDocument removes the document from the list.
    for (int guard = 0; !documents_.empty() && guard < 100000; ++guard) {
        Document* d = documents_.back().get();
        d->onCloseDocument();
        if (!documents_.empty() && documents_.back().get() == d)
            removeDocument(d);
    }
}

void DocTemplate::updateAllViews(View* sender, intptr_t hint, Hint* object)
{
    for (auto& d : documents_)
        d->updateAllViews(sender, hint, object);
}

void DocTemplate::removeDocument(Document* doc)
{
    for (auto it = documents_.begin(); it != documents_.end(); ++it) {
        if (it->get() != doc)
            continue;
        std::shared_ptr<Document> dying(std::move(*it));
        documents_.erase(it);
        dying->template_ = nullptr;
        if (QCoreApplication::instance())
            QTimer::singleShot(0, QCoreApplication::instance(), [dying] {});
        return;
    }
}

} // namespace fw
