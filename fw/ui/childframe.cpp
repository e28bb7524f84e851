#include "fw/ui/childframe.h"

#include "fw/ui/text.h"
#include "fw/ui/view.h"

#include <QCloseEvent>

namespace fw {

ChildFrame::ChildFrame(std::unique_ptr<View> view, QWidget* parent) : QMdiSubWindow(parent), view_(view.get())
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWidget(view.release()); // the frame's widget tree owns the view from here
    syncTitle();
}

ChildFrame::~ChildFrame() = default;

void ChildFrame::syncTitle()
{
    if (view_ && view_->document())
        setWindowTitle(toQt(view_->document()->title()));
}

void ChildFrame::closeWithoutAsking()
{
    force_ = true;
    close();
}

void ChildFrame::closeEvent(QCloseEvent* event)
{
    if (!force_ && !canClose()) {
        event->ignore();
        return;
    }
    QMdiSubWindow::closeEvent(event);
}

} // namespace fw
