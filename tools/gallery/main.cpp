// gallery <output folder>: renders every registered dialog template and a sample grid window
// to PNG, in English and Hungarian, for review without a display.
#include "sample.h"

#include "fw/core/rescheck.h"
#include "fw/core/resources.h"
#include "fw/core/strings.h"
#include "fw/ui/app.h"
#include "fw/ui/childframe.h"
#include "fw/ui/dialog.h"
#include "fw/ui/gridview.h"
#include "fw/ui/mainframe.h"
#include "fw/ui/text.h"

#include <QApplication>
#include <QDir>
#include <QFont>
#include <QMdiArea>
#include <QPixmap>
#include <QStyleFactory>
#include <QToolBar>
#include <cstdio>
#include <memory>

namespace {

void settle()
{
    for (int i = 0; i < 5; ++i) {
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

bool save(QWidget& w, const QString& path)
{
    settle();
    bool ok = w.grab().save(path, "PNG");
    std::printf("%s %s\n", ok ? "wrote" : "FAILED", path.toUtf8().constData());
    return ok;
}

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

bool renderGridWindow(const QDir& out, const char* lang)
{
    gallery::SampleSource source;
    fw::MainFrame frame;
    frame.setWindowTitle(fw::toQt(fw::resourceText("VEXA Universal Bench", "VEXA Universal Bench")));
    frame.setMenuModel(gallery::sampleMenu());
    frame.addCommandBar("Main", { 35940, 35941, 0, 35984 }, [](uint32_t id) {
        switch (id) {
        case 35940: return fw::resourceText("Log on", "Belépés");
        case 35941: return fw::resourceText("Log off", "Kilépés");
        default: return fw::resourceText("Zoom", "Nagyítás");
        }
    });
    frame.setStatusPanes({ 30, 4, 4, 4, 8, 10, 8 });
    frame.setPaneText(0, fw::resourceText("Ready", "Kész"));
    frame.setPaneText(4, "12");
    frame.setPaneText(5, "2026.12.10");
    frame.setPaneText(6, "09:36:02");
    frame.resize(980, 560);

    auto view = std::make_unique<fw::GridView>();
    fw::GridView* grid = view.get();
    grid->setSource(&source);
    grid->setFrozenCols(1);
    grid->setColWidth(1, 110);
    auto child = std::make_unique<fw::ChildFrame>(std::move(view));
    child->setWindowTitle(fw::toQt(fw::resourceText("Securities", "Értékpapírok")));
    fw::ChildFrame* c = child.get();
    frame.mdiArea()->addSubWindow(child.release());
    grid->onInitialUpdate();
    frame.show();
    c->resize(900, 420);
    c->show();
    grid->fitColumnsToContent(2, source.columnCount());
    grid->setCurrentCell(3, 1);
    grid->selectRange({ 3, 1, 3, source.columnCount() });
    return save(frame, out.filePath(QStringLiteral("grid_window_%1.png").arg(lang)));
}

} // namespace

int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication qapp(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setFont(QFont(QStringLiteral("DejaVu Sans"), 9));
    if (argc < 2) {
        std::fprintf(stderr, "usage: gallery <output folder>\n");
        return 2;
    }
    QDir out(QString::fromLocal8Bit(argv[1]));
    if (!out.exists() && !QDir().mkpath(out.path())) {
        std::fprintf(stderr, "gallery: cannot create %s\n", argv[1]);
        return 1;
    }
    fw::App app;
    gallery::registerSampleResources();
    // Every set is checked before it is shown: a broken table is reported, not rendered blindly.
    fw::ResourceReport report = fw::checkResources(fw::resourceSets());
    if (!report.ok())
        std::fprintf(stderr, "%s", report.text().c_str());
    bool ok = report.errors.empty();
    for (auto [lang, name] : { std::pair { fw::Language::English, "en" }, std::pair { fw::Language::Hungarian, "hu" } }) {
        fw::setLanguage(lang);
        ok &= renderDialogs(out, name);
        ok &= renderGridWindow(out, name);
    }
    return ok ? 0 : 1;
}
