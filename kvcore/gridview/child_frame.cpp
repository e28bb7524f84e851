#include "kvcore/gridview/child_frame.h"

#include "kvcore/app/session_core.h"
#include "kvcore/doc/ct_doc.h"
#include "kvcore/gridview/table_view.h"
#include "kvcore/res/table_ids.h"

#include <QPointer>

namespace {

QPointer<CTChildFrame>& LastActive()
{
    static QPointer<CTChildFrame> last;
    return last;
}

} // namespace

CTChildFrame::CTChildFrame(std::unique_ptr<fw::View> view, QWidget* parent) : fw::ChildFrame(std::move(view), parent)
{
    commands().onCommand(ID_WINDOW_ALWAYSONTOP, [this] { OnWindowAlwaysOnTop(); });
    commands().onUpdate(ID_WINDOW_ALWAYSONTOP, [this](fw::CmdUI& ui) {
        ui.enable(true);
        ui.setCheck(IsAlwaysOnTop() ? 1 : 0);
    });
}

CTChildFrame::~CTChildFrame()
{
    if (LastActive() == this)
        LastActive() = nullptr;
}

CTChildFrame* CTChildFrame::GetLastActiveFrame() { return LastActive().data(); }

void CTChildFrame::OnWindowAlwaysOnTop() { setAlwaysOnTop(!IsAlwaysOnTop()); }

bool CTChildFrame::allowSysCommand(fw::SysCommand)
{
    return ps == nullptr || ps->m_bWindowsManipulation != 0;
}

void CTChildFrame::onActivate(bool active)
{
    if (!active)
        return;
    // The window the user works in holds its table's layout from now on.
    if (auto* doc = view() != nullptr ? dynamic_cast<CTDoc*>(view()->document()) : nullptr; doc != nullptr && ps != nullptr)
        ps->SetTableDoc(doc->GetDocID(), doc);
    LastActive() = this;
}

void CTChildFrame::onMinimize(bool minimized)
{
    if (auto* table = dynamic_cast<CTView*>(view()))
        table->SetIconic(minimized);
}
