#include "fw/test/fwtest.h"
#include "fw/ui/app.h"
#include "fw/ui/dragdrop.h"
#include "fw/ui/view.h"

#include <QApplication>
#include <QDropEvent>
#include <gtest/gtest.h>

namespace {

// A view with no grid (a chart, a ticker) that takes rows dropped on it.
TEST(RowDropTarget, AViewThatIsNotAGridTakesOnlyAcceptedRows)
{
    fw::App app;
    fw::View view;
    std::vector<std::pair<std::vector<uint8_t>, QPoint>> drops;
    new fw::RowDropTarget(
        &view, [](const std::vector<uint8_t>& p) { return !p.empty() && p[0] == 0x42; },
        [&](const std::vector<uint8_t>& p, Qt::DropAction, QPoint at) {
            drops.emplace_back(p, at);
            return true;
        }); // owned by the view
    view.resize(200, 100);
    view.show();
    fw::test::processEvents();
    EXPECT_TRUE(view.acceptDrops());
    const QPoint at(30, 40);
    struct {
        std::vector<uint8_t> bytes;
        bool row;
        bool accepted;
    } cases[] = { { { 0x42, 7 }, true, true }, { { 0x41 }, true, false }, { { 0x42 }, false, false } };
    for (const auto& c : cases) {
        std::unique_ptr<QMimeData> mime;
        if (c.row) {
            mime = fw::makeRowMimeData(c.bytes, "");
        } else {
            mime = std::make_unique<QMimeData>();
            mime->setText(QStringLiteral("B"));
        }
        QDragEnterEvent enter(at, Qt::CopyAction, mime.get(), Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&view, &enter);
        EXPECT_EQ(enter.isAccepted(), c.accepted);
        QDropEvent drop(QPointF(at), Qt::CopyAction, mime.get(), Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&view, &drop);
        EXPECT_EQ(drop.isAccepted(), c.accepted);
    }
    ASSERT_EQ(drops.size(), 1u);
    EXPECT_EQ(drops[0].first, (std::vector<uint8_t> { 0x42, 7 }));
    EXPECT_EQ(drops[0].second, at);
}

} // namespace
