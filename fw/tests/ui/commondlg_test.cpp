#include "fw/core/gridprops.h"
#include "fw/core/rescheck.h"
#include "fw/core/resources.h"
#include "fw/test/fwtest.h"
#include "fw/ui/app.h"
#include "fw/ui/commondlg.h"

#include <QApplication>
#include <QColorDialog>
#include <QComboBox>
#include <QMessageBox>
#include <QPushButton>
#include <set>
#include <tuple>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

// Control ids of the font and page setup templates.
enum : uint32_t { kFace = 10, kSize = 11, kBold = 12, kLeft = 20, kLandscape = 25, kHeader = 26, kFooter = 27 };

struct CommonDialogTest : ::testing::Test {
    fw::App app;
};

TEST_F(CommonDialogTest, TemplatesPassTheResourceCheck)
{
    fw::ResourceSet sets[] = { fw::commonDialogResources() };
    fw::ResourceReport report = fw::checkResources(sets);
    EXPECT_TRUE(report.ok()) << report.text();
    // No two controls of a dialog share a key, in either language.
    for (const fw::DialogTemplate& t : fw::commonDialogResources().dialogs)
        for (bool hungarian : { false, true }) {
            std::set<QChar> keys;
            for (const fw::ControlDef& c : t.controls) {
                const char* text = hungarian ? c.hu : c.en;
                QString q = text ? QString::fromUtf8(text) : QString();
                for (qsizetype i = 0; i + 1 < q.size(); ++i) {
                    if (q[i] != u'&')
                        continue;
                    if (q[i + 1] != u'&') {
                        EXPECT_TRUE(keys.insert(q[i + 1].toLower()).second) << t.id << " " << q.toStdString();
                    }
                    ++i;
                }
            }
        }
}

TEST_F(CommonDialogTest, FontDialogOffersAndTakesOnly4To24Points)
{
    fw::test::Script script;
    fw::setFontDialogHook(nullptr); // the real dialog, driven by the script below
    script.answerMessageBox(fw::IDOK); // the refusal of 25 points
    script.expectDialog(fw::kFontDialogId, [](fw::Dialog& d) {
        EXPECT_EQ(d.itemText(kSize), "24"); // 30 came in, the range holds
        ASSERT_EQ(d.itemCount(kSize), 15);
        EXPECT_EQ(d.itemString(kSize, 0), "4");
        EXPECT_EQ(d.itemString(kSize, 14), "24");
        EXPECT_GT(d.itemCount(kFace), 0);
        d.userType(kSize, "25");
        d.userClick(fw::kIdOk);
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(d.focusId(), kSize);
        d.userType(kSize, "4");
        d.userClick(kBold);
        d.userClick(fw::kIdOk);
    });
    auto chosen = fw::chooseFont({ "DejaVu Sans", 30, false, false });
    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ(chosen->face, "DejaVu Sans");
    EXPECT_EQ(chosen->pointSize, 4);
    EXPECT_TRUE(chosen->bold);
    EXPECT_EQ(script.messageBoxes().size(), 1u);
}

TEST_F(CommonDialogTest, PageSetupEditsMarginsOrientationHeaderAndFooter)
{
    fw::test::Script script;
    fw::PageSetup setup;
    setup.header = "Orders";
    script.expectDialog(fw::kPageSetupDialogId, [](fw::Dialog& d) { d.userClick(fw::kIdCancel); });
    EXPECT_FALSE(fw::pageSetupDialog(setup));
    EXPECT_EQ(setup, [] {
        fw::PageSetup s;
        s.header = "Orders";
        return s;
    }());

    script.answerMessageBox(fw::IDOK); // a margin of 150 mm is refused
    script.expectDialog(fw::kPageSetupDialogId, [](fw::Dialog& d) {
        EXPECT_EQ(d.itemText(kHeader), "Orders");
        d.userType(kLeft, "150");
        d.userClick(fw::kIdOk);
        EXPECT_TRUE(d.isVisible());
        d.userType(kLeft, "25");
        d.userClick(kLandscape);
        d.userType(kHeader, "Orders of &p");
        d.userType(kFooter, "");
        d.userClick(fw::kIdOk);
    });
    EXPECT_TRUE(fw::pageSetupDialog(setup));
    EXPECT_EQ(setup.marginLeft, 25);
    EXPECT_TRUE(setup.landscape);
    EXPECT_EQ(setup.header, "Orders of &p");
    EXPECT_EQ(setup.footer, "");
}

TEST_F(CommonDialogTest, ColourDialogCarriesSixteenCustomColours)
{
    fw::CustomColors custom {};
    for (size_t i = 0; i < custom.size(); ++i)
        custom[i] = 0x00010203u * static_cast<uint32_t>(i + 1);
    uint32_t seenFirst = 0;
    // The real dialog: found once it runs, a custom colour mixed, the current colour chosen.
    QTimer::singleShot(0, [&] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* dlg = qobject_cast<QColorDialog*>(w); dlg && dlg->isVisible()) {
                QColor first = QColorDialog::customColor(0);
                seenFirst = static_cast<uint32_t>(first.red()) | static_cast<uint32_t>(first.green()) << 8
                            | static_cast<uint32_t>(first.blue()) << 16;
                QColorDialog::setCustomColor(15, QColor(0x11, 0x22, 0x33));
                dlg->setCurrentColor(QColor(0x40, 0x80, 0xC0));
                dlg->accept();
            }
    });
    auto chosen = fw::chooseColor(0x000000FFu, custom);
    EXPECT_EQ(seenFirst, 0x00010203u);
    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ(*chosen, 0x00C08040u);
    EXPECT_EQ(custom[15], 0x00332211u);
    EXPECT_EQ(custom[1], 0x00020406u);
}

TEST_F(CommonDialogTest, MessageBoxButtonsSpeakTheProgramsLanguage)
{
    for (auto [lang, yes, no] : { std::tuple { fw::Language::English, "&Yes", "&No" },
                                  std::tuple { fw::Language::Hungarian, "&Igen", "&Nem" } }) {
        fw::setLanguage(lang);
        QStringList texts;
        QTimer::singleShot(0, [&] {
            for (QWidget* w : QApplication::topLevelWidgets())
                if (auto* box = qobject_cast<QMessageBox*>(w); box && box->isVisible()) {
                    texts << box->button(QMessageBox::Yes)->text() << box->button(QMessageBox::No)->text();
                    box->button(QMessageBox::No)->click();
                }
        });
        EXPECT_EQ(app.messageBox("?", fw::MB_YESNO | fw::MB_ICONQUESTION), fw::IDNO);
        EXPECT_EQ(texts, (QStringList { QString::fromUtf8(yes), QString::fromUtf8(no) }));
    }
    fw::setLanguage(fw::Language::English);
}

} // namespace
