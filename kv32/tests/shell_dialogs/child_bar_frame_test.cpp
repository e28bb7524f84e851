#include <gtest/gtest.h>

#include <memory>

#include <QLabel>
#include <QStatusBar>

#include "fw/ui/view.h"
#include "kv32/windows/child_bar_frame.h"

namespace {

TEST(ChildBarFrame, ThreeBorderlessPanesShareTheBarUnderTheWindow)
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
    for (QLabel* pane : panes) {
        EXPECT_EQ(pane->frameShape(), QFrame::NoFrame);
        EXPECT_NEAR(pane->width(), panes[0]->width(), 2);
    }
    EXPECT_GT(panes[0]->width(), 100);

    frame->SetPaneText(1, "Vétel \xE1r"); // Windows-1250 in, kept as given
    frame->SetPaneText(3, "ignored");
    frame->SetPaneText(-1, "ignored");
    EXPECT_EQ(frame->GetPaneText(1), "Vétel \xE1r");
    EXPECT_EQ(frame->GetPaneText(0), "");
    EXPECT_EQ(frame->GetPaneText(3), "");
}

} // namespace
