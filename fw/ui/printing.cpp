#include "fw/ui/printing.h"

#include "fw/ui/app.h"
#include "fw/ui/text.h"
#include "fw/ui/view.h"

#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

namespace fw {

namespace {
PrintHook& printHook()
{
    static PrintHook h;
    return h;
}

int runJob(View& view, QPrinter& printer, bool preview)
{
    view.onBeginPrinting(preview);
    int pages = view.onPrint(printer);
    view.onEndPrinting();
    return pages;
}
} // namespace

void setPrintHook(PrintHook hook)
{
    printHook() = std::move(hook);
}

int printViewToPdf(View& view, const std::string& path)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(toQt(path));
    if (view.document())
        printer.setDocName(toQt(view.document()->title()));
    return runJob(view, printer, false);
}

int printView(View& view, bool preview)
{
    PrintRequest request { preview, view.document() ? view.document()->title() : std::string() };
    App::ModalScope modal;
    if (printHook()) {
        auto path = printHook()(request);
        return path ? printViewToPdf(view, *path) : 0;
    }
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(toQt(request.title));
    if (preview) {
        QPrintPreviewDialog dlg(&printer, &view);
        int pages = 0;
        QObject::connect(&dlg, &QPrintPreviewDialog::paintRequested, &dlg,
                         [&](QPrinter* p) { pages = runJob(view, *p, true); });
        dlg.exec();
        return pages;
    }
    QPrintDialog dlg(&printer, &view);
    if (dlg.exec() != QDialog::Accepted)
        return 0;
    return runJob(view, printer, false);
}

} // namespace fw
