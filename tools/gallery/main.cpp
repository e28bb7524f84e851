// gallery <output folder>: renders the screens of the framework layer to PNG, in English and
// Hungarian, for review without a display: every registered dialog template, a grid window
// among other windows, a maximised grid window without frozen columns, a filled-in order
// dialog and a message box. Names, numbers, dates and times follow each language's locale.
#include "sample.h"
#include "shot.h"

#include "fw/core/locale.h"
#include "fw/core/rescheck.h"
#include "fw/core/resources.h"
#include "fw/core/strings.h"
#include "fw/ui/app.h"
#include "fw/ui/childframe.h"
#include "fw/ui/commondlg.h"
#include "fw/ui/datetimefield.h"
#include "fw/ui/dialog.h"
#include "fw/ui/gridview.h"
#include "fw/ui/icons.h"
#include "fw/ui/mainframe.h"
#include "fw/ui/statusbar.h"
#include "fw/ui/text.h"
#include "fw/ui/toolbars.h"

#include <QApplication>
#include <QDir>
#include <QFont>
#include <QMdiArea>
#include <QMessageBox>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPixmap>
#include <QStyleFactory>
#include <QTimer>
#include <cstdio>
#include <memory>

namespace {

using gallery::save;
using gallery::settle;

const QDateTime kNow(QDate(2026, 12, 10), QTime(9, 36, 2));

bool renderDialogs(const QDir& out, const char* lang)
{
    bool ok = true;
    for (const fw::ResourceSet& set : fw::resourceSets())
        for (const fw::DialogTemplate& t : set.dialogs) {
            fw::Dialog dlg(t);
            dlg.initialize();
            dlg.adjustSize();
            dlg.show();
            ok &= save(dlg, out.filePath(QStringLiteral("dialog_%1_%2.png").arg(t.id).arg(lang)));
            dlg.hide();
        }
    return ok;
}

// The order dialog as a user fills it in.
bool renderOrderDialog(const QDir& out, const char* lang)
{
    fw::Dialog dlg(gallery::kSampleDialog);
    dlg.initialize();
    for (const char* code : { "ALFAKŐ", "BÁRKA", "CSILLAG" })
        dlg.addString(1001, fw::resourceText(code, nullptr));
    dlg.setCurSel(1001, 0);
    dlg.setItemText(1002, gallery::volume(1500));
    dlg.setItemText(1003, gallery::price(333000));
    dlg.itemAs<fw::DateTimeField>(1007)->setValue(kNow.addDays(1));
    dlg.checkButton(1004, 1);
    dlg.adjustSize();
    dlg.show();
    bool ok = save(dlg, out.filePath(QStringLiteral("dialog-order-%1.png").arg(lang)));
    dlg.hide();
    return ok;
}

// The main window as the program builds it: menu, command bars with icons, status panes.
struct Workstation {
    gallery::SampleSource source;
    fw::MainFrame frame;
    fw::CommandBars bars { frame };

    Workstation()
    {
        frame.setWindowTitle(fw::toQt(fw::resourceText("VEXA Universal Bench", "VEXA Universal Bench")));
        frame.setMenuModel(gallery::sampleMenu());
        bars.setTexts([](uint32_t) { return fw::resourceText("Session", "Munkamenet"); }, gallery::buttonText);
        bars.setButtonStyle(Qt::ToolButtonTextBesideIcon);
        bars.addBar({ fw::CommandBars::barIdOf(0), { gallery::kLogOn, gallery::kLogOff, 0, gallery::kZoomIn } });
        bars.setInterface(true);
        // Date and time panes as wide as their texts in this locale; no order count pane.
        QFontMetrics fm(frame.statusPanes()->font());
        auto widthOf = [&](const std::string& s) { return fm.horizontalAdvance(fw::toQt(s)) + 12; };
        std::string date = gallery::formatMoment(kNow, false), time = gallery::formatMoment(kNow, true);
        int key = widthOf("NUM");
        frame.statusPanes()->setPanes({ 200, key, key, key, 0, widthOf(date), widthOf(time) });
        frame.setPaneText(0, fw::resourceText("Ready", "Kész"));
        frame.setPaneText(1, "NUM");
        frame.setPaneText(5, date);
        frame.setPaneText(6, time);
        frame.resize(980, 560);
        frame.show();
    }

