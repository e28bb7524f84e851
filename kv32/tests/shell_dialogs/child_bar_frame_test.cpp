#include <gtest/gtest.h>

#include <memory>

#include <QLabel>
#include <QStatusBar>

#include "fw/ui/view.h"
#include "kv32/windows/child_bar_frame.h"

namespace {

TEST(ChildBarFrame, ThreePanesUnderTheWindowTheFiguresOnesAsWideAsTheirTexts)
{
    auto frame = std::make_unique<CTChildBarFrame>(std::make_unique<fw::View>());
    frame->resize(600, 300);
    frame->show();
    QStatusBar* bar = frame->StatusBar();
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->objectName(), "59393");
    EXPECT_TRUE(bar->isVisible());
    EXPECT_GE(bar->geometry().top(), frame->view()->geometry().bottom());

    const auto panes = bar->findChildren<QLabel*>(Qt::FindDirectChildrenOnly);
    ASSERT_EQ(panes.size(), 3);
    // Empty panes have no frame; the first takes the bar, the figures' none of it.
    for (QLabel* pane : panes)
        EXPECT_EQ(pane->frameShape(), QFrame::NoFrame);
    EXPECT_GT(panes[0]->width(), 500);
    EXPECT_EQ(panes[1]->width(), 0);
    EXPECT_EQ(panes[2]->width(), 0);

    frame->SetPaneText(1, "Vétel \xE1r"); // Windows-1250 in, kept as given
    const int text = panes[1]->fontMetrics().horizontalAdvance(panes[1]->text());
    EXPECT_NE(panes[1]->frameShape(), QFrame::NoFrame);
    EXPECT_GE(panes[1]->width(), text);
    EXPECT_LT(panes[1]->width(), text + 24);
    frame->SetPaneText(3, "ignored");
    frame->SetPaneText(-1, "ignored");
    EXPECT_EQ(frame->GetPaneText(1), "Vétel \xE1r");
    EXPECT_EQ(frame->GetPaneText(0), "");
    EXPECT_EQ(frame->GetPaneText(3), "");
    frame->SetPaneText(1, "");
    EXPECT_EQ(panes[1]->frameShape(), QFrame::NoFrame);
    EXPECT_EQ(panes[1]->width(), 0);
}

} // namespace
