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
    for (int i = 0; i < kPaneCount; ++i) {
        m_panes[i] = new QLabel(m_pBar);
        m_panes[i]->setFrameShape(QFrame::NoFrame);
        m_panes[i]->setMinimumWidth(0);
        m_pBar->addWidget(m_panes[i], i == 0 ? 1 : 0);
        if (i > 0)
            m_panes[i]->setFixedWidth(0);
    }
    if (layout() != nullptr)
        layout()->addWidget(m_pBar);
}

void CTChildBarFrame::SetPaneText(int pane, const std::string& text)
{
    if (pane < 0 || pane >= kPaneCount)
        return;
    QLabel* label = m_panes[pane];
    label->setText(fw::toQt(text));
    if (pane == 0)
        return;
    if (text.empty()) {
        label->setFrameShape(QFrame::NoFrame);
        label->setFixedWidth(0);
        return;
    }
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    // The text in the bar's font, and the frame and margins around it.
    const int frame = 2 * label->frameWidth() + label->margin() * 2 + label->contentsMargins().left()
        + label->contentsMargins().right();
    label->setFixedWidth(label->fontMetrics().horizontalAdvance(label->text()) + frame + 4);
}

std::string CTChildBarFrame::GetPaneText(int pane) const
{
    if (pane < 0 || pane >= kPaneCount)
        return {};
    return fw::fromQt(m_panes[pane]->text());
}
