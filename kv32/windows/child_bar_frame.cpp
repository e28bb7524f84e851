#include "kv32/windows/child_bar_frame.h"

#include <QLabel>
#include <QLayout>
#include <QStatusBar>

#include "fw/ui/text.h"
#include "fw/ui/view.h"

CTChildBarFrame::CTChildBarFrame(std::unique_ptr<fw::View> view, QWidget* parent)
    : CTChildFrame(std::move(view), parent)
{
    // The bar is laid out under the window's own widget, inside the frame, so
    // it moves and sizes with the frame.
    m_pBar = new QStatusBar(this);
    m_pBar->setObjectName(QString::number(kStatusBarId));
    m_pBar->setSizeGripEnabled(false);
    for (QLabel*& pane : m_panes) {
        pane = new QLabel(m_pBar);
        pane->setFrameShape(QFrame::NoFrame);
        pane->setMinimumWidth(0);
        m_pBar->addWidget(pane, 1); // equal stretch: the panes share the width
    }
    if (layout() != nullptr)
        layout()->addWidget(m_pBar);
}

void CTChildBarFrame::SetPaneText(int pane, const std::string& text)
{
    if (pane >= 0 && pane < kPaneCount)
        m_panes[pane]->setText(fw::toQt(text));
}

std::string CTChildBarFrame::GetPaneText(int pane) const
{
    if (pane < 0 || pane >= kPaneCount)
        return {};
    return fw::fromQt(m_panes[pane]->text());
}