    fw::GridView* openGrid(const char* en, const char* hu, int frozen)
    {
        auto view = std::make_unique<fw::GridView>();
        fw::GridView* grid = view.get();
        grid->setSource(&source);
        grid->setFrozenCols(frozen);
        auto child = std::make_unique<fw::ChildFrame>(std::move(view));
        child->setWindowTitle(fw::toQt(fw::resourceText(en, hu)));
        frame.mdiArea()->addSubWindow(child.release());
        grid->onInitialUpdate();
        grid->parentWidget()->show();
        grid->fitColumnsToContent(1, source.columnCount());
        return grid;
    }
};

bool renderGridWindow(const QDir& out, const char* lang)
{
    Workstation w;
    fw::GridView* grid = w.openGrid("Securities", "Értékpapírok", 1);
    grid->parentWidget()->setGeometry(10, 10, 640, 300);
    fw::GridView* quotes = w.openGrid("Quotes", "Árfolyamok", 0);
    quotes->parentWidget()->setGeometry(430, 200, 520, 230);
    quotes->setCurrentCell(13, 1);
    grid->setCurrentCell(3, 1);
    grid->selectRange({ 3, 1, 3, w.source.columnCount() });
    return save(w.frame, QStringLiteral("%1/grid-window-%2.png").arg(out.path(), lang));
}

bool renderMaximised(const QDir& out, const char* lang)
{
    Workstation w;
    fw::GridView* grid = w.openGrid("Securities", "Értékpapírok", 0);
    grid->parentWidget()->showMaximized();
    settle();
    grid->fitColumnsToContent(1, w.source.columnCount()); // over every row now shown
    grid->setCurrentCell(13, 1); // where type-ahead on "Ö" lands
    // An alert shows its latest line in pane 0 in the alert's colours.
    w.frame.statusPanes()->setColouredMessage(
        fw::resourceText("Alert: MALOM last price over ", "Riasztás: MALOM utolsó ár nagyobb, mint ") + gallery::price(289000),
        0x00000000u, 0x0000FFFFu);
    return save(w.frame, QStringLiteral("%1/grid-maximised-%2.png").arg(out.path(), lang));
}

// The message box the program shows, taken while it runs.
bool renderMessageBox(const QDir& out, const char* lang)
{
    bool ok = false;
    QTimer::singleShot(0, [&] {
        for (QWidget* top : QApplication::topLevelWidgets())
            if (auto* box = qobject_cast<QMessageBox*>(top); box && box->isVisible()) {
                ok = save(*box, QStringLiteral("%1/message-box-%2.png").arg(out.path(), lang));
                box->done(QMessageBox::No);
            }
    });
    fw::App::instance()->messageBox(fw::resourceText("Press \"Yes\" button to confirm operation.",
                                                     "A művelet megerősítéséhez nyomja meg az \"Igen\" gombot."),
                                    fw::MB_YESNO | fw::MB_ICONQUESTION | fw::MB_DEFBUTTON2);
    return ok;
}

} // namespace

int main(int argc, char** argv)
{
    auto prepare = [] {
        fw::addResources(fw::commonDialogResources());
        gallery::registerSampleResources();
        // Every set is checked before it is shown: a broken table is reported, not rendered blindly.
        fw::ResourceReport report = fw::checkResources(fw::resourceSets());
        if (!report.ok())
            std::fprintf(stderr, "%s", report.text().c_str());
        return report.errors.empty();
    };
    auto render = [](const QDir& out, const char* lang, const fw::LocaleInfo&) {
        bool ok = renderDialogs(out, lang);
        ok &= renderOrderDialog(out, lang);
        ok &= renderGridWindow(out, lang);
        ok &= renderMaximised(out, lang);
        ok &= renderMessageBox(out, lang);
        return ok;
    };
    return gallery::runGallery(argc, argv, "gallery", prepare, render);
}
