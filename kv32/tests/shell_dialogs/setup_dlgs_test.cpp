#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>

#include <QImage>
#include <QTreeWidget>

#include "fw/core/profile.h"
#include "fw/test/fwtest.h"
#include "fw/ui/datetimefield.h"
#include "kv32/dialogs/setup_dlgs.h"
#include "kv32/res/shell_dialog_ids.h"
#include "kv32/shell/app_settings.h"
#include "kv32/shell/print_log.h"
#include "kv32/shell/session.h"
#include "kv32/tables/all_tables.h"
#include "kv32/tables/table_settings.h"
#include "kv32/windows/quote_rows.h"
#include "kv32/windows/quote_wnd.h"
#include "kvcore/app/profile_settings.h"
#include "kvcore/values/cdouble.h"
#include "support/ui_recorder.h"

namespace {

class SetupDialog : public ::testing::Test {
protected:
    SetupDialog()
        : dir(std::filesystem::temp_directory_path()
              / ("kv32_setup_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name())))
    {
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
        const char* old = std::getenv("VEXA_INI_DIR");
        if (old != nullptr)
            savedIniDir = old;
        setenv("VEXA_INI_DIR", dir.c_str(), 1);
        KvAppSettings() = CKvAppSettings {};
        KvSetTradingEnd(KvAppSettings(), 16, 30);
        KvTableSettings() = CKvTableSettings {};
        iTS = 1;
        session = std::make_unique<CSession>("TRADER01");
        ps = session.get();
        KvLinePrinterFactory() = nullptr;
    }
    ~SetupDialog() override
    {
        KvSwitchPrintLog(KvAppSettings(), false);
        ps = nullptr;
        session.reset();
        KvAppSettings() = CKvAppSettings {};
        KvTableSettings() = CKvTableSettings {};
        if (savedIniDir.empty())
            unsetenv("VEXA_INI_DIR");
        else
            setenv("VEXA_INI_DIR", savedIniDir.c_str(), 1);
        std::filesystem::remove_all(dir);
    }
    std::filesystem::path dir;
    std::string savedIniDir;
    std::unique_ptr<CSession> session;
    kv32test::UiRecorder ui;
};

TEST_F(SetupDialog, OkNeedsEveryRequiredNumberAndAValidTime)
{
    COptionsDlg dlg;
    fw::test::runModal(dlg, [&](fw::Dialog& d) {
        EXPECT_EQ(d.itemText(IDC_SETUP_TIME_SLICE), "1");
        EXPECT_TRUE(d.isItemEnabled(fw::kIdOk));
        for (uint32_t id : { IDC_SETUP_TIME_SLICE, IDC_SETUP_LOGO, IDC_SETUP_INFORM_BY, IDC_SETUP_BEEPS,
                 IDC_SETUP_PRICE_SLICES, IDC_SETUP_ANY_SLICES, IDC_SETUP_PAGE_WIDTH, IDC_SETUP_FONT_SIZE }) {
            const std::string was = d.itemText(id);
            d.userType(id, "");
            EXPECT_FALSE(d.isItemEnabled(fw::kIdOk)) << id;
            d.userType(id, was);
            EXPECT_TRUE(d.isItemEnabled(fw::kIdOk)) << id;
        }
        // "Show Last ... Trades" may be empty for OK to be enabled; OK then refuses it.
        d.userType(IDC_SETUP_LAST_TRADES, "");
        EXPECT_TRUE(d.isItemEnabled(fw::kIdOk));
        auto* end = d.itemAs<fw::DateTimeField>(IDC_SETUP_TRADING_END);
        ASSERT_NE(end, nullptr);
        end->setBlankAllowed(true);
        end->setValue(std::nullopt);
        EXPECT_FALSE(d.isItemEnabled(fw::kIdOk));
        d.onCancel();
    });
}

TEST_F(SetupDialog, TheFirstInvalidFieldInCheckingOrderGetsTheFocus)
{
    struct Case {
        std::vector<std::pair<uint32_t, const char*>> typed;
        uint32_t focus;
    };
    const Case cases[] = {
        { { { IDC_SETUP_ANY_SLICES, "x" }, { IDC_SETUP_INFORM_BY, "-1" } }, IDC_SETUP_INFORM_BY },
        { { { IDC_SETUP_PRICE_SLICES, "--" }, { IDC_SETUP_LAST_TRADES, "" } }, IDC_SETUP_PRICE_SLICES },
        { { { IDC_SETUP_LAST_TRADES, "" } }, IDC_SETUP_LAST_TRADES },
        { { { IDC_SETUP_FONT_SIZE, "1a" } }, IDC_SETUP_FONT_SIZE },
    };
    for (const Case& c : cases) {
        ui.boxes.clear();
        COptionsDlg dlg;
        fw::test::runModal(dlg, [&](fw::Dialog& d) {
            for (const auto& [id, text] : c.typed)
                d.setItemText(id, text);
            d.userClick(fw::kIdOk);
            EXPECT_TRUE(d.isVisible());
            EXPECT_EQ(d.focusId(), c.focus);
            d.onCancel();
        });
        ASSERT_EQ(ui.boxes.size(), 1u);
        EXPECT_EQ(ui.boxes[0].text, "Invalid number format.");
        EXPECT_EQ(KvTableSettings().nColorDelay, 3) << "nothing applied";
    }
}

TEST_F(SetupDialog, OkAppliesTheValuesAndWritesTheProfileKeys)
{
    COptionsDlg dlg;
    const int result = fw::test::runModal(dlg, [&](fw::Dialog& d) {
        d.userType(IDC_SETUP_TIME_SLICE, "3");
        d.userType(IDC_SETUP_PRICE_SLICES, "-7");
        d.userType(IDC_SETUP_ANY_SLICES, "4");
        d.userType(IDC_SETUP_LAST_TRADES, "250");
        d.userType(IDC_SETUP_PAGE_WIDTH, "80");
        d.userType(IDC_SETUP_FONT_SIZE, "10");
        d.userType(IDC_SETUP_INFORM_BY, "15");
        d.userClick(IDC_SETUP_CHANGE_LTP);
        d.userClick(IDC_SETUP_COLOR_NONE);
        d.userClick(IDC_SETUP_URGENT);
        d.userClick(IDC_SETUP_DIRECT_PRINT);
        d.userClick(fw::kIdOk);
    });
    EXPECT_EQ(result, fw::IDOK);
    EXPECT_EQ(iTS, 3);
    EXPECT_EQ(KvTableSettings().nColorDelay, -1) << "a negative slice count holds the colour";
    EXPECT_EQ(KvTableSettings().nFlashDelay, 4);
    EXPECT_EQ(KvTableSettings().nPriceChange, 1);
    EXPECT_EQ(KvDisplayType(), 'P');
    EXPECT_EQ(session->m_nETNotify, 15);
    EXPECT_EQ(KvAppSettings().nETHour, 16);
    EXPECT_EQ(KvAppSettings().nETMinute, 30);
    const fw::Profile profile("kv32.ini");
    struct Key {
        const char* name;
        int value;
    };
    for (const Key& k : { Key { "LastTrades", 250 }, Key { "DirectPrint", 1 }, Key { "DPPageWidth", 80 },
             Key { "LogFontSize", 10 }, Key { "PrintLog", 0 } })
        EXPECT_EQ(profile.getInt("general", k.name, -99), k.value) << k.name;
    KvDisplayType() = ' ';
    iTS = 1;
}

TEST_F(SetupDialog, PrintLogOnWithoutAPrinterIsRefused)
{
    COptionsDlg dlg;
    fw::test::runModal(dlg, [&](fw::Dialog& d) {
        d.userClick(IDC_SETUP_PRINT_LOG);
        d.userClick(fw::kIdOk);
    });
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text.rfind("No default printer.", 0), 0u);
    EXPECT_EQ(KvAppSettings().bPrintLog, 0);
    EXPECT_EQ(fw::Profile("kv32.ini").getInt("general", "PrintLog", -99), 0);
}

TEST(AboutBox, VersionsAndTheCurrentUser)
{
    CAboutDlg none;
    fw::test::runModal(none, [&](fw::Dialog& d) {
        EXPECT_EQ(d.itemText(IDC_TARGET_USER), "none");
        EXPECT_NE(d.itemText(IDC_ABOUT_TEXT).find("\n Version "), std::string::npos);
        auto* tree = qobject_cast<QTreeWidget*>(d.item(IDC_ABOUT_TREE));
        ASSERT_NE(tree, nullptr);
        ASSERT_EQ(tree->topLevelItemCount(), 1);
        EXPECT_TRUE(tree->topLevelItem(0)->text(0).startsWith("kv32 v"));
        ASSERT_EQ(tree->topLevelItem(0)->childCount(), 2);
        EXPECT_TRUE(tree->topLevelItem(0)->child(0)->text(0).startsWith("libkvcore.so v"));
        EXPECT_EQ(tree->topLevelItem(0)->child(1)->text(0), "") << "no router session";
        d.onCancel();
    });
    CSession session("TRADER07");
    session.m_sUser = "TRADER07";
    ps = &session;
    CAboutDlg withUser;
    fw::test::runModal(withUser, [&](fw::Dialog& d) {
        EXPECT_EQ(d.itemText(IDC_TARGET_USER), "TRADER07");
        d.onCancel();
    });
    ps = nullptr;
}

TEST(QuoteWindow, SevenRowsAndAnEmptyValueForZero)
{
    SecurityRec rec {};
    rec.dBid = CDouble(0, 2);
    rec.dBidDepthTotal = CDouble(1500, 0);
    rec.dOffer = CDouble(12.5, 2);
    rec.dOfferDepthTotal = CDouble(0, 0);
    rec.dLast = CDouble(12.25, 2);
    rec.dHigh = CDouble(13, 2);
    rec.dLow = CDouble(1234.5, 2);
    const KvQuoteRows rows = QuoteRowsOf(rec);
    const char* labels[] = { "Bid", "Bid Dt", "Offer", "Offer Dt", "Last", "High", "Low" };
    const char* values[] = { "", "1500", "12.50", "", "12.25", "13.00", "1234.50" };
    for (int i = 0; i < kQuoteRows; ++i) {
        EXPECT_EQ(rows[static_cast<size_t>(i)].label, labels[i]);
        EXPECT_EQ(rows[static_cast<size_t>(i)].value, values[i]) << labels[i];
    }
    // A security the table does not have shows the labels only.
    for (const KvQuoteRow& r : QuoteRowsOfRow(-1))
        EXPECT_EQ(r.value, "");
}

TEST(QuoteWindow, NeverRefreshesFasterThanOnceASecond)
{
    struct Case {
        int slice, period;
    };
    for (const Case& c : { Case { 0, 1000 }, Case { -3, 1000 }, Case { 1, 1000 }, Case { 5, 5000 } })
        EXPECT_EQ(QuoteTimerPeriodMs(c.slice), c.period) << c.slice;
    const int saved = iTS;
    iTS = 0;
    CQuoteWnd wnd;
    EXPECT_EQ(wnd.TimerPeriodMs(), 1000);
    iTS = saved;
}

TEST(QuoteWindow, TheGrabShowsSevenLabelRows)
{
    SecurityTable().Free();
    SecurityRec rec {};
    rec.dOffer = CDouble(12.5, 2);
    SecurityTable().AddRec(rec);
    CQuoteWnd wnd;
    wnd.SetSecurity(0);
    wnd.resize(wnd.sizeHint());
    const QImage image = wnd.grab().toImage();
    // Count the bands of text rows: in the label half, and in the value half.
    auto bands = [&](int x0, int x1) {
        int count = 0;
        bool inText = false;
        for (int y = 0; y < image.height(); ++y) {
            bool dark = false;
            for (int x = x0; x < x1 && !dark; ++x)
                dark = qGray(image.pixel(x, y)) < 100;
            if (dark && !inText)
                ++count;
            inText = dark;
        }
        return count;
    };
    EXPECT_EQ(bands(0, image.width() / 2), kQuoteRows);
    EXPECT_EQ(bands(image.width() / 2, image.width()), 1) << "only the offer is not zero";
    SecurityTable().Free();
}

} // namespace
