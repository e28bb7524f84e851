#pragma once
// Taking screens on the offscreen platform: let pending events run, give the top-level window
// the caption a desktop would draw, and save it as PNG.
#include "fw/core/locale.h"

#include <QDir>
#include <QImage>
#include <QString>
#include <functional>

class QWidget;

namespace gallery {

void settle();
QImage withCaption(QWidget& w);
// Prints "wrote <path>" or "FAILED <path>".
bool save(QWidget& w, const QString& path);

// The main of a gallery program "<program> <output folder>": the offscreen application with the
// pinned style and font, the framework's application object, prepare once, then render once per
// language (English, then Hungarian) with that language's locale in force. Returns the exit code.
int runGallery(int argc, char** argv, const char* program, const std::function<bool()>& prepare,
    const std::function<bool(const QDir& out, const char* lang, const fw::LocaleInfo& locale)>& render);

} // namespace gallery
