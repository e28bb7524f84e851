#include "fw/core/command.h"

#include <gtest/gtest.h>

namespace {

struct Node : fw::CmdTarget {
    std::vector<fw::CmdTarget*> next;
    void commandChain(std::vector<fw::CmdTarget*>& out) override
    {
        out.push_back(this);
        for (auto* n : next)
            out.push_back(n);
    }
};

TEST(CommandRoute, FirstTargetOnTheRouteHandles)
{
    Node view, doc, frame;
    view.next = { &doc, &frame };
    std::vector<std::string> log;
    doc.commands().onCommand(10, [&] { log.push_back("doc10"); });
    frame.commands().onCommand(10, [&] { log.push_back("frame10"); });
    frame.commands().onCommandRange(20, 25, [&](uint32_t id) { log.push_back("frame" + std::to_string(id)); });
    EXPECT_TRUE(view.routeCommand(10));
    EXPECT_TRUE(view.routeCommand(23));
    EXPECT_FALSE(view.routeCommand(26));
    EXPECT_EQ(log, (std::vector<std::string> { "doc10", "frame23" }));
}

TEST(CommandRoute, UpdateWithoutHandlerDisablesDeadCommands)
{
    Node view, frame;
    view.next = { &frame };
    frame.commands().onCommand(1, [] {});
    frame.commands().onUpdate(2, [](fw::CmdUI& ui) { ui.setCheck(1); ui.setText("Two"); });
    struct Case {
        uint32_t id;
        bool enabled, handled;
        int check;
    } cases[] = { { 1, true, false, 0 }, { 2, true, true, 1 }, { 3, false, false, 0 } };
    for (const auto& c : cases) {
        fw::CmdUI ui(c.id, fw::CmdUI::Source::Menu);
        view.routeUpdate(ui);
        EXPECT_EQ(ui.enabled(), c.enabled) << c.id;
        EXPECT_EQ(ui.handled(), c.handled) << c.id;
        EXPECT_EQ(ui.check(), c.check) << c.id;
    }
}

TEST(CommandRoute, RemovalOnlyCountsForMenus)
{
    for (auto source : { fw::CmdUI::Source::Menu, fw::CmdUI::Source::ToolBar, fw::CmdUI::Source::Other }) {
        fw::CmdUI ui(5, source);
        ui.remove();
        EXPECT_EQ(ui.removed(), source == fw::CmdUI::Source::Menu);
    }
}

TEST(CommandRoute, LaterRegistrationOverridesAndMessagesRoute)
{
    Node a, b;
    a.next = { &b };
    int which = 0;
    b.commands().onCommand(7, [&] { which = 1; });
    b.commands().onCommand(7, [&] { which = 2; });
    b.commands().onMessage(0xC001, [](uint64_t w, int64_t l) { return static_cast<intptr_t>(w + l); });
    EXPECT_TRUE(a.routeCommand(7));
    EXPECT_EQ(which, 2);
    EXPECT_EQ(a.routeMessage(0xC001, 2, 3), 5);
    EXPECT_FALSE(a.routeMessage(0xC002, 0, 0).has_value());
    EXPECT_TRUE(a.hasCommandHandler(7));
    EXPECT_FALSE(a.hasCommandHandler(8));
}

TEST(CommandRoute, CyclesAreVisitedOnce)
{
    Node a, b;
    a.next = { &b };
    b.next = { &a };
    int calls = 0;
    b.commands().onCommand(1, [&] { ++calls; });
    EXPECT_EQ(a.route().size(), 2u);
    EXPECT_TRUE(a.routeCommand(1));
    EXPECT_EQ(calls, 1);
}

TEST(CommandRoute, LifeTokenExpiresWithTarget)
{
    std::weak_ptr<void> token;
    {
        Node n;
        token = n.lifeToken();
        EXPECT_FALSE(token.expired());
    }
    EXPECT_TRUE(token.expired());
}

} // namespace
