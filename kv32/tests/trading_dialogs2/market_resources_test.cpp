// The templates and texts of the market dialogs are whole in both languages.
#include <gtest/gtest.h>

#include "fw/core/rescheck.h"
#include "fw/core/resources.h"
#include "fw/core/strings.h"
#include "kv32/res/market_dialogs_ids.h"

TEST(MarketDialogResources, TemplatesAndTextsAreComplete)
{
    const fw::ResourceSet set { "kv32-market-dialogs-check", Kv32MarketDialogStrings(), Kv32MarketDialogTemplates() };
    const fw::ResourceReport report = fw::checkResources(std::span(&set, 1));
    EXPECT_TRUE(report.ok()) << report.text();
}

TEST(MarketDialogResources, ToolTipsFollowTheLanguageAndOnlyTheFormsControls)
{
    fw::setLanguage(fw::Language::Hungarian);
    EXPECT_EQ(Kv32MarketMakerTip(IDC_MM_SEND_BUY), "Csak a v\xE9teli megb\xEDz\xE1s elk\xFCld\xE9se");
    fw::setLanguage(fw::Language::English);
    EXPECT_EQ(Kv32MarketMakerTip(IDC_MM_SEND_BUY), "Send the buy order only");
    // Id 2 is the Cancel button here and "Boards" in the program's string table: no tip.
    EXPECT_EQ(Kv32MarketMakerTip(fw::kIdCancel), "");
    EXPECT_EQ(Kv32MarketMakerTip(IDC_MM_BUY_LOT), "");
}
