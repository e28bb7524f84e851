#include "fw/ui/commondlg.h"

#include "fw/ui/app.h"
#include "fw/ui/gridmodel.h"
#include "fw/ui/text.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QStringList>

namespace fw {

namespace {
FileDialogHook& fileHook()
{
    static FileDialogHook h;
    return h;
}
ColorDialogHook& colorHook()
{
    static ColorDialogHook h;
    return h;
}
int g_waitDepth = 0;

std::string withExtension(std::string path, const std::string& ext)
{
    if (ext.empty() || path.empty())
        return path;
    if (QFileInfo(toQt(path)).suffix().isEmpty())
        path += "." + ext;
    return path;
}
} // namespace

void setFileDialogHook(FileDialogHook hook)
{
    fileHook() = std::move(hook);
}
void setColorDialogHook(ColorDialogHook hook)
{
    colorHook() = std::move(hook);
}

std::string qtFilterOf(const std::string& filter)
{
    std::vector<std::string> parts;
    std::string cur;
    for (char c : filter) {
        if (c == '|') {
            parts.push_back(cur);
            cur.clear();
        } else {
            cur.push_back(c);
        }
    }
    if (!cur.empty())
        parts.push_back(cur);
    std::string out;
    for (size_t i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].empty())
            break;
        std::string desc = parts[i];
        std::string patterns = parts[i + 1];
        // Patterns are separated by ';' there and by blanks here; "*.*" means every file.
        std::string qtPatterns;
        for (size_t k = 0; k < patterns.size(); ++k) {
            if (patterns.compare(k, 3, "*.*") == 0) {
                qtPatterns.push_back('*');
                k += 2;
            } else {
                qtPatterns.push_back(patterns[k] == ';' ? ' ' : patterns[k]);
            }
        }
        patterns = qtPatterns;
        if (desc.find('(') == std::string::npos)
            desc += " (" + patterns + ")";
        if (!out.empty())
            out += ";;";
        out += desc;
    }
    return out;
}

std::optional<std::string> getFileName(const FileDialogRequest& request, QWidget* parent)
{
    App::ModalScope modal;
    std::optional<std::string> chosen;
    if (fileHook()) {
        chosen = fileHook()(request);
    } else {
        QString title = toQt(request.title), name = toQt(request.defaultName), filter = toQt(qtFilterOf(request.filter));
        QString path = request.open ? QFileDialog::getOpenFileName(parent, title, name, filter)
                                    : QFileDialog::getSaveFileName(parent, title, name, filter);
        if (!path.isEmpty())
            chosen = fromQt(path);
    }
    if (chosen && chosen->empty())
        chosen.reset();
    if (chosen && !request.open)
        chosen = withExtension(*chosen, request.defaultExt);
    return chosen;
}

namespace {
uint32_t refOf(const QColor& c)
{
    return static_cast<uint32_t>(c.red()) | static_cast<uint32_t>(c.green()) << 8 | static_cast<uint32_t>(c.blue()) << 16;
}
} // namespace

std::optional<uint32_t> chooseColor(uint32_t initial, QWidget* parent)
{
    CustomColors unchanged {};
    for (int i = 0; i < QColorDialog::customCount() && i < 16; ++i)
        unchanged[static_cast<size_t>(i)] = refOf(QColorDialog::customColor(i));
    return chooseColor(initial, unchanged, parent);
}

std::optional<uint32_t> chooseColor(uint32_t initial, CustomColors& custom, QWidget* parent)
{
    App::ModalScope modal;
    if (colorHook())
        return colorHook()(initial);
    // The dialog's custom colours are process-wide; the caller's set is put in for this run.
    static_assert(std::tuple_size_v<CustomColors> == 16);
    for (int i = 0; i < QColorDialog::customCount() && i < 16; ++i)
        QColorDialog::setCustomColor(i, colorFromRef(custom[static_cast<size_t>(i)]));
    QColor c = QColorDialog::getColor(colorFromRef(initial), parent);
    for (int i = 0; i < QColorDialog::customCount() && i < 16; ++i)
        custom[static_cast<size_t>(i)] = refOf(QColorDialog::customColor(i));
    if (!c.isValid())
        return std::nullopt;
    return refOf(c);
}

WaitCursor::WaitCursor()
{
    ++g_waitDepth;
    if (qApp)
        QApplication::setOverrideCursor(Qt::WaitCursor);
}

WaitCursor::~WaitCursor()
{
    --g_waitDepth;
    if (qApp)
        QApplication::restoreOverrideCursor();
}

int WaitCursor::depth()
{
    return g_waitDepth;
}

} // namespace fw
