#include "shot.h"

#include "fw/core/strings.h"
#include "fw/ui/app.h"
#include "fw/ui/datetimefield.h"

#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QFont>
#include <QIcon>
#include <QLinearGradient>
#include <QPainter>
#include <QPixmap>
#include <QStyleFactory>
#include <QWidget>
#include <cstdio>

namespace gallery {

void settle()
{
    for (int i = 0; i < 5; ++i) {
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

// The offscreen platform draws no window frames, so each top-level window gets the caption a
// desktop would give it: the window's icon and title above its contents.
QImage withCaption(QWidget& w)
{
    QPixmap body = w.grab();
    const int h = 24;
    QImage out(body.width(), body.height() + h, QImage::Format_RGB32);
    QPainter p(&out);
    QLinearGradient bar(0, 0, out.width(), 0);
    bar.setColorAt(0, QColor(0x1F, 0x3A, 0x68));
    bar.setColorAt(1, QColor(0x4A, 0x6F, 0xA5));
    p.fillRect(0, 0, out.width(), h, bar);
    w.windowIcon().paint(&p, QRect(4, 4, 16, 16));
    QFont f = w.font();
    f.setBold(true);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(QRect(26, 0, out.width() - 30, h), Qt::AlignVCenter | Qt::AlignLeft, w.windowTitle());
    p.drawPixmap(0, h, body);
    return out;
}

bool save(QWidget& w, const QString& path)
{
    settle();
    bool ok = withCaption(w).save(path, "PNG");
    std::printf("%s %s\n", ok ? "wrote" : "FAILED", path.toUtf8().constData());
    return ok;
}

int runGallery(int argc, char** argv, const char* program, const std::function<bool()>& prepare,
    const std::function<bool(const QDir& out, const char* lang, const fw::LocaleInfo& locale)>& render)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication qapp(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setFont(QFont(QStringLiteral("DejaVu Sans"), 9));
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s <output folder>\n", program);
        return 2;
    }
    QDir out(QString::fromLocal8Bit(argv[1]));
    if (!out.exists() && !QDir().mkpath(out.path())) {
        std::fprintf(stderr, "%s: cannot create %s\n", program, argv[1]);
        return 1;
    }
    fw::App app;
    bool ok = prepare();
    struct Language {
        fw::Language lang;
        fw::LocaleInfo locale;
        const char* name;
    };
    for (const Language& l : { Language { fw::Language::English, fw::englishLocale(), "en" },
             Language { fw::Language::Hungarian, fw::hungarianLocale(), "hu" } }) {
        fw::setLanguage(l.lang);
        fw::setDisplayLocale(l.locale);
        ok &= render(out, l.name, l.locale);
    }
    return ok ? 0 : 1;
}

} // namespace gallery
